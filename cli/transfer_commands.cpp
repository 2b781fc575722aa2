#include "arguments.h"
#include "changed_write.h"
#include "commands.h"
#include "console.h"
#include "difference_lines.h"
#include "interruption.h"
#include "link_options.h"
#include "options.h"

#include "model/codecs.h"
#include "model/command_text.h"
#include "model/conversion_error.h"
#include "model/file_io.h"
#include "model/menu_fields.h"
#include "model/startup_image.h"
#include "model/sweep_range.h"
#include "model/write_plan.h"
#include "session/scope_storage.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <unistd.h>
#include <utility>

namespace cli {
namespace {

// The radio and what to move: --port, --timeout, --fast and --only.
struct TransferOptions {
    zem::PortTarget target;
    QStringList names;
    std::vector<zem::Block> blocks; // the blocks --only names, always in the image's order
};

// False after printing the one error line.
bool ReadTransferOptions(const QCommandLineParser& parser, const QString& command, TransferOptions& options) {
    if (!ReadLinkOptions(parser, command, options.target) || !ReadOnlyOption(parser, command, options.names))
        return false;
    for (const zem::Block b : zem::AllBlocks()) {
        if (options.names.contains(QLatin1String(zem::BlockName(b))))
            options.blocks.push_back(b);
    }
    return true;
}

// The output opened before the radio is touched, so that a FIFO without a reader or a slow device
// holds up nothing and a signal ends the wait; nullptr after the one error line, or when a signal
// ended the wait (the caller then says so).
std::unique_ptr<zem::OutputFile> OpenOutput(const QString& command, const QString& out,
                                            const Interruption& interruption, const zem::SaveGuard& guard) {
    std::unique_ptr<zem::OutputFile> output;
    FileStep(command, [&] {
        // Asked only while the output keeps the tool waiting: the user learns why it stands still.
        bool said = false;
        output = std::make_unique<zem::OutputFile>(
            OutputPath(out),
            [&interruption, command, out, said]() mutable {
                if (!std::exchange(said, true))
                    Error(QCoreApplication::translate(
                              "cli", "zem_d7-cli %1: waiting for %2 to take the output (Ctrl-C ends the wait)")
                              .arg(command, out));
                return interruption.Interrupted();
            },
            guard);
    });
    return output && output->Opened() ? std::move(output) : nullptr;
}

// The exit status of an output OpenOutput did not open.
int NotOpened(const QString& command, const Interruption& interruption) {
    return interruption.Interrupted()
               ? Interrupted(command, QCoreApplication::translate("cli", "the radio was not touched"))
               : kBadInput;
}

// Progress on standard error: a bar redrawn in place on a terminal, one line per block otherwise.
class ProgressReport {
public:
    ProgressReport() : terminal_(isatty(STDERR_FILENO) != 0) {}

