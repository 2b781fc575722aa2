#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "options.h"

#include "collation/japanese_collation.h"
#include "model/bulk_change.h"
#include "model/channel_csv.h"
#include "model/channel_sort.h"
#include "model/codecs.h"
#include "model/conversion_error.h"
#include "model/csv_import.h"
#include "model/file_io.h"
#include "model/startup_image.h"
#include "print/channel_print.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

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

// What a CSV file did not give or take, one line per row on standard error; the status says
// whether anything was left out.
int ReportNotes(const QString& command, const QString& csvName, const std::vector<zem::ChannelCsvNote>& notes,
                std::size_t moreNotes = 0) {
    const auto report = [&](const QString& text) {
        Error(QStringLiteral("zem_d7-cli %1: %2: %3").arg(command, csvName, text));
    };
    for (const zem::ChannelCsvNote& note : notes)
        report(QString::fromStdString(zem::FormatChannelCsvNote(note)));
    if (moreNotes > 0)
        report(QCoreApplication::translate("cli", "%1 more lines of notes left out").arg(moreNotes));
    return notes.empty() ? kOk : kNotAllTaken;
}

// The image with the imported channels saved, and what the import left out reported.
template <typename Import>
int SaveImport(const QString& command, const QString& csvName, const QString& out, const zem::RadioImage& image,
               std::size_t taken, const Import& result) {
    if (!SaveImage(command, out, image, OutputGuard({csvName}, true)))
        return kBadInput;
    const int status = ReportNotes(command, csvName, result.notes, result.moreNotes);
    Say(out, QCoreApplication::translate("cli", "%1 channels imported into %2")
                     .arg(taken)
                     .arg(QString::fromStdString(Shown(out)))
                     .toStdString() +
                 "\n");
    return status;
}

// A file in the layout of general multi-radio tools: every row into the channel it names.
int ImportChannelLayout(const QString& csvName, const QString& out, std::string_view csv, zem::RadioImage& image) {
    const zem::ChannelCsvImport result = zem::ImportChannelCsv(csv, image.Channels);
    if (result.error) {
        Error(QStringLiteral("zem_d7-cli import-csv: %1: %2").arg(csvName, QString::fromStdString(*result.error)));
        return kBadInput;
    }
    image.Channels = result.channels;
    return SaveImport(QStringLiteral("import-csv"), csvName, out, image, result.taken, result);
}

} // namespace

int RunImportCsv(const QString& command, const QCommandLineParser& parser) {
    const std::optional<QString> file = OneFile(parser, command, QCoreApplication::translate("cli", "CSV file"));
    if (!file)
        return kBadInput;
    const QString out = parser.value(kOutputOption);
    if (!CheckOutputName(command, out) || !CheckOutputWritable(command, out, OutputGuard({*file}, true)))
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
    if (!result.refusal.empty()) {
        Error(QStringLiteral("zem_d7-cli import-csv: %1: %2").arg(*file, QString::fromStdString(result.refusal)));
        return kBadInput;
    }
    if (result.error) {
        Error(QStringLiteral("zem_d7-cli import-csv: %1:%2: %3")
                  .arg(*file)
                  .arg(result.errorLine)
                  .arg(QString::fromUtf8(result.error->what())));
        return kBadInput;
    }
    return SaveImport(command, *file, out, image, result.accepted, result);
}

namespace {

// One settings file in, one file out named by `output`: the file read, or nullopt after the one
// error line.
struct Conversion {
    QString file;
    QString out;
    zem::RadioImage image = zem::StartupImage();
};
std::optional<Conversion> ReadConversion(const QCommandLineParser& parser, const QString& command,
                                         const Option& output) {
    const std::optional<QString> file = OneFile(parser, command, QCoreApplication::translate("cli", "settings file"));
    if (!file)
        return std::nullopt;
    Conversion c{*file, parser.value(output)};
    if (!CheckOutputGiven(command, c.out, output.valueName()) ||
        !CheckOutputWritable(command, c.out, OutputGuard({c.file}, false)) ||
        !LoadZemArgument(command, c.file, c.image))
        return std::nullopt;
    return c;
}

} // namespace

int RunExportCsv(const QString& command, const QCommandLineParser& parser) {
    const std::optional<Conversion> c = ReadConversion(parser, command, kCsvOutputOption);
    if (!c)
        return kBadInput;
    zem::ChannelCsvExport csv;
    try {
        csv = zem::ExportChannelCsv(c->image.Channels);
    } catch (const zem::ConversionError& e) {
        Error(QStringLiteral("zem_d7-cli export-csv: %1: %2").arg(c->file, QString::fromUtf8(e.what())));
        return kBadInput;
    }
    if (!SaveBytes(command, c->out, csv.text, OutputGuard({c->file}, false)))
        return kBadInput;
    return ReportNotes(command, c->out, csv.notes);
}

int RunPrint(const QString& command, const QCommandLineParser& parser) {
    const std::optional<Conversion> c = ReadConversion(parser, command, kPdfOutputOption);
    if (!c)
        return kBadInput;
    const zem::PrintHeader header{QFileInfo(c->file).fileName(), QDateTime::currentDateTime()};
    return SaveBytes(command, c->out, zem::ChannelListPdf(c->image.Channels, header), OutputGuard({c->file}, false))
               ? kOk
               : kBadInput;
}

