#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zem {

// The serial line as the link uses it: 9600 baud, 8N1, raw, no flow control, one command and
// one answer line at a time. Implementations: the POSIX termios port (real devices and
// pseudo-terminals) and the simulator's in-process port.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens and configures the device. Returns how many of its four set-up steps failed (each
    // implementation names its own): 0 means usable; a device that cannot be opened, or that
    // another program holds, fails all four.
    virtual int Open(const std::string& path) = 0;
    // The errno of the first step of the last Open that failed; 0 when none did or the port
    // cannot tell.
    virtual int OpenErrno() const { return 0; }

    // Writes all bytes; false when the write failed or came short.
    virtual bool Write(std::string_view bytes) = 0;

    enum class WaitResult {
        LineArrived, // a CR has arrived since the last purge
        LineError,   // the line reported an error (or the device went away)
        TimedOut,    // nothing ended the wait within the limit
    };
    virtual WaitResult WaitForLine(std::chrono::milliseconds limit) = 0;

    // Takes the bytes already received, then goes on while no gap between two bytes exceeds
    // `interval`, stopping at maxBytes. Appends to `out`; false on a read failure.
    virtual bool Read(std::size_t maxBytes, std::chrono::milliseconds interval, std::string& out) = 0;

    // Drops both queues, the implementation's own buffers included.
    virtual void Purge() = 0;

    virtual void Close() = 0;
};

// Makes the port for a port name; the front ends add names of their own ("sim").
using SerialPortFactory = std::function<std::unique_ptr<SerialPort>(const std::string& name)>;

} // namespace zem
