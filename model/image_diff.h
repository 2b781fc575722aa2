#pragma once

#include "records.h"

#include <string>
#include <string_view>
#include <vector>

namespace zem {

// One field that differs, with both sides' texts in UTF-8 as the grids and editors show them. A
// setting's only field has an empty name: the row's label is the setting's name.
struct FieldChange {
    std::string name;
    std::string before;
    std::string after;

    friend bool operator==(const FieldChange&, const FieldChange&) = default;
};

// A channel row ("5", "L0"), a VFO ("A145"), a DTMF memory ("DTMF 3") or a setting ("MES") that
// differs, with every field that does.
struct RowDifference {
    std::string label;
    std::vector<FieldChange> fields;

    friend bool operator==(const RowDifference&, const RowDifference&) = default;
};

// What to compare. The memo is kept only by the program and the settings file, so comparing
// with what a radio holds leaves it out.
struct DiffScope {
    bool channels = true;
    bool vfos = true;
    bool settings = true; // the menu settings and the DTMF memories
    bool memo = true;
};

// Every row of the scope that differs between `before` and `after`, in the grids' order: the
// channel rows, the VFOs, then the settings with the DTMF memories where the settings table puts
// them. Every stored field
// counts, the ones the grids do not show included; two empty rows are equal, as the grid shows
// both as "Empty". Where the shown texts of a differing field coincide (a frequency that differs
// below its shown decimals), the stored texts are given instead.
std::vector<RowDifference> DiffImages(const RadioImage& before, const RadioImage& after, const DiffScope& scope = {});

// A difference in one line: the label, then for each field a TAB and "NAME: BEFORE → AFTER"
// ("BEFORE → AFTER" for a setting's nameless field). The texts are shown as ShownCp932 shows
// them, so no control character or damaged byte reaches the columns.
std::string DifferenceLine(const RowDifference& row);

} // namespace zem
