#pragma once

#include "records.h"

#include <array>
#include <string_view>

namespace zem {

struct VfoFacts {
    std::string_view label; // grid label "A125"...
    VfoRecord defaults;
};

// The six VFOs in table order A125, A145, A435, B145, B360, B430 with their start values.
const std::array<VfoFacts, kVfoCount>& VfoTableFacts();

VfoTable DefaultVfos();
// The settings as the settings pages show them at start.
RadioSettings DefaultSettings();
// Every row empty with an empty memo, the VFO defaults and the default settings: the image every
// front end starts from.
RadioImage StartupImage();

} // namespace zem
