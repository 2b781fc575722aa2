#pragma once

#include "link_only.h"
#include "model/transfer_outcome.h"

#include <QEvent>
#include <QString>

#include <cstddef>

#include <utility>

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
    kMsgPortOpened = 4,      // value: set-up steps that failed (also at the end of a sweep)
    kMsgPortClosed = 5,      // value: the same count; the worker's last act
    kMsgVfoRead = 6,         // value: VFOs not read (kept as they were), 0 when all were read
    kMsgVfoWritten = 7,      // value: errors counted
    kMsgSettingsRead = 8,    // value: errors counted
    kMsgSettingsWritten = 9, // value: errors counted
    kMsgScope = 11,          // 200 at the start of a pass, 0..9 per reading (0 and unread(): none)
    kMsgChangedWritten = 12, // value: errors counted, read-backs that differ included
};

// The codes above and no other: a message with any other code is ignored.
constexpr bool IsLinkCode(int code) {
    return (code >= kMsgModelCheck && code <= kMsgSettingsWritten) || code == kMsgScope || code == kMsgChangedWritten;
}

inline constexpr int kScopePassStart = 200;

// The link's completion message "Ha": posted (never sent) to the receiver with (code, value), and
// delivered in order on the receiver's thread.
class LinkMessage : public QEvent {
public:
    LinkMessage(int code, long value, bool unread = false)
        : QEvent(Type()), code_(code), value_(value), unread_(unread) {}
    static QEvent::Type Type();

    int code() const { return code_; }
    long value() const { return value_; }
    // A scope step whose S-meter could not be read: it is posted as 0 so that every later reading
    // keeps its frequency, and marked so that a receiver can count it or draw it apart. On a
    // check's completion: the radio did not answer, so its value is no verdict.
    bool unread() const { return unread_; }

private:
    int code_;
    long value_;
    bool unread_;
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

// A row or VFO of a read that was kept as it was, or a row, VFO or settings command (by its index
// in the transfer) a write counted errors for, posted to the status sink before the transfer's
// completion, so a front end can name the rows and the cause.
class RowKept : public QEvent {
public:
    RowKept(std::size_t row, RowFault fault) : QEvent(Type()), row_(row), fault_(fault) {}
    static QEvent::Type Type();

    std::size_t row() const { return row_; }
    RowFault fault() const { return fault_; }

private:
    std::size_t row_;
    RowFault fault_;
};

} // namespace zem
