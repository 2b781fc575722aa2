#include "arguments.h"
#include "commands.h"
#include "console.h"

#include "collation/japanese_collation.h"
#include "model/channel_sort.h"
#include "model/csv_import.h"
#include "model/file_io.h"
#include "model/startup_image.h"

#include <QCommandLineParser>
#include <QFile>

#include <array>
#include <filesystem>

namespace cli {
namespace {

struct SortKind {
    const char* name;
    void (*sort)(zem::ChannelTable&);
};

const std::array kSorts{
    SortKind{"freq", [](zem::ChannelTable& t) { zem::SortByFrequency(t); }},
    SortKind{"name", [](zem::ChannelTable& t) { zem::SortByName(t, zem::CompareJapanese); }},
    SortKind{"memo", [](zem::ChannelTable& t) { zem::SortByMemo(t, zem::CompareJapanese); }},
};

} // namespace

int RunImportCsv(const QStringList& args) {
    const QString command = QStringLiteral("import-csv");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Fill memory channels 0, 1, 2, ... from a CSV file (frequency in MHz, name, memo; CP932) and save the "
        "result as a settings file. Nothing is written when a line's frequency is not a number."));
    AddOutputOption(parser);
    AddBaseOption(parser, {});
    parser.addPositionalArgument(QStringLiteral("CSV"), QStringLiteral("The CSV file to import."));
    int status = kOk;
    if (!ParseOptions(parser, args, command, status))
        return status;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        Error(QStringLiteral("zem_d7-cli import-csv: give one CSV file"));
        return kBadInput;
    }
    const QString out = parser.value(QStringLiteral("output"));
    if (!CheckOutputName(command, out))
        return kBadInput;

    zem::RadioImage image;
    if (!LoadBase(parser, command, image))
        return kBadInput;
    std::string csv;
    try {
        csv = zem::ReadWholeFile(LocalPath(files.front()));
    } catch (const zem::FileError& e) {
        Error(QStringLiteral("zem_d7-cli import-csv: %1").arg(QString::fromUtf8(e.what())));
        return kBadInput;
    }
    const zem::CsvImportResult result = zem::ImportCsv(csv, image.Channels);
    if (result.error) {
        Error(QStringLiteral("zem_d7-cli import-csv: %1:%2: %3")
                  .arg(files.front())
                  .arg(result.errorLine)
                  .arg(QString::fromUtf8(result.error->what())));
        return kBadInput;
    }
    if (!SaveImage(command, out, image))
        return kBadInput;
    Out(QStringLiteral("%1 channels imported into %2\n").arg(result.accepted).arg(out).toStdString());
    return kOk;
}

int RunSort(const QStringList& args) {
    const QString command = QStringLiteral("sort");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reorder the used memory channels 0-149 of a settings file: by receive frequency (ascending), "
                       "or by name or memo (descending, Japanese collation), and save the result."));
    AddOutputOption(parser);
    parser.addPositionalArgument(QStringLiteral("KEY"), QStringLiteral("freq, name or memo."));
    parser.addPositionalArgument(QStringLiteral("FILE.zem"), QStringLiteral("The settings file to sort."));
    int status = kOk;
    if (!ParseOptions(parser, args, command, status))
        return status;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2) {
        Error(QStringLiteral("zem_d7-cli sort: give a key (freq, name or memo) and one settings file"));
        return kBadInput;
    }
    const SortKind* kind = nullptr;
    for (const SortKind& k : kSorts) {
        if (positional[0] == QLatin1String(k.name))
            kind = &k;
    }
    if (!kind) {
        Error(QStringLiteral("zem_d7-cli sort: unknown key '%1' (freq, name or memo)").arg(positional[0]));
        return kBadInput;
    }
    const QString out = parser.value(QStringLiteral("output"));
    if (!CheckOutputName(command, out))
        return kBadInput;
    zem::RadioImage image = zem::StartupImage();
    if (!LoadZemArgument(command, positional[1], image))
        return kBadInput;
    try {
        kind->sort(image.Channels);
    } catch (const zem::ConversionError& e) {
        Error(QStringLiteral("zem_d7-cli sort: %1: %2").arg(positional[1], QString::fromUtf8(e.what())));
        return kBadInput;
    }
    return SaveImage(command, out, image) ? kOk : kBadInput;
}

} // namespace cli
