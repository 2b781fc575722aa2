#pragma once

#include "model/image_diff.h"

#include <string>
#include <vector>

namespace cli {

// One line per differing row as DifferenceLine lays it out, each text escaped as `show` escapes
// its cells.
std::string DifferenceLines(const std::vector<zem::RowDifference>& rows);

} // namespace cli
