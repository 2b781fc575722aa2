#pragma once

#include "link_only.h"
#include "model/records.h"
#include "model/transfer_outcome.h"
#include "model/write_mask.h"

#include <QEvent>
#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zem {

// Operation codes the window requests of the link.
enum LinkOperation : int {
    kOpIdle = 0,
    kOpModelCheck = 1,
    kOpModCheck = 2,
    kOpWriteMemory = 3,
    kOpReadMemory = 4,
    kOpReadVfo = 5,
    kOpWriteVfo = 6,
    kOpReadSettings = 7,
    kOpWriteSettings = 8,
    kOpScope = 11,
    kOpWriteChanged = 12,
};

// Completion codes the link posts to the window.
enum LinkCode : int {
    kMsgModelCheck = 0,      // value 1: the radio is a TH-D7
    kMsgModCheck = 1,        // value 1: modified
    kMsgMemoryWritten = 2,   // value: errors counted
    kMsgMemoryRead = 3,      // value: rows not read (kept as they were), 0 when all were read
    kMsgPortOpened = 4,      // value: set-up steps that failed
    kMsgPortClosed = 5,      // value: the same count; the worker's last act
    kMsgVfoRead = 6,         // value: VFOs not read (kept as they were), 0 when all were read
    kMsgVfoWritten = 7,      // value: errors counted
    kMsgSettingsRead = 8,    // value: errors counted
    kMsgSettingsWritten = 9, // value: errors counted
    kMsgScope = 11,          // 200 at the start of a pass, 0..9 per reading (0 and unread(): none)
    kMsgChangedWritten = 12, // value: errors counted, read-backs that differ included
    kMsgScopeEnded = 13,     // the sweep has ended (also one stopped before it began); value as code 4
};

// The codes above and no other: a message with any other code is ignored.
constexpr bool IsLinkCode(int code) {
    return (code >= kMsgModelCheck && code <= kMsgSettingsWritten) || (code >= kMsgScope && code <= kMsgScopeEnded);
}

inline constexpr int kScopePassStart = 200;

// The parameters of a sweep, in the radio's own form.
struct ScopeRequest {
    std::string upper{}; // 11 digits, Hz
    std::string lower{};
    char step = '5';
    char band = '0';
};

// A request with what its operation works on, copied into the link under its lock and taken up by
// the worker when it starts the operation. What is left empty stays as the link holds it.
struct LinkRequest {
    LinkOperation op = kOpIdle;
    std::optional<RadioImage> image{};    // the link's working copy from then on
    std::optional<WriteMask> writeOnly{}; // what a write of the changes writes
    std::optional<ScopeRequest> scope{};
    // The operation's pace: take an answer as complete once its line has ended and the line has
    // been quiet for a moment, instead of waiting the whole read interval. Each request says it,
    // so the choice stays with whoever asks and an operation under way keeps the pace it began with.
    bool fast = false;
};

// A row, VFO or settings command a transfer kept as it was or counted errors for, and why.
struct KeptPart {
    std::size_t row;
    RowFault fault;
};

// Everything a completion hands the receiver, made by the worker as the operation ends.
struct LinkCompletion {
    int code = kMsgModelCheck;
    long value = 0;
    // A scope step whose S-meter could not be read: it is posted as 0 so that every later reading
    // keeps its frequency, and marked so that a receiver can count it or draw it apart. On a
    // check's completion: the radio did not answer, so its value is no verdict.
    bool unread = false;
    LinkOperation op = kOpIdle; // the operation that ended; idle for the port's codes and readings
    TransferOutcome outcome{};
    std::string answer{}; // a check's: the radio's answer (CP932), empty when none came
    // A settings read: the settings left as they were because the radio's value held a ',' the
    // settings file cannot carry there, one line each for the user (UTF-8).
    std::vector<std::string> refusals{};
    std::vector<KeptPart> kept{}; // in the order the transfer met them
    // The link's working copy as the operation left it: what a read brought in, or what a write
    // sent and read back; none for the port's codes and the readings.
    std::optional<RadioImage> image{};
};

// The link's completion message "Ha": posted (never sent) to the receiver, and delivered in order
// on the receiver's thread.
class LinkMessage : public QEvent {
public:
    LinkMessage(int code, long value, bool unread = false)
        : LinkMessage(LinkCompletion{.code = code, .value = value, .unread = unread}) {}
    explicit LinkMessage(LinkCompletion completion) : QEvent(Type()), completion_(std::move(completion)) {}
    static QEvent::Type Type();

    int code() const { return completion_.code; }
    long value() const { return completion_.value; }
    bool unread() const { return completion_.unread; }
    const LinkCompletion& completion() const { return completion_; }

private:
    LinkCompletion completion_;
};

// A text for the status bar, posted by the worker to the status sink; posted through the same
// queue as the link messages, so texts and completions arrive in the order they were made.
class StatusText : public QEvent {
public:
    explicit StatusText(QString text) : QEvent(Type()), text_(std::move(text)) {}
    static QEvent::Type Type();

    const QString& text() const { return text_; }

private:
    QString text_;
};

// How far a transfer has come (rows, VFOs or settings commands), posted to the status sink with
// the status texts, so a front end can draw a progress bar.
class TransferProgress : public QEvent {
public:
    TransferProgress(std::size_t done, std::size_t total) : QEvent(Type()), done_(done), total_(total) {}
    static QEvent::Type Type();

    std::size_t done() const { return done_; }
    std::size_t total() const { return total_; }

private:
    std::size_t done_;
    std::size_t total_;
};

} // namespace zem