    void Start(std::string block) {
        block_ = std::move(block);
        done_ = 0;
        total_ = 0;
    }
    void Update(std::size_t done, std::size_t total) {
        done_ = done;
        total_ = total;
        if (!terminal_ || total == 0)
            return;
        constexpr std::size_t kWidth = 30;
        const std::size_t filled = done * kWidth / total;
        char bar[128];
        const int size = std::snprintf(bar, sizeof bar, "\r%-8s %3zu/%zu [%s%s]", block_.c_str(), done, total,
                                       std::string(filled, '#').c_str(), std::string(kWidth - filled, '-').c_str());
        ErrorBytes(std::string_view(bar, static_cast<std::size_t>(std::clamp(size, 0, int{sizeof bar} - 1))));
    }
    // "done" counts only what was read or written whole; a block the radio fell silent in says how
    // far it came instead.
    void Finish(long errors, const zem::TransferOutcome& outcome) {
        EndBar();
        Error(QCoreApplication::translate("cli", "%1: %2 done, %3 errors, %4 retried")
                  .arg(QString::fromStdString(block_))
                  .arg(outcome.moved)
                  .arg(errors)
                  .arg(outcome.retried));
        if (outcome.radioSilent)
            Error(QCoreApplication::translate("cli", "The radio does not answer (%1: stopped at %2/%3)")
                      .arg(QString::fromStdString(block_))
                      .arg(outcome.done)
                      .arg(outcome.total));
    }
    // A block stopped part-way: how many of its rows were moved whole (from its result when one
    // came, else the rows before the one under way) and how many not. `what` is the verb and what
    // follows the counts, "written; the radio now holds a mix".
    void Stopped(const char* what, const std::optional<zem::TransferOutcome>& outcome = std::nullopt) {
        EndBar();
        const std::size_t total = outcome ? outcome->total : total_;
        const std::size_t moved = std::min(outcome ? outcome->moved : done_, total);
        const QString words = QCoreApplication::translate("cli", what);
        const qsizetype tail = words.indexOf(QLatin1Char(';'));
        Error(QCoreApplication::translate("cli", "%1: %2 of %3 rows %4, %5 not%6")
                  .arg(QString::fromStdString(block_))
                  .arg(moved)
                  .arg(total)
                  .arg(words.left(tail))
                  .arg(total - moved)
                  .arg(tail < 0 ? QString() : words.mid(tail)));
    }

private:
    void EndBar() {
        if (terminal_)
            ErrorBytes("\n");
    }

