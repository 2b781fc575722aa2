#pragma once

#include "menu_fields.h"
#include "records.h"

#include <array>
#include <cstddef>

namespace zem {

// The parts of an image a write sends: channel rows, VFOs, menu settings (in MenuFields() order)
// and DTMF memories (code and name together).
struct WriteMask {
    std::array<bool, kChannelRows> channels{};
    std::array<bool, kVfoCount> vfos{};
    std::array<bool, kMenuFieldCount> settings{};
    std::array<bool, kDtmfCount> dtmf{};

    // Every part: what a full write sends.
    static WriteMask All();
    // How many parts are chosen.
    std::size_t Count() const;
    friend bool operator==(const WriteMask&, const WriteMask&) = default;
};

// Whether writing `a` and writing `b` to the row would send the same commands: two empty rows are
// the same whatever name they keep, and the memo never goes to the radio.
bool SameOnRadio(std::size_t row, const MemoryChannel& a, const MemoryChannel& b);
bool SameOnRadio(const VfoRecord& a, const VfoRecord& b);

// The parts whose write would send something other than what the radio holds: what a write of
// `wanted` must send to a radio holding `radio`.
WriteMask ChangedParts(const RadioImage& radio, const RadioImage& wanted);

} // namespace zem
