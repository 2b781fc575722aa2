#include "bulk_change.h"

#include "codecs.h"
#include "command_text.h"

#include <algorithm>
#include <set>

namespace zem {
namespace {

constexpr long long kAirLowHz = 118000000;
constexpr long long kAirHighHz = 135000000;

std::optional<BulkRefusal> Refusal(const MemoryChannel& ch, const BulkChange& change) {
    if (IsSplit(ch) && (change.shift || change.offset || change.reverse == '1'))
        return BulkRefusal::SplitShift;
    if (change.mode == '1') {
        const std::optional<long long> hz = DigitsValue(ch.RxFreq.view(), 11);
        if (!hz)
            return BulkRefusal::BadFrequency;
        if (*hz <= kAirLowHz || *hz >= kAirHighHz)
            return BulkRefusal::AmOutsideAir;
    }
    return std::nullopt;
}

void SetTone(char& on, FixedText<2>& code, const std::optional<std::string>& choice) {
    if (!choice)
        return;
    on = FlagChar(!choice->empty());
    if (!choice->empty())
        code = *choice;
}

template <typename T, typename V> void Set(T& field, const std::optional<V>& value) {
    if (value)
        field = *value;
}

std::optional<std::size_t> RowOfLabel(std::string_view label) {
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        if (RowLabel(row) == label)
            return row;
    }
    return std::nullopt;
}

std::string_view ReasonText(BulkRefusal reason) {
    switch (reason) {
    case BulkRefusal::SplitShift:
        return "スプリットのチャンネルにはシフト・オフセット・リバースを設定できません";
    case BulkRefusal::AmOutsideAir:
        return "AM受信は 118〜135MHz の間のチャンネルだけに設定できます";
    case BulkRefusal::BadFrequency:
        return "受信周波数が数値でないチャンネルには AM を設定できません";
    }
    return {};
}

} // namespace

BulkResult ApplyBulkChange(const ChannelTable& table, std::span<const std::size_t> rows, const BulkChange& change) {
    BulkResult result{table, {}};
    for (const std::size_t row : rows) {
        MemoryChannel& ch = result.table[row];
        if (IsEmptyRow(ch))
            continue;
        if (const std::optional<BulkRefusal> reason = Refusal(ch, change)) {
            result.refused.push_back({row, *reason});
            continue;
        }
        Set(ch.Step, change.step);
        Set(ch.Shift, change.shift);
        Set(ch.Offset, change.offset);
        Set(ch.Reverse, change.reverse);
        SetTone(ch.ToneOn, ch.ToneCode, change.tone);
        SetTone(ch.CtcssOn, ch.CtcssCode, change.ctcss);
        Set(ch.Mode, change.mode);
        Set(ch.Lockout, change.lockout);
    }
    return result;
}

std::vector<std::string> RefusalLines(std::span<const BulkRefusedRow> refused) {
    std::vector<std::string> lines;
    for (const BulkRefusal reason : {BulkRefusal::SplitShift, BulkRefusal::AmOutsideAir, BulkRefusal::BadFrequency}) {
        std::string rows;
        for (const BulkRefusedRow& r : refused) {
            if (r.reason == reason)
                rows += (rows.empty() ? "" : ", ") + RowLabel(r.row);
        }
        if (!rows.empty())
            lines.push_back(std::string(ReasonText(reason)) + ": " + rows);
    }
    return lines;
}

std::optional<std::vector<std::size_t>> ParseRowList(std::string_view text) {
    std::set<std::size_t> rows;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        const std::size_t dash = part.find('-');
        const std::optional<std::size_t> first = RowOfLabel(part.substr(0, dash));
        const std::optional<std::size_t> last =
            dash == std::string_view::npos ? first : RowOfLabel(part.substr(dash + 1));
        if (!first || !last || *last < *first)
            return std::nullopt;
        for (std::size_t row = *first; row <= *last; ++row)
            rows.insert(row);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return std::vector<std::size_t>(rows.begin(), rows.end());
}

} // namespace zem
