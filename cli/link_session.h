#pragma once

#include "link/serial_port.h"
#include "link/tcomm_thread.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QObject>
#include <QStringList>

#include <chrono>
#include <functional>

// Runs radio operations from the command line the way the window does: through TCommThread, its
// request methods and its posted messages, and nothing else.
namespace cli {

// Where the radio is and how long to wait for each of its answers.
struct LinkTarget {
    QString port; // a device path, com1..com4, or "sim" (a simulated radio inside the tool)
    std::chrono::milliseconds timeout = zem::TCommThread::kDefaultExchangeTimeout;
    bool fast = false; // TCommThread::SetFastTransfers
};

// --port PORT (required), --timeout MS and --fast; false after printing the one error line.
bool ReadLinkOptions(const QCommandLineParser& parser, const QString& command, LinkTarget& target);

struct SessionResult {
    long openErrors = 0;     // code 4's value: 0 when the port was usable
    bool completed = false;  // the operation's completion arrived
    long value = 0;          // and its value
    QStringList statusTexts; // everything the status bar would have shown, in order
};

// One connection running one operation: create the link, set it up, start it; request the
// operation when code 4 reports a usable port (or stop at once when it does not); stop when the
// completion arrives; return once code 5, the worker's last act, has come.
class LinkSession : public QObject {
public:
    using Prepare = std::function<void(zem::TCommThread&)>; // before start: copy tables in
    using Request = std::function<bool(zem::TCommThread&)>; // on code 4: ReqID, ReqRead, ...
    // Each message other than the port's own; true when it completes the operation.
    using Completion = std::function<bool(zem::TCommThread&, const zem::LinkMessage&)>;

    explicit LinkSession(LinkTarget target);

    // Called with each progress report of a running transfer (rows, VFOs or commands done).
    std::function<void(std::size_t done, std::size_t total)> onProgress;

    SessionResult Run(const Request& request, const Completion& isDone, const Prepare& prepare = {});
    // The usual case: the operation ends with one completion code.
    SessionResult Run(const Request& request, int completionCode, const Prepare& prepare = {});

protected:
    bool event(QEvent* e) override;

private:
    void OnMessage(const zem::LinkMessage& message);

    LinkTarget target_;
    zem::TCommThread* link_ = nullptr;
    Request request_;
    Completion isDone_;
    bool requested_ = false;
    SessionResult result_;
    QEventLoop loop_;
};

} // namespace cli
