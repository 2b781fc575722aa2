#include "arguments.h"

#include "commands.h"
#include "console.h"

#include "model/file_io.h"
#include "model/startup_image.h"

#include <QFile>

namespace cli {

std::filesystem::path LocalPath(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

bool ParseOptions(QCommandLineParser& parser, const QStringList& args, const QString& command, int& status) {
    parser.addHelpOption();
    if (!parser.parse(args)) {
        Error(QStringLiteral("zem_d7-cli %1: %2").arg(command, parser.errorText()));
        status = kBadInput;
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        Out(parser.helpText().toStdString());
        status = kOk;
        return false;
    }
    return true;
}

std::optional<QString> OneFile(const QCommandLineParser& parser, const QString& command, const QString& what) {
    const QStringList files = parser.positionalArguments();
    if (files.size() == 1)
        return files.front();
    Error(QStringLiteral("zem_d7-cli %1: give one %2").arg(command, what));
    return std::nullopt;
}

void AddOutputOption(QCommandLineParser& parser, const QString& what, const QString& valueName) {
    parser.addOption(
        {{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("The %1 to write.").arg(what), valueName});
}

void AddBaseOption(QCommandLineParser& parser, const QString& what) {
    parser.addOption({QStringLiteral("into"),
                      QStringLiteral("Start from this settings file%1 instead of the start-up image.").arg(what),
                      QStringLiteral("BASE.zem")});
}

bool LoadBase(const QCommandLineParser& parser, const QString& command, zem::RadioImage& image) {
    image = zem::StartupImage();
    return !parser.isSet(QStringLiteral("into")) ||
           LoadZemArgument(command, parser.value(QStringLiteral("into")), image);
}

namespace {

const QStringList kBlockNames{QStringLiteral("memory"), QStringLiteral("vfo"), QStringLiteral("settings")};

} // namespace

void AddOnlyOption(QCommandLineParser& parser, const QString& verb) {
    parser.addOption({QStringLiteral("only"),
                      QStringLiteral("%1 only these: %2.").arg(verb, kBlockNames.join(QStringLiteral(", "))),
                      QStringLiteral("LIST")});
}

bool ReadOnlyOption(const QCommandLineParser& parser, const QString& command, QStringList& blocks) {
    blocks = parser.isSet(QStringLiteral("only")) ? parser.value(QStringLiteral("only")).split(QLatin1Char(','))
                                                  : kBlockNames;
    for (const QString& name : blocks) {
        if (!kBlockNames.contains(name)) {
            Error(QStringLiteral("zem_d7-cli %1: --only takes memory, vfo and settings, not '%2'").arg(command, name));
            return false;
        }
    }
    return true;
}

zem::DiffScope ScopeOf(const QStringList& blocks, bool memo) {
    return {blocks.contains(kBlockNames[0]), blocks.contains(kBlockNames[1]), blocks.contains(kBlockNames[2]), memo};
}

bool CheckOutputGiven(const QString& command, const QString& out, const QString& valueName) {
    if (out.isEmpty())
        Error(QStringLiteral("zem_d7-cli %1: give the output file with -o %2").arg(command, valueName));
    return !out.isEmpty();
}

bool CheckOutputName(const QString& command, const QString& out) {
    if (!CheckOutputGiven(command, out, QStringLiteral("OUT.zem")))
        return false;
    if (!zem::HasZemExtension(LocalPath(out))) {
        Error(QStringLiteral("zem_d7-cli %1: %2: the output file name must end in .zem, or it cannot be opened again")
                  .arg(command, out));
        return false;
    }
    return true;
}

bool SaveBytes(const QString& command, const QString& out, std::string_view bytes) {
    try {
        zem::SaveFileAtomically(LocalPath(out), bytes);
        return true;
    } catch (const zem::FileError& e) {
        Error(QStringLiteral("zem_d7-cli %1: %2").arg(command, QString::fromUtf8(e.what())));
        return false;
    }
}

bool SaveImage(const QString& command, const QString& out, const zem::RadioImage& image) {
    return SaveBytes(command, out, zem::FormatSettingsFile(image));
}

bool LoadZemArgument(const QString& command, const QString& file, zem::RadioImage& image) {
    try {
        const zem::SettingsFileRead read = zem::LoadZemFile(LocalPath(file), image);
        if (!read.recognised) {
            Error(QStringLiteral("zem_d7-cli %1: %2: ファイル形式が違います").arg(command, file));
            return false;
        }
        for (const std::string& warning : read.warnings)
            Error(QStringLiteral("zem_d7-cli %1: %2: %3").arg(command, file, QString::fromStdString(warning)));
        return true;
    } catch (const zem::FileError& e) {
        Error(QStringLiteral("zem_d7-cli %1: %2").arg(command, QString::fromUtf8(e.what())));
        return false;
    }
}

} // namespace cli
