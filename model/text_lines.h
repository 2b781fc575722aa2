#pragma once

#include <string_view>
#include <vector>

namespace zem {

// Takes the first line off the front of `text` and returns it without its line end. CR, LF and
// CR LF each end a line, since files pass through editors of every kind. Text after the last line
// end is a line of its own; a final line end starts no empty line after it.
std::string_view TakeLine(std::string_view& text);

// The fields of a text between its commas: a text without ',' is one field, an empty text one
// empty field, and "a,,b" three.
std::vector<std::string_view> SplitAtCommas(std::string_view text);

} // namespace zem
