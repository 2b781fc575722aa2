#include "setting_commands.h"

#include <algorithm>
#include <type_traits>

namespace zem::sim {
namespace {

template <auto Member> std::string_view Get(const RadioSettings& s) {
    const auto& field = s.*Member;
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, char>)
        return {&field, 1};
    else
        return field.view();
}

// Only validated values reach here, so a character field always gets exactly one character.
template <auto Member> void Set(RadioSettings& s, std::string_view value) {
    auto& field = s.*Member;
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, char>)
        field = value.front();
    else
        field = value;
}

template <auto Member>
SettingCommand Row(std::string_view word, ValueKind kind, std::size_t capacity = 1, std::string_view lead = {}) {
    return {word, kind, capacity, lead, &Get<Member>, &Set<Member>};
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

const std::vector<SettingCommand>& SettingCommands() {
    using K = ValueKind;
    using S = RadioSettings;
    static const std::vector<SettingCommand> kRows{
        Row<&S::MES>("MES", K::Text, 8),    Row<&S::CNT>("CNT", K::TwoDigits, 2), Row<&S::LAN>("LAN", K::Digit),
        Row<&S::SV>("SV", K::Digit),        Row<&S::APO>("APO", K::Digit),        Row<&S::TSP>("TSP", K::Digit),
        Row<&S::TXH>("TXH", K::Flag),       Row<&S::PT>("PT", K::Digit),          Row<&S::DTB>("DTB", K::Digit),
        Row<&S::DS>("DS", K::Digit),        Row<&S::ARO>("ARO", K::Flag),         Row<&S::SCR>("SCR", K::Digit),
        Row<&S::BEP>("BEP", K::Digit),      Row<&S::ELK>("ELK", K::Flag),         Row<&S::TXS>("TXS", K::Flag),
        Row<&S::MYC>("MYC", K::Text, 8),    Row<&S::GU>("GU", K::Digit),          Row<&S::MP>("MP", K::Text, 17),
        Row<&S::NMSG>("NMSG", K::Text, 20), Row<&S::ICO>("ICO", K::Hex, 1, "0,"), Row<&S::GM>("GM", K::Flag),
        Row<&S::GC>("GC", K::Text, 3),      Row<&S::TXI>("TXI", K::Digit),        Row<&S::PP>("PP", K::Text, 32),
        Row<&S::SMY>("SMY", K::Text, 8),    Row<&S::MAC>("MAC", K::Digit),        Row<&S::SMSG>("SMSG", K::Text, 9),
        Row<&S::SMC>("SMC", K::Digit),      Row<&S::RSV>("RSV", K::Text, 10),     Row<&S::RSC>("RSC", K::Digit),
        Row<&S::VCS>("VCS", K::Flag),
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
