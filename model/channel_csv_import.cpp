#include "channel_csv.h"

#include "channel_csv_layout.h"
#include "codecs.h"
#include "conversion_error.h"
#include "cp932.h"
#include "csv_fields.h"
#include "csv_import.h"
#include "decimal.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <tuple>

namespace zem {
namespace {

using channel_csv::Column;
using channel_csv::Index;

// Enough of a quoted value to find it in the file; a damaged field could be megabytes long.
constexpr std::size_t kQuotedBytes = 40;

using Notes = std::vector<std::string>;
// The position of each column in the file's rows; nullopt for a column the file lacks.
using ColumnIndex = std::array<std::optional<std::size_t>, channel_csv::kColumnCount>;

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The layout's words are matched as a person would type them: blanks around and case ignored.
bool SameWord(std::string_view field, std::string_view word) {
    return std::ranges::equal(Trimmed(field), word, [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

// 'value' for a note, cut between UTF-8 characters.
std::string Quote(std::string_view utf8) {
    std::size_t end = std::min(utf8.size(), kQuotedBytes);
    while (end < utf8.size() && end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end;
    return "'" + std::string(utf8.substr(0, end)) + (end < utf8.size() ? "…'" : "'");
}

std::string_view StripByteOrderMark(std::string_view bytes) {
    return bytes.starts_with(kUtf8ByteOrderMark) ? bytes.substr(kUtf8ByteOrderMark.size()) : bytes;
}

std::string NameOf(Column c) {
    return std::string(channel_csv::kColumnNames[Index(c)]);
}

class Row {
public:
    Row(const std::vector<std::string>& fields, const ColumnIndex& index) : fields_(fields), index_(index) {}

    std::string_view operator[](Column c) const {
        const std::optional<std::size_t> at = index_[Index(c)];
        return at && *at < fields_.size() ? std::string_view(fields_[*at]) : std::string_view{};
    }
    std::string Named(Column c) const { return NameOf(c) + " " + Quote((*this)[c]); }

private:
    const std::vector<std::string>& fields_;
    const ColumnIndex& index_;
};

template <typename Table> auto FindWord(const Table& table, std::string_view field) {
    const auto* found =
        std::find_if(table.begin(), table.end(), [&](const auto& row) { return SameWord(field, row.word); });
    return found != table.end() ? found : nullptr;
}

// The record digits of an MHz field of `width` digits, or the note that skips the row.
std::optional<std::string> MhzDigits(const Row& row, Column c, int width, std::string& digits) {
    try {
        digits = MhzToDigits(row[c], width);
        return std::nullopt;
    } catch (const ConversionError& e) {
        // A number out of range is plain ASCII, which the error's own text shows as it is.
        if (e.kind() == ConversionError::Kind::Range)
            return NameOf(c) + " " + e.what();
        return row.Named(c) + " は数値ではありません";
    }
}

// Each reader takes its columns into the channel and notes what it leaves out; a returned text
// skips the row.
using Reader = std::optional<std::string> (*)(const Row&, MemoryChannel&, Notes&);

std::optional<std::string> ReadMode(const Row& row, MemoryChannel& ch, Notes& notes) {
    const std::string_view field = row[Column::Mode];
    if (Trimmed(field).empty() || SameWord(field, ModeText('0')))
        return std::nullopt;
    if (!SameWord(field, ModeText('1')))
        return row.Named(Column::Mode) + " は TH-D7 にありません（FM と AM だけです）";
    if (AmReceptionAllowed(row[Column::Frequency]))
        ch.Mode = '1';
    else
        notes.push_back(row.Named(Column::Mode) + " は 118〜135 MHz の外では使えないので FM にしました");
    return std::nullopt;
}

std::optional<std::string> ReadShift(const Row& row, MemoryChannel& ch, Notes& notes) {
    std::string digits;
    if (SameWord(row[Column::Duplex], channel_csv::kSplit)) {
        if (Trimmed(row[Column::Offset]).empty())
            return row.Named(Column::Duplex) + " の送信周波数が Offset にありません";
        if (auto skip = MhzDigits(row, Column::Offset, static_cast<int>(ch.TxFreq.capacity), digits))
            return skip;
        // The radio holds a transmit frequency only inside its bands; the channel stays a simplex
        // one on its receive frequency.
        if (BandOfFreq(row[Column::Offset]) < 0) {
            notes.push_back(row.Named(Column::Duplex) + " の送信周波数 " + row.Named(Column::Offset) +
                            " MHz はどのバンド" + std::string(kReceiveBandsText) +
                            "にもないのでシンプレックスにしました");
            return std::nullopt;
        }
        ch.Offset.clear();
        ch.TxFreq = digits;
        return std::nullopt;
    }
    if (!Trimmed(row[Column::Offset]).empty()) {
        if (auto skip = MhzDigits(row, Column::Offset, static_cast<int>(ch.Offset.capacity), digits))
            return skip;
        ch.Offset = digits;
    }
    if (const auto* duplex = FindWord(channel_csv::kDuplexWords, row[Column::Duplex]))
        ch.Shift = duplex->shift;
    else
        notes.push_back(row.Named(Column::Duplex) + " は TH-D7 にないのでシンプレックスにしました");
    return std::nullopt;
}

// A tone column's code; the default code for an empty field, nullopt for a tone the TH-D7 lacks.
std::optional<std::string> ToneCode(const Row& row, Column c, std::string_view defaultCode) {
    if (Trimmed(row[c]).empty())
        return std::string(defaultCode);
    return channel_csv::ToneCodeOf(row[c]);
}

std::optional<std::string> ReadTones(const Row& row, MemoryChannel& ch, Notes& notes) {
    const std::optional<std::string> toneCode = ToneCode(row, Column::rToneFreq, ch.ToneCode.view());
    const std::optional<std::string> ctcssCode = ToneCode(row, Column::cToneFreq, ch.CtcssCode.view());
    ch.ToneCode = toneCode.value_or(ch.ToneCode.str());
    ch.CtcssCode = ctcssCode.value_or(ch.CtcssCode.str());
    const auto* mode = FindWord(channel_csv::kToneModes, row[Column::Tone]);
    const bool crossKept =
        Trimmed(row[Column::CrossMode]).empty() || SameWord(row[Column::CrossMode], channel_csv::kCrossMode);
    if (!mode || (IsFlagSet(mode->toneOn) && IsFlagSet(mode->ctcssOn) && !crossKept)) {
        const std::string cross = mode ? "（" + row.Named(Column::CrossMode) + "）" : std::string();
        notes.push_back(row.Named(Column::Tone) + cross + " は TH-D7 にないのでトーンなしにしました");
        return std::nullopt;
    }
    for (const auto& [on, code, column] : {std::tuple{mode->toneOn, &toneCode, Column::rToneFreq},
                                           std::tuple{mode->ctcssOn, &ctcssCode, Column::cToneFreq}}) {
        if (IsFlagSet(on) && !*code) {
            notes.push_back(row.Named(column) + " は TH-D7 のトーンにないのでトーンなしにしました");
            return std::nullopt;
        }
    }
    ch.ToneOn = mode->toneOn;
    ch.CtcssOn = mode->ctcssOn;
    return std::nullopt;
}

std::optional<std::string> ReadStep(const Row& row, MemoryChannel& ch, Notes& notes) {
    if (Trimmed(row[Column::TStep]).empty())
        return std::nullopt;
    if (const std::optional<char> code = channel_csv::StepCodeOf(row[Column::TStep]))
        ch.Step = *code;
    else
        notes.push_back(row.Named(Column::TStep) + " kHz は TH-D7 のステップにないので " +
                        std::string(StepItemText(ch.Step)) + " にしました");
    return std::nullopt;
}

std::optional<std::string> ReadSkip(const Row& row, MemoryChannel& ch, Notes& notes) {
    if (const auto* skip = FindWord(channel_csv::kSkipWords, row[Column::Skip]))
        ch.Lockout = skip->lockout;
    else
        notes.push_back(row.Named(Column::Skip) + " は TH-D7 にないので取り込みませんでした");
    return std::nullopt;
}

std::optional<std::string> ReadPower(const Row& row, MemoryChannel&, Notes& notes) {
    const std::string_view power = row[Column::Power];
    if (!Trimmed(power).empty() && !SameWord(power, channel_csv::kPower))
        notes.push_back(row.Named(Column::Power) + " は TH-D7 のメモリーにないので取り込みませんでした");
    return std::nullopt;
}

// A text column as CP932 of at most `capacity` bytes, cut between characters. Control characters
// (and ',' where the radio's command line would take it for a separator) become blanks, a CR LF
// one blank, so that words stay apart.
template <std::size_t Capacity>
void ReadText(const Row& row, Column c, bool commaAllowed, FixedText<Capacity>& text, Notes& notes) {
    const std::string name = NameOf(c);
    std::string utf8;
    bool replaced = false;
    const std::string_view field = row[c];
    for (std::size_t k = 0; k < field.size(); ++k) {
        const auto byte = static_cast<unsigned char>(field[k]);
        const bool refused = byte < 0x20 || byte == 0x7F || (byte == ',' && !commaAllowed);
        replaced = replaced || refused;
        if (!(byte == '\r' && k + 1 < field.size() && field[k + 1] == '\n'))
            utf8 += refused ? ' ' : field[k];
    }
    if (replaced)
        notes.push_back(name + (commaAllowed ? " の制御文字（改行など）" : " の ',' と制御文字") + "は空白にしました");
    const Cp932Conversion converted = Utf8ToCp932Listing(utf8);
    if (!converted.missing.empty())
        notes.push_back(name + " の " + Quote(converted.missing) + " は CP932 にないので除きました");
    const std::string_view kept = CutCp932(converted.cp932, Capacity);
    if (kept.size() < converted.cp932.size())
        notes.push_back(name + " は " + std::to_string(Capacity) + " バイトまでなので " +
                        Quote(ShownCp932(std::string_view(converted.cp932).substr(kept.size()))) + " を切りました");
    text = kept;
}

std::optional<std::string> ReadName(const Row& row, MemoryChannel& ch, Notes& notes) {
    ReadText(row, Column::Name, false, ch.Name, notes);
    return std::nullopt;
}

std::optional<std::string> ReadComment(const Row& row, MemoryChannel& ch, Notes& notes) {
    ReadText(row, Column::Comment, true, ch.Memo, notes);
    return std::nullopt;
}

constexpr std::array<Reader, 8> kReaders{ReadMode, ReadShift, ReadTones, ReadStep,
                                         ReadSkip, ReadPower, ReadName,  ReadComment};

// The channel of a row whose location is known, or the note that skips it.
std::optional<std::string> ReadChannel(const Row& row, MemoryChannel& ch, Notes& notes) {
    const std::string_view freq = row[Column::Frequency];
    try {
        ch = ImportedChannel(freq);
    } catch (const ConversionError&) {
        return row.Named(Column::Frequency) + " は数値ではありません";
    }
    if (IsEmptyRow(ch))
        return row.Named(Column::Frequency) + " MHz は受信できる周波数" + std::string(kReceiveBandsText) +
               "ではありません";
    for (Reader read : kReaders) {
        if (auto skip = read(row, ch, notes))
            return skip;
    }
    return std::nullopt;
}

std::optional<std::size_t> ChannelNumber(std::string_view location) {
    const std::string_view digits = Trimmed(location);
    if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const auto number = static_cast<std::size_t>(ReadInteger(digits));
    return number < kNumberedChannels ? std::optional(number) : std::nullopt;
}

ColumnIndex FindColumns(const std::vector<std::string>& header) {
    ColumnIndex index;
    for (std::size_t c = 0; c < channel_csv::kColumnCount; ++c) {
        const auto found = std::find_if(header.begin(), header.end(), [&](const std::string& name) {
            return SameWord(name, channel_csv::kColumnNames[c]);
        });
        if (found != header.end())
            index[c] = static_cast<std::size_t>(found - header.begin());
    }
    return index;
}

bool IsBlankRecord(const CsvRecord& record) {
    return std::ranges::all_of(record.fields, [](const std::string& f) { return Trimmed(f).empty(); });
}

} // namespace

bool IsChannelCsv(std::string_view fileBytes) {
    std::string_view text = StripByteOrderMark(fileBytes);
    const std::vector<std::string> first = TakeCsvRecord(text).fields;
    return !detail::ParseDecimal(first.front()) && FindColumns(first)[Index(Column::Location)].has_value();
}

namespace {

// Reads every row of the file in order, keeping its notes as AddNote does. `refuse` may skip a row before its channel
// is read (a returned text says why); `take` stores a channel read whole or in part; `pass` hears of a blank or skipped
// row. Nothing is read when the header lacks one of `required`; a `headerless` file has the columns in the layout's
// order and no header.
template <typename Refuse, typename Take, typename Pass>
std::optional<std::string> ReadRows(std::string_view fileBytes, bool headerless, std::initializer_list<Column> required,
                                    std::vector<ChannelCsvNote>& notes, std::size_t& moreNotes, Refuse refuse,
                                    Take take, Pass pass) {
    // Japanese spreadsheets save CSV files in CP932: a file that is not UTF-8 is read as CP932.
    const std::string decoded = IsUtf8(fileBytes) ? std::string() : Cp932ToUtf8(fileBytes);
    std::string_view text = StripByteOrderMark(decoded.empty() ? fileBytes : std::string_view(decoded));
    std::size_t nextLine = 1;
    ColumnIndex index;
    if (headerless) {
        for (std::size_t c = 0; c < channel_csv::kColumnCount; ++c)
            index[c] = c;
    } else {
        const CsvRecord header = TakeCsvRecord(text);
        nextLine += header.lines;
        index = FindColumns(header.fields);
    }
    for (Column column : required) {
        if (!index[Index(column)])
            return "見出し行に " + NameOf(column) + " の列がありません";
    }
    while (!text.empty()) {
        const CsvRecord record = TakeCsvRecord(text);
        const std::size_t line = nextLine;
        nextLine += record.lines;
        if (IsBlankRecord(record)) {
            pass();
            continue;
        }
        const Row row(record.fields, index);
        ChannelCsvNote note{line, std::string(Trimmed(row[Column::Location])), true, {}};
        MemoryChannel ch;
        std::optional<std::string> skip;
        if (!record.closed)
            skip = "引用符が閉じていないので、ファイルの終わりまでをこの行として取り込みませんでした";
        else if (!(skip = refuse(row)))
            skip = ReadChannel(row, ch, note.what);
        if (skip) {
            note.what = {*skip};
            pass();
        } else {
            note.skipped = false;
            ch.Reverse = '0';
            take(row, ch, line);
        }
        if (!note.what.empty())
            AddNote(notes, moreNotes, std::move(note));
    }
    return std::nullopt;
}

} // namespace

ChannelCsvImport ImportChannelCsv(std::string_view fileBytes, const ChannelTable& base) {
    ChannelCsvImport result;
    result.channels = base;
    // The line of the row taken into each channel; 0 while none is, since rows start at line 2.
    std::array<std::size_t, kNumberedChannels> takenAt{};
    const auto refuse = [&](const Row& row) -> std::optional<std::string> {
        const std::optional<std::size_t> number = ChannelNumber(row[Column::Location]);
        if (!number)
            return row.Named(Column::Location) + " は 0〜149 のチャンネル番号ではありません";
        if (takenAt[*number] > 0)
            return "チャンネル " + std::to_string(*number) + " は " + std::to_string(takenAt[*number]) +
                   " 行目で取り込み済みです";
        return std::nullopt;
    };
    const auto take = [&](const Row& row, const MemoryChannel& ch, std::size_t line) {
        const std::size_t number = *ChannelNumber(row[Column::Location]);
        result.channels[number] = ch;
        takenAt[number] = line;
        ++result.taken;
    };
    result.error = ReadRows(fileBytes, false, {Column::Location, Column::Frequency}, result.notes, result.moreNotes,
                            refuse, take, [] {});
    return result;
}

ChannelCsvRows ReadChannelCsvRows(std::string_view fileBytes, bool headerless) {
    ChannelCsvRows result;
    result.error = ReadRows(
        fileBytes, headerless, {Column::Frequency}, result.notes, result.moreNotes,
        [](const Row&) { return std::optional<std::string>(); },
        [&](const Row&, const MemoryChannel& ch, std::size_t) { result.channels.emplace_back(ch); },
        [&] { result.channels.emplace_back(); });
    return result;
}

bool IsHeaderlessChannelRow(std::string_view firstRecordText) {
    const std::vector<std::string> fields = TakeCsvRecord(firstRecordText).fields;
    const auto at = [&](Column c) { return Index(c) < fields.size() ? Trimmed(fields[Index(c)]) : std::string_view(); };
    const std::string_view location = at(Column::Location);
    const bool scanLabel =
        location.size() == 2 && (location[0] == 'L' || location[0] == 'U') && location[1] >= '0' && location[1] <= '9';
    return fields.size() > Index(Column::Frequency) + 1 && (ChannelNumber(location) || scanLabel) &&
           detail::ParseDecimal(at(Column::Frequency)).has_value();
}

// A name or memo of a `MHz,name,memo` line may be a column's word ("145.0,Mode,"): a header does
// not start with a number.
bool NamesChannelColumns(std::string_view firstRecordText) {
    const std::vector<std::string> fields = TakeCsvRecord(firstRecordText).fields;
    const ColumnIndex index = FindColumns(fields);
    return !detail::ParseDecimal(Trimmed(fields.front())) &&
           std::ranges::any_of(index, [](const auto& at) { return at.has_value(); });
}

void AddNote(std::vector<ChannelCsvNote>& notes, std::size_t& moreNotes, ChannelCsvNote note) {
    if (notes.size() < kKeptNotes)
        notes.push_back(std::move(note));
    else
        ++moreNotes;
}

std::string FormatChannelCsvNote(const ChannelCsvNote& note) {
    std::string text = std::to_string(note.line) + " 行目";
    if (!note.location.empty())
        text += "（Location " + Quote(note.location) + "）";
    text += note.skipped ? "を取り込みませんでした: " : ": ";
    for (const std::string& what : note.what)
        text += (&what == note.what.data() ? "" : "; ") + what;
    return text;
}

} // namespace zem
