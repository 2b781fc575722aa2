#include "difference_lines.h"

namespace cli {

std::string DifferenceLines(const std::vector<zem::RowDifference>& rows) {
    std::string out;
    for (const zem::RowDifference& row : rows)
        out += zem::DifferenceLine(row) + '\n';
    return out;
}

} // namespace cli
