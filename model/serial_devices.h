#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zem {

struct SerialDevice {
    std::string path;        // "/dev/ttyUSB0"
    std::string description; // "FTDI FT232R USB UART", or empty where the system says nothing
};

// The serial devices present, in natural order (ttyS2 before ttyS10): every tty in sysfs that has
// a device behind it, except 8250 UART slots the kernel found no UART in. The description is the
// USB product (with its maker), else the /dev/serial/by-id name, else the driver's name.
// Pseudo-terminals are not listed; they are given by path.
std::vector<SerialDevice> ListSerialDevices();
std::vector<SerialDevice> ListSerialDevices(const std::filesystem::path& sysClassTty,
                                            const std::filesystem::path& devDir, const std::filesystem::path& byIdDir);

} // namespace zem
