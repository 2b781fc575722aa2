#pragma once

#include "conversion_error.h"
#include "records.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace zem {

// One CSV line (CP932, without its line end) as a channel: column 1 the frequency in MHz, column
// 2 the name, column 3 the memo; at most 9 columns, the later ones ignored. A frequency outside
// the receive bands gives an empty row (EmptyFlag '1'). Throws ConversionError (Decimal) when
// column 1 is not a decimal number.
MemoryChannel ParseCsvLine(std::string_view line);

struct CsvImportResult {
    std::size_t accepted = 0;             // channels filled
    std::optional<ConversionError> error; // the conversion error that ended the import
    std::size_t errorLine = 0;            // 1-based line number of that error
};

// Fills channels 0, 1, 2, ... from the accepted lines of a CSV file (CR, LF or CR LF line ends).
// Lines without ',' are skipped; a rejected line empties the row the next accepted line will
// fill; the import stops after 150 accepted lines, and never touches rows 150..169. A conversion
// error ends the import at its line, and the rows filled before it stay.
CsvImportResult ImportCsv(std::string_view fileBytes, ChannelTable& channels);

} // namespace zem
