#pragma once

#include "link/link_message.h"
#include "link/serial_port.h"
#include "link/tcomm_thread.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zem {

// The friend TCommThread names for its tests: the port handling the memory write uses.
struct TCommThreadProbe {
    static TCommThread::DirectSendResult DirectSend(TCommThread& link, std::string_view text, std::size_t limit,
                                                    bool purge, std::string_view afterWrite, std::string_view afterWait,
                                                    std::string_view head, std::string& response) {
        return link.DirectSend({text, head, purge, afterWrite, afterWait, limit}, response);
    }
};

namespace test {

// What reached the window's thread, in arrival order: link messages and status texts alike.
struct Arrival {
    bool isMessage = false;
    int code = 0;
    long value = 0;
    QString text;
    std::int32_t operationOnArrival = 0; // the link's Operation when the message was handled
    bool unread = false;
    LinkCompletion completion{}; // a message's, whole
};

// Stands in for the window and its status bar. `onMessage` runs inside the event handler, as a
// window's completion handler would.
class MessageLog : public QObject {
public:
    explicit MessageLog(const TCommThread* link = nullptr) : link_(link) {}

    std::function<void(int code, long value)> onMessage;

    const std::vector<Arrival>& Arrivals() const { return arrivals_; }
    std::vector<std::pair<int, long>> Messages() const;
    std::vector<QString> Statuses() const;
    bool Has(int code) const;

protected:
    bool event(QEvent* e) override;

private:
    const TCommThread* link_;
    std::vector<Arrival> arrivals_;
};

// Handles events until `done` holds. The guard only keeps a broken test from hanging the run;
// nothing is asserted about how long it took.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds guard = std::chrono::seconds(10));

// A scripted port for the exchange's decisions that a real line cannot show (a purge that did not
// happen, a failing write). Every call is written to the shared script's log.
struct FakeLine {
    std::mutex mutex;
    std::vector<std::string> calls;
    int openResult = 0;
    bool writeOk = true;
    std::deque<SerialPort::WaitResult> waits; // default, once empty: LineArrived
    struct ReadResult {
        std::string bytes;
        bool ok = true;
    };
    std::deque<ReadResult> reads; // default, once empty: nothing, ok

    std::vector<std::string> Calls();
};
SerialPortFactory FakePortFactory(std::shared_ptr<FakeLine> line);

// A link with its worker started on `path` (through `factory` when given), the log as window and
// status bar, already past its code 4.
struct RunningLink {
    explicit RunningLink(const std::string& path, SerialPortFactory factory = {},
                         std::chrono::milliseconds timeout = TCommThread::kDefaultExchangeTimeout);
    ~RunningLink();
    // Stops the worker and waits for code 5 and its end.
    void Stop();

    TCommThread link;
    MessageLog log{&link};
};

// Hands `request` to the link and handles events until the completion of its operation has come:
// that completion, or one with the value -1 when the request was refused or none came.
LinkCompletion RunRequest(RunningLink& r, const LinkRequest& request,
                          std::chrono::milliseconds guard = std::chrono::seconds(60));

} // namespace test
} // namespace zem
