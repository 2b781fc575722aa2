#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zem {

// The port menu's four choices: the name the program shows and the device it opens.
struct PortChoice {
    std::string name; // "com1", "COM2", "com3", "com4", as the radio link has always named them
    std::string path; // the platform's first four serial devices
};

// '0'..'3' give the four choices; any other character gives nothing.
std::optional<PortChoice> PortOfIndex(char index);

// The port index ('0'..'3') of a name such as "com1" or "COM4", in any letter case; nothing for
// any other name (a device path, "sim").
std::optional<char> IndexOfPortName(std::string_view name);

} // namespace zem