    bool terminal_;
    std::string block_;
    std::size_t done_ = 0;
    std::size_t total_ = 0;
};

// A block's name in a progress line with what is being done to it; the name stays the word --only
// takes.
std::string BlockLabel(const char* format, zem::Block block) {
    return QCoreApplication::translate("cli", format).arg(QString::fromUtf8(zem::BlockName(block))).toStdString();
}

// The rows a block's write counted errors for: the first ten by name, then how many more.
void NameFailedRows(zem::Block block, const std::vector<zem::KeptRow>& rows) {
    constexpr std::size_t kNamed = 10;
    if (rows.empty())
        return;
    QStringList names;
    for (std::size_t i = 0; i < std::min(rows.size(), kNamed); ++i)
        names << QString::fromStdString(zem::PartName(block, rows[i].row));
    QString line = QCoreApplication::translate("cli", "%1: errors in %2")
                       .arg(QLatin1String(zem::BlockName(block)), names.join(u", "));
    if (rows.size() > kNamed)
        line += QCoreApplication::translate("cli", " and %1 more").arg(rows.size() - kNamed);
    Error(line);
}

// What a transfer found beside its exit status.
struct TransferFound {
    std::vector<zem::RowDifference> differences{}; // the read-backs'
    bool silent = false;                           // stopped early: the radio fell silent
    std::size_t moved = 0;                         // rows, VFOs and settings commands moved whole
};

// Reads or writes (with `verify`, each block read back after it is written) the blocks one after
// the other on one connection; `image` is the window's copy, into which the reads go. A block the
// radio fell silent in ends the transfer there. A signal stops the block under way after its
// exchange under way, says how far it came and gives kInterrupted. Returns the exit status.
// A write without `backup` reads no block first for the history.
int Transfer(const zem::PortTarget& target, const std::vector<zem::Block>& blocks, bool write, bool verify, bool backup,
             zem::RadioImage& image, Interruption& interruption, TransferFound& found) {
    const std::unique_ptr<zem::RadioSession> session = MakeSession();
    session->SetBackupBeforeWrite(backup);
    ProgressReport progress;
    std::size_t current = 0;
    long errors = 0;
    const char* underWay = nullptr; // what the block under way does, for the line of a stop
    bool stopped = false;           // the results of the block under way are no longer the radio's
    interruption.OnInterrupt([&] {
        stopped = true;
        session->Interrupt();
    });
    const auto next = [&] {
        if (current == blocks.size()) {
            session->Disconnect();
            return;
        }
        // A signal or a closed pipe noted while the last block ended (its line found the pipe
        // closed) stops the transfer before the next block.
        if (interruption.Interrupted()) {
            stopped = true;
            session->Disconnect();
            return;
        }
        const zem::Block block = blocks[current];
        progress.Start(zem::BlockName(block));
        underWay =
            write ? QT_TRANSLATE_NOOP("cli", "written; the radio now holds a mix") : QT_TRANSLATE_NOOP("cli", "read");
        if (!(write ? session->Write(block, image, verify) : session->Read(block, image))) {
            Error(QCoreApplication::translate("cli", "zem_d7-cli: the link refused the next transfer"));
            session->Disconnect();
        }
    };
    // A write's rows with errors are named after its line (after the read-back's, when verified).
    const auto done = [&](long value, const zem::TransferOutcome& outcome, const zem::WriteResult* written) {
        progress.Finish(value, outcome);
        if (written)
            NameFailedRows(written->block, written->failed);
        underWay = nullptr;
        errors += value;
        found.moved += outcome.moved;
        if (outcome.radioSilent) {
            progress.Stopped(write && outcome.moved > 0 ? "written; the radio now holds a mix"
                             : write                    ? "written"
                                                        : "read",
                             outcome);
            found.silent = true;
            session->Disconnect();
            return;
        }
        ++current;
        next();
    };
    QObject::connect(session.get(), &zem::RadioSession::progress, [&](std::size_t d, std::size_t total) {
        if (!stopped)
            progress.Update(d, total);
    });
    // A write's block may be read first for the history, then written.
    QObject::connect(session.get(), &zem::RadioSession::readingRadio, [&](zem::Block block) {
        progress.Start(BlockLabel(QT_TRANSLATE_NOOP("cli", "%1 (radio)"), block));
        underWay = "read; nothing was written";
    });
    QObject::connect(session.get(), &zem::RadioSession::writing, [&](zem::Block block) {
        progress.Start(zem::BlockName(block));
        underWay = "written; the radio now holds a mix";
    });
    // After a stop the block's result still comes, counting what was moved before it.
    std::optional<zem::TransferOutcome> stoppedOutcome;
    QObject::connect(session.get(), &zem::RadioSession::read, [&](const zem::ReadResult& r) {
        if (stopped) {
            stoppedOutcome = r.outcome;
            return;
        }
        zem::CopyBlock(r.block, r.image, image);
        for (const std::string& refusal : r.commaRefusals)
            Error(QStringLiteral("zem_d7-cli: settings: %1").arg(QString::fromStdString(refusal)));
        done(r.value, r.outcome, nullptr);
    });
    long writeRetried = 0; // a verified write's result counts its read-back's retries with its own
    QObject::connect(session.get(), &zem::RadioSession::verifying,
                     [&](zem::Block block, long written, const zem::TransferOutcome& outcome) {
                         if (stopped)
                             return;
                         progress.Finish(written, outcome);
                         writeRetried = outcome.retried;
                         errors += written;
                         progress.Start(BlockLabel(QT_TRANSLATE_NOOP("cli", "%1 read-back"), block));
                         underWay = QT_TRANSLATE_NOOP("cli", "read back; not compared");
                     });
    QObject::connect(session.get(), &zem::RadioSession::written, [&](const zem::WriteResult& r) {
        if (stopped) {
            stoppedOutcome = r.outcome;
            return;
        }
        if (!r.verify) {
            done(r.errors, r.outcome, &r);
            return;
        }
        if (r.verify->outcome != zem::VerifyResult::Outcome::Compared) {
            Error(QCoreApplication::translate("cli", "zem_d7-cli: the link refused the next transfer"));
            session->Disconnect();
            return;
        }
        found.differences.insert(found.differences.end(), r.verify->differences.begin(), r.verify->differences.end());
        zem::TransferOutcome readBack = r.outcome;
        readBack.retried -= writeRetried;
        done(r.verify->unread, readBack, &r);
    });
    const zem::RadioSession::RunEnd end = session->Run(target, next);
    // Each block after the one that stopped was not moved at all.
    const auto notReached = [&](std::size_t from) {
        for (std::size_t b = from; b < blocks.size(); ++b)
            Error(QCoreApplication::translate("cli", "%1: 0 of %2 rows %3")
                      .arg(QLatin1String(zem::BlockName(blocks[b])))
                      .arg(zem::PartsOf(blocks[b]))
                      .arg(QCoreApplication::translate("cli", write ? QT_TRANSLATE_NOOP("cli", "written") : "read")));
    };
    if (stopped && underWay) {
        progress.Stopped(underWay, stoppedOutcome);
        notReached(current + 1);
        return kInterrupted;
    }
    if (stopped && current < blocks.size()) { // between two blocks
        notReached(current);
        return kInterrupted;
    }
    if (!end.opened)
        return stopped ? kInterrupted : PortFailed(end.failure);
    if (current != blocks.size()) {
        notReached(current + 1);
        return kRadioErrors;
    }
    if (errors != 0) {
        Error(QCoreApplication::translate("cli", "Errors: %1").arg(errors));
        return kRadioErrors;
    }
    return kOk;
}

// A read the radio fell silent in holds, past where it stopped, what the base held: it is kept
// in a new file beside the output, the first of OUT.partial.zem, OUT.partial.2.zem, ... that is
// free, and never replaces the output, which may be the user's last good copy. An output that is
// a stream (standard output, a FIFO, a device) has no folder of the user's: the file goes to the
// current folder as read.partial.zem.
int SavePartial(const QString& command, const QString& out, const zem::RadioImage& image) {
    const QString stem = zem::WritesThrough(OutputPath(out))                        ? QStringLiteral("read")
                         : out.endsWith(QLatin1String(".zem"), Qt::CaseInsensitive) ? out.chopped(4)
                                                                                    : out;
    zem::SaveGuard guard = OutputGuard({}, true);
    guard.onlyNew = true;
    for (int n = 1; n < 100; ++n) {
        const QString partial = stem + QStringLiteral(".partial") +
                                (n == 1 ? QString() : QStringLiteral(".%1").arg(n)) + QStringLiteral(".zem");
        std::error_code error;
        if (std::filesystem::symlink_status(LocalPath(partial), error).type() != std::filesystem::file_type::not_found)
            continue;
        if (!SaveImage(command, partial, image, guard))
            break;
        Error(QCoreApplication::translate("cli", "zem_d7-cli %1: %2 is left as it was; the rows read so far are in %3")
                  .arg(command, out, partial));
        return kRadioErrors;
    }
    Error(QCoreApplication::translate("cli", "zem_d7-cli %1: the rows read could not be kept beside %2")
              .arg(command, out));
    return kRadioErrors;
}

// The plan, one line per item, on standard error, or on standard output for a dry run.
void PrintPlan(const zem::WritePlan& plan, bool toStandardOutput) {
    static constexpr zem::PlanKindWords kWords{"channel", "VFO", "setting", "DTMF"};
    for (const zem::PlanItem& item : plan.items) {
        const std::string line = zem::PlanLine(item, kWords);
        if (toStandardOutput)
            Out(line + '\n');
        else
            Error(QString::fromStdString(line));
    }
}

// Per block, how many of the plan's rows, VFOs and settings commands were written whole.
void WrittenPerBlock(const zem::ChangedWriteResult& result) {
    std::size_t written = 0;
    std::size_t chosen = 0;
    for (const zem::Block b : zem::AllBlocks()) {
        const auto i = static_cast<std::size_t>(b);
        chosen += result.chosen[i];
        written += result.written[i];
        if (result.chosen[i] > 0)
            Error(QCoreApplication::translate("cli", "%1: %2 of %3 written, %4 not")
                      .arg(QLatin1String(zem::BlockName(b)))
                      .arg(result.written[i])
                      .arg(result.chosen[i])
                      .arg(result.chosen[i] - result.written[i]));
    }
    if (written > 0 && written < chosen)
        Error(QCoreApplication::translate("cli", "the radio now holds a mix"));
}

} // namespace

int WriteChangedParts(const QString& command, const zem::PortTarget& target, const std::vector<zem::Block>& blocks,
                      const zem::RadioImage& image, bool dryRun, Interruption& interruption,
                      const std::optional<TrustedBase>& base) {
    const std::unique_ptr<zem::RadioSession> session = MakeSession();
    ProgressReport progress;
    std::optional<zem::WritePlan> plan;
    std::optional<zem::ChangedWriteResult> end;
    const char* underWay = nullptr; // what the step under way does, for the line of a stop
    bool stopped = false;
    interruption.OnInterrupt([&] {
        stopped = true;
        session->Interrupt();
    });
    QObject::connect(session.get(), &zem::RadioSession::progress, [&](std::size_t d, std::size_t total) {
        if (!stopped)
            progress.Update(d, total);
    });
    QObject::connect(session.get(), &zem::RadioSession::readingRadio, [&](zem::Block block) {
        progress.Start(BlockLabel(QT_TRANSLATE_NOOP("cli", "%1 (radio)"), block));
        underWay = QT_TRANSLATE_NOOP("cli", "read; nothing was written");
    });
    QObject::connect(session.get(), &zem::RadioSession::planned, [&](const zem::WritePlan& p) {
        plan = p;
        if (stopped || !p.whole || dryRun || p.items.empty()) {
            session->Disconnect();
            return;
        }
        PrintPlan(p, false);
        if (!session->WriteChanged(p)) {
            Error(QCoreApplication::translate("cli", "zem_d7-cli: the link refused the transfer"));
            session->Disconnect();
        }
    });
    QObject::connect(session.get(), &zem::RadioSession::writingChanged, [&](std::size_t parts) {
        Error(QCoreApplication::translate("cli", "changed: %1 to write").arg(parts));
        progress.Start("changed");
        underWay = QT_TRANSLATE_NOOP("cli", "written or read back; the radio now holds a mix");
    });
    QObject::connect(session.get(), &zem::RadioSession::changedWritten, [&](const zem::ChangedWriteResult& r) {
        end = r;
        session->Disconnect();
    });
    const zem::RadioSession::RunEnd run = session->Run(target, [&] {
        if (base)
            session->TrustRadio(base->image, base->blocks);
        const zem::BlockSources fromFile{zem::BlockSource::File, zem::BlockSource::File, zem::BlockSource::File};
        if (!session->PlanChanged(image, zem::AllowedParts(fromFile, {}, blocks))) {
            Error(QCoreApplication::translate("cli", "zem_d7-cli: the link refused the transfer"));
            session->Disconnect();
        }
    });
    if (stopped && !end) {
        if (underWay)
            progress.Stopped(underWay, plan ? std::optional(plan->outcome) : std::nullopt);
        return Interrupted(command, QCoreApplication::translate("cli", "nothing more was written"));
    }
    if (!run.opened)
        return PortFailed(run.failure);
    if (!plan)
        return kRadioErrors;
    if (!plan->whole) {
        progress.Finish(plan->unread, plan->outcome);
        Error(QCoreApplication::translate(
                  "cli", "zem_d7-cli write: the radio could not be read whole (%1 kept); nothing was written")
                  .arg(plan->unread));
        return kRadioErrors;
    }
    if (dryRun) {
        PrintPlan(*plan, true);
        return kOk;
    }
    if (!end) {
        Error(QCoreApplication::translate("cli", "changed: 0 written"));
        return plan->items.empty() ? kOk : kRadioErrors;
    }
    zem::TransferOutcome outcome = end->outcome;
    outcome.retried += plan->outcome.retried;
    progress.Finish(end->errors, outcome);
    Out(DifferenceLines(end->differences));
    if (!end->differences.empty())
        Error(QCoreApplication::translate("cli", "zem_d7-cli write: %1 places differ from what was written")
                  .arg(end->differences.size()));
    const bool whole = end->errors == 0 && !end->outcome.radioSilent;
    if (whole)
        Error(QCoreApplication::translate("cli", "changed: %1 written").arg(end->parts));
    else
        WrittenPerBlock(*end);
    if (stopped)
        return Interrupted(command, QCoreApplication::translate("cli", "nothing more was written"));
    if (interruption.Interrupted())
        return Interrupted(command, QCoreApplication::translate("cli", "everything was written"));
    if (!whole) {
        Error(QCoreApplication::translate("cli", "Errors: %1").arg(end->errors));
        return kRadioErrors;
    }
    return kOk;
}

namespace {

// --base FILE, or --base last: the newest history entry of the port, with the blocks it holds. An
// entry kept before a write, with none after it, says nothing of the radio: that write did not
// end whole.
std::optional<TrustedBase> ReadRadioBase(const QString& command, const QCommandLineParser& parser,
                                         const zem::PortTarget& target, bool& bad) {
    if (!parser.isSet(kRadioBaseOption))
        return std::nullopt;
    const QString name = parser.value(kRadioBaseOption);
    TrustedBase base{zem::StartupImage(), zem::AllBlocks()};
    if (name != QLatin1String("last")) {
        bad = !LoadZemArgument(command, name, base.image);
        return base;
    }
    for (const zem::StoredEntry& stored : zem::ListHistory(zem::HistoryFolder())) {
        if (stored.entry.port != target.port)
            continue;
        if (stored.entry.kind == zem::HistoryKind::BeforeWrite) {
            Error(QCoreApplication::translate(
                      "cli", "zem_d7-cli write: the newest history entry of port %1 was kept before a write "
                             "that did not end whole; the radio's content is not known (leave out --base)")
                      .arg(QString::fromStdString(target.port)));
            bad = true;
            return std::nullopt;
        }
        bad = !LoadZemArgument(command, QString::fromStdString(stored.file.string()), base.image);
        base.blocks = zem::BlocksOf(stored.entry);
        return base;
    }
    Error(QCoreApplication::translate("cli", "zem_d7-cli write: the history holds no entry of port %1")
              .arg(QString::fromStdString(target.port)));
    bad = true;
    return std::nullopt;
}

} // namespace

int RunRead(const QString& command, const QCommandLineParser& parser) {
    Interruption interruption;
    TransferOptions options;
    const QString out = parser.value(kOutputOption);
    if (!ReadTransferOptions(parser, command, options) || !CheckOutputName(command, out) ||
        !CheckOutputWritable(command, out, OutputGuard({}, true)))
        return kBadInput;
    zem::RadioImage image;
    if (!LoadBase(parser, command, image))
        return kBadInput;
    const std::unique_ptr<zem::OutputFile> output = OpenOutput(command, out, interruption, OutputGuard({}, true));
    if (!output)
        return NotOpened(command, interruption);
    TransferFound found;
    const int result = Transfer(options.target, options.blocks, false, false, false, image, interruption, found);
    if (result == kPortError)
        return result;
    if (result == kInterrupted)
        return Interrupted(command, QCoreApplication::translate("cli", "%1 was not written").arg(out));
    if (found.silent && found.moved == 0) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli %1: nothing was read; %2 was not written")
                  .arg(command, out));
        return kRadioErrors;
    }
    if (found.silent)
        return SavePartial(command, out, image);
    if (!FileStep(command, [&] { output->Save(zem::FormatSettingsFile(image)); }))
        return interruption.Interrupted()
                   ? Interrupted(command, QCoreApplication::translate("cli", "%1 was not written").arg(out))
                   : kBadInput;
    if (interruption.Interrupted())
        return Interrupted(command, QCoreApplication::translate("cli", "everything was read and %1 saved").arg(out));
    return result;
}

