#pragma once

#include "link_message.h"
#include "link_only.h"
#include "serial_port.h"

#include "model/records.h"
#include "model/write_mask.h"

#include <QObject>
#include <QThread>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// The link to the radio: owns the serial port (opened and closed on its worker thread), a working
// copy of the radio image and the worker loop that runs one requested operation at a time and
// reports its completion with a posted LinkMessage.
//
// Life: create (the worker is not started), SetStatusBar/SetPort/SetWindow, start(); request
// operations with Request (its record carries the tables in) or Req*; Stop; the worker closes the
// port and posts code 5 as its last act; then wait() and delete.
class TCommThread : public QThread {
public:
    explicit TCommThread(QObject* parent = nullptr);
    ~TCommThread() override;

    // --- set-up, on the window's thread before start() ---
    void SetStatusBar(QObject* sink);
    // '0'..'3' select the first four serial devices ("com1", "COM2", "com3", "com4"); any other
    // character keeps the port.
    void SetPort(char index);
    // Any device path, or a name the port factory knows ("sim").
    void SetPortPath(const std::string& path);
    void SetWindow(QObject* receiver);
    void SetPortFactory(SerialPortFactory factory);
    // Longest wait for the radio's answer line; a timed-out exchange keeps the response unchanged.
    void SetExchangeTimeout(std::chrono::milliseconds limit);
    // The radio answers most commands within a few tens of ms and a memory write within a few
    // hundred; the longest line takes about 95 ms at 9600 baud. One second leaves room for all of
    // that, yet a radio that is off costs a 510-exchange transfer under ten minutes, not forever.
    static constexpr std::chrono::milliseconds kDefaultExchangeTimeout{1000};
    // The gap after which an answer is taken as complete, and the longest answer kept.
    static constexpr std::chrono::milliseconds kReadInterval{48};
    static constexpr std::size_t kResponseLimit = 90;
    // A fast request takes an answer as complete once the line that answers the command has ended
    // and nothing more has come for this long: about four characters at 9600 baud, so a second
    // line sent right behind the answer is still read with it.
    static constexpr std::chrono::milliseconds kFastGrace{4};
    static constexpr std::size_t kLastCommandLimit = 50;
    // A radio that has sent not one byte for this many exchanges in a row is taken as switched
    // off or unplugged: the transfer stops instead of spending a timeout on every command left.
    static constexpr int kSilentExchangeLimit = 3;

    const std::string& PortName() const { return PortName_; }
    const std::string& PortPath() const { return PortPath_; }

    // --- requests, on the window's thread ---
    // Each returns false, and requests nothing, while the worker is busy with another operation:
    // the running procedure would clear the code when it ends and the request would be lost
    // without a word. True means the code is set: a worker still in its loop answers it with a
    // completion message; after a stop nothing will. Request hands over what the operation works
    // on with it; the Req* requests leave the link's copies as they are, at the normal pace.
    bool Request(const LinkRequest& request);
    bool ReqID() { return Request({.op = kOpModelCheck}); }
    bool ReqMod() { return Request({.op = kOpModCheck}); }
    bool ReqWrite() { return Request({.op = kOpWriteMemory}); }
    bool ReqRead() { return Request({.op = kOpReadMemory}); }
    bool ReqVFORead() { return Request({.op = kOpReadVfo}); }
    bool ReqVFOwrite() { return Request({.op = kOpWriteVfo}); }
    bool ReqMenuRead() { return Request({.op = kOpReadSettings}); }
    bool ReqMenuwrite() { return Request({.op = kOpWriteSettings}); }
    // Writes the parts of the image that the request's writeOnly chooses (channels, VFOs,
    // settings, DTMF memories), then reads those parts back into it; code 12 with the errors and
    // the parts whose read-back differs from what was written.
    bool ReqWriteChanged() { return Request({.op = kOpWriteChanged}); }
    bool ReqScope() { return Request({.op = kOpScope}); }
    void StopScope();
    // Stops the worker after the operation under way: it closes the port and posts code 5.
    void Stop();
    // For a program that is ending: the exchange under way ends as usual, every later one at once
    // without touching the line, so the worker runs through what is left of its operation, stops
    // and closes the port within about one exchange bound. A sweep is stopped too.
    void Abandon();
    // True from a request until its procedure has cleared Operation (the scope sweep stays busy
    // after StopScope until it has restored the radio's step).
    bool Busy() const;
    // The operation requested and not yet ended, idle when none (also once StopScope has withdrawn
    // a sweep); and whether a sweep is to go on.
    std::int32_t Operation() const { return Operation_.load(std::memory_order_acquire); }
    bool ScopeRunning() const { return ScopeRunning_.load(std::memory_order_acquire) != 0; }

