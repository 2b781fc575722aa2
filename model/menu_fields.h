#pragma once

#include "records.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace zem {

// The 31 menu fields of RadioSettings (the DTMF memories aside), in record order. This one table
// drives the MENU line of the settings file, the settings transfer, the settings pages and the
// command-line `show`, so the field order is written down only here.
struct MenuField {
    std::string_view name; // the radio command and record field name, "MES"
    bool isChar;           // a one-character code; otherwise a text of `capacity` bytes
    std::size_t capacity;  // 1 for a character field
    // The values the settings pages give the field: `shortest` to `longest` characters, each one
    // of `codes` (the item indexes of a list, "012" for three items, or digits); any bytes up to
    // `capacity` for a text, whose codes are empty.
    std::string_view codes;
    std::size_t shortest;
    std::size_t longest;
    std::string_view (*get)(const RadioSettings&);
    // A character field takes CharOf(value); a text field keeps the first `capacity` bytes.
    void (*set)(RadioSettings&, std::string_view value);
    // What the radio's set command and answer carry between the command's blank and the value
    // ("0," for the icon, "ICO 0,5").
    std::string_view valuePrefix = {};
    // The ten DTMF memories come right after this field: in the radio's command order, in the
    // record and on the settings pages.
    bool dtmfFollows = false;
    // A free text that may hold ',' in the settings file's MENU line; 0 for a field that never
    // does. When a line has more values than fields, the free texts are given the extra values in
    // this order, 1 first.
    std::size_t commaShare = 0;
    // What a new image holds; left empty, a character field starts as '0' and a text empty.
    std::string_view startValue = {};

    constexpr MenuField Prefixed(std::string_view prefix) const {
        MenuField f = *this;
        f.valuePrefix = prefix;
        return f;
    }
    constexpr MenuField DtmfAfter() const {
        MenuField f = *this;
        f.dtmfFollows = true;
        return f;
    }
    constexpr MenuField SharesCommas(std::size_t order) const {
        MenuField f = *this;
        f.commaShare = order;
        return f;
    }
    constexpr MenuField StartsAs(std::string_view value) const {
        MenuField f = *this;
        f.startValue = value;
        return f;
    }
};

inline constexpr std::size_t kMenuFieldCount = 31;
// More values than a MENU line's fields can take between them: each field one, each free text as
// many more as it has bytes (a value of commas only).
inline constexpr std::size_t kMenuValueLimit = 128;
const std::array<MenuField, kMenuFieldCount>& MenuFields();
// A part of the settings in the radio's command order: a menu field, or one of the DTMF memories,
// which come as ten right after the field marked `dtmfFollows`.
struct SettingsPart {
    std::size_t field; // the index in MenuFields(); kMenuFieldCount for a DTMF memory
    std::size_t dtmf;  // the DTMF memory, for one
    bool IsDtmf() const { return field == kMenuFieldCount; }
};
// The 31 fields and 10 DTMF memories in that order: the one walk the transfer, the labels, the
// plans and the differences all take.
const std::vector<SettingsPart>& SettingsOrder();
// The index in MenuFields() of the field the DTMF memories follow in that order.
std::size_t FieldBeforeDtmf();
// The field of that name, or nullptr.
const MenuField* FindMenuField(std::string_view name);
// Whether value is of the field's own format: `shortest` to `longest` of its codes.
bool HoldsMenuValue(const MenuField& field, std::string_view value);
// Whether the settings file's MENU line brings back a ',' in the field's value: only the free texts
// do. A ',' anywhere else splits the value and moves every field after it.
constexpr bool CarriesComma(const MenuField& field) {
    return field.commaShare != 0;
}

} // namespace zem
