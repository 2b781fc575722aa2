#include "link_session.h"

#include "console.h"
#include "options.h"

#include "sim/port_factory.h"

namespace cli {
namespace {

// An answer-free radio should not hold the tool for minutes, nor a slow one be cut off.
constexpr int kLongestTimeoutMs = 60'000;

} // namespace

bool ReadLinkOptions(const QCommandLineParser& parser, const QString& command, LinkTarget& target) {
    target.port = parser.value(kPortOption);
    if (target.port.isEmpty()) {
        Error(QStringLiteral("zem_d7-cli %1: give the radio's port with --port PORT").arg(command));
        return false;
    }
    target.fast = parser.isSet(kFastOption);
    if (parser.isSet(kTimeoutOption)) {
        bool ok = false;
        const int ms = parser.value(kTimeoutOption).toInt(&ok);
        if (!ok || ms < 1 || ms > kLongestTimeoutMs) {
            Error(QStringLiteral("zem_d7-cli %1: --timeout takes a number of ms from 1 to %2")
                      .arg(command)
                      .arg(kLongestTimeoutMs));
            return false;
        }
        target.timeout = std::chrono::milliseconds(ms);
    }
    return true;
}

LinkSession::LinkSession(LinkTarget target) : target_(std::move(target)) {}

SessionResult LinkSession::Run(const Request& request, int completionCode, const Prepare& prepare) {
    return Run(
        request, [completionCode](zem::TCommThread&, const zem::LinkMessage& m) { return m.code() == completionCode; },
        prepare);
}

SessionResult LinkSession::Run(const Request& request, const Completion& isDone, const Prepare& prepare) {
    zem::TCommThread link;
    link.SetStatusBar(this);
    link.SetPortPath(target_.port.toStdString());
    link.SetWindow(this);
    link.SetPortFactory(zem::sim::PortFactoryWithSimulator());
    link.SetExchangeTimeout(target_.timeout);
    link.SetFastTransfers(target_.fast);
    if (prepare)
        prepare(link);

    link_ = &link;
    request_ = request;
    isDone_ = isDone;
    requested_ = false;
    result_ = {};
    link.start();
    loop_.exec(); // until code 5
    link.wait();
    link_ = nullptr;
    return result_;
}

void LinkSession::OnMessage(const zem::LinkMessage& message) {
    const int code = message.code();
    const long value = message.value();
    // The worker never clears Running itself: every way out of a session goes through here.
    const auto stop = [this] { link_->Running.store(0, std::memory_order_release); };
    if (code == zem::kMsgPortClosed) {
        loop_.quit();
        return;
    }
    if (code == zem::kMsgPortOpened && !requested_) {
        requested_ = true;
        result_.openErrors = value;
        if (value != 0 || !request_(*link_))
            stop();
        return;
    }
    if (isDone_(*link_, message)) {
        result_.completed = true;
        result_.value = value;
        stop();
    }
}

bool LinkSession::event(QEvent* e) {
    if (e->type() == zem::LinkMessage::Type()) {
        OnMessage(*static_cast<zem::LinkMessage*>(e));
        return true;
    }
    if (e->type() == zem::TransferProgress::Type()) {
        const auto* p = static_cast<zem::TransferProgress*>(e);
        if (onProgress)
            onProgress(p->done(), p->total());
        return true;
    }
    if (e->type() == zem::StatusText::Type()) {
        result_.statusTexts.append(static_cast<zem::StatusText*>(e)->text());
        return true;
    }
    return QObject::event(e);
}

} // namespace cli
