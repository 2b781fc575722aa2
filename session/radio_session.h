#pragma once

#include "model/image_diff.h"
#include "model/radio_history.h"
#include "model/records.h"
#include "model/sweep_range.h"
#include "model/transfer_outcome.h"
#include "model/write_mask.h"
#include "model/write_plan.h"
#include "session/ports.h"

#include <QObject>
#include <QString>

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

class LinkMessage;
class TCommThread;
struct LinkCompletion;
struct LinkRequest;
enum LinkOperation : int;

// The link's pace, for a front end to offer and describe: the longest wait for the radio's answer,
// and the quiet after which an answer is taken as complete.
inline constexpr std::chrono::milliseconds kDefaultExchangeTimeout{1000};
inline constexpr std::chrono::milliseconds kAnswerInterval{48};

// The three blocks of the radio image a transfer moves.
enum class Block { Memory, Vfo, Settings };
// The two checks: is the radio a TH-D7, is it modified.
enum class Check { Model, Modification };

// "memory", "vfo", "settings": the tool's names of the blocks.
const char* BlockName(Block block);
// Every block, in the image's order.
const std::vector<Block>& AllBlocks();
// Copies one block of `from` into `to`, as a read's result goes into the caller's image.
void CopyBlock(Block block, const RadioImage& from, RadioImage& to);

// A row or VFO a read kept as it was, or a row, VFO or settings command a write counted errors
// for, and why.
struct KeptRow {
    std::size_t row;
    RowFault fault;
};

struct CheckResult {
    Check check;
    bool answered = false; // without an answer `yes` is no verdict
    bool yes = false;      // a TH-D7 / modified
    QString answer{};      // the radio's answer as the status bar showed it
};

struct ReadResult {
    Block block;
    long value = 0;     // rows or VFOs kept as they were; for the settings, errors counted
    RadioImage image{}; // the link's image after the read: the block read, the rest as handed in
    std::vector<KeptRow> kept{};
    // A settings read: the settings left as they were because the radio's value held a ',' the
    // settings file cannot carry there, one line each for the user (UTF-8).
    std::vector<std::string> commaRefusals{};
    TransferOutcome outcome{};
};

// The read-back of a write, compared with what was written (memos aside).
struct VerifyResult {
    enum class Outcome {
        Compared,
        Disconnected, // the link was stopping, so nothing was read back
        Refused,      // the link would not take the read-back
    };
    Outcome outcome = Outcome::Compared;
    std::vector<RowDifference> differences{};
    long unread = 0;            // rows the read-back got no answer for: they compare equal unchecked
    TransferOutcome readBack{}; // the read-back's own, when it ran
};

struct WriteResult {
    Block block;
    long errors = 0;
    std::vector<KeptRow> failed{};        // the rows, VFOs or settings commands the errors fell on
    std::optional<VerifyResult> verify{}; // when the write was to be verified
    TransferOutcome outcome{};            // the write's, its read-back's retries added
};

// A block of a transfer of several, as it ended.
struct BlockSummary {
    Block block;
    // Rows a read kept (for the settings, errors counted); errors a write counted, with the rows its
    // read-back got no answer for.
    long errors = 0;
    TransferOutcome outcome{};                 // as the block's read or write result gives it
    std::optional<TransferOutcome> readBack{}; // a verified write's read-back, when it ran
    bool cut = false;                          // its result came after a stop: it moved what it says, then stopped
};

// A transfer of several blocks, one after the other on one connection, as it ended.
struct TransferResult {
    enum class End {
        Whole,       // every block was moved (with or without errors)
        RadioSilent, // the radio fell silent in the last block listed
        Stopped,     // the link was stopped: after the last block listed, or in it when it is cut
        Refused,     // the link would not take the next block, or a read-back
    };
    End end = End::Whole;
    std::vector<BlockSummary> blocks{};       // the blocks whose results came, in order
    std::vector<RowDifference> differences{}; // the read-backs'
    RadioImage image{};                       // the image handed in; a read's with each block read
};

