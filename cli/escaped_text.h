#pragma once

#include <string>
#include <string_view>

namespace cli {

// A text as the tool's tab-separated layouts can carry it: control bytes and the backslash written
// as escapes (\t, \r, \n, \xNN, \\), so a TAB or a line end inside a name cannot shift the columns
// or rows after it.
std::string Escaped(std::string_view text);

} // namespace cli
