#pragma once

#include "records.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zem {

// What the memory and VFO grids show, column by column. Headings are UTF-8; cells are CP932
// bytes (ASCII but for names and memos). A cell function throws ConversionError when a stored
// digit text is not a number; the front end decides whether to show the message in the cell or
// in an error box.
struct MemoryColumn {
    std::string_view heading;
    std::string (*usedCell)(const MemoryChannel&); // the cell of a used channel
};
struct VfoColumn {
    std::string_view heading;
    std::string (*cell)(const VfoRecord&);
};

inline constexpr std::string_view kMemoryCornerHeading = "Ch";
inline constexpr std::string_view kVfoCornerHeading = "Band";
const std::array<MemoryColumn, 6>& MemoryColumns();
const std::array<VfoColumn, 5>& VfoColumns();

// A memory grid cell: an empty row shows "Empty" in the first column and nothing elsewhere.
std::string MemoryCell(std::size_t column, const MemoryChannel& ch);

// "145.00000MHz": digits with 5 decimals and the unit.
std::string FreqCell(std::string_view hzDigits);

// A cell in UTF-8 for a terminal or a comparison: the conversion error's text instead when the
// stored digits are damaged, so one damaged field does not hide the rest of the image.
std::string ShownCell(const std::function<std::string()>& cell);

} // namespace zem
