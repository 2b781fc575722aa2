#pragma once

#include "link_only.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace zem {

// What the exchange makes of the bytes read: the text ends at the first NUL (the radio's buffer
// was copied as a C string), and trailing bytes of code 32 or below (CR, LF, blanks, controls)
// go. Inner CRs of a two-line answer stay. Bytes of 0x80 and above are text (CP932), never blanks.
std::string_view CutAtNul(std::string_view raw);
std::string_view TrimAnswer(std::string_view raw);

// Each line of an answer (lines end at CR) keeps at most `limit` bytes. The bound is per line: a
// late answer and the answer that follows it on the line are both kept whole, so that the second
// can still be told from the first.
std::string LimitLines(std::string_view text, std::size_t limit);

} // namespace zem
