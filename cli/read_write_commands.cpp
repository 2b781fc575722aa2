#include "arguments.h"
#include "changed_write.h"
#include "commands.h"
#include "console.h"
#include "difference_lines.h"
#include "interruption.h"
#include "link_options.h"
#include "options.h"
#include "progress_report.h"

#include "model/file_io.h"
#include "model/settings_file.h"
#include "model/startup_image.h"
#include "session/radio_texts.h"

#include <QCoreApplication>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <numeric>
#include <optional>

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

// A read or a write (with `verify`, each block read back after it is written) of the blocks on one
// connection, each block's line shown as it ends. A block the radio fell silent in ends the
// transfer there. A signal stops the block under way after its exchange under way; the end then
// says how far it came and gives kInterrupted. A write without `backup` reads no block first for
// the history.
class Transfer : BlockMove {
public:
    Transfer(std::vector<zem::Block> blocks, bool write, Interruption& interruption)
        : BlockMove(interruption), blocks_(std::move(blocks)), write_(write) {
        zem::RadioSession* s = session_.get();
        QObject::connect(s, &zem::RadioSession::transferring, [this](zem::Block b) { Transferring(b); });
        QObject::connect(s, &zem::RadioSession::writing, [this](zem::Block b) { Writing(b); });
        QObject::connect(s, &zem::RadioSession::verifying,
                         [this](zem::Block b, long errors, const zem::TransferOutcome& o) { Verifying(b, errors, o); });
        QObject::connect(s, &zem::RadioSession::read, [this](const zem::ReadResult& r) { Read(r); });
        QObject::connect(s, &zem::RadioSession::written, [this](const zem::WriteResult& r) { Written(r); });
        QObject::connect(s, &zem::RadioSession::transferred, [this](const zem::TransferResult& r) {
            found_ = r;
            ended_ = true;
            session_->Disconnect();
        });
    }

    // Moves the blocks between `image` and the radio; returns the exit status.
    int Run(const zem::PortTarget& target, const zem::RadioImage& image, bool verify, bool backup) {
        session_->SetBackupBeforeWrite(backup);
        const zem::RadioSession::RunEnd end = session_->Run(target, [&] {
            // A signal noted before the port opened stops the transfer before its first block.
            if (interruption_.Interrupted()) {
                stopped_ = true;
                session_->Disconnect();
            } else if (!(write_ ? session_->WriteBlocks(blocks_, image, verify)
                                : session_->ReadBlocks(blocks_, image))) {
                found_.end = zem::TransferResult::End::Refused;
                ended_ = true;
                session_->Disconnect();
            }
        });
        return ended_ ? Status() : stopped_ ? NotReached(0, kInterrupted) : PortFailed(end.failure);
    }

    // What the transfer found: the read-backs' differences, a read's image; nothing when it never
    // began.
    const zem::TransferResult& Found() const { return found_; }

private:
    void Transferring(zem::Block block) {
        ++begun_;
        progress_.Start(zem::BlockName(block));
        underWay_ =
            write_ ? QT_TRANSLATE_NOOP("cli", "written; the radio now holds a mix") : QT_TRANSLATE_NOOP("cli", "read");
    }
    // A write's block may be read first for the history (BlockMove), then written.
    void Writing(zem::Block block) {
        progress_.Start(zem::BlockName(block));
        underWay_ = "written; the radio now holds a mix";
    }
    void Verifying(zem::Block block, long errors, const zem::TransferOutcome& outcome) {
        if (stopped_)
            return;
        progress_.Finish(errors, outcome);
        progress_.Start(BlockLabel(QT_TRANSLATE_NOOP("cli", "%1 read-back"), block));
        underWay_ = QT_TRANSLATE_NOOP("cli", "read back; not compared");
    }
    // After a stop the block's result still comes; the end says how far it came.
    void Read(const zem::ReadResult& r) {
        if (stopped_)
            return;
        for (const std::string& refusal : r.commaRefusals)
            Error(QStringLiteral("zem_d7-cli: settings: %1").arg(QString::fromStdString(refusal)));
        progress_.Finish(r.value, r.outcome);
        BlockEnded(r.outcome);
    }
    // A verified write's line is its read-back's; its rows with errors are named after it. A
    // read-back not made is the end's to say.
    void Written(const zem::WriteResult& r) {
        if (stopped_ || (r.verify && r.verify->outcome != zem::VerifyResult::Outcome::Compared))
            return;
        progress_.Finish(r.verify ? r.verify->unread : r.errors, r.verify ? r.verify->readBack : r.outcome);
        NameFailedRows(r.block, r.failed);
        BlockEnded(r.outcome);
    }
    // A signal or a closed pipe noted while the block's lines were shown (a line found the pipe
    // closed) stops the transfer before the next block.
    void BlockEnded(const zem::TransferOutcome& outcome) {
        underWay_ = nullptr;
        if (outcome.radioSilent)
            progress_.Stopped(write_ && outcome.moved > 0 ? "written; the radio now holds a mix"
                              : write_                    ? "written"
                                                          : "read",
                              outcome);
        else if (interruption_.Interrupted()) {
            stopped_ = true;
            session_->Disconnect();
        }
    }

