#pragma once

#include "model/records.h"

#include <cstddef>

namespace zem::bench {

// A memory with nothing left empty, the heaviest load a transfer can get: all 170 rows used,
// each with a name of up to 8 bytes (some in Japanese) and a memo, every fifth row split.
RadioImage FullMemoryImage();

std::size_t SplitRowCount(const RadioImage& image);

// Whether the rows of `got` carry the same radio fields, transmit frequencies and names as those
// of `want`. Memos are left out: they never travel to the radio.
bool SameOnTheRadio(const ChannelTable& got, const ChannelTable& want);

} // namespace zem::bench
