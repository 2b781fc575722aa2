#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// Comma-separated records as RFC 4180 writes them: a field holding ',', '"', CR or LF is quoted,
// its quotes doubled, and every record ends with CR LF.
std::string FormatCsvRecord(const std::vector<std::string>& fields);

struct CsvRecord {
    std::vector<std::string> fields;
    std::size_t lines = 0; // lines of the text the record took, at least 1
    bool closed = true;    // false when the text ended inside a quoted field
};

// Takes the first record off the front of `text`. Quoted fields may hold commas, doubled quotes
// and line ends, kept as written; outside quotes CR, LF and CR LF each end the record, since files
// pass through editors of every kind. Text after a closing quote, up to the next comma, is kept
// with the field rather than lost.
CsvRecord TakeCsvRecord(std::string_view& text);

} // namespace zem
