#pragma once

#include <string_view>

namespace zem {

// What the exchange makes of the bytes read: the text ends at the first NUL (the radio's buffer
// was copied as a C string), and trailing bytes of code 32 or below (CR, LF, blanks, controls)
// go. Inner CRs of a two-line answer stay. Bytes of 0x80 and above are text (CP932), never blanks.
std::string_view CutAtNul(std::string_view raw);
std::string_view TrimAnswer(std::string_view raw);

} // namespace zem
