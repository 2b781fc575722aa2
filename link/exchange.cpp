#include "tcomm_thread.h"

#include "response_text.h"

namespace zem {

void TCommThread::OpenPort() {
    std::lock_guard lock(ExchangeMutex_);
    Port_ = PortFactory_(PortPath_);
    OpenErrors_ = Port_ ? Port_->Open(PortPath_) : 4;
}

void TCommThread::ClosePort() {
    std::lock_guard lock(ExchangeMutex_);
    if (Port_)
        Port_->Close();
    Port_.reset();
}

// An answer that came after its exchange gave up, or the tail of one that did not fit, would
// otherwise be read as the answer to the next command, and a memory read would fill each row
// from the row before it. Nothing that arrives before a command is sent can answer it.
void TCommThread::DropStaleInput() {
    if (Port_)
        Port_->Purge();
}

bool TCommThread::Exchange(std::string_view command, std::string& response) {
    std::lock_guard lock(ExchangeMutex_);
    std::string text(command);
    text += '\r';
    LastCommand_ = text.substr(0, kLastCommandLimit);
    DropStaleInput();
    // The whole command goes out even past the usual 49 characters: a cut command has no CR and
    // would leave the radio waiting for the rest of its line.
    if (!Port_ || !Port_->Write(text))
        Status("munen");
    if (!Port_ || Port_->WaitForLine(ExchangeTimeout_) != SerialPort::WaitResult::LineArrived)
        return false; // line error or no answer in time: the caller's response stays as it was
    std::string raw;
    if (!Port_->Read(kResponseLimit, kReadInterval, raw))
        Status("GAaan");
    response = TrimAnswer(raw);
    Port_->Purge();
    return true;
}

TCommThread::DirectSendResult TCommThread::DirectSend(std::string_view textWithCr, std::size_t readLimit, bool purge,
                                                      std::string_view statusAfterWrite,
                                                      std::string_view statusAfterWait, std::string& response) {
    std::lock_guard lock(ExchangeMutex_);
    DirectSendResult result;
    DropStaleInput();
    result.writeOk = Port_ && Port_->Write(textWithCr);
    if (!statusAfterWrite.empty())
        Status(statusAfterWrite);
    result.lineArrived = Port_ && Port_->WaitForLine(ExchangeTimeout_) == SerialPort::WaitResult::LineArrived;
    if (!statusAfterWait.empty())
        Status(statusAfterWait);
    if (!result.lineArrived)
        return result;
    std::string raw;
    result.readOk = Port_->Read(readLimit, kReadInterval, raw);
    response = CutAtNul(raw);
    if (purge)
        Port_->Purge();
    return result;
}

} // namespace zem
