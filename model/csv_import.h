#pragma once

#include "conversion_error.h"
#include "records.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace zem {

// A used channel at the frequency (MHz text) with the values an imported channel starts from:
// 20 kHz step, simplex with a zero offset, FM, no tones (both codes 88.5 Hz), no lockout, no name
// or memo. A frequency outside the receive bands gives an empty row (EmptyFlag '1'). Throws
// ConversionError (Decimal) when the text is not a decimal number.
MemoryChannel ImportedChannel(std::string_view mhzText);

// One CSV line (CP932, without its line end) as a channel: column 1 the frequency in MHz, column
// 2 the name, column 3 the memo; at most 9 columns, the later ones ignored. Column 1 is read as
// ImportedChannel reads it.
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
