#include "grid_text.h"

#include "codecs.h"
#include "conversion_error.h"
#include "cp932.h"

namespace zem {
namespace {

const std::array<MemoryColumn, 6> kMemoryColumns{{
    {"受信周波数", [](const MemoryChannel& c) { return FreqCell(c.RxFreq.view()); }},
    {"送信周波数", [](const MemoryChannel& c) { return IsSplit(c) ? FreqCell(c.TxFreq.view()) : "Simplex"; }},
    {"モード", [](const MemoryChannel& c) { return std::string(ModeText(c.Mode)); }},
    {"ステップ", [](const MemoryChannel& c) { return std::string(StepText(c.Step)); }},
    {"名前", [](const MemoryChannel& c) { return c.Name.str(); }},
    {"メモ", [](const MemoryChannel& c) { return c.Memo.str(); }},
}};

const std::array<VfoColumn, 5> kVfoColumns{{
    {"下限", [](const VfoRecord& v) { return LimitText(v.LowerLimit.view()) + "MHz"; }},
    {"上限", [](const VfoRecord& v) { return LimitText(v.UpperLimit.view()) + "MHz"; }},
    {"ステップ", [](const VfoRecord& v) { return std::string(StepText(v.Step)); }},
    {"オフセット", [](const VfoRecord& v) { return DigitsToMhz(v.Offset.view(), 1) + "MHz"; }},
    {"モード", [](const VfoRecord& v) { return std::string(ModeText(v.Mode)); }},
}};

} // namespace

const std::array<MemoryColumn, 6>& MemoryColumns() {
    return kMemoryColumns;
}
const std::array<VfoColumn, 5>& VfoColumns() {
    return kVfoColumns;
}

std::string MemoryCell(std::size_t column, const MemoryChannel& ch) {
    if (IsEmptyRow(ch))
        return column == 0 ? "Empty" : "";
    return kMemoryColumns.at(column).usedCell(ch);
}

std::string FreqCell(std::string_view hzDigits) {
    return DigitsToMhz(hzDigits, 5) + "MHz";
}

std::string ShownCell(const std::function<std::string()>& cell) {
    try {
        return ShownCp932(cell());
    } catch (const ConversionError& e) {
        return e.what();
    }
}

} // namespace zem
