#include "pty_peer.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace zem::test {

PtyPeer::PtyPeer(Responder responder) : responder_(std::move(responder)) {
    std::array<char, 256> name{};
    if (openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    slavePath_ = name.data();
    termios attr{};
    tcgetattr(slave_, &attr);
    cfmakeraw(&attr);
    tcsetattr(slave_, TCSANOW, &attr);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    thread_ = std::thread([this] { Serve(); });
}

PtyPeer::~PtyPeer() {
    HangUp();
    if (slave_ >= 0)
        close(slave_);
}

void PtyPeer::HangUp() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    std::lock_guard lock(mutex_);
    if (master_ >= 0)
        close(master_);
    master_ = -1;
}

std::string PtyPeer::Received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<std::string> PtyPeer::Log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void PtyPeer::Send(const std::string& bytes) {
    std::lock_guard lock(mutex_);
    std::size_t done = 0;
    while (master_ >= 0 && done < bytes.size()) {
        const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (errno != EAGAIN && errno != EINTR)
            return;
    }
    log_.push_back(">" + bytes);
}

bool PtyPeer::Take(int timeoutMs, std::vector<std::string>& lines) {
    pollfd p{master_, POLLIN, 0};
    const int ready = poll(&p, 1, timeoutMs);
    if (ready <= 0)
        return ready == 0 || errno == EINTR;
    std::array<char, 512> chunk;
    const ssize_t n = read(master_, chunk.data(), chunk.size());
    if (n <= 0)
        return n < 0 && (errno == EAGAIN || errno == EINTR);
    std::lock_guard lock(mutex_);
    for (ssize_t i = 0; i < n; ++i) {
        const char c = chunk[static_cast<std::size_t>(i)];
        received_ += c;
        if (c != '\r') {
            partial_ += c;
            continue;
        }
        log_.push_back("<" + partial_);
        lines.push_back(partial_);
        partial_.clear();
    }
    return true;
}

void PtyPeer::Serve() {
    using Clock = std::chrono::steady_clock;
    std::vector<std::string> pending;
    while (!stop_) {
        if (!Take(5, pending))
            return;
        while (!pending.empty() && !stop_) {
            const std::string line = pending.front();
            pending.erase(pending.begin());
            if (!responder_)
                continue;
            for (const Chunk& chunk : responder_(line)) {
                // Keep listening during the pause, so the log shows what arrived meanwhile.
                const Clock::time_point until = Clock::now() + chunk.pauseBefore;
                while (Clock::now() < until && !stop_) {
                    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
                    if (!Take(static_cast<int>(left.count()), pending))
                        return;
                }
                Send(chunk.bytes);
            }
        }
    }
}

bool WaitForBytes(const PtyPeer& peer, const std::string& bytes) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (peer.Received() != bytes) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace zem::test
