#pragma once

#include "image_diff.h"
#include "records.h"
#include "write_mask.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// One part a write of the changes sends, with what the radio holds and what replaces it (memos
// aside: they never travel).
struct PlanItem {
    enum class Kind { Channel, Vfo, Setting, Dtmf };
    Kind kind;
    std::size_t index; // the row, the VFO, the menu field (MenuFields() order), the DTMF memory
    std::vector<FieldChange> fields;

    friend bool operator==(const PlanItem&, const PlanItem&) = default;
};

// The parts of `parts` in the order the write sends them: channel rows, VFOs, then the menu
// settings with the DTMF memories where the settings table puts them.
std::vector<PlanItem> PlanItems(const RadioImage& radio, const RadioImage& wanted, const WriteMask& parts);

// The words a front end names the four kinds with, in PlanItem::Kind order.
using PlanKindWords = std::array<std::string_view, 4>;

// One line for the user: the kind's word, the name, and for a channel or a setting what changes
// ("channel 005: 145.00000MHz → 433.00000MHz, 名前: A → B", "setting MES: "D7 SIM" → "HELLO!!"").
// A VFO or a DTMF memory is named alone: its fields are many and mostly hidden. The texts are
// shown as DiffImages gives them, through the one escape.
std::string PlanLine(const PlanItem& item, const PlanKindWords& words);

// The part's name without its kind: "005" or "L0" for a row, "2 (A145)" for the second VFO, "MES"
// for a setting, "3" for a DTMF memory.
std::string PlanItemName(const PlanItem& item);

} // namespace zem