    // One command, one answer line. Assigns `response` only when an answer line was read (CR,
    // trailing characters of code 32 or below trimmed, cut at a NUL, at most 90 bytes a line) and then
    // returns true; on a line error or when no answer came in time, `response` keeps what it held.
    // Callable from any thread; exchanges never overlap.
    bool Exchange(std::string_view command, std::string& response);

    std::int32_t OpenErrors() const { return OpenErrors_; }
    // Why the port did not open, for the user (OpenFailureText); read after code 4 has arrived.
    const std::string& OpenFailure() const { return OpenFailure_; }
    // The last command sent, CR included, at most 50 characters.
    std::string LastCommand() const;

protected:
    void run() override; // the worker body

private:
    friend struct TCommThreadProbe; // the tests' way to the port handling the transfers use

    // Worker procedures; each ends with Finish(), which clears Operation before posting.
    void DoID();
    void DoMod();
    void DoRead();
    void DoWrite();
    void DoVFORead();
    void DoVFOwrite();
    void DoMenuRead();
    void DoMenuwrite();
    void DoWriteChanged();
    void DoScope();

    // The pieces of the transfers, each over the parts `mask` chooses of its own block. The writes
    // give the errors they counted; the reads how many rows, VFOs or settings stayed as they were.
    long WriteChannels(const WriteMask& mask);
    long ReadChannels(const WriteMask& mask);
    long WriteVfos(const WriteMask& mask);
    long ReadVfos(const WriteMask& mask);
    long WriteSettings(const WriteMask& mask);
    long ReadSettings(const WriteMask& mask);

    // One attempt at writing a row, a VFO or a setting: the errors it counted, and whether one of
    // its commands got no answer at all (the radio may have taken it even so).
    struct Attempt {
        long errors = 0;
        bool unanswered = false;
    };
    Attempt WriteRow(std::size_t row, const MemoryChannel& ch);
    // Confirmed, its failure added to `attempt`.
    void Confirm(Attempt& attempt, std::string_view command, std::string_view head, std::string_view word,
                 std::string& response);
    Attempt WriteVfo(const VfoRecord& vfo);
    // Each part that `chosen` marks, in order: a read taken whole or kept, asked again once when it
    // failed, giving how many were kept (with `nameKept`, each asked and kept is posted as a
    // kept part: the parts are rows or VFOs); a write sent again once when it failed (read back with
    // `took` first when an answer never came), giving the errors of the last attempts and naming
    // as kept each part whose last attempt failed.
    long ReadParts(std::span<const bool> chosen, const std::function<bool(std::size_t)>& read, bool nameKept = false);
    long WriteParts(std::span<const bool> chosen, const std::function<Attempt(std::size_t)>& send,
                    const std::function<bool(std::size_t)>& took);
    // Counts a retry and has the next exchange wait for the line to fall quiet first.
    void BeforeRetry();
    bool RadioSilent() const;
    // A part of the transfer is done: counted and shown as progress.
    void PartDone();
    // A transfer of `total` parts, shown as progress from none: what `move` counted, with whether
    // the radio fell silent noted for the completion.
    long Transfer(std::size_t total, const std::function<long()>& move);

    void OpenPort();
    void ClosePort();

    // One command and the line of its answer that answers it (AnswerLine: the line beginning with
    // `head`, else the line `bare`). When none does, the answer belongs to another command and the
    // link counts as out of step, like after an exchange without an answer.
    struct Answer {
        std::string text;                // all that came back, empty when nothing did
        std::optional<std::string> line; // the line that answers the command
    };
    Answer Ask(std::string_view command, std::string_view head, std::string_view bare = {});
    // A set command's echo check: true when the answer is the command's own, its echo naming what
    // the command named (`head`) or the bare echo `word`. `response` gets all that came back.
    bool Confirmed(std::string_view command, std::string_view head, std::string_view word, std::string& response);

    // Reads one memory row or VFO whole: taken only when every answer came and names what was
    // asked for, otherwise left as it was (false).
    bool ReadRow(std::size_t row, MemoryChannel& ch);
    bool ReadVfo(VfoRecord& vfo);
    // Runs the parse of an answer: false, with the conversion error shown, when the answer's
    // numbers do not convert.
    bool Parsed(const std::function<void()>& parse);
    // The settings command `index` of the radio's order: its value read into `into`, or written from Image.
    bool ReadSetting(std::size_t index, RadioSettings& into);
    Attempt WriteSetting(std::size_t index);

