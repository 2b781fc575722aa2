#pragma once

#include "records.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// The settings file (*.zem): CP932 text of 188 lines, each ended by ";" CR LF: the header
// "ID TH-D7 ZEM_D7;", 170 MEM lines (rows 0..169), 6 VFO lines, one MENU line and 10 DTMF lines.
// Values are separated by ',' and never quoted; texts are written byte for byte.
//
// Reading damaged files. The readers never look outside the line they are given, and every record
// gets a defined content:
// - A line that lacks its keyword ("MEM", "VFO", "MENU", "DTMF"), or has fewer values than its
//   record needs (MEM: 17 values for a used row, VFO: 15, MENU: 31, DTMF: 2), is damaged:
//   a MEM line gives an empty row (EmptyFlag '1', nothing else set), a VFO line a blank record,
//   a MENU line the start-up menu settings, a DTMF line an empty memory. The whole-file reader
//   puts the VFO's start-up values in place of a damaged VFO line.
// - A line missing because the file ends early is read as damaged.
// - A MEM row is used only when its flag value is exactly "0"; any other flag gives an empty row.
// - A one-character field takes CharOf of its value, so an empty or unknown value becomes '0'.
// - The value after the memo (the reserved character) is never read; other writers put a NUL
//   byte there, which reads like any other character.
//
// Texts holding ',' are written unchanged, and read back whole: the extra values of a MEM line
// belong to Memo, those of a DTMF line to Name, and those of a MENU line to the free texts. Of the
// ways of sharing them out, only those in which every other field holds a value of its own format
// (HoldsMenuValue) count; among those PP gets the most it can, then NMSG, MES, SMSG and RSV. When
// no way fits, the MENU line is read by position.
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

inline constexpr std::string_view kSettingsHeader = "ID TH-D7 ZEM_D7;";
inline constexpr std::string_view kSettingsHeaderMark = "TH-D7 ZEM_D7";
inline constexpr std::size_t kSettingsSetLines = kChannelRows + kVfoCount + 1 + kDtmfCount;

// The file's bytes.
std::string FormatSettingsFile(const RadioImage& image);

struct SettingsFileRead {
    bool recognised = false;           // the first line holds "TH-D7 ZEM_D7"; otherwise image is untouched
    std::vector<std::string> warnings; // lines left unread, said for the user (UTF-8, Japanese)
};
// Reads a whole file's bytes into image. CR, LF and CR LF end a line, so no text of the format can
// hold either. After the header the file is read in sets of 187 lines, so a file holding two
// sets keeps the second. A short first set reads its missing lines as damaged ones; a later set
// that is short is left unread with a warning, and the set before it stands. Blank lines at the
// end of the file do not count as lines.
SettingsFileRead ParseSettingsFile(std::string_view bytes, RadioImage& image);

} // namespace zem
