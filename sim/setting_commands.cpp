#include "setting_commands.h"

#include "model/menu_fields.h"

#include <algorithm>

namespace zem::sim {
namespace {

// The record's fields are reached through the program's menu table; what the radio accepts and
// how it answers stay written here, in the simulator's own terms.
SettingCommand Row(std::string_view word, ValueKind kind, std::size_t capacity = 1, std::string_view lead = {}) {
    const MenuField* field = FindMenuField(word);
    return {word, kind, capacity, lead, field->get, field->set};
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

const std::vector<SettingCommand>& SettingCommands() {
    using K = ValueKind;
    static const std::vector<SettingCommand> kRows{
        Row("MES", K::Text, 8),  Row("CNT", K::TwoDigits, 2), Row("LAN", K::Digit),     Row("SV", K::Digit),
        Row("APO", K::Digit),    Row("TSP", K::Digit),        Row("TXH", K::Flag),      Row("PT", K::Digit),
        Row("DTB", K::Digit),    Row("DS", K::Digit),         Row("ARO", K::Flag),      Row("SCR", K::Digit),
        Row("BEP", K::Digit),    Row("ELK", K::Flag),         Row("TXS", K::Flag),      Row("MYC", K::Text, 8),
        Row("GU", K::Digit),     Row("MP", K::Text, 17),      Row("NMSG", K::Text, 20), Row("ICO", K::Hex, 1, "0,"),
        Row("GM", K::Flag),      Row("GC", K::Text, 3),       Row("TXI", K::Digit),     Row("PP", K::Text, 32),
        Row("SMY", K::Text, 8),  Row("MAC", K::Digit),        Row("SMSG", K::Text, 9),  Row("SMC", K::Digit),
        Row("RSV", K::Text, 10), Row("RSC", K::Digit),        Row("VCS", K::Flag),
    };
    return kRows;
}

const SettingCommand* FindSettingCommand(std::string_view word) {
    const auto& rows = SettingCommands();
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const SettingCommand& c) { return c.word == word; });
    return it == rows.end() ? nullptr : &*it;
}

bool IsPlainText(std::string_view value, std::size_t capacity) {
    return value.size() <= capacity &&
           std::none_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool ValueFits(const SettingCommand& command, std::string_view value) {
    switch (command.kind) {
    case ValueKind::Digit:
        return value.size() == 1 && IsDigit(value[0]);
    case ValueKind::Flag:
        return value == "0" || value == "1";
    case ValueKind::Hex:
        return value.size() == 1 && (IsDigit(value[0]) || (value[0] >= 'A' && value[0] <= 'E'));
    case ValueKind::TwoDigits:
        return value.size() == 2 && IsDigit(value[0]) && IsDigit(value[1]);
    case ValueKind::Text:
        return IsPlainText(value, command.capacity);
    }
    return false;
}

} // namespace zem::sim
