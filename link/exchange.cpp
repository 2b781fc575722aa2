#include "tcomm_thread.h"

#include "open_failure.h"
#include "response_text.h"

#include "model/answer_lines.h"

namespace zem {
namespace {

using Clock = std::chrono::steady_clock;

// What one read takes at most: the radio's receive queue. Several answer lines fit, each within the
// per-line limit, and a drain takes a whole burst at a time.
constexpr std::size_t kReadChunk = 1024;

// The radio's answer to a memory write that names nothing.
constexpr std::string_view kBareWriteEcho = "MW";

} // namespace

void TCommThread::OpenPort() {
    std::lock_guard lock(ExchangeMutex_);
    Port_ = PortFactory_(PortPath_);
    OpenErrors_ = Port_ ? Port_->Open(PortPath_) : 4;
    OpenFailure_ = OpenErrors_ != 0 && Port_ ? OpenFailureText(Port_->OpenErrno(), PortPath_) : std::string();
}

void TCommThread::ClosePort() {
    std::lock_guard lock(ExchangeMutex_);
    if (Port_)
        Port_->Close();
    Port_.reset();
}

// Nothing that arrives before a command is sent can answer it. After an exchange that ended
// without its answer the radio may still be sending that answer (late, or the rest of one cut at
// the limit): the line is drained until it has been quiet for the read interval, so the answer is
// not taken for the next command's. The drain is bounded by the exchange bound, so a line that
// never falls quiet costs one bound per command instead of holding the link for ever.
void TCommThread::SettleLine() {
    if (!Port_)
        return;
    if (OutOfStep_) {
        OutOfStep_ = false;
        const Clock::time_point until = Clock::now() + ExchangeTimeout_;
        std::string heard;
        do {
            heard.clear();
            if (!Port_->Read(kReadChunk, kReadInterval, heard))
                break;
        } while (!heard.empty() && Clock::now() < until && !Abandoned_.load());
    }
    Port_->Purge();
}

// An exchange that ended without its answer line: when not one byte came either, the radio may be
// off. Whatever did come is taken off the line here; the settle before the next command drains
// the rest.
void TCommThread::NoteMissingAnswer() {
    OutOfStep_ = true;
    std::string heard;
    if (Port_)
        Port_->Read(kReadChunk, std::chrono::milliseconds{0}, heard);
    if (heard.empty())
        ++SilentExchanges_;
    else
        SilentExchanges_.store(0);
}

bool TCommThread::Exchange(std::string_view command, std::string& response) {
    std::lock_guard lock(ExchangeMutex_);
    return ExchangeLocked(command, response);
}

// A fast read stops as soon as the answering line is whole and the line has been quiet for the
// grace. Until that line has come (an unsolicited line or the rest of an earlier answer came
// first, or the answer arrives in pieces) it goes on as the normal read does, until the line has
// been quiet for the whole read interval, so it never ends sooner than the normal read would
// without its answer.
bool TCommThread::ReadAnswer(std::size_t limit, std::string_view head, std::string_view bare, std::string& raw) {
    if (head.empty() || !Fast_)
        return Port_->Read(limit, kReadInterval, raw);
    std::chrono::milliseconds quiet{0};
    while (raw.size() < limit && quiet < kReadInterval) {
        const std::size_t before = raw.size();
        if (!Port_->Read(limit - before, kFastGrace, raw))
            return false;
        if (raw.size() == before) {
            quiet += kFastGrace;
            continue;
        }
        quiet = std::chrono::milliseconds{0};
        const std::optional<std::string_view> line = AnswerLine(raw, head, bare);
        if (line && raw.find_first_of("\r\n", static_cast<std::size_t>(line->data() - raw.data())) != std::string::npos)
            return true;
    }
    return true;
}

bool TCommThread::ExchangeLocked(std::string_view command, std::string& response, std::string_view head,
                                 std::string_view bare) {
    if (Abandoned_.load()) {
        NoteFault(RowFault::LineClosed);
        return false;
    }
    std::string text(command);
    text += '\r';
    LastCommand_ = text.substr(0, kLastCommandLimit);
    SettleLine();
    // The whole command goes out even past the usual 49 characters: a cut command has no CR and
    // would leave the radio waiting for the rest of its line.
    if (!Port_ || !Port_->Write(text))
        Status("munen");
    const SerialPort::WaitResult wait =
        Port_ ? Port_->WaitForLine(ExchangeTimeout_) : SerialPort::WaitResult::LineError;
    if (wait != SerialPort::WaitResult::LineArrived) {
        NoteFault(wait == SerialPort::WaitResult::TimedOut ? RowFault::NoAnswer : RowFault::LineClosed);
        NoteMissingAnswer();
        return false; // line error or no answer in time: the caller's response stays as it was
    }
    SilentExchanges_.store(0);
    std::string raw;
    if (!ReadAnswer(kReadChunk, head, bare, raw)) {
        Status("GAaan");
        NoteFault(RowFault::LineClosed);
        OutOfStep_ = true;
    }
    // A line that never fell quiet may go on after the purge.
    if (raw.size() >= kReadChunk)
        OutOfStep_ = true;
    response = LimitLines(TrimAnswer(raw), kResponseLimit);
    Port_->Purge();
    return true;
}

TCommThread::Answer TCommThread::Ask(std::string_view command, std::string_view head, std::string_view bare) {
    std::lock_guard lock(ExchangeMutex_);
    Answer answer;
    if (!ExchangeLocked(command, answer.text, head, bare))
        return answer;
    if (const std::optional<std::string_view> line = AnswerLine(answer.text, head, bare)) {
        answer.line = std::string(*line);
    } else {
        NoteFault(RowFault::Unreadable);
        OutOfStep_ = true;
    }
    return answer;
}

bool TCommThread::Confirmed(std::string_view command, std::string_view head, std::string_view word,
                            std::string& response) {
    Answer answer = Ask(command, head, word);
    response = std::move(answer.text);
    return answer.line.has_value();
}

void TCommThread::Confirm(Attempt& attempt, std::string_view command, std::string_view head, std::string_view word,
                          std::string& response) {
    if (!Confirmed(command, head, word, response)) {
        ++attempt.errors;
        attempt.unanswered = attempt.unanswered || response.empty();
    }
}

TCommThread::DirectSendResult TCommThread::DirectSend(const RowWrite& write, std::string& response) {
    std::lock_guard lock(ExchangeMutex_);
    DirectSendResult result;
    if (Abandoned_.load())
        return result;
    SettleLine();
    result.writeOk = Port_ && Port_->Write(write.textWithCr);
    if (!write.statusAfterWrite.empty())
        Status(write.statusAfterWrite);
    result.lineArrived = Port_ && Port_->WaitForLine(ExchangeTimeout_) == SerialPort::WaitResult::LineArrived;
    if (!write.statusAfterWait.empty())
        Status(write.statusAfterWait);
    if (!result.lineArrived)
        NoteMissingAnswer();
    else
        SilentExchanges_.store(0);
    if (result.lineArrived) {
        std::string raw;
        result.readOk = ReadAnswer(write.readLimit, write.head, kBareWriteEcho, raw);
        response = CutAtNul(raw);
        result.answered = AnswerLine(response, write.head, kBareWriteEcho).has_value();
        if (write.purge)
            Port_->Purge();
    }
    OutOfStep_ = OutOfStep_ || !result.answered || !result.readOk;
    return result;
}

} // namespace zem