// Where a front end's copy of a block came from: never loaded (start-up values), read from the
// radio on this connection, or a settings file (opened, or the tool's input).
enum class BlockSource { Never, Radio, File };
using BlockSources = std::array<BlockSource, 3>; // by Block

// What a write of the changes may touch within `scope`: every part of a block held from the radio
// or a file, and of the other blocks only the parts the user edited, so that a block never loaded
// stays as the radio has it.
WriteMask AllowedParts(const BlockSources& sources, const WriteMask& edited, const std::vector<Block>& scope);

// How many rows, VFOs or settings commands a whole transfer of the block counts.
std::size_t PartsOf(Block block);
// A row, VFO or settings command of a block (by its index in the transfer) as both front ends
// name it: the grid's label, or the menu field ("MES") or DTMF memory ("DTMF 3") a settings
// command sends.
std::string PartName(Block block, std::size_t row);

// What a write of the changes will send, made before anything is sent so that it can be shown.
struct WritePlan {
    RadioImage wanted{};           // the image the parts are written from
    WriteMask parts{};             // the parts that differ from the radio and may be touched
    std::vector<PlanItem> items{}; // the same parts, radio → wanted, for the user
    bool radioRead = false;        // the radio was read first: this connection did not know it
    // False when that read kept rows or stopped: nothing may be written, since the rows it kept
    // say nothing of the radio; `unread` counts them.
    bool whole = true;
    long unread = 0;
    TransferOutcome outcome{}; // the reads' retries; the stop and progress of the last
};

// A write of a plan, read back. Counts are per block (memory, VFOs, settings commands).
struct ChangedWriteResult {
    std::size_t parts = 0;                    // the plan's items
    std::array<std::size_t, 3> chosen{};      // rows, VFOs and settings commands the plan sends
    std::array<std::size_t, 3> written{};     // of those, written whole before the read-back
    long errors = 0;                          // the write's, read-backs that differ included
    std::vector<RowDifference> differences{}; // the parts whose read-back differs from what was sent
    TransferOutcome outcome{};                // the write's and read-back's, the plan's read retries added
};

// The history folder: $ZEM_D7_HISTORY when set, else zem_d7/history in the user's data folder.
std::filesystem::path HistoryFolder();
// The blocks an entry holds from the radio.
std::vector<Block> BlocksOf(const HistoryEntry& entry);

// Where the link goes and how it waits.
struct PortTarget {
    std::string port; // a device path, com1..com4, or a name the port factory knows ("sim")
    std::chrono::milliseconds timeout = kDefaultExchangeTimeout;
    bool fast = false;
};

// The radio as both front ends use it: one link at a time, one operation at a time, each a typed
// request whose progress and result come back as values, in the order the link made them, on the
// thread that made this object. Underneath is the link's worker, handed one request record at a
// time and answering each with one completion record; this object is the one place that knows
// which operation moves which block.
class RadioSession : public QObject {
    Q_OBJECT
public:
    explicit RadioSession(SerialPortFactory ports = {}, QObject* parent = nullptr);
    // Stops the link and waits for its worker; after Abandon only for a worker that has ended.
    ~RadioSession() override;

    // Creates the link and starts it; opened() follows. Refused (false) while a link exists.
    bool Connect(const PortTarget& target);
    // Asks the link to stop after the operation under way; closed() follows.
    void Disconnect();
    // For a program that ends: the exchange under way ends as usual, every later one at once
    // without touching the line, and the link stops. True when the worker has ended within
    // `bound`; otherwise the worker still holds the port and the caller must not wait for it.
    bool Abandon(std::chrono::milliseconds bound);
    // Stops the link after the exchange under way without waiting for it: the operation under way
    // runs through the rest of its exchanges without touching the line (they count as errors), its
    // result follows, then closed(). For a front end told to stop that keeps its event loop.
    void Interrupt();

    // The ports this session's links open, for the port doctor.
    const SerialPortFactory& Ports() const { return ports_; }

    bool Linked() const { return link_ != nullptr; } // from Connect until closed()
    bool Connected() const { return connected_; }    // from a usable port until closed()
    bool Busy() const { return pending_.kind != Pending::None; }
    bool Stopping() const { return stopping_; }

