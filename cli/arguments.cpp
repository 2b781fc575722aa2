#include "arguments.h"

#include "commands.h"
#include "console.h"
#include "options.h"

#include "model/file_io.h"
#include "model/startup_image.h"

#include <QCoreApplication>

namespace cli {

std::filesystem::path LocalPath(const QString& name) {
    return Bytes(name);
}

std::optional<QString> OneFile(const QCommandLineParser& parser, const QString& command, const QString& what) {
    const QStringList files = parser.positionalArguments();
    if (files.size() == 1)
        return files.front();
    Error(QCoreApplication::translate("cli", "zem_d7-cli %1: give one %2").arg(command, what));
    return std::nullopt;
}

std::optional<QStringList> TwoArguments(const QCommandLineParser& parser, const QString& usage) {
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() == 2)
        return arguments;
    Error(usage);
    return std::nullopt;
}

bool LoadBase(const QCommandLineParser& parser, const QString& command, zem::RadioImage& image) {
    image = zem::StartupImage();
    return !parser.isSet(kBaseOption) || LoadZemArgument(command, parser.value(kBaseOption), image);
}

bool ReadOnlyOption(const QCommandLineParser& parser, const QString& command, QStringList& blocks) {
    blocks = parser.isSet(kReadBlocksOption) ? parser.value(kReadBlocksOption).split(QLatin1Char(',')) : kBlockNames;
    for (const QString& name : blocks) {
        if (!kBlockNames.contains(name)) {
            Error(QCoreApplication::translate("cli", "zem_d7-cli %1: --only takes memory, vfo and settings, not '%2'")
                      .arg(command, name));
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
        Error(QCoreApplication::translate("cli", "zem_d7-cli %1: give the output file with -o %2")
                  .arg(command, valueName));
    return !out.isEmpty();
}

std::filesystem::path OutputPath(const QString& out) {
    return out == QLatin1String("-") ? std::filesystem::path("/dev/stdout") : LocalPath(out);
}

bool CheckOutputName(const QString& command, const QString& out) {
    if (!CheckOutputGiven(command, out, kOutputOption.valueName()))
        return false;
    if (!zem::HasZemExtension(LocalPath(out)) && !zem::WritesThrough(OutputPath(out))) {
        Error(QCoreApplication::translate(
                  "cli", "zem_d7-cli %1: %2: the output file name must end in .zem, or it cannot be opened again")
                  .arg(command, out));
        return false;
    }
    return true;
}

zem::SaveGuard OutputGuard(const QStringList& inputs, bool settingsOutput) {
    zem::SaveGuard guard;
    for (const QString& input : inputs)
        guard.inputs.push_back(LocalPath(input));
    guard.keepSettingsFiles = !settingsOutput;
    return guard;
}

bool FileStep(const QString& command, const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const zem::FileError& e) {
        Error(QStringLiteral("zem_d7-cli %1: %2").arg(command, QString::fromUtf8(e.what())));
        return false;
    }
}

bool CheckOutputWritable(const QString& command, const QString& out, const zem::SaveGuard& guard) {
    return FileStep(command, [&] { zem::CheckSaveTarget(OutputPath(out), guard); });
}

bool SaveBytes(const QString& command, const QString& out, std::string_view bytes, const zem::SaveGuard& guard) {
    return FileStep(command, [&] { zem::SaveFileAtomically(OutputPath(out), bytes, guard); });
}

bool SaveImage(const QString& command, const QString& out, const zem::RadioImage& image, const zem::SaveGuard& guard) {
    return SaveBytes(command, out, zem::FormatSettingsFile(image), guard);
}

void Say(const QString& out, const std::string& line) {
    if (zem::IsSameFile(OutputPath(out), "/dev/stdout") || out == QLatin1String("-"))
        ErrorBytes(line);
    else
        Out(line);
}

bool LoadZemArgument(const QString& command, const QString& file, zem::RadioImage& image, std::string* menuWarning) {
    try {
        const zem::SettingsFileRead read = zem::LoadZemFile(LocalPath(file), image);
        if (!read.recognised) {
            Error(QCoreApplication::translate("cli", "zem_d7-cli %1: %2: the file format is wrong").arg(command, file));
            return false;
        }
        if (!read.refusal.empty()) {
            Error(QStringLiteral("zem_d7-cli %1: %2: %3").arg(command, file, QString::fromStdString(read.refusal)));
            return false;
        }
        for (const std::string& warning : read.warnings)
            Error(QStringLiteral("zem_d7-cli %1: %2: %3").arg(command, file, QString::fromStdString(warning)));
        if (menuWarning)
            *menuWarning = read.menuWarning;
        return true;
    } catch (const zem::FileError& e) {
        Error(QStringLiteral("zem_d7-cli %1: %2").arg(command, QString::fromUtf8(e.what())));
        return false;
    }
}

} // namespace cli