int RunSort(const QString& command, const QCommandLineParser& parser) {
    const std::optional<QStringList> arguments = TwoArguments(
        parser,
        QCoreApplication::translate("cli", "zem_d7-cli sort: give a key (freq, name or memo) and one settings file"));
    if (!arguments)
        return kBadInput;
    const QStringList& positional = *arguments;
    const SortKind* kind = nullptr;
    for (const SortKind& k : kSorts) {
        if (positional[0] == QLatin1String(k.name))
            kind = &k;
    }
    if (!kind) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli sort: unknown key '%1' (freq, name or memo)")
                  .arg(positional[0]));
        return kBadInput;
    }
    const QString out = parser.value(kOutputOption);
    if (!CheckOutputName(command, out) || !CheckOutputWritable(command, out, OutputGuard({}, true)))
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
    return SaveImage(command, out, image, OutputGuard({}, true)) ? kOk : kBadInput;
}

namespace {

// A number the user wrote for one of `count` items, each valued by `value` (Hz, or kHz for
// steps): the index of the item of the same value, read exactly as the editors read numbers.
template <typename Value> std::optional<std::size_t> ItemOfNumber(const QString& text, std::size_t count, Value value) {
    try {
        const std::int32_t wanted = zem::MhzToHz(text.toStdString());
        for (std::size_t k = 0; k < count; ++k) {
            if (value(k) == wanted)
                return k;
        }
    } catch (const zem::ConversionError&) {
        // Not a number: no item, as for a number no item has.
    }
    return std::nullopt;
}

std::optional<std::string> ToneCodeOf(const QString& text) {
    if (text == QLatin1String("off"))
        return std::string();
    const auto& items = zem::ToneItems();
    const auto k = ItemOfNumber(text, items.size(), [&](std::size_t i) -> std::int32_t {
        const std::string_view item = items[i];
        return item.empty() ? -1 : zem::MhzToHz(item.substr(0, item.find(' ')));
    });
    return k ? std::optional(zem::ZeroPad(static_cast<long long>(*k), 2)) : std::nullopt;
}

// The words of an option to the record's character for each, in order.
std::optional<char> CharOfWord(const QString& text, std::initializer_list<std::pair<const char*, char>> words) {
    for (const auto& [word, code] : words) {
        if (text == QLatin1String(word))
            return code;
    }
    return std::nullopt;
}

// The change the options ask for; nullopt after the one error line naming the option.
std::optional<zem::BulkChange> ReadBulkChange(const QCommandLineParser& parser) {
    zem::BulkChange change;
    bool good = true;
    const auto read = [&](const Option& option, auto& field, auto convert) {
        if (!parser.isSet(option))
            return;
        const QString value = parser.value(option);
        field = convert(value);
        if (!field) {
            Error(QCoreApplication::translate("cli", "zem_d7-cli set: --%1 cannot be '%2' (%3)")
                      .arg(option.names().constFirst(), value, Translated(option.description())));
            good = false;
        }
    };
    const auto onOff = [](const QString& v) { return CharOfWord(v, {{"on", '1'}, {"off", '0'}}); };
    read(kStepKhzOption, change.step, [](const QString& v) {
        const auto k = ItemOfNumber(v, zem::kStepCount, [](std::size_t i) {
            return zem::StepHz(zem::DigitChar(static_cast<long long>(i))) * 1000;
        });
        return k ? std::optional(zem::DigitChar(static_cast<long long>(*k))) : std::nullopt;
    });
    read(kShiftOption, change.shift, [](const QString& v) {
        return CharOfWord(v, {{"simplex", '0'}, {"+", '1'}, {"-", '2'}});
    });
    read(kOffsetOption, change.offset, [](const QString& v) -> std::optional<std::string> {
        try {
            return zem::MhzToOffsetDigits(v.toStdString());
        } catch (const zem::ConversionError&) {
            return std::nullopt;
        }
    });
    read(kReverseOption, change.reverse, onOff);
    read(kToneOption, change.tone, ToneCodeOf);
    read(kCtcssOption, change.ctcss, ToneCodeOf);
    read(kModeOption, change.mode, [](const QString& v) { return CharOfWord(v, {{"FM", '0'}, {"AM", '1'}}); });
    read(kLockoutOption, change.lockout, onOff);
    if (good && change.Empty()) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli set: give at least one field to change (--step, --shift, "
                                                 "--offset, --reverse, --tone, --ctcss, --mode or --lockout)"));
        good = false;
    }
    return good ? std::optional(change) : std::nullopt;
}

} // namespace

int RunSet(const QString& command, const QCommandLineParser& parser) {
    const std::optional<QString> file = OneFile(parser, command, QCoreApplication::translate("cli", "settings file"));
    if (!file)
        return kBadInput;
    const std::optional<std::vector<std::size_t>> rows = zem::ParseRowList(parser.value(kChannelsOption).toStdString());
    if (!rows) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli set: --channels cannot be '%1' (%2)")
                  .arg(parser.value(kChannelsOption), Translated(kChannelsOption.description())));
        return kBadInput;
    }
    const std::optional<zem::BulkChange> change = ReadBulkChange(parser);
    const QString out = parser.value(kOutputOption);
    if (!change || !CheckOutputName(command, out))
        return kBadInput;
    zem::RadioImage image = zem::StartupImage();
    if (!LoadZemArgument(command, *file, image))
        return kBadInput;
    const zem::BulkResult result = zem::ApplyBulkChange(image.Channels, *rows, *change);
    image.Channels = result.table;
    if (!SaveImage(command, out, image, OutputGuard({}, true)))
        return kBadInput;
    for (const std::string& line : zem::RefusalLines(result.refused))
        Error(QStringLiteral("zem_d7-cli set: %1: %2").arg(*file, QString::fromStdString(line)));
    return result.refused.empty() ? kOk : kNotAllTaken;
}

} // namespace cli