// The read-back of --verify compares what the radio holds (the memos aside) with what was
// written.
int RunWrite(const QString& command, const QCommandLineParser& parser) {
    Interruption interruption;
    TransferOptions options;
    if (!ReadTransferOptions(parser, command, options))
        return kBadInput;
    const std::optional<QString> file = OneFile(parser, command, QCoreApplication::translate("cli", "settings file"));
    if (!file)
        return kBadInput;
    zem::RadioImage image = zem::StartupImage();
    std::string menuWarning;
    if (!LoadZemArgument(command, *file, image, &menuWarning))
        return kBadInput;
    const bool dryRun = parser.isSet(kDryRunOption);
    if (dryRun && !parser.isSet(kChangedOption)) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli write: --dry-run is taken only with --changed"));
        return kBadInput;
    }
    // Settings whose MENU line was read uncertainly may sit in other settings than the file meant.
    const bool settings =
        std::find(options.blocks.begin(), options.blocks.end(), zem::Block::Settings) != options.blocks.end();
    if (settings && !menuWarning.empty() && !dryRun && !parser.isSet(kForceOption)) {
        Error(QCoreApplication::translate(
                  "cli", "zem_d7-cli write: %1: the settings are not written, since their MENU line was read "
                         "with a warning: %2 (check them, then give --force, or leave them out with --only)")
                  .arg(*file, QString::fromStdString(menuWarning)));
        return kBadInput;
    }
    if (parser.isSet(kRadioBaseOption) && !parser.isSet(kChangedOption)) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli write: --base is taken only with --changed"));
        return kBadInput;
    }
    if (parser.isSet(kChangedOption)) {
        if (parser.isSet(kVerifyOption)) {
            Error(QCoreApplication::translate(
                "cli", "zem_d7-cli write: --changed reads back what it writes; leave out --verify"));
            return kBadInput;
        }
        bool bad = false;
        const std::optional<TrustedBase> base = ReadRadioBase(command, parser, options.target, bad);
        if (bad)
            return kBadInput;
        return WriteChangedParts(command, options.target, options.blocks, image, dryRun, interruption, base);
    }
    TransferFound found;
    const int result = Transfer(options.target, options.blocks, true, parser.isSet(kVerifyOption),
                                !parser.isSet(kNoBackupOption), image, interruption, found);
    if (result == kPortError)
        return result;
    if (result == kInterrupted)
        return Interrupted(command, QCoreApplication::translate("cli", "nothing more was written"));
    Out(DifferenceLines(found.differences));
    if (interruption.Interrupted())
        return Interrupted(command, QCoreApplication::translate("cli", "everything was written"));
    if (found.differences.empty())
        return result;
    Error(QCoreApplication::translate("cli", "zem_d7-cli write: %1 places differ from what was written")
              .arg(found.differences.size()));
    return kRadioErrors;
}

