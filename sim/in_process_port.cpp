#include "in_process_port.h"

#include "radio_line.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace zem::sim {
namespace {

using Clock = std::chrono::steady_clock;

class InProcessPort final : public SerialPort {
public:
    InProcessPort(std::shared_ptr<RadioEngine> engine, SimOptions options)
        : engine_(engine ? std::move(engine) : std::make_shared<RadioEngine>()), options_(std::move(options)) {}

    int Open(const std::string&) override {
        const std::lock_guard lock(mutex_);
        open_ = true;
        incoming_.clear();
        return 0;
    }

    bool Write(std::string_view bytes) override {
        const std::lock_guard lock(mutex_);
        if (!open_)
            return false;
        for (const std::string& command : framer_.Feed(bytes)) {
            const Clock::time_point received = Clock::now() + ReceiveTime(command.size() + 1, options_);
            // A radio still sending an earlier answer finishes it first.
            const Clock::time_point base = std::max(received, radioFree_);
            for (const Burst& b : PlanReply(*engine_, command, options_)) {
                const Clock::time_point at = base + b.at;
                for (char c : b.bytes)
                    incoming_.push_back({at, c});
                radioFree_ = std::max(radioFree_, at);
            }
        }
        return true;
    }

    WaitResult WaitForLine(std::chrono::milliseconds limit) override {
        const Clock::time_point deadline = Clock::now() + limit;
        std::optional<Clock::time_point> crAt;
        {
            const std::lock_guard lock(mutex_);
            if (!open_)
                return WaitResult::LineError;
            const auto it = std::find_if(incoming_.begin(), incoming_.end(), [](const Byte& b) { return b.c == '\r'; });
            if (it != incoming_.end())
                crAt = it->at;
        }
        if (crAt && *crAt <= deadline) {
            std::this_thread::sleep_until(*crAt);
            return WaitResult::LineArrived;
        }
        std::this_thread::sleep_until(deadline);
        return WaitResult::TimedOut;
    }

    bool Read(std::size_t maxBytes, std::chrono::milliseconds interval, std::string& out) override {
        std::size_t taken = 0;
        Clock::time_point lastArrival = Clock::now();
        for (;;) {
            std::optional<Clock::time_point> next;
            {
                const std::lock_guard lock(mutex_);
                if (!open_)
                    return false;
                const Clock::time_point now = Clock::now();
                while (taken < maxBytes && !incoming_.empty() && incoming_.front().at <= now) {
                    out.push_back(incoming_.front().c);
                    lastArrival = std::max(lastArrival, incoming_.front().at);
                    incoming_.pop_front();
                    ++taken;
                }
                if (taken == maxBytes || incoming_.empty())
                    return true;
                next = incoming_.front().at;
            }
            if (*next - lastArrival > interval) {
                std::this_thread::sleep_until(lastArrival + interval);
                return true;
            }
            std::this_thread::sleep_until(*next);
        }
    }

    void Purge() override {
        const std::lock_guard lock(mutex_);
        // Bytes the radio has not sent yet are still on their way and arrive after the purge.
        const Clock::time_point now = Clock::now();
        while (!incoming_.empty() && incoming_.front().at <= now)
            incoming_.pop_front();
    }

    void Close() override {
        const std::lock_guard lock(mutex_);
        open_ = false;
        incoming_.clear();
    }

private:
    struct Byte {
        Clock::time_point at;
        char c;
    };

    std::shared_ptr<RadioEngine> engine_;
    SimOptions options_;
    std::mutex mutex_;
    bool open_ = false;
    LineFramer framer_;
    std::deque<Byte> incoming_; // in order of arrival
    Clock::time_point radioFree_{};
};

} // namespace

std::unique_ptr<SerialPort> MakeInProcessPort(std::shared_ptr<RadioEngine> engine, SimOptions options) {
    return std::make_unique<InProcessPort>(std::move(engine), std::move(options));
}

} // namespace zem::sim