    // From the next operation on; one under way keeps its pace.
    void SetFastTransfers(bool on);
    bool FastTransfers() const;

    // Keeps what the radio held in `folder` from now on: every whole read, and before and after
    // every write the blocks it writes (see model/radio_history.h). Entries are saved after the
    // event under way, by then the next transfer is with the link, so saving never holds a transfer
    // up, and at the latest when the link closes; a save that fails is reported once
    // (historyFailed) and changes nothing else.
    void KeepHistory(std::filesystem::path folder);
    // With a history, a block write this connection does not know the radio's content of reads
    // it first for the before-write entry (on by default).
    void SetBackupBeforeWrite(bool on) { backup_ = on; }
    // Saves the entries kept and not yet saved now, for a front end about to list them.
    void SaveKept();
    // Takes `image` as what the radio holds in `blocks`, as a read on this connection would: a
    // write of the changes then plans against it without reading. For a caller that knows the
    // radio's content (a file it wrote earlier); a part the radio holds otherwise is read back
    // after the write and named among the differences.
    void TrustRadio(const RadioImage& image, const std::vector<Block>& blocks);

    // The requests: false (nothing sent) while not connected or while another operation runs.
    bool RunCheck(Check check);
    // `keep`: the caller's image, whose block the read starts from (a row it cannot read stays
    // as it is there; channels keep their memos).
    bool Read(Block block, const RadioImage& keep);
    // With `verify` the block is read back into the link afterwards and compared.
    bool Write(Block block, const RadioImage& image, bool verify);
    // The blocks one after the other as Read or Write moves each: transferring() before each, its
    // read() or written() after it, and transferred() once at the end, which comes after a block the
    // radio fell silent in, a stop, or a refusal. False (nothing sent) while not connected or while
    // another operation runs.
    bool ReadBlocks(const std::vector<Block>& blocks, const RadioImage& keep);
    bool WriteBlocks(const std::vector<Block>& blocks, const RadioImage& image, bool verify);
    // Plans a write of the parts of `allowed` in which `image` differs from what the radio holds;
    // planned() follows, and nothing is written. What the radio holds is what this connection last
    // read from it or wrote to it whole; a block with allowed parts but without that is read first
    // (into the session, never into the caller's image).
    bool PlanChanged(const RadioImage& image, const WriteMask& allowed);
    // Writes a whole plan's parts, then reads them back; changedWritten() follows. Refused when a
    // block it writes is no longer known, so that nothing is written against a stale radio.
    bool WriteChanged(const WritePlan& plan);
    // Whether this connection knows what the radio holds in `block`, and what that is.
    bool Holds(Block block) const { return held_[static_cast<std::size_t>(block)]; }
    const RadioImage& Held() const { return radio_; }
    bool StartSweep(const SweepRange& range);
    // Ends the sweep after the reading under way; sweepEnded() follows.
    void StopSweep();

    // The remote keys, on the caller's thread between two of the worker's exchanges. A plain
    // key sends its command; a toggle asks for the setting named by `query` and sends the other
    // value. Both give the radio's last answer (empty when none came).
    QString Key(std::string_view command);
    QString Toggle(std::string_view query);