namespace {

// The sweep the options name, checked as the scope page checks it.
bool ReadScopeRange(const QCommandLineParser& parser, zem::SweepRange& range) {
    const QString step = parser.value(kStepOption);
    // ASCII only: a full-width '５' is a digit to Unicode but names no step, and a step without a
    // size would divide the sweep's count by zero.
    if (step.size() != 1 || step.front() < QLatin1Char('0') || step.front() > QLatin1Char('9')) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli scope: --step takes a step code 0 to 9 (5 is 20 kHz)"));
        return false;
    }
    zem::SweepCheck check;
    try {
        const std::int32_t lower = zem::MhzToHz(parser.value(kLowerOption).toStdString());
        const std::int32_t upper = zem::MhzToHz(parser.value(kUpperOption).toStdString());
        check = zem::CheckSweepRange(lower, upper, static_cast<char>(step.front().toLatin1()));
    } catch (const zem::ConversionError& e) {
        Error(QStringLiteral("zem_d7-cli scope: %1").arg(QString::fromUtf8(e.what())));
        return false;
    }
    range = check.range;
    switch (check.refusal) {
    case zem::SweepRefusal::None:
        return true;
    case zem::SweepRefusal::LowerAboveUpper:
        Error(QCoreApplication::translate("cli", "zem_d7-cli scope: the lower edge is above the upper edge"));
        return false;
    case zem::SweepRefusal::NoBand:
        Error(QCoreApplication::translate("cli", "zem_d7-cli scope: the frequency range is not valid."));
        return false;
    case zem::SweepRefusal::TooNarrow:
        Error(QCoreApplication::translate("cli", "zem_d7-cli scope: the range must be at least two steps wide"));
        return false;
    }
    return false;
}

} // namespace

