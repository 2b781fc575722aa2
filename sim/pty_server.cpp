#include "pty_server.h"

#include "radio_line.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace zem::sim {
namespace {

using Clock = std::chrono::steady_clock;

// While no client has the slave open the master reports a hang-up at once; waiting this long
// between looks keeps the thread from spinning until a client comes.
constexpr std::chrono::milliseconds kNoClientPause{5};

std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Returns how many bytes went out.
std::size_t WriteAll(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        // With no client the bytes have nowhere to go; the radio does not wait for a listener.
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return written;
}

timespec Until(Clock::time_point at) {
    const auto left = std::max(at - Clock::now(), Clock::duration::zero());
    const auto s = std::chrono::duration_cast<std::chrono::seconds>(left);
    return {static_cast<time_t>(s.count()),
            static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(left - s).count())};
}

} // namespace

PtyServer::PtyServer(std::shared_ptr<RadioEngine> engine, SimOptions options)
    : engine_(engine ? std::move(engine) : std::make_shared<RadioEngine>()), options_(std::move(options)) {}

PtyServer::~PtyServer() {
    Stop();
}

std::string PtyServer::Start() {
    if (thread_.joinable())
        return {};
    int slave = -1;
    if (::openpty(&master_, &slave, nullptr, nullptr, nullptr) != 0)
        return SystemError("openpty");
    const char* name = ::ttyname(slave);
    if (name == nullptr) {
        const std::string error = SystemError("ttyname");
        ::close(slave);
        ::close(master_);
        master_ = -1;
        return error;
    }
    slavePath_ = name;
    termios t{};
    ::tcgetattr(slave, &t);
    ::cfmakeraw(&t);
    ::cfsetspeed(&t, B9600);
    const bool raw = ::tcsetattr(slave, TCSANOW, &t) == 0;
    // The slave is not kept open: the settings stay with the pair while the master is open, and
    // a client's exclusive open must not find a second holder.
    ::close(slave);
    if (!raw) {
        const std::string error = SystemError("tcsetattr");
        ::close(master_);
        master_ = -1;
        return error;
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    // A program started meanwhile must not inherit the radio's end of the line: it would keep the
    // terminal alive after the server and pass for its far end.
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake_ < 0) {
        const std::string error = SystemError("eventfd");
        ::close(master_);
        master_ = -1;
        return error;
    }
    thread_ = std::thread([this] { Serve(); });
    return {};
}

void PtyServer::Stop() {
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wake_, &one, sizeof one);
        thread_.join();
    }
    for (int* fd : {&master_, &wake_}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void PtyServer::SetOptions(SimOptions options) {
    const std::lock_guard lock(optionsMutex_);
    options_ = std::move(options);
}

SimOptions PtyServer::Options() const {
    const std::lock_guard lock(optionsMutex_);
    return options_;
}

void PtyServer::ResetByteCounts() {
    bytesReceived_.store(0);
    bytesSent_.store(0);
}

void PtyServer::Serve() {
    struct Due {
        Clock::time_point at;
        std::string bytes;
    };
    std::deque<Due> outgoing; // in order of sending
    Clock::time_point radioFree{};
    LineFramer framer;
    for (;;) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {wake_, POLLIN, 0}};
        const timespec wait = outgoing.empty() ? timespec{1, 0} : Until(outgoing.front().at);
        const int ready = ::ppoll(fds, 2, &wait, nullptr);
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[1].revents != 0)
            return;
        if ((fds[0].revents & POLLIN) != 0) {
            char buffer[512];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            const Clock::time_point now = Clock::now();
            if (n > 0)
                bytesReceived_ += static_cast<std::uint64_t>(n);
            const SimOptions options = Options();
            for (const std::string& command : framer.Feed({buffer, n > 0 ? static_cast<std::size_t>(n) : 0})) {
                // A radio still sending an earlier answer finishes it first.
                const Clock::time_point base = std::max(now + ReceiveTime(command.size() + 1, options), radioFree);
                for (const Burst& b : PlanReply(*engine_, command, options)) {
                    outgoing.push_back({base + b.at, b.bytes});
                    radioFree = std::max(radioFree, base + b.at);
                }
            }
        } else if ((fds[0].revents & (POLLHUP | POLLERR)) != 0) {
            const Clock::time_point until = outgoing.empty()
                                                ? Clock::now() + kNoClientPause
                                                : std::min(outgoing.front().at, Clock::now() + kNoClientPause);
            const timespec pause = Until(until);
            ::ppoll(&fds[1], 1, &pause, nullptr);
            if ((fds[1].revents & POLLIN) != 0)
                return;
        }
        while (!outgoing.empty() && outgoing.front().at <= Clock::now()) {
            // Counted before they go out, so a client that has read the bytes finds them counted;
            // what the line did not take is given back afterwards.
            const std::string& bytes = outgoing.front().bytes;
            bytesSent_ += bytes.size();
            bytesSent_ -= bytes.size() - WriteAll(master_, bytes);
            outgoing.pop_front();
        }
    }
}

} // namespace zem::sim
