#pragma once

#include "records.h"

#include <functional>
#include <string_view>

namespace zem {

// The memory sorts. Only the used channels among 0..149 take part; empty rows and L0..U9 stay in
// place, and whole records are exchanged. Every ordered pair (i, j) is visited, i outer and j
// inner, both over 0..149, and exchanged when its strict test holds; equal keys therefore end in
// the order these passes leave them, which the users' files already depend on.

// CP932 texts; the result is <0, 0 or >0 like strcmp.
using TextCompare = std::function<int(std::string_view, std::string_view)>;

// Ascending RxFreq read as a number. Throws ConversionError (Decimal) at the first used channel
// whose RxFreq is not a number; the exchanges made until then stay.
void SortByFrequency(ChannelTable& channels);
// Descending by the comparison, so empty names and memos end last.
void SortByName(ChannelTable& channels, const TextCompare& compare);
void SortByMemo(ChannelTable& channels, const TextCompare& compare);

} // namespace zem
