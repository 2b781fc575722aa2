#include "startup_image.h"

#include "menu_fields.h"
#include "used_channel.h"

namespace zem {
namespace {

VfoRecord Vfo(char band, const char* freq, char vfoNo, const char* lower, const char* upper, const char* offset) {
    VfoRecord v;
    SetStartTuning(v);
    v.Band = band;
    v.Freq = freq;
    v.VfoNo = vfoNo;
    v.LowerLimit = lower;
    v.UpperLimit = upper;
    v.Offset = offset;
    return v;
}

const std::array<VfoFacts, kVfoCount> kVfos{{
    {"A125", Vfo('0', "00125000000", '1', "00118", "00135", "000000000")},
    {"A145", Vfo('0', "00145000000", '2', "00136", "00173", "000600000")},
    {"A435", Vfo('0', "00435000000", '7', "00430", "00439", "005000000")},
    {"B145", Vfo('1', "00145000000", '3', "00144", "00145", "000600000")},
    {"B360", Vfo('1', "00360000000", '5', "00320", "00399", "000000000")},
    {"B430", Vfo('1', "00435000000", '6', "00400", "00479", "005000000")},
}};

} // namespace

const std::array<VfoFacts, kVfoCount>& VfoTableFacts() {
    return kVfos;
}

VfoTable DefaultVfos() {
    VfoTable t;
    for (std::size_t i = 0; i < kVfoCount; ++i)
        t[i] = kVfos[i].defaults;
    return t;
}

RadioSettings DefaultSettings() {
    RadioSettings s;
    for (const MenuField& f : MenuFields())
        f.set(s, f.startValue); // an empty value gives a character field its fallback, '0'
    return s;
}

RadioImage StartupImage() {
    RadioImage image;
    image.Settings = DefaultSettings();
    for (MemoryChannel& ch : image.Channels)
        ch.EmptyFlag = '1';
    image.Vfos = DefaultVfos();
    return image;
}

} // namespace zem
