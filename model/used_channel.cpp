#include "used_channel.h"

#include "codecs.h"

namespace zem {

MemoryChannel UsedChannel(std::string_view rxDigits, std::string_view name, std::string_view offsetDigits) {
    MemoryChannel ch;
    ch.EmptyFlag = '0';
    ch.RxFreq = rxDigits;
    ch.Step = '5';
    ch.Shift = '0';
    ch.Reverse = '0';
    ch.ToneOn = '0';
    ch.CtcssOn = '0';
    ch.ToneCode = kDefaultToneCode;
    ch.CtcssCode = kDefaultToneCode;
    ch.Offset = offsetDigits;
    ch.Mode = '0';
    ch.Name = name;
    ch.Lockout = '0';
    return ch;
}

} // namespace zem
