#pragma once

#include <string_view>

namespace zem {

// Compares two CP932 texts the way Japanese users expect them ordered: the ja_JP collation,
// case-sensitive. Negative, zero or positive like strcmp. The sorts of the window and of the
// command-line tool both use it.
int CompareJapanese(std::string_view a, std::string_view b);

} // namespace zem
