#pragma once

#include "records.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// The channel layout that general multi-radio programming tools and repeater directories
// exchange: UTF-8 text, a header line naming the columns, then one row per channel with its number
// in Location, frequencies and offsets in MHz, steps in kHz, the name in Name and the memo in
// Comment.
//
// Tones: ToneOn sends ToneCode's tone and CtcssOn opens the squelch on CtcssCode's tone and sends
// it. The two flags are independent, each with its own code, so a channel with both sends one tone
// and listens for another: the layout's Tone "Cross" with CrossMode "Tone->Tone", rToneFreq the
// tone sent and cToneFreq the tone listened for. rToneFreq and cToneFreq always carry the two
// codes, used or not, so that reading the file back gives the same channel.

// The header line, without its line end.
std::string ChannelCsvHeader();

// What one row of a file did not give the program, or what the layout could not carry of one
// channel written into a file, for the user (UTF-8, Japanese).
struct ChannelCsvNote {
    std::size_t line = 0; // 1-based line of the file where the row starts; the header is line 1
    std::string location; // the row's Location as written
    bool skipped = false; // the row was not taken; otherwise it was taken without the noted fields
    std::vector<std::string> what;
};

struct ChannelCsvExport {
    std::string text;
    std::vector<ChannelCsvNote> notes; // the rows written without some of their fields, in file order
};

// The used channels 0..149 (not the scan memories L0..U9), one row each, lines ended CR LF.
// Reverse, a code naming no tone (written as 88.5), a split channel's shift code, a code the
// layout has no word for, control characters and bytes that start no CP932 character in names
// and memos are not carried: each is noted, and the text never holds U+FFFD or a control byte.
// Throws ConversionError when a used row's frequency or offset is not a whole number of Hz.
ChannelCsvExport ExportChannelCsv(const ChannelTable& channels);
// The used rows among `rows`, in their order, noted the same way; a scan memory's Location is its
// label ("L0").
ChannelCsvExport ExportChannelCsvRows(const ChannelTable& channels, std::span<const std::size_t> rows);

// True when the file's first line (after an optional UTF-8 byte order mark) names a Location
// column and does not start with a number: the program's own CSV lines start with a frequency.
bool IsChannelCsv(std::string_view fileBytes);

// A damaged file can note each of millions of lines: an import keeps the first notes and only
// counts the others, so that its memory stays bounded and the user still hears of them.
inline constexpr std::size_t kKeptNotes = 1000;

// What a UTF-8 file may begin with (spreadsheets write it); the text starts after it.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
void AddNote(std::vector<ChannelCsvNote>& notes, std::size_t& moreNotes, ChannelCsvNote note);

struct ChannelCsvImport {
    std::optional<std::string> error; // the file cannot be read at all; nothing was taken
    ChannelTable channels;            // the base with each taken row in place
    std::size_t taken = 0;
    std::vector<ChannelCsvNote> notes; // in file order, at most kKeptNotes
    std::size_t moreNotes = 0;         // rows noted past those
};

// Reads a file in this layout over a copy of `base`: each row whose Location names a channel
// 0..149 replaces that channel, built from the columns found by name in any order. Location and
// Frequency must be there; a missing column or an empty field gives the value the program's own
// CSV import starts from. Unknown columns are ignored. A row is skipped when its location, its
// frequency, its mode or its shift cannot be held; a field the TH-D7 has no place for is left
// out of a taken row. Each is noted. Reverse is not carried and comes back off.
ChannelCsvImport ImportChannelCsv(std::string_view fileBytes, const ChannelTable& base);

// The rows of a file in this layout in file order, each read as ImportChannelCsv reads it but
// without looking at its Location: for rows that go where the user puts them. Each row keeps its
// place: a blank row or one not taken gives no channel, so that the rows after it stay where
// they stood.
struct ChannelCsvRows {
    std::optional<std::string> error; // the file cannot be read at all
    std::vector<std::optional<MemoryChannel>> channels;
    std::vector<ChannelCsvNote> notes; // in file order, at most kKeptNotes
    std::size_t moreNotes = 0;         // rows noted past those
};
// `headerless`: the text has no header line and its columns stand in the layout's order.
ChannelCsvRows ReadChannelCsvRows(std::string_view fileBytes, bool headerless = false);

// Of a text's first record (UTF-8): it names at least one of the layout's columns, so it is a
// header; or it is a row of the layout without a header (a channel number or scan-memory label,
// a name and a frequency, and more columns after them, which the program's own three-column
// `MHz,name,memo` lines never have).
bool NamesChannelColumns(std::string_view firstRecordText);
bool IsHeaderlessChannelRow(std::string_view firstRecordText);

// "12 行目（Location 7）: ..." as one line.
std::string FormatChannelCsvNote(const ChannelCsvNote& note);

} // namespace zem
