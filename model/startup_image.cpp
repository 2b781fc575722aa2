#include "startup_image.h"

namespace zem {
namespace {

VfoRecord Vfo(char band, const char* freq, char vfoNo, const char* lower, const char* upper, const char* offset) {
    VfoRecord v;
    v.Band = band;
    v.Freq = freq;
    v.VfoNo = vfoNo;
    v.LowerLimit = lower;
    v.UpperLimit = upper;
    v.Step = '5';
    v.Shift = '0';
    v.Reverse = '0';
    v.ToneOn = '0';
    v.CtcssOn = '0';
    v.ToneCode = "09";
    v.CtcssCode = "09";
    v.Offset = offset;
    v.Mode = '0';
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
    s.MES = "HELLO!!";
    s.CNT = "07";
    s.LAN = '0';
    s.SV = "5";
    s.APO = '1';
    s.TSP = '1';
    s.TXH = '0';
    s.PT = '2';
    s.DTB = '1';
    s.DS = '0';
    s.ARO = '0';
    s.SCR = '0';
    s.BEP = '0';
    s.ELK = '0';
    s.TXS = '0';
    s.MYC = "NOCALL";
    s.GU = '0';
    s.MP = "00000000000000000";
    s.ICO = '0';
    s.GM = '0';
    s.GC = "000";
    s.TXI = '2';
    s.MAC = '7';
    s.SMC = '7';
    s.RSC = '7';
    s.VCS = '0';
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
