#include "arguments.h"
#include "changed_write.h"
#include "commands.h"
#include "console.h"
#include "difference_lines.h"
#include "link_options.h"
#include "options.h"
#include "shown_image.h"

#include "model/file_name.h"
#include "model/radio_history.h"
#include "model/startup_image.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>

namespace cli {
namespace {

std::string LocalTime(const std::string& utc) {
    const QDateTime time = QDateTime::fromString(QString::fromStdString(utc), Qt::ISODateWithMs);
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() : utc;
}

std::string Count(const std::optional<std::size_t>& count) {
    return count ? std::to_string(*count) : "-";
}

std::string BlockWords(const zem::HistoryEntry& entry) {
    std::string words;
    for (const zem::Block b : zem::BlocksOf(entry))
        words += (words.empty() ? "" : ",") + std::string(zem::BlockName(b));
    return words;
}

// The entry numbered `number` (1 the newest); nullptr after the one error line.
const zem::HistoryRow* Numbered(const QString& command, const std::vector<zem::HistoryRow>& rows,
                                const QString& number) {
    bool ok = false;
    const qsizetype n = number.toLongLong(&ok);
    if (ok && n >= 1 && n <= static_cast<qsizetype>(rows.size()))
        return &rows[static_cast<std::size_t>(n - 1)];
    Error(QCoreApplication::translate(
              "cli", "zem_d7-cli %1: no entry %2; the history holds %3 (zem_d7-cli history lists them)")
              .arg(command, number)
              .arg(rows.size()));
    return nullptr;
}

bool IsNumber(const QString& text) {
    bool ok = false;
    text.toLongLong(&ok);
    return ok;
}

// Entry N against entry M, a settings file, or without either the entry before N (the newest older
// one holding any of its blocks), in the blocks both hold from the radio, memos aside.
int Diff(const QString& command, const std::vector<zem::HistoryRow>& rows, const QStringList& args) {
    const zem::HistoryRow* entry = Numbered(command, rows, args.value(1));
    if (!entry)
        return kBadInput;
    const bool before = args.size() < 3;
    zem::RadioImage other = zem::StartupImage();
    std::array<bool, 3> blocks{true, true, true};
    if (before || IsNumber(args[2])) {
        const zem::HistoryRow* second = before ? zem::EntryBefore(rows, static_cast<std::size_t>(entry - rows.data()))
                                               : Numbered(command, rows, args[2]);
        if (before && !second)
            Error(QCoreApplication::translate(
                      "cli", "zem_d7-cli %1: no entry before %2 holds its blocks; give another entry or a file")
                      .arg(command, args[1]));
        if (!second)
            return kBadInput;
        other = second->image;
        blocks = second->stored.entry.blocks;
    } else if (!LoadZemArgument(command, args[2], other)) {
        return kBadInput;
    }
    const zem::DiffScope scope = zem::CommonScope(entry->stored.entry, blocks);
    const auto differences =
        before ? zem::DiffImages(other, entry->image, scope) : zem::DiffImages(entry->image, other, scope);
    Out(DifferenceLines(differences));
    return differences.empty() ? kOk : kDifferent;
}

} // namespace

int RunHistory(const QString& command, const QCommandLineParser& parser) {
    const QStringList args = parser.positionalArguments();
    const QString action = args.value(0, QStringLiteral("list"));
    const std::vector<zem::HistoryRow> rows = zem::ReadHistory(zem::HistoryFolder());
    if (action == QLatin1String("list") && args.size() <= 1) {
        std::size_t number = 0;
        for (const zem::HistoryRow& row : rows) {
            const zem::HistoryEntry& e = row.stored.entry;
            Out(std::to_string(++number) + '\t' + LocalTime(e.time) + '\t' + std::string(zem::HistoryKindWord(e.kind)) +
                '\t' + zem::ShownText(e.port) + '\t' + BlockWords(e) + '\t' + Count(row.used) + '\t' +
                Count(row.differences) + '\n');
        }
        return kOk;
    }
    if (action == QLatin1String("show") && args.size() == 2) {
        const zem::HistoryRow* entry = Numbered(command, rows, args[1]);
        if (!entry)
            return kBadInput;
        Out("# " + Shown(QString::fromStdString(entry->stored.file.string())) + '\n');
        Out(zem::FormatHistoryEntry(entry->stored.entry));
        Out(FormatImage(entry->image));
        return kOk;
    }
    if (action == QLatin1String("diff") && (args.size() == 2 || args.size() == 3))
        return Diff(command, rows, args);
    if (action == QLatin1String("restore") && args.size() == 2) {
        Interruption interruption;
        zem::PortTarget target;
        if (!ReadLinkOptions(parser, command, target))
            return kBadInput;
        const zem::HistoryRow* entry = Numbered(command, rows, args[1]);
        if (!entry)
            return kBadInput;
        return WriteChangedParts(command, target, zem::BlocksOf(entry->stored.entry), entry->image,
                                 parser.isSet(kDryRunOption), interruption);
    }
    Error(QCoreApplication::translate(
        "cli", "zem_d7-cli history: give list, show N, diff N [M|FILE] or restore N --port PORT"));
    return kBadInput;
}

} // namespace cli
