#include "channel_csv.h"

#include "channel_csv_layout.h"
#include "codecs.h"
#include "command_text.h"
#include "cp932.h"
#include "csv_fields.h"
#include "file_name.h"

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

using Notes = std::vector<std::string>;

// A numbered channel by its number, a scan memory by its label ("L0").
std::string Location(std::size_t row) {
    return row < kNumberedChannels ? std::to_string(row) : RowLabel(row);
}

// Bytes as \xNN, for a note about bytes that cannot be shown as they are.
std::string HexBytes(std::string_view bytes) {
    std::string text;
    for (const char c : bytes)
        AppendHexEscape(text, static_cast<unsigned char>(c));
    return text;
}

// A name or memo in UTF-8 as the layout carries it. Bytes that start no CP932 character (half a
// character left by a cut, a damaged byte) would be U+FFFD, which no tool can turn back into the
// radio's text, and control characters would break the row for spreadsheets and for the import,
// which reads them as blanks: both are left out and noted.
std::string TextField(Column c, std::string_view cp932, Notes& notes) {
    const Utf8Conversion converted = Cp932ToUtf8Listing(cp932);
    std::string text;
    std::string controls;
    for (const char c8 : converted.utf8) {
        const auto byte = static_cast<unsigned char>(c8);
        if (byte < 0x20 || byte == 0x7F)
            controls += c8;
        else
            text += c8;
    }
    const std::string name(channel_csv::kColumnNames[Index(c)]);
    if (!converted.invalid.empty())
        notes.push_back(name + " の " + HexBytes(converted.invalid) + " は CP932 の文字ではないので書きませんでした");
    if (!controls.empty())
        notes.push_back(name + " の制御文字 " + HexBytes(controls) + " は書きませんでした");
    return text;
}

// A one-character code for a note: as it is when printable, else as \xNN.
std::string CodeText(char code) {
    const auto byte = static_cast<unsigned char>(code);
    return byte < 0x20 || byte >= 0x7F ? HexBytes(std::string_view(&code, 1)) : std::string(1, code);
}

// A code the layout has no word for leaves its column empty, which reads back as the default.
void NoteUncarried(std::string_view what, char code, Column c, Notes& notes) {
    notes.push_back(std::string(what) + " '" + CodeText(code) + "' はこの形式にないので " +
                    std::string(channel_csv::kColumnNames[Index(c)]) + " を空にしました");
}
template <typename Word> Word CodeWord(Word word, std::string_view what, char code, Column c, Notes& notes) {
    if (word.empty())
        NoteUncarried(what, code, c, notes);
    return word;
}

// A code naming no tone (00, 02, a damaged one) is written as 88.5, which reads back as 09.
std::string_view ToneField(Column c, std::string_view code, Notes& notes) {
    const std::string_view hz = channel_csv::ToneHz(code);
    if (channel_csv::ToneCodeOf(hz) != code)
        notes.push_back("トーン番号 '" + std::string(code) + "' は周波数がないので " +
                        std::string(channel_csv::kColumnNames[Index(c)]) + " に " + std::string(hz) + " を書きました");
    return hz;
}

std::string_view ShiftWord(const MemoryChannel& ch, Notes& notes) {
    if (!IsSplit(ch)) {
        // Simplex is the empty word: only a code outside the table is lost.
        if (std::ranges::none_of(channel_csv::kDuplexWords, [&](const auto& w) { return w.shift == ch.Shift; }))
            NoteUncarried("シフト", ch.Shift, Column::Duplex, notes);
        return DuplexWord(ch);
    }
    if (ch.Shift != '0')
        notes.push_back("split のチャンネルのシフト '" + CodeText(ch.Shift) + "' はこの形式にないので書きませんでした");
    return channel_csv::kSplit;
}

std::vector<std::string> Fields(std::size_t row, const MemoryChannel& ch, Notes& notes) {
    std::vector<std::string> f(channel_csv::kColumnCount);
    const auto at = [&f](Column c) -> std::string& { return f[Index(c)]; };
    at(Column::Location) = Location(row);
    at(Column::Name) = TextField(Column::Name, ch.Name.view(), notes);
    at(Column::Frequency) = DigitsToExactMhz(ch.RxFreq.view(), kMhzDecimals);
    at(Column::Duplex) = ShiftWord(ch, notes);
    at(Column::Offset) = DigitsToExactMhz(IsSplit(ch) ? ch.TxFreq.view() : ch.Offset.view(), kMhzDecimals);
    at(Column::Tone) = ToneWord(ch);
    at(Column::rToneFreq) = ToneField(Column::rToneFreq, ch.ToneCode.view(), notes);
    at(Column::cToneFreq) = ToneField(Column::cToneFreq, ch.CtcssCode.view(), notes);
    at(Column::DtcsCode) = channel_csv::kDtcsCode;
    at(Column::DtcsPolarity) = channel_csv::kDtcsPolarity;
    at(Column::RxDtcsCode) = channel_csv::kDtcsCode;
    at(Column::CrossMode) = channel_csv::kCrossMode;
    at(Column::Mode) = CodeWord(ModeText(ch.Mode), "モード", ch.Mode, Column::Mode, notes);
    at(Column::TStep) = CodeWord(channel_csv::StepKhz(ch.Step), "ステップ", ch.Step, Column::TStep, notes);
    at(Column::Skip) = SkipWord(ch);
    at(Column::Power) = channel_csv::kPower;
    at(Column::Comment) = TextField(Column::Comment, ch.Memo.view(), notes);
    if (IsFlagSet(ch.Reverse))
        notes.push_back("リバース ON はこの形式にないので書きませんでした");
    return f;
}

} // namespace

std::string ChannelCsvHeader() {
    std::string header;
    for (std::string_view name : channel_csv::kColumnNames)
        header.append(header.empty() ? "" : ",").append(name);
    return header;
}

ChannelCsvExport ExportChannelCsv(const ChannelTable& channels) {
    std::vector<std::size_t> rows(kNumberedChannels);
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    return ExportChannelCsvRows(channels, rows);
}

ChannelCsvExport ExportChannelCsvRows(const ChannelTable& channels, std::span<const std::size_t> rows) {
    ChannelCsvExport result{ChannelCsvHeader() + "\r\n", {}};
    // No field holds a line end, so each row is one line; the header is line 1.
    std::size_t line = 1;
    for (std::size_t row : rows) {
        if (IsEmptyRow(channels[row]))
            continue;
        ChannelCsvNote note{++line, Location(row), false, {}};
        result.text += FormatCsvRecord(Fields(row, channels[row], note.what));
        if (!note.what.empty())
            result.notes.push_back(std::move(note));
    }
    return result;
}

} // namespace zem
