#include "termios_port.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <array>

namespace zem {
namespace {

using Clock = std::chrono::steady_clock;

// A write that makes no progress for this long has met a device that no longer drains; at 9600
// baud the longest command leaves the output queue in about 50 ms.
constexpr int kWriteStallMs = 1000;

template <typename Call> auto RetryOnEintr(Call call) {
    for (;;) {
        auto result = call();
        if (result >= 0 || errno != EINTR)
            return result;
    }
}

int CeilMs(Clock::duration d) {
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(d).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 1'000'000));
}

termios LineSettings(termios attr) {
    cfmakeraw(&attr);
    cfsetispeed(&attr, B9600);
    cfsetospeed(&attr, B9600);
    attr.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    attr.c_cflag |= CS8 | CLOCAL | CREAD;
    attr.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // Reads never block in the driver: the port waits with poll() so that it can bound every wait.
    attr.c_cc[VMIN] = 0;
    attr.c_cc[VTIME] = 0;
    return attr;
}

} // namespace

TermiosPort::TermiosPort(PosixIo& io) : Io_(io) {}

TermiosPort::~TermiosPort() {
    Close();
}

int TermiosPort::Open(const std::string& path) {
    Close();
    OpenErrno_ = 0;
    const auto fails = [this](bool failed) {
        if (failed && OpenErrno_ == 0)
            OpenErrno_ = errno;
        return failed ? 1 : 0;
    };
    Fd_ = RetryOnEintr([&] { return Io_.Open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); });
    if (fails(Fd_ < 0) != 0)
        return 4;

    // Held by another program: as good as missing, like a port opened elsewhere without sharing.
    if (RetryOnEintr([&] { return Io_.Flock(Fd_, LOCK_EX | LOCK_NB); }) != 0 && errno == EWOULDBLOCK) {
        fails(true);
        Io_.Close(Fd_);
        Fd_ = -1;
        return 4;
    }
    int failed = 0;
    Exclusive_ = Io_.Ioctl(Fd_, TIOCEXCL) == 0;
    failed += fails(!Exclusive_);

    HaveSavedAttr_ = Io_.GetAttr(Fd_, &SavedAttr_) == 0;
    failed += fails(!HaveSavedAttr_);

    const termios wanted = LineSettings(HaveSavedAttr_ ? SavedAttr_ : termios{});
    failed += fails(RetryOnEintr([&] { return Io_.SetAttr(Fd_, TCSANOW, &wanted); }) != 0);

    failed += fails(Io_.Flush(Fd_, TCIOFLUSH) != 0);
    Input_.clear();
    Overrun_ = false;
    return failed;
}

bool TermiosPort::Write(std::string_view bytes) {
    if (Fd_ < 0)
        return false;
    while (!bytes.empty()) {
        const ssize_t n = Io_.Write(Fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        pollfd p{Fd_, POLLOUT, 0};
        const int ready = RetryOnEintr([&] { return Io_.Poll(&p, 1, kWriteStallMs); });
        if (ready <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            return false;
    }
    return true;
}

TermiosPort::Fill TermiosPort::WaitAndFill(int timeoutMs) {
    pollfd p{Fd_, POLLIN, 0};
    const int ready = Io_.Poll(&p, 1, timeoutMs);
    if (ready < 0)
        return errno == EINTR ? Fill::Again : Fill::Failed;
    if (ready == 0)
        return Fill::Nothing;
    if ((p.revents & POLLIN) == 0)
        return Fill::Failed; // POLLERR, POLLHUP or POLLNVAL with nothing left to read

    std::array<char, 256> chunk;
    const ssize_t n = Io_.Read(Fd_, chunk.data(), chunk.size());
    if (n < 0)
        return errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK ? Fill::Again : Fill::Failed;
    if (n == 0)
        return Fill::Failed; // readable yet empty: the other end has gone
    const std::size_t room = kQueueSize - std::min(kQueueSize, Input_.size());
    const auto got = static_cast<std::size_t>(n);
    Input_.append(chunk.data(), std::min(got, room));
    Overrun_ = Overrun_ || got > room;
    return Fill::Bytes;
}

SerialPort::WaitResult TermiosPort::WaitForLine(std::chrono::milliseconds limit) {
    if (Fd_ < 0)
        return WaitResult::LineError;
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
        if (Overrun_)
            return WaitResult::LineError;
        if (Input_.find('\r') != std::string::npos)
            return WaitResult::LineArrived;
        const Clock::duration left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            return WaitResult::TimedOut;
        if (WaitAndFill(CeilMs(left)) == Fill::Failed)
            return WaitResult::LineError;
    }
}

void TermiosPort::TakeInto(std::size_t maxBytes, std::string& out) {
    const std::size_t n = std::min(maxBytes, Input_.size());
    out.append(Input_, 0, n);
    Input_.erase(0, n);
}

bool TermiosPort::Read(std::size_t maxBytes, std::chrono::milliseconds interval, std::string& out) {
    if (Fd_ < 0)
        return false;
    const std::size_t start = out.size();
    TakeInto(maxBytes, out);
    // Each wait for the next byte starts afresh, so the read ends at the first gap longer than
    // the interval, however long the whole answer takes.
    while (out.size() - start < maxBytes) {
        const Fill fill = WaitAndFill(static_cast<int>(interval.count()));
        if (fill == Fill::Failed)
            return false;
        if (fill == Fill::Nothing)
            return true;
        TakeInto(maxBytes - (out.size() - start), out);
    }
    return true;
}

void TermiosPort::Purge() {
    Input_.clear();
    Overrun_ = false;
    if (Fd_ >= 0)
        Io_.Flush(Fd_, TCIOFLUSH);
}

void TermiosPort::Close() {
    if (Fd_ < 0)
        return;
    if (HaveSavedAttr_)
        Io_.SetAttr(Fd_, TCSANOW, &SavedAttr_);
    // The exclusive mark belongs to the device, not to this descriptor: clear it, or a pseudo-
    // terminal whose other descriptors stay open would refuse the next program.
    if (Exclusive_)
        Io_.Ioctl(Fd_, TIOCNXCL);
    Io_.Close(Fd_); // not retried: Linux releases the descriptor even when close reports EINTR
    Fd_ = -1;
    HaveSavedAttr_ = false;
    Exclusive_ = false;
    Input_.clear();
    Overrun_ = false;
}

} // namespace zem
