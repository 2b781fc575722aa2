#include "sweep_range.h"

#include "codecs.h"

namespace zem {

SweepCheck CheckSweepRange(std::int32_t lowerHz, std::int32_t upperHz, char step) {
    SweepCheck check;
    SweepRange& r = check.range;
    r.lowerHz = lowerHz;
    r.upperHz = upperHz;
    r.step = step;
    if (upperHz < lowerHz) {
        check.refusal = SweepRefusal::LowerAboveUpper;
        return check;
    }
    const int hz = StepHz(step);
    r.points = hz > 0 ? (upperHz - lowerHz) / hz : 0;
    r.bandItem = BandOfSpan(ZeroPad(upperHz, 11), ZeroPad(lowerHz, 11));
    r.band = r.bandItem < 2 ? '0' : '1';
    if (r.bandItem < 0)
        check.refusal = SweepRefusal::NoBand;
    else if (r.points < 2)
        check.refusal = SweepRefusal::TooNarrow;
    return check;
}

char ReadingChar(int value, bool unread) {
    return unread ? kUnreadMark : static_cast<char>('0' + value);
}

} // namespace zem
