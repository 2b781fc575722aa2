#include "menu_fields.h"

#include "codecs.h"

#include <type_traits>

namespace zem {
namespace {

template <auto Member> std::string_view Get(const RadioSettings& s) {
    const auto& field = s.*Member;
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, char>)
        return {&field, 1};
    else
        return field.view();
}

template <auto Member> void Set(RadioSettings& s, std::string_view value) {
    auto& field = s.*Member;
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, char>)
        field = CharOf(value);
    else
        field = value;
}

template <auto Member> constexpr MenuField Field(std::string_view name) {
    using Type = std::remove_cvref_t<decltype(std::declval<RadioSettings>().*Member)>;
    if constexpr (std::is_same_v<Type, char>)
        return {name, true, 1, &Get<Member>, &Set<Member>};
    else
        return {name, false, Type::capacity, &Get<Member>, &Set<Member>};
}

using S = RadioSettings;

const std::array<MenuField, kMenuFieldCount> kFields{{
    Field<&S::MES>("MES"), Field<&S::CNT>("CNT"), Field<&S::LAN>("LAN"),   Field<&S::SV>("SV"),
    Field<&S::APO>("APO"), Field<&S::TSP>("TSP"), Field<&S::TXH>("TXH"),   Field<&S::PT>("PT"),
    Field<&S::DTB>("DTB"), Field<&S::DS>("DS"),   Field<&S::ARO>("ARO"),   Field<&S::SCR>("SCR"),
    Field<&S::BEP>("BEP"), Field<&S::ELK>("ELK"), Field<&S::TXS>("TXS"),   Field<&S::MYC>("MYC"),
    Field<&S::GU>("GU"),   Field<&S::MP>("MP"),   Field<&S::NMSG>("NMSG"), Field<&S::ICO>("ICO"),
    Field<&S::GM>("GM"),   Field<&S::GC>("GC"),   Field<&S::TXI>("TXI"),   Field<&S::PP>("PP"),
    Field<&S::SMY>("SMY"), Field<&S::MAC>("MAC"), Field<&S::SMSG>("SMSG"), Field<&S::SMC>("SMC"),
    Field<&S::RSV>("RSV"), Field<&S::RSC>("RSC"), Field<&S::VCS>("VCS"),
}};

} // namespace

const std::array<MenuField, kMenuFieldCount>& MenuFields() {
    return kFields;
}

const MenuField* FindMenuField(std::string_view name) {
    for (const MenuField& f : kFields)
        if (f.name == name)
            return &f;
    return nullptr;
}

} // namespace zem