    int Status() {
        const std::vector<zem::BlockSummary>& blocks = found_.blocks;
        switch (found_.end) {
        case zem::TransferResult::End::Stopped:
            if (underWay_) {
                std::optional<zem::TransferOutcome> cut; // what the block under way moved, when its result came
                if (!blocks.empty() && blocks.back().cut)
                    cut = blocks.back().readBack.value_or(blocks.back().outcome);
                progress_.Stopped(underWay_, cut);
            }
            return NotReached(begun_, kInterrupted);
        case zem::TransferResult::End::Refused:
            Error(QCoreApplication::translate("cli", "zem_d7-cli: the link refused the next transfer"));
            return NotReached(begun_, kRadioErrors);
        case zem::TransferResult::End::RadioSilent:
            return NotReached(begun_, kRadioErrors);
        case zem::TransferResult::End::Whole:
            break;
        }
        const long errors = std::accumulate(blocks.begin(), blocks.end(), 0L,
                                            [](long sum, const zem::BlockSummary& b) { return sum + b.errors; });
        if (errors == 0)
            return kOk;
        Error(QCoreApplication::translate("cli", "Errors: %1").arg(errors));
        return kRadioErrors;
    }

    // Each block from `from` on was not moved at all; returns `status`.
    int NotReached(std::size_t from, int status) const {
        for (std::size_t b = from; b < blocks_.size(); ++b)
            Error(QCoreApplication::translate("cli", "%1: 0 of %2 rows %3")
                      .arg(QLatin1String(zem::BlockName(blocks_[b])))
                      .arg(zem::PartsOf(blocks_[b]))
                      .arg(QCoreApplication::translate("cli", write_ ? QT_TRANSLATE_NOOP("cli", "written") : "read")));
        return status;
    }

    const std::vector<zem::Block> blocks_;
    const bool write_;
    std::size_t begun_ = 0;
    bool ended_ = false; // the session's end of the transfer came: found_ holds it
    zem::TransferResult found_;
};

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

// The options write takes beside the blocks that --changed refuses or needs; false after the one
// error line. `menuWarning` is the reader's warning about the file's MENU line.
bool CheckWriteOptions(const QCommandLineParser& parser, const QString& file, const TransferOptions& options,
                       const std::string& menuWarning) {
    const bool dryRun = parser.isSet(kDryRunOption);
    if (dryRun && !parser.isSet(kChangedOption)) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli write: --dry-run is taken only with --changed"));
        return false;
    }
    // Settings whose MENU line was read uncertainly may sit in other settings than the file meant.
    const bool settings =
        std::find(options.blocks.begin(), options.blocks.end(), zem::Block::Settings) != options.blocks.end();
    if (settings && !menuWarning.empty() && !dryRun && !parser.isSet(kForceOption)) {
        Error(QCoreApplication::translate(
                  "cli", "zem_d7-cli write: %1: the settings are not written, since their MENU line was read "
                         "with a warning: %2 (check them, then give --force, or leave them out with --only)")
                  .arg(file, QString::fromStdString(menuWarning)));
        return false;
    }
    if (parser.isSet(kRadioBaseOption) && !parser.isSet(kChangedOption)) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli write: --base is taken only with --changed"));
        return false;
    }
    if (parser.isSet(kChangedOption) && parser.isSet(kVerifyOption)) {
        Error(QCoreApplication::translate("cli",
                                          "zem_d7-cli write: --changed reads back what it writes; leave out --verify"));
        return false;
    }
    return true;
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
    Transfer transfer(options.blocks, false, interruption);
    const int result = transfer.Run(options.target, image, false, false);
    const QString notWritten = QCoreApplication::translate("cli", "%1 was not written").arg(out);
    if (result == kPortError)
        return result;
    if (result == kInterrupted)
        return Interrupted(command, notWritten);
    const zem::TransferResult& found = transfer.Found();
    if (found.end == zem::TransferResult::End::RadioSilent) {
        if (std::any_of(found.blocks.begin(), found.blocks.end(),
                        [](const zem::BlockSummary& b) { return b.outcome.moved > 0; }))
            return SavePartial(command, out, found.image);
        Error(QCoreApplication::translate("cli", "zem_d7-cli %1: nothing was read; %2 was not written")
                  .arg(command, out));
        return kRadioErrors;
    }
    if (!FileStep(command, [&] { output->Save(zem::FormatSettingsFile(found.image)); }))
        return interruption.Interrupted() ? Interrupted(command, notWritten) : kBadInput;
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
    if (!LoadZemArgument(command, *file, image, &menuWarning) ||
        !CheckWriteOptions(parser, *file, options, menuWarning))
        return kBadInput;
    if (parser.isSet(kChangedOption)) {
        bool bad = false;
        const std::optional<TrustedBase> base = ReadRadioBase(command, parser, options.target, bad);
        if (bad)
            return kBadInput;
        return WriteChangedParts(command, options.target, options.blocks, image, parser.isSet(kDryRunOption),
                                 interruption, base);
    }
    Transfer transfer(options.blocks, true, interruption);
    const int result = transfer.Run(options.target, image, parser.isSet(kVerifyOption), !parser.isSet(kNoBackupOption));
    if (result == kPortError)
        return result;
    if (result == kInterrupted)
        return Interrupted(command, QCoreApplication::translate("cli", "nothing more was written"));
    const std::vector<zem::RowDifference>& differences = transfer.Found().differences;
    Out(DifferenceLines(differences));
    if (interruption.Interrupted())
        return Interrupted(command, QCoreApplication::translate("cli", "everything was written"));
    if (differences.empty())
        return result;
    Error(QStringLiteral("zem_d7-cli write: %1").arg(zem::DifferingText(differences.size())));
    return kRadioErrors;
}

} // namespace cli
