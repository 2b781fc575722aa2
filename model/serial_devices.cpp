#include "serial_devices.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <tuple>

namespace zem {
namespace fs = std::filesystem;
namespace {

// How far above a tty's device node the hardware lies: the USB device with its product text is
// two levels up (interface, then device), a few adapters and the serial core add a level each.
constexpr int kSearchDepth = 4;

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    return line;
}

// The kernel keeps a slot per possible 8250 UART and marks the empty ones with type 0.
bool IsEmptyUartSlot(const fs::path& ttyDir) {
    std::error_code ec;
    return fs::exists(ttyDir / "type", ec) && FirstLine(ttyDir / "type") == "0";
}

struct DeviceFacts {
    std::string product; // the USB maker and product
    std::string driver;  // the first driver above the tty that says what the hardware is
};

// Newer kernels put the serial core's own "port" and "ctrl" devices between the tty and the
// hardware; their drivers say nothing about the device, so the walk passes them by.
DeviceFacts FactsOf(const fs::path& ttyDir) {
    DeviceFacts facts;
    std::error_code ec;
    fs::path dir = fs::canonical(ttyDir / "device", ec);
    for (int level = 0; !ec && level < kSearchDepth && dir.has_relative_path(); ++level) {
        if (fs::exists(dir / "product", ec)) {
            const std::string maker = FirstLine(dir / "manufacturer");
            const std::string product = FirstLine(dir / "product");
            facts.product = maker.empty() ? product : maker + " " + product;
            return facts;
        }
        const fs::path driver = fs::canonical(dir / "driver", ec);
        if (!ec && facts.driver.empty() && driver.parent_path().parent_path().filename() != "serial-base")
            facts.driver = driver.filename().string();
        ec.clear();
        dir = dir.parent_path();
    }
    return facts;
}

// Device path (canonical) to its by-id name.
std::map<fs::path, std::string> ByIdNames(const fs::path& byIdDir) {
    std::map<fs::path, std::string> names;
    std::error_code ec;
    // Stepped with error codes: a folder that changes or fails during the walk ends the list, it
    // does not throw out of the port menu.
    for (fs::directory_iterator it(byIdDir, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code linkError;
        const fs::path target = fs::canonical(it->path(), linkError);
        if (!linkError)
            names.emplace(target, it->path().filename().string());
    }
    return names;
}

// "ttyS10" sorts as ("ttyS", 10), after "ttyS2".
std::tuple<std::string, long, std::string> NaturalKey(const std::string& name) {
    std::size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
        --digits;
    const std::string number = name.substr(digits);
    return {name.substr(0, digits), number.empty() || number.size() > 9 ? -1 : std::stol(number), name};
}

} // namespace

std::vector<SerialDevice> ListSerialDevices() {
    return ListSerialDevices("/sys/class/tty", "/dev", "/dev/serial/by-id");
}

std::vector<SerialDevice> ListSerialDevices(const fs::path& sysClassTty, const fs::path& devDir,
                                            const fs::path& byIdDir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(sysClassTty, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code existsError;
        if (fs::exists(it->path() / "device", existsError) && !IsEmptyUartSlot(it->path()) &&
            fs::exists(devDir / name, existsError))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return NaturalKey(a) < NaturalKey(b); });

    const std::map<fs::path, std::string> byId = ByIdNames(byIdDir);
    std::vector<SerialDevice> devices;
    for (const std::string& name : names) {
        const DeviceFacts facts = FactsOf(sysClassTty / name);
        SerialDevice device{(devDir / name).string(), facts.product};
        if (device.description.empty()) {
            const auto it = byId.find(fs::canonical(devDir / name, ec));
            device.description = !ec && it != byId.end() ? it->second : facts.driver;
        }
        devices.push_back(std::move(device));
    }
    return devices;
}

} // namespace zem
