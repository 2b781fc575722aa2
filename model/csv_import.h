#pragma once

#include "channel_csv.h"
#include "conversion_error.h"
#include "records.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// The receive bands, as notes about a frequency outside them name them.
inline constexpr std::string_view kReceiveBandsText = "（118〜135、136〜173、320〜399、400〜479 MHz）";

// A used channel at the frequency (MHz text) with the values an imported channel starts from:
// 20 kHz step, simplex with a zero offset, FM, no tones (both codes 88.5 Hz), no lockout, no name
// or memo. A frequency outside the receive bands gives an empty row (EmptyFlag '1'). Throws
// ConversionError (Decimal) when the text is not a decimal number.
MemoryChannel ImportedChannel(std::string_view mhzText);

// One CSV line (CP932, without its line end) as a channel: column 1 the frequency in MHz, column
// 2 the name, column 3 the memo; at most 9 columns, the later ones ignored. Column 1 is read as
// ImportedChannel reads it.
MemoryChannel ParseCsvLine(std::string_view line);
// The same, noting why a line is rejected and what of its name and memo is cut.
// Control characters of the name and memo become blanks, noted.
MemoryChannel ParseCsvLine(std::string_view line, std::vector<std::string>& notes);

struct CsvImportResult {
    std::string refusal;                  // why the whole file was not read (a UTF-16 file); no row changed
    std::size_t accepted = 0;             // channels filled
    std::optional<ConversionError> error; // the conversion error that ended the import
    std::size_t errorLine = 0;            // 1-based line number of that error
    std::vector<ChannelCsvNote> notes;    // lines not taken, names and memos cut; in file order,
                                          // at most kKeptNotes
    std::size_t moreNotes = 0;            // lines noted past those
};

// Fills channels 0, 1, 2, ... from the accepted lines of a CSV file (CR, LF or CR LF line ends).
// The file is CP932, or UTF-8 when it begins with the UTF-8 byte-order mark (characters CP932
// lacks are noted and left out); a UTF-16 file is refused as such. Control characters in names
// and memos become blanks, noted. Blank lines are skipped; a line without ',' or with a frequency outside the receive
// bands is noted and changes nothing; the import stops after 150 accepted lines and notes the lines it left unread, and
// never touches rows 150..169. A conversion error ends the import at its line, and the rows filled before it stay.
CsvImportResult ImportCsv(std::string_view fileBytes, ChannelTable& channels);

// The lines of a pasted text (UTF-8) in the same layout, each in its place as ReadChannelCsvRows
// gives them: a blank line or one not taken gives no channel, and what the import would note of a
// line is noted (a frequency that is not a number and characters CP932 lacks too, without ending
// the rest).
ChannelCsvRows ReadCsvLineRows(std::string_view utf8Text);

} // namespace zem
