#include "channel_csv.h"

#include "channel_csv_layout.h"
#include "codecs.h"
#include "command_text.h"
#include "cp932.h"
#include "csv_fields.h"

#include <algorithm>
#include <numeric>

namespace zem {
namespace {

using channel_csv::Column;
using channel_csv::Index;

// Frequencies and offsets to the Hz, as every writer of the layout gives them.
constexpr int kMhzDecimals = 6;

template <typename Table, typename Match> std::string_view WordWhere(const Table& table, Match match) {
    const auto* found = std::find_if(table.begin(), table.end(), match);
    return found != table.end() ? found->word : std::string_view{};
}

std::string_view DuplexWord(const MemoryChannel& ch) {
    if (IsSplit(ch))
        return channel_csv::kSplit;
    return WordWhere(channel_csv::kDuplexWords, [&](const auto& w) { return w.shift == ch.Shift; });
}

std::string_view ToneWord(const MemoryChannel& ch) {
    return WordWhere(channel_csv::kToneModes, [&](const auto& m) {
        return IsFlagSet(m.toneOn) == IsFlagSet(ch.ToneOn) && IsFlagSet(m.ctcssOn) == IsFlagSet(ch.CtcssOn);
    });
}

std::string_view SkipWord(const MemoryChannel& ch) {
    return WordWhere(channel_csv::kSkipWords,
                     [&](const auto& w) { return IsFlagSet(w.lockout) == IsFlagSet(ch.Lockout); });
}

std::vector<std::string> Fields(std::size_t row, const MemoryChannel& ch) {
    std::vector<std::string> f(channel_csv::kColumnCount);
    const auto at = [&f](Column c) -> std::string& { return f[Index(c)]; };
    at(Column::Location) = row < kNumberedChannels ? std::to_string(row) : RowLabel(row);
    at(Column::Name) = Cp932ToUtf8(ch.Name.view());
    at(Column::Frequency) = DigitsToExactMhz(ch.RxFreq.view(), kMhzDecimals);
    at(Column::Duplex) = DuplexWord(ch);
    at(Column::Offset) = DigitsToExactMhz(IsSplit(ch) ? ch.TxFreq.view() : ch.Offset.view(), kMhzDecimals);
    at(Column::Tone) = ToneWord(ch);
    at(Column::rToneFreq) = channel_csv::ToneHz(ch.ToneCode.view());
    at(Column::cToneFreq) = channel_csv::ToneHz(ch.CtcssCode.view());
    at(Column::DtcsCode) = channel_csv::kDtcsCode;
    at(Column::DtcsPolarity) = channel_csv::kDtcsPolarity;
    at(Column::RxDtcsCode) = channel_csv::kDtcsCode;
    at(Column::CrossMode) = channel_csv::kCrossMode;
    at(Column::Mode) = ModeText(ch.Mode);
    at(Column::TStep) = channel_csv::StepKhz(ch.Step);
    at(Column::Skip) = SkipWord(ch);
    at(Column::Power) = channel_csv::kPower;
    at(Column::Comment) = Cp932ToUtf8(ch.Memo.view());
    return f;
}

} // namespace

std::string ChannelCsvHeader() {
    std::string header;
    for (std::string_view name : channel_csv::kColumnNames)
        header.append(header.empty() ? "" : ",").append(name);
    return header;
}

std::string ExportChannelCsv(const ChannelTable& channels) {
    std::vector<std::size_t> rows(kNumberedChannels);
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    return ExportChannelCsvRows(channels, rows);
}

std::string ExportChannelCsvRows(const ChannelTable& channels, std::span<const std::size_t> rows) {
    std::string text = ChannelCsvHeader() + "\r\n";
    for (std::size_t row : rows) {
        if (!IsEmptyRow(channels[row]))
            text += FormatCsvRecord(Fields(row, channels[row]));
    }
    return text;
}

} // namespace zem
