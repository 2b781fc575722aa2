#include "port_names.h"

#include <array>
#include <cctype>

namespace zem {
namespace {

// The second name is upper-case: the link has always spelled it that way and the window shows it.
const std::array<PortChoice, 4>& Choices() {
    static const std::array<PortChoice, 4> choices{{
        {"com1", "/dev/ttyS0"},
        {"COM2", "/dev/ttyS1"},
        {"com3", "/dev/ttyS2"},
        {"com4", "/dev/ttyS3"},
    }};
    return choices;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

std::optional<PortChoice> PortOfIndex(char index) {
    if (index < '0' || index > '3')
        return std::nullopt;
    return Choices()[static_cast<std::size_t>(index - '0')];
}

std::optional<char> IndexOfPortName(std::string_view name) {
    for (std::size_t i = 0; i < Choices().size(); ++i) {
        if (SameIgnoringCase(name, Choices()[i].name))
            return static_cast<char>('0' + i);
    }
    return std::nullopt;
}

} // namespace zem
