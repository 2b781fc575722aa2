#pragma once

#include "records.h"

#include <string_view>

namespace zem {

// A used channel as a new one starts: FM, 20 kHz steps, no shift or reverse, both tones off at
// 88.5 Hz, not locked out, simplex with `offsetDigits` (9 digits of Hz); the receive frequency is
// 11 digits of Hz.
MemoryChannel UsedChannel(std::string_view rxDigits, std::string_view name = {},
                          std::string_view offsetDigits = "000600000");

} // namespace zem
