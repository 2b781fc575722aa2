#pragma once

#include "link_only.h"
#include "posix_io.h"
#include "serial_port.h"

#include <termios.h>

#include <string>

namespace zem {

// A serial device or pseudo-terminal through POSIX termios. The port keeps its own input queue:
// bytes taken from the device while waiting for the CR are handed out by Read, and Purge drops
// them together with the device's queues.
//
// A device another program holds (its flock) fails to open, so two programs never share the
// radio's answers. Open's four set-up steps: exclusive access (TIOCEXCL), reading the device's
// settings (fails on anything that is not a terminal), applying 9600 8N1 raw without flow
// control, emptying the device's queues.
class TermiosPort : public SerialPort {
public:
    explicit TermiosPort(PosixIo& io = SystemIo());
    ~TermiosPort() override;
    TermiosPort(const TermiosPort&) = delete;
    TermiosPort& operator=(const TermiosPort&) = delete;

    int Open(const std::string& path) override;
    int OpenErrno() const override { return OpenErrno_; }
    bool Write(std::string_view bytes) override;
    WaitResult WaitForLine(std::chrono::milliseconds limit) override;
    bool Read(std::size_t maxBytes, std::chrono::milliseconds interval, std::string& out) override;
    void Purge() override;
    void Close() override;

    // The same size as the radio driver's receive queue; bytes beyond it are lost and the wait
    // reports a line error, as an overrun would.
    static constexpr std::size_t kQueueSize = 1024;

private:
    enum class Fill { Bytes, Nothing, Again, Failed }; // Again: interrupted, try once more
    // Waits up to timeoutMs for input and moves what has arrived into Input_.
    Fill WaitAndFill(int timeoutMs);
    void TakeInto(std::size_t maxBytes, std::string& out);

    PosixIo& Io_;
    int Fd_ = -1;
    int OpenErrno_ = 0;
    bool Overrun_ = false;
    bool Exclusive_ = false;
    bool HaveSavedAttr_ = false;
    termios SavedAttr_{};
    std::string Input_;
};

} // namespace zem
