#pragma once

#include "link_message.h"
#include "serial_port.h"

#include "model/records.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace zem {

// The link to the radio: owns the serial port (opened and closed on its worker thread), a working
// copy of the radio image and the worker loop that runs one requested operation at a time and
// reports its completion with a posted LinkMessage.
//
// Life: create (the worker is not started), SetStatusBar/SetPort/SetWindow, copy tables in,
// start(); request operations with Req*; set Running to 0 to stop; the worker closes the port and
// posts code 5 as its last act; then wait() and delete.
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

    const std::string& PortName() const { return PortName_; }
    const std::string& PortPath() const { return PortPath_; }

    // --- requests, on the window's thread ---
    void ReqID();
    void ReqMod();
    void ReqWrite();
    void ReqRead();
    void ReqVFORead();
    void ReqVFOwrite();
    void ReqMenuRead();
    void ReqMenuwrite();
    void ReqScope();
    void StopScope();

    // One command, one answer line. Assigns `response` only when an answer line was read (CR,
    // trailing characters of code 32 or below trimmed, cut at a NUL, at most 90 bytes). Callable
    // from any thread; exchanges never overlap.
    void Exchange(std::string_view command, std::string& response);

    // --- shared with the window ---
    std::string ScopeUpper; // 11 digits, Hz
    std::string ScopeLower;
    char ScopeStep = '5';
    char ScopeBand = '0';
    std::int32_t ScopeCount = 0;
    RadioImage Image; // the link's own working copy

    std::atomic<std::int32_t> Running{1};
    std::atomic<std::int32_t> ScopeRunning{0};
    std::atomic<std::int32_t> Operation{kOpIdle};

    std::int32_t OpenErrors() const { return OpenErrors_; }
    // The last command sent, CR included, at most 50 characters.
    std::string LastCommand() const;

protected:
    void run() override; // the worker body

private:
    // Worker procedures; each ends with Finish(), which clears Operation before posting.
    void DoID();
    void DoMod();
    void DoRead();
    void DoWrite();
    void DoVFORead();
    void DoVFOwrite();
    void DoMenuRead();
    void DoMenuwrite();
    void DoScope();

    void OpenPort();
    void ClosePort();

    // The row write of the memory transfer, sent without Exchange: the text carries its own CR and
    // the answer is read up to `readLimit` bytes, untrimmed.
    struct DirectSendResult {
        bool writeOk = false;
        bool lineArrived = false;
        bool readOk = false;
    };
    DirectSendResult DirectSend(std::string_view textWithCr, std::size_t readLimit, bool purge,
                                std::string_view statusAfterWrite, std::string_view statusAfterWait,
                                std::string& response);

    void Status(std::string_view utf8);
    void StatusCp932(std::string_view cp932); // a radio answer, shown as text
    void Post(int code, long value);
    void Finish(int code, long value); // Operation := 0, then post
    void Request(LinkOperation op);

    std::string PortName_ = "COM2";
    std::string PortPath_;
    std::int32_t OpenErrors_ = 0;
    QObject* StatusBar_ = nullptr; // set before start(), only posted to afterwards
    QObject* Window_ = nullptr;
    SerialPortFactory PortFactory_;
    std::chrono::milliseconds ExchangeTimeout_{2000};

    std::unique_ptr<SerialPort> Port_; // lives on the worker thread between OpenPort and ClosePort
    mutable std::mutex ExchangeMutex_;
    std::string LastCommand_;
};

} // namespace zem
