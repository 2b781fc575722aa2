#pragma once

#include "codecs.h"
#include "records.h"

#include <string_view>

namespace zem {

// The tuning a channel or VFO starts with, the same for both: 20 kHz steps, no shift or reverse,
// both tones off at 88.5 Hz, FM.
template <typename Tuned> void SetStartTuning(Tuned& r) {
    r.Step = '5';
    r.Shift = '0';
    r.Reverse = '0';
    r.ToneOn = '0';
    r.CtcssOn = '0';
    r.ToneCode = kDefaultToneCode;
    r.CtcssCode = kDefaultToneCode;
    r.Mode = '0';
}

// A used channel as a new one starts: the start tuning, not locked out, simplex with `offsetDigits`
// (9 digits of Hz); the receive frequency is 11 digits of Hz.
MemoryChannel UsedChannel(std::string_view rxDigits, std::string_view name = {},
                          std::string_view offsetDigits = "000600000");

} // namespace zem
