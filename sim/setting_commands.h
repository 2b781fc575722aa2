#pragma once

#include "model/records.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace zem::sim {

// What a menu setting accepts in its set command.
enum class ValueKind {
    Digit,     // one decimal digit, a list choice
    Flag,      // '0' or '1'
    Hex,       // one hexadecimal digit '0'..'E' (the station icon)
    TwoDigits, // exactly two decimal digits (the contrast)
    Text,      // up to `capacity` bytes of text, no control characters
};

// One of the radio's 31 menu settings: queried by its bare word, answered as
// word + " " + lead + value, set by word + " " + lead + value.
struct SettingCommand {
    std::string_view word;
    ValueKind kind;
    std::size_t capacity;
    std::string_view lead; // "0," for ICO, empty for the others
    std::string_view (*get)(const RadioSettings&);
    void (*set)(RadioSettings&, std::string_view value);
};

const std::vector<SettingCommand>& SettingCommands();
const SettingCommand* FindSettingCommand(std::string_view word);
bool ValueFits(const SettingCommand& command, std::string_view value);
// Text values: any bytes but control characters (CP932 double-byte characters included).
bool IsPlainText(std::string_view value, std::size_t capacity);

} // namespace zem::sim
