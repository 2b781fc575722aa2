#include "link_test_support.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <thread>

namespace zem::test {

std::vector<std::pair<int, long>> MessageLog::Messages() const {
    std::vector<std::pair<int, long>> out;
    for (const Arrival& a : arrivals_) {
        if (a.isMessage)
            out.emplace_back(a.code, a.value);
    }
    return out;
}

std::vector<QString> MessageLog::Statuses() const {
    std::vector<QString> out;
    for (const Arrival& a : arrivals_) {
        if (!a.isMessage)
            out.push_back(a.text);
    }
    return out;
}

bool MessageLog::Has(int code) const {
    for (const Arrival& a : arrivals_) {
        if (a.isMessage && a.code == code)
            return true;
    }
    return false;
}

bool MessageLog::event(QEvent* e) {
    if (e->type() == LinkMessage::Type()) {
        const auto* m = static_cast<LinkMessage*>(e);
        const std::int32_t op = link_ != nullptr ? link_->Operation() : 0;
        arrivals_.push_back({true, m->code(), m->value(), {}, op, m->unread(), m->completion()});
        if (onMessage)
            onMessage(m->code(), m->value());
        return true;
    }
    if (e->type() == StatusText::Type()) {
        arrivals_.push_back({false, 0, 0, static_cast<StatusText*>(e)->text(), 0});
        return true;
    }
    return QObject::event(e);
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds guard) {
    const auto until = std::chrono::steady_clock::now() + guard;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::vector<std::string> FakeLine::Calls() {
    std::lock_guard lock(mutex);
    return calls;
}

namespace {

class FakePort : public SerialPort {
public:
    explicit FakePort(std::shared_ptr<FakeLine> line) : line_(std::move(line)) {}

    int Open(const std::string& path) override {
        std::lock_guard lock(line_->mutex);
        line_->calls.push_back("open " + path);
        return line_->openResult;
    }
    bool Write(std::string_view bytes) override {
        std::lock_guard lock(line_->mutex);
        line_->calls.push_back("write " + std::string(bytes));
        return line_->writeOk;
    }
    WaitResult WaitForLine(std::chrono::milliseconds) override {
        std::lock_guard lock(line_->mutex);
        line_->calls.push_back("wait");
        if (line_->waits.empty())
            return WaitResult::LineArrived;
        const WaitResult r = line_->waits.front();
        line_->waits.pop_front();
        return r;
    }
    bool Read(std::size_t maxBytes, std::chrono::milliseconds interval, std::string& out) override {
        std::lock_guard lock(line_->mutex);
        line_->calls.push_back("read " + std::to_string(maxBytes) + " " + std::to_string(interval.count()));
        if (line_->reads.empty())
            return true;
        const FakeLine::ReadResult r = line_->reads.front();
        line_->reads.pop_front();
        out += r.bytes.substr(0, maxBytes);
        return r.ok;
    }
    void Purge() override {
        std::lock_guard lock(line_->mutex);
        line_->calls.push_back("purge");
    }
    void Close() override {
        std::lock_guard lock(line_->mutex);
        line_->calls.push_back("close");
    }

private:
    std::shared_ptr<FakeLine> line_;
};

} // namespace

SerialPortFactory FakePortFactory(std::shared_ptr<FakeLine> line) {
    return [line](const std::string&) -> std::unique_ptr<SerialPort> { return std::make_unique<FakePort>(line); };
}

RunningLink::RunningLink(const std::string& path, SerialPortFactory factory, std::chrono::milliseconds timeout) {
    link.SetStatusBar(&log);
    link.SetWindow(&log);
    link.SetPortPath(path);
    link.SetPortFactory(std::move(factory));
    link.SetExchangeTimeout(timeout);
    link.start();
    WaitUntil([&] { return log.Has(kMsgPortOpened); });
}

RunningLink::~RunningLink() {
    Stop();
}

void RunningLink::Stop() {
    if (link.isFinished())
        return;
    link.Stop();
    WaitUntil([&] { return log.Has(kMsgPortClosed); });
    link.wait();
}

LinkCompletion RunRequest(RunningLink& r, const LinkRequest& request, std::chrono::milliseconds guard) {
    const std::size_t before = r.log.Arrivals().size();
    const auto completion = [&]() -> const Arrival* {
        const std::vector<Arrival>& arrivals = r.log.Arrivals();
        for (std::size_t i = before; i < arrivals.size(); ++i)
            if (arrivals[i].isMessage && arrivals[i].completion.op == request.op)
                return &arrivals[i];
        return nullptr;
    };
    if (!r.link.Request(request) || !WaitUntil([&] { return completion() != nullptr; }, guard))
        return {.value = -1};
    return completion()->completion;
}

} // namespace zem::test
