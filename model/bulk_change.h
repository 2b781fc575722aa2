#pragma once

#include "records.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// The fields many channels can share, each one to set or (nothing) to leave as it is. Values are
// in the record's own form: codes and flags one character, the offset 9 digits of Hz.
struct BulkChange {
    std::optional<char> step = {};
    std::optional<char> shift = {}; // '0' simplex, '1' plus, '2' minus
    std::optional<std::string> offset = {};
    std::optional<char> reverse = {};
    // A tone or CTCSS code turns it on with that tone; an empty text turns it off, its tone kept.
    std::optional<std::string> tone = {};
    std::optional<std::string> ctcss = {};
    std::optional<char> mode = {}; // '0' FM, '1' AM
    std::optional<char> lockout = {};

    bool Empty() const { return !step && !shift && !offset && !reverse && !tone && !ctcss && !mode && !lockout; }
};

// Why a row was left as it was.
enum class BulkRefusal {
    SplitShift,   // a split channel has no shift, offset or reverse
    AmOutsideAir, // AM is received only between 118 and 135 MHz
    BadFrequency, // the stored receive frequency is not a number
};

struct BulkRefusedRow {
    std::size_t row;
    BulkRefusal reason;
};

struct BulkResult {
    ChannelTable table;
    std::vector<BulkRefusedRow> refused; // in the order of the rows
};

// The change made to every used row of `rows`; empty rows are passed over. A row that cannot
// take one of the fields takes none of them and is listed, so that no row ends half changed.
// Nothing but the fields chosen changes in the rows that take it.
BulkResult ApplyBulkChange(const ChannelTable& table, std::span<const std::size_t> rows, const BulkChange& change);

// One line per reason, in the window's words, naming its rows as the grid labels them
// ("...: 3, 7, L0").
std::vector<std::string> RefusalLines(std::span<const BulkRefusedRow> refused);

// A list of rows as the user writes it: "10-20,L0,U0-U2", labels as the grid shows them, a range
// running in table order. Ascending without repeats; nullopt when any part names no row.
std::optional<std::vector<std::size_t>> ParseRowList(std::string_view text);

} // namespace zem
