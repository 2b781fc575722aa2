#include "used_channel.h"

namespace zem {

MemoryChannel UsedChannel(std::string_view rxDigits, std::string_view name, std::string_view offsetDigits) {
    MemoryChannel ch;
    SetStartTuning(ch);
    ch.EmptyFlag = '0';
    ch.RxFreq = rxDigits;
    ch.Offset = offsetDigits;
    ch.Name = name;
    ch.Lockout = '0';
    return ch;
}

} // namespace zem
