#pragma once

#include <cstdint>

namespace zem {

// A band-scope sweep as the radio is given it: edges in Hz, the step code, the band character,
// and how many readings each pass brings.
struct SweepRange {
    std::int32_t lowerHz = 0;
    std::int32_t upperHz = 0;
    char step = '5';
    int bandItem = -1; // the scope's band choice 0..3 (BandOfSpan), -1 for none
    char band = '0';   // '0' band A, '1' band B
    int points = 0;    // readings per pass
};

// Why a range is refused, in the order the checks are made.
enum class SweepRefusal {
    None,
    LowerAboveUpper, // "下限が上限を超えています"
    NoBand,          // outside every band, or equal edges: "周波数範囲が不正です。"
    TooNarrow,       // fewer than two steps: one reading has no width to draw, none has nothing
};

struct SweepCheck {
    SweepRange range;
    SweepRefusal refusal = SweepRefusal::None;
};

// The one check of a sweep range, for the window and the tool alike. `step` is a code '0'..'9'.
// The band is found also for a range refused as too narrow, so the window can still show it.
SweepCheck CheckSweepRange(std::int32_t lowerHz, std::int32_t upperHz, char step);

// A reading as a pass's text holds it, on the screen, in the tool's output and in the storage
// file: its digit, or kUnreadMark for a step whose S-meter could not be read, where a 0 would pass
// for a quiet step.
inline constexpr char kUnreadMark = '-';
char ReadingChar(int value, bool unread);

} // namespace zem
