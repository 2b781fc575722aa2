#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "options.h"

#include "collation/japanese_collation.h"
#include "model/channel_csv.h"
#include "model/channel_sort.h"
#include "model/csv_import.h"
#include "model/file_io.h"
#include "model/startup_image.h"

#include <QCommandLineParser>

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

// A file in the layout of general multi-radio tools: every row into the channel it names, and
// what could not be taken listed on standard error, one line per row.
int ImportChannelLayout(const QString& csvName, const QString& out, std::string_view csv, zem::RadioImage& image) {
    const zem::ChannelCsvImport result = zem::ImportChannelCsv(csv, image.Channels);
    if (result.error) {
        Error(QStringLiteral("zem_d7-cli import-csv: %1: %2").arg(csvName, QString::fromStdString(*result.error)));
        return kBadInput;
    }
    for (const zem::ChannelCsvNote& note : result.notes)
        Error(QStringLiteral("zem_d7-cli import-csv: %1: %2")
                  .arg(csvName, QString::fromStdString(zem::FormatChannelCsvNote(note))));
    image.Channels = result.channels;
    if (!SaveImage(QStringLiteral("import-csv"), out, image))
        return kBadInput;
    Out(std::to_string(result.taken) + " channels imported into " + Shown(out) + "\n");
    return result.notes.empty() ? kOk : kNotAllTaken;
}

} // namespace

int RunImportCsv(const QString& command, const QCommandLineParser& parser) {
    const std::optional<QString> file = OneFile(parser, command, QStringLiteral("CSV file"));
    if (!file)
        return kBadInput;
    const QString out = parser.value(kOutputOption);
    if (!CheckOutputName(command, out) || !CheckNotInput(command, out, *file))
        return kBadInput;

    zem::RadioImage image;
    if (!LoadBase(parser, command, image))
        return kBadInput;
    std::string csv;
    try {
        csv = zem::ReadWholeFile(LocalPath(*file), zem::kCsvFileLimit);
    } catch (const zem::FileError& e) {
        Error(QStringLiteral("zem_d7-cli import-csv: %1").arg(QString::fromUtf8(e.what())));
        return kBadInput;
    }
    if (zem::IsChannelCsv(csv))
        return ImportChannelLayout(*file, out, csv, image);
    const zem::CsvImportResult result = zem::ImportCsv(csv, image.Channels);
    if (result.error) {
        Error(QStringLiteral("zem_d7-cli import-csv: %1:%2: %3")
                  .arg(*file)
                  .arg(result.errorLine)
                  .arg(QString::fromUtf8(result.error->what())));
        return kBadInput;
    }
    if (!SaveImage(command, out, image))
        return kBadInput;
    Out(std::to_string(result.accepted) + " channels imported into " + Shown(out) + "\n");
    return kOk;
}

int RunExportCsv(const QString& command, const QCommandLineParser& parser) {
    const std::optional<QString> file = OneFile(parser, command, QStringLiteral("settings file"));
    if (!file)
        return kBadInput;
    const QString out = parser.value(kOutputOption);
    if (!CheckOutputGiven(command, out, kCsvOutputOption.valueName()) || !CheckNotInput(command, out, *file))
        return kBadInput;
    zem::RadioImage image = zem::StartupImage();
    if (!LoadZemArgument(command, *file, image))
        return kBadInput;
    std::string csv;
    try {
        csv = zem::ExportChannelCsv(image.Channels);
    } catch (const zem::ConversionError& e) {
        Error(QStringLiteral("zem_d7-cli export-csv: %1: %2").arg(*file, QString::fromUtf8(e.what())));
        return kBadInput;
    }
    return SaveBytes(command, out, csv) ? kOk : kBadInput;
}

int RunSort(const QString& command, const QCommandLineParser& parser) {
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
    const QString out = parser.value(kOutputOption);
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
