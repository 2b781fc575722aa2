#pragma once

#include <QImage>

namespace zem {

// The scope's trace: a 525 × 61 picture, white, with a black baseline at y = 50 and one bar per
// reading, each S-meter unit 10 pixels above the baseline and every bar starting 10 pixels below
// it. Lines are one pixel wide and stop short of their end point, as the design draws them.
class ScopeTrace {
public:
    static constexpr int kWidth = 525;
    static constexpr int kHeight = 61;
    static constexpr int kBaseline = 50;
    static constexpr int kBaselineEnd = 521; // also the width the readings of a pass share

    ScopeTrace();

    const QImage& Image() const { return image_; }

    // Clears the old trace: flood-fills white the connected non-white area at (0, 50) (the
    // baseline with every bar touching it), then draws the baseline again.
    void Clear();
    // Draws reading `value` (0..8; 9 and above draw nothing) as the k-th of a pass of `count` + 1
    // readings, first erasing the column of the next one.
    void Draw(int k, int count, int value);
    // The x of the k-th reading of a pass: k × 521 / count, rounded half to even.
    static int Column(int k, int count);

private:
    void VerticalLine(int x, int fromY, int toY, QRgb colour);
    void Baseline();

    QImage image_;
};

} // namespace zem
