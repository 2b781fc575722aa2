#pragma once

#include "records.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// The settings file (*.zem): CP932 text of 188 lines, each ended by ";" CR LF: the header
// "ID TH-D7 ZEM_D7;", 170 MEM lines (rows 0..169), 6 VFO lines, one MENU line and 10 DTMF lines.
// Values are separated by ',' and never quoted; texts are written byte for byte.
//
// Reading damaged lines. The line readers never look outside the line they are given, and every
// record gets a defined content:
// - A line that lacks its keyword ("MEM", "VFO", "MENU", "DTMF"), or has fewer values than its
//   record needs (MEM: 17 values for a used row, VFO: 15, MENU: 31, DTMF: 2), is damaged:
//   a MEM line gives an empty row (EmptyFlag '1', nothing else set), a VFO line a blank record,
//   a MENU line the start-up menu settings, a DTMF line an empty memory.
// - A MEM row is used only when its flag value is exactly "0"; any other flag gives an empty row.
// - A one-character field takes CharOf of its value, so an empty or unknown value becomes '0'.
// - The value after the memo (the reserved character) is never read; other writers put a NUL
//   byte there, which reads like any other character.
// The whole-file reader takes no damaged line into the image (ParseSettingsFile).
//
// Texts holding ',' are written unchanged, and read back whole: the extra values of a MEM line
// belong to Memo, those of a DTMF line to Name, and those of a MENU line to the free texts
// (CarriesComma). Of the ways of sharing them out, only those in which every other field holds a
// value of its own format (HoldsMenuValue) count; among those PP gets the most it can, then NMSG,
// MES, SMSG and RSV. When no way fits, the MENU line is read by position. Several free texts with
// commas can make one line that two settings records write alike; MenuSharing tells.
//
// Reserved is not kept by the file: it is written as itself when it is a visible ASCII character
// other than ',' and ';', and as '0' otherwise (code 0 included).

// Whole lines including ";\r\n".
std::string FormatMemLine(const MemoryChannel& ch, std::size_t row);
std::string FormatVfoLine(const VfoRecord& vfo, std::size_t number);
std::string FormatMenuLine(const RadioSettings& s);
std::string FormatDtmfLine(const DtmfMemory& m);

// Each takes one line without its line end.
MemoryChannel ParseMemLine(std::string_view line);
VfoRecord ParseVfoLine(std::string_view line);
RadioSettings ParseMenuLine(std::string_view line); // menu fields only (Dtmf left blank)
DtmfMemory ParseDtmfLine(std::string_view line);

// How the values of a MENU line went to its fields.
enum class MenuSharing {
    OneEach,    // as many values as fields
    Unique,     // more values, and exactly one way of sharing them fits
    Ambiguous,  // several ways fit: the line was read with the free texts' order of preference
    ByPosition, // no way fits: one value a field, the rest left unread
};
struct MenuLineRead {
    RadioSettings settings; // menu fields only (Dtmf left blank)
    MenuSharing sharing;
};
// nullopt for a damaged line.
std::optional<MenuLineRead> ReadMenuLine(std::string_view line);

inline constexpr std::string_view kSettingsHeader = "ID TH-D7 ZEM_D7;";
inline constexpr std::string_view kSettingsHeaderMark = "TH-D7 ZEM_D7";
inline constexpr std::size_t kSettingsSetLines = kChannelRows + kVfoCount + 1 + kDtmfCount;

// The file's bytes.
std::string FormatSettingsFile(const RadioImage& image);

struct SettingsFileRead {
    bool recognised = false; // the first line holds "TH-D7 ZEM_D7"; otherwise image is untouched
    // Why a recognised file was refused, naming its first line that is not what the set expects;
    // empty when it was read. A refused file leaves the image untouched.
    std::string refusal;
    std::vector<std::string> warnings; // lines left unread or read uncertainly, for the user
    // The warning among them about the MENU line of the set read (its commas read by position or
    // one of several ways): its values may sit in other settings than the file meant, so they must
    // not reach a radio unasked. Empty when the line was read surely.
    std::string menuWarning;
    // The file holds lines the image does not (an earlier set, a stray tail): a save over the file
    // would drop them, so the user must hear of it.
    bool linesLeft = false;
    bool Read() const { return recognised && refusal.empty(); }
};
// Reads a whole file's bytes into image. CR, LF and CR LF end a line, so no text of the format can
// hold either. After the header the file is read in sets of 187 lines, so a file holding two
// sets keeps the second, and says so. A set is whole when each of its lines begins with the
// keyword its place holds (and for MEM and VFO lines the row or VFO number of that place: "MEM
// 048,"), ends with ';' and is not damaged. A file whose first set is not whole is refused: read
// by position, a line missing, added or swapped would shift every record after it, and a damaged
// one would empty its record, which a write would then carry to the radio. The refusal names the
// first line that is not what its place expects, by its number in the file. A later set that is not whole is
// a stray tail (a line added, a memo broken by a line end) and is left unread with a warning; the
// set before it stands. Blank lines at the end of the file do not count as lines. Texts are
// messages for the user (UTF-8, Japanese).
SettingsFileRead ParseSettingsFile(std::string_view bytes, RadioImage& image);

} // namespace zem
