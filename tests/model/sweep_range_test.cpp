#include "model/sweep_range.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

// The window's design range and the edges around each refusal, checked in the order the window
// and the tool report them.
TEST(SweepRange, ChecksEdgesBandAndWidth) {
    struct Case {
        std::int32_t lower;
        std::int32_t upper;
        char step;
        SweepRefusal refusal;
        int bandItem;
        char band;
        int points;
    };
    for (const Case c : {
             Case{380'212'500, 381'312'500, '5', SweepRefusal::None, 2, '1', 55},
             Case{118'000'000, 135'000'000, '9', SweepRefusal::None, 0, '0', 170},
             Case{144'000'000, 146'000'000, '8', SweepRefusal::None, 1, '0', 40},
             Case{381'000'000, 380'000'000, '5', SweepRefusal::LowerAboveUpper, -1, '0', 0},
             Case{380'000'000, 380'000'000, '5', SweepRefusal::NoBand, -1, '0', 0},
             Case{135'500'000, 136'500'000, '5', SweepRefusal::NoBand, -1, '0', 50},
             Case{144'000'000, 144'020'000, '5', SweepRefusal::TooNarrow, 1, '0', 1},
             Case{144'000'000, 144'039'999, '5', SweepRefusal::TooNarrow, 1, '0', 1},
             Case{144'000'000, 144'040'000, '5', SweepRefusal::None, 1, '0', 2},
         }) {
        const SweepCheck check = CheckSweepRange(c.lower, c.upper, c.step);
        EXPECT_EQ(check.refusal, c.refusal) << c.lower << ".." << c.upper;
        if (c.refusal == SweepRefusal::LowerAboveUpper)
            continue;
        EXPECT_EQ(check.range.bandItem, c.bandItem) << c.lower;
        EXPECT_EQ(check.range.band, c.band) << c.lower;
        EXPECT_EQ(check.range.points, c.points) << c.lower;
    }
}

} // namespace
} // namespace zem