    // Runs the session to its end on this thread: connects, calls `whenOpen` once the port is
    // usable (the caller requests its operations there and from their results, and disconnects
    // when done), and returns the open failure ("" when the port opened) once the port has
    // closed.
    struct RunEnd {
        bool opened = false;
        QString failure;
    };
    RunEnd Run(const PortTarget& target, const std::function<void()>& whenOpen);

signals:
    // The port opened (`ok`), or not, and then why; a port that did not open closes by itself.
    void opened(bool ok, const QString& failure);
    void closed();
    void status(const QString& text);
    void progress(std::size_t done, std::size_t total);
    void checked(const zem::CheckResult& result);
    void read(const zem::ReadResult& result);
    // A verified write has been written, with `errors` counted, and is being read back.
    void verifying(zem::Block block, long errors, const zem::TransferOutcome& outcome);
    void written(const zem::WriteResult& result);
    void transferring(zem::Block block);
    void transferred(const zem::TransferResult& result);
    // A write of the changes: the radio's block is being read first; then the plan is made; then
    // its `parts` are written.
    void readingRadio(zem::Block block);
    // A block write's before-write read kept rows or stopped: no entry was kept, the write goes on.
    void backupIncomplete(zem::Block block);
    // After that read, the block's write itself begins.
    void writing(zem::Block block);
    // A history entry could not be saved (`reason`, UTF-8 from the system); said once per session.
    void historyFailed(const QString& reason);
    void planned(const zem::WritePlan& plan);
    void writingChanged(std::size_t parts);
    void changedWritten(const zem::ChangedWriteResult& result);
    void passStarted();
    void reading(int value, bool unread);
    // `radioSilent`: the radio fell silent, which ended the sweep in the middle of a pass.
    void sweepEnded(bool radioSilent);

protected:
    bool event(QEvent* e) override;

private:
    struct Pending {
        enum Kind {
            None,
            Checking,
            Reading,
            BackingUp,
            Writing,
            ReadingBack,
            ReadingRadio,
            WritingChanged,
            Sweeping
        } kind = None;
        Block block = Block::Memory;
        Check check = Check::Model;
        RadioImage written{}; // a verified write, a backed-up write or a plan's: what is to be written
        bool verify = false;
        long errors = 0;
        TransferOutcome outcome{};
        std::vector<KeptRow> failed{}; // a verified write's, during its read-back
        WriteMask allowed{};           // a plan: the parts it may touch; its write: the parts sent
        WritePlan plan{};
        ChangedWriteResult changed{};
    };
    // Hands a request to the link with the pace the front end last asked for: the link keeps
    // no pace of its own.
    bool Send(LinkRequest request);
    bool Request(const LinkRequest& request, Pending pending);
    // A request of `op` over `block`: the link's copy with the block taken from `from`.
    LinkRequest BlockRequest(LinkOperation op, Block block, const RadioImage& from) const;
    void AppMessage(const LinkMessage& message);
    void EndCheck(Check check, const LinkCompletion& done);
    void EndRead(Block block, const LinkCompletion& done);
    bool StartWrite(Block block, const RadioImage& image, bool verify);
    void EndBackUp(const LinkCompletion& done);
    // Saves what the radio holds in `blocks` as an entry of `kind`, when keeping a history.
    void Keep(HistoryKind kind, const std::vector<Block>& blocks);
    void EndWrite(Block block, const LinkCompletion& done);
    void EndReadBack(const LinkCompletion& done);
    // The next step of a plan: a read of a block not held, else the plan itself.
    bool PlanStep();
    void EndRadioRead(const LinkCompletion& done);
    void EndPlan();
    void EndChangedWrite(const LinkCompletion& done);
    // What the radio holds in `block` is the link's image of it (`known`), or unknown.
    void Hold(Block block, bool known);
    void Finish(WriteResult result);
    void EndLink();
    // A transfer of several blocks: the next block after a block's result, or the end.
    struct Sequence {
        std::vector<Block> blocks;
        bool write = false;
        bool verify = false;
        TransferResult result{};
    };
    bool StartSequence(Sequence sequence);
    void NextBlock();
    void BlockEnded(BlockSummary summary, bool refused);
    void EndSequence(TransferResult::End end);

    SerialPortFactory ports_;
    std::unique_ptr<TCommThread> link_;
    bool connected_ = false;
    bool stopping_ = false;
    bool fast_ = false;
    Pending pending_;
    // What the link's working copy holds: what was handed over with the last request, and after
    // each completion what the worker left there. Requests hand it back with their block changed.
    RadioImage linkImage_{};
    // What the radio holds, for the blocks marked in held_: the last whole read or write.
    RadioImage radio_{};
    std::array<bool, 3> held_{};
    std::string port_;
    std::optional<std::filesystem::path> history_;
    bool backup_ = true;
    bool historyFailed_ = false;
    struct UnsavedEntry {
        HistoryEntry entry;
        RadioImage image;
    };
    std::vector<UnsavedEntry> unsaved_; // kept, saved once the handler under way has returned
    std::optional<Sequence> sequence_;
};

} // namespace zem
