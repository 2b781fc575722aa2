#include "menu_fields.h"

#include "codecs.h"
#include "member_text.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

namespace zem {
namespace {

// A text takes any bytes up to its capacity; a coded field is one character unless said otherwise.
template <auto Member>
constexpr MenuField Field(std::string_view name, std::string_view codes = {}, std::size_t shortest = 1,
                          std::size_t longest = 1) {
    using Type = std::remove_cvref_t<decltype(std::declval<RadioSettings>().*Member)>;
    if constexpr (std::is_same_v<Type, char>)
        return {name, true, 1, codes, shortest, longest, &MemberText<Member>, &SetMemberText<Member>};
    else if (codes.empty())
        return {name, false, Type::capacity, codes, 0, Type::capacity, &MemberText<Member>, &SetMemberText<Member>};
    else
        return {name, false, Type::capacity, codes, shortest, longest, &MemberText<Member>, &SetMemberText<Member>};
}

using S = RadioSettings;

// The codes of each list are its item indexes as the settings pages store them: a check box or
// a choice of two "01", the icon list hexadecimal "0".."E". The contrast bar gives two digits. The
// group code's edit takes any text up to three characters, so any such text is its own.
constexpr std::string_view kTwoChoices = "01";
constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kColours = "01234567";

constexpr std::array<MenuField, kMenuFieldCount> kFields{{
    Field<&S::MES>("MES").SharesCommas(3).StartsAs("HELLO!!"),
    Field<&S::CNT>("CNT", kDigits, 2, 2).StartsAs("07"),
    Field<&S::LAN>("LAN", kTwoChoices),
    Field<&S::SV>("SV", kDigits).StartsAs("5"),
    Field<&S::APO>("APO", "012").DtmfAfter().StartsAs("1"),
    Field<&S::TSP>("TSP", kTwoChoices).StartsAs("1"),
    Field<&S::TXH>("TXH", kTwoChoices),
    Field<&S::PT>("PT", "0123456").StartsAs("2"),
    Field<&S::DTB>("DTB", kTwoChoices).StartsAs("1"),
    Field<&S::DS>("DS", kTwoChoices),
    Field<&S::ARO>("ARO", kTwoChoices),
    Field<&S::SCR>("SCR", "012"),
    Field<&S::BEP>("BEP", "0123"),
    Field<&S::ELK>("ELK", kTwoChoices),
    Field<&S::TXS>("TXS", kTwoChoices),
    Field<&S::MYC>("MYC").StartsAs("NOCALL"),
    Field<&S::GU>("GU", "0123"),
    Field<&S::MP>("MP").StartsAs("00000000000000000"),
    Field<&S::NMSG>("NMSG").SharesCommas(2),
    Field<&S::ICO>("ICO", "0123456789ABCDE").Prefixed("0,"),
    Field<&S::GM>("GM", kTwoChoices),
    Field<&S::GC>("GC").StartsAs("000"),
    Field<&S::TXI>("TXI", "012345").StartsAs("2"),
    Field<&S::PP>("PP").SharesCommas(1),
    Field<&S::SMY>("SMY"),
    Field<&S::MAC>("MAC", kColours).StartsAs("7"),
    Field<&S::SMSG>("SMSG").SharesCommas(4),
    Field<&S::SMC>("SMC", kColours).StartsAs("7"),
    Field<&S::RSV>("RSV").SharesCommas(5),
    Field<&S::RSC>("RSC", kColours).StartsAs("7"),
    Field<&S::VCS>("VCS", kTwoChoices),
}};

constexpr std::size_t MostMenuValues() {
    std::size_t values = kMenuFieldCount;
    for (const MenuField& f : kFields)
        values += f.commaShare != 0 ? f.capacity : 0;
    return values;
}
static_assert(MostMenuValues() < kMenuValueLimit);

} // namespace

const std::vector<SettingsPart>& SettingsOrder() {
    static const std::vector<SettingsPart> order = [] {
        std::vector<SettingsPart> parts;
        for (std::size_t f = 0; f < kMenuFieldCount; ++f) {
            parts.push_back({f, 0});
            if (MenuFields()[f].dtmfFollows)
                for (std::size_t k = 0; k < kDtmfCount; ++k)
                    parts.push_back({kMenuFieldCount, k});
        }
        return parts;
    }();
    return order;
}

std::size_t FieldBeforeDtmf() {
    const std::vector<SettingsPart>& order = SettingsOrder();
    const auto firstDtmf = std::find_if(order.begin(), order.end(), [](const SettingsPart& p) { return p.IsDtmf(); });
    return std::prev(firstDtmf)->field;
}

const std::array<MenuField, kMenuFieldCount>& MenuFields() {
    return kFields;
}

const MenuField* FindMenuField(std::string_view name) {
    for (const MenuField& f : kFields)
        if (f.name == name)
            return &f;
    return nullptr;
}

bool HoldsMenuValue(const MenuField& field, std::string_view value) {
    const bool coded = std::all_of(value.begin(), value.end(), [&](char c) {
        return field.codes.empty() || field.codes.find(c) != std::string_view::npos;
    });
    return coded && value.size() >= field.shortest && value.size() <= field.longest;
}

} // namespace zem