// Each pass goes out as it ends, flushed, and into the storage file; a signal ends the sweep after
// the reading under way (the radio's step is restored) and keeps the passes done.
int RunScope(const QString& command, const QCommandLineParser& parser) {
    zem::PortTarget target;
    zem::SweepRange range;
    if (!ReadLinkOptions(parser, command, target) || !ReadScopeRange(parser, range))
        return kBadInput;
    bool ok = false;
    const int passes = parser.value(kPassesOption).toInt(&ok);
    if (!ok || passes < 1) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli scope: --passes takes a number of passes, 1 or more"));
        return kBadInput;
    }

    Interruption interruption;
    // --store holds every pass so far after each pass, so however the sweep ends the passes done
    // are kept.
    std::unique_ptr<zem::OutputFile> store;
    if (parser.isSet(kStoreOption)) {
        store = OpenOutput(command, parser.value(kStoreOption), interruption, OutputGuard({}, false));
        if (!store)
            return NotOpened(command, interruption);
    }
    std::string pass;
    int done = -1;   // the first marker starts the first pass
    long unread = 0; // steps of the printed passes whose S-meter could not be read
    long unreadInPass = 0;
    bool storeFailed = false;
    const std::unique_ptr<zem::RadioSession> session = MakeSession();
    QObject::connect(session.get(), &zem::RadioSession::reading, [&](int value, bool unreadStep) {
        pass += zem::ReadingChar(value, unreadStep);
        unreadInPass += unreadStep ? 1 : 0;
    });
    QObject::connect(session.get(), &zem::RadioSession::passStarted, [&] {
        if (done >= 0) {
            Out(pass + "\n");
            unread += unreadInPass;
            try {
                if (store)
                    store->Add(zem::ScopeStorageLine(pass, QDateTime::currentDateTime()));
            } catch (const zem::FileError& e) {
                Error(QStringLiteral("zem_d7-cli scope: %1").arg(QString::fromUtf8(e.what())));
                storeFailed = true;
            }
        }
        pass.clear();
        unreadInPass = 0;
        if (++done == passes || storeFailed)
            session->StopSweep();
    });
    bool silent = false;
    QObject::connect(session.get(), &zem::RadioSession::sweepEnded, [&](bool radioSilent) {
        silent = radioSilent;
        session->Disconnect();
    });
    // A sweep is stopped as its Stop button stops it; before it has begun, the link is stopped.
    interruption.OnInterrupt([&] {
        if (session->Busy())
            session->StopSweep();
        else
            session->Interrupt();
    });
    const zem::RadioSession::RunEnd end = session->Run(target, [&] { session->StartSweep(range); });
    if (interruption.Interrupted())
        return Interrupted(command, QCoreApplication::translate("cli", "%1 passes done").arg(std::max(done, 0)));
    if (!end.opened)
        return PortFailed(end.failure);
    if (storeFailed)
        return kBadInput;
    if (unread != 0)
        Error(QCoreApplication::translate(
                  "cli", "zem_d7-cli scope: the S-meter could not be read at %1 steps (recorded as %2).")
                  .arg(unread)
                  .arg(QLatin1Char(zem::kUnreadMark)));
    if (silent)
        Error(QCoreApplication::translate(
                  "cli", "zem_d7-cli scope: the radio does not answer; stopped after %1 passes, the pass under "
                         "way is not kept")
                  .arg(std::max(done, 0)));
    if (unread != 0 || silent)
        return kRadioErrors;
    return kOk;
}

} // namespace cli