    // The row write of the memory transfer, sent without Exchange: the text carries its own CR and
    // the answer is read up to `readLimit` bytes, cut at a NUL but not trimmed, and assigned only
    // when a line arrived. The two status texts are shown after the write and after the wait; an
    // empty one leaves the status bar as it is. Purges after the read only when asked. `answered`:
    // a line beginning with `head`, or the bare "MW", came back.
    struct RowWrite {
        std::string_view textWithCr;
        std::string_view head;
        bool purge = false;
        std::string_view statusAfterWrite;
        std::string_view statusAfterWait;
        std::size_t readLimit = 80;
    };
    struct DirectSendResult {
        bool writeOk = false;
        bool lineArrived = false;
        bool readOk = false;
        bool answered = false;
    };
    DirectSendResult DirectSend(const RowWrite& write, std::string& response);

    void Status(std::string_view utf8);
    void StatusCp932(std::string_view cp932); // a radio answer, shown as text
    void Progress(std::size_t done, std::size_t total);
    void Post(int code, long value, bool unread = false);
    // Operation := 0, then the completion of the operation under way is posted with what it made.
    void Finish(long value, bool unread = false);
    // A row or VFO of a read kept as it was, or a row, VFO or settings command a write got an
    // error for, with the cause the row's last exchange left: named in the completion.
    void Kept(std::size_t row);
    // What went wrong with the exchanges since the last Progress, for Kept.
    void NoteFault(RowFault fault);
    // The request handed over with the operation now starting, taken into the link's copies.
    void TakeRequest();
    // Each operation with its procedure and the completion that ends it: the one place they meet.
    struct Procedure {
        LinkOperation op;
        void (TCommThread::*run)();
        LinkCode done;
    };
    static const std::array<Procedure, 10> kProcedures;
    // Runs the procedure of a requested code; false for a code that is never requested.
    bool Dispatch(std::int32_t op);
    // Leaves nothing of an earlier answer (a late or over-long one) to be taken for the next.
    void SettleLine();
    // Notes an exchange whose answer line did not come, and whether the radio sent anything at all.
    void NoteMissingAnswer();
    // `head` and `bare` name the line that answers the command (AnswerLine); a fast read ends early
    // only once that line has come. Without a head the read waits for the read interval.
    bool ExchangeLocked(std::string_view command, std::string& response, std::string_view head = {},
                        std::string_view bare = {});
    // The read after the answer's CR has arrived, up to `limit` bytes: appends to `raw`, false on
    // a read failure.
    bool ReadAnswer(std::size_t limit, std::string_view head, std::string_view bare, std::string& raw);

    // The worker's copies: a request's record is taken into them when its operation starts, and
    // the completion hands the image back. Only the worker touches them after start().
    RadioImage Image_;    // the link's own working copy
    WriteMask WriteOnly_; // what a write of the changes writes
    ScopeRequest Scope_;
    bool Fast_ = false; // the pace of the operation under way

    std::atomic<std::int32_t> Running_{1};
    std::atomic<std::int32_t> ScopeRunning_{0};
    std::atomic<std::int32_t> Operation_{kOpIdle};

    std::string PortName_ = "COM2";
    std::string PortPath_ = "/dev/ttyS1";
    std::int32_t OpenErrors_ = 0;
    std::string OpenFailure_;
    // What the completion of the operation under way carries besides its value: a check's answer,
    // a settings read's refusals of values holding a ',' (counted with the unanswered ones), the
    // parts kept.
    std::string Answer_;
    std::vector<std::string> CommaRefusals_;
    std::vector<KeptPart> Kept_;
    // A request's data, from Request until the worker takes it up with the operation.
    std::mutex RequestMutex_;
    LinkRequest Requested_;
    QObject* StatusBar_ = nullptr; // set before start(), only posted to afterwards
    QObject* Window_ = nullptr;
    SerialPortFactory PortFactory_;
    std::chrono::milliseconds ExchangeTimeout_{kDefaultExchangeTimeout};
    // The code whose procedure is running, 0 between procedures. Operation alone cannot tell
    // whether the worker is busy: StopScope clears it while the sweep is still restoring the step.
    std::atomic<std::int32_t> Active_{kOpIdle};

    // Created, opened and closed on the worker thread; used under ExchangeMutex_ by the exchanges
    // of both threads, so a key exchange never meets a port being opened or closed.
    std::unique_ptr<SerialPort> Port_;
    mutable std::mutex ExchangeMutex_;
    std::string LastCommand_;
    // Set when an exchange ended without its answer: the radio may still be sending it.
    bool OutOfStep_ = false;
    // Exchanges in a row that ended without a single byte from the radio.
    std::atomic<int> SilentExchanges_{0};
    TransferOutcome Outcome_;
    std::atomic<bool> Abandoned_{false};
    std::atomic<int> RowFault_{-1}; // a RowFault, -1 while none
};

} // namespace zem
