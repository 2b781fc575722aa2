#include "scope_trace.h"

#include <cmath>
#include <utility>
#include <vector>

namespace zem {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

} // namespace

ScopeTrace::ScopeTrace() : image_(kWidth, kHeight, QImage::Format_RGB32) {
    image_.fill(kWhite);
}

int ScopeTrace::Column(int k, int count) {
    // nearbyint rounds halves to even under the default rounding mode.
    return static_cast<int>(std::nearbyint(static_cast<double>(k) * kBaselineEnd / count));
}

void ScopeTrace::VerticalLine(int x, int fromY, int toY, QRgb colour) {
    if (x < 0 || x >= kWidth)
        return;
    const int direction = toY < fromY ? -1 : 1;
    for (int y = fromY; y != toY; y += direction)
        if (y >= 0 && y < kHeight)
            image_.setPixel(x, y, colour);
}

void ScopeTrace::Baseline() {
    for (int x = 0; x < kBaselineEnd; ++x)
        image_.setPixel(x, kBaseline, kBlack);
}

void ScopeTrace::Clear() {
    std::vector<std::pair<int, int>> todo{{0, kBaseline}};
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || image_.pixel(x, y) == kWhite)
            continue;
        image_.setPixel(x, y, kWhite);
        todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    Baseline();
}

void ScopeTrace::Draw(int k, int count, int value) {
    if (value >= 9 || count <= 0)
        return;
    VerticalLine(Column(k + 1, count), kHeight - 1, 0, kWhite);
    VerticalLine(Column(k, count), kHeight - 1, kBaseline - 10 * value, kBlack);
    Baseline();
}

} // namespace zem
