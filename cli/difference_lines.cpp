#include "difference_lines.h"

#include "escaped_text.h"

namespace cli {

std::string DifferenceLines(const std::vector<zem::RowDifference>& rows) {
    std::string out;
    for (const zem::RowDifference& row : rows)
        out += zem::DifferenceLine(row, &Escaped) + '\n';
    return out;
}

} // namespace cli
