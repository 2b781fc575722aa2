#include "csv_import.h"

#include "used_channel.h"

#include "codecs.h"
#include "cp932.h"
#include "text_lines.h"

#include <array>

namespace zem {
namespace {

// The first three columns (missing ones are empty), and the rest of the line from the comma after
// the third, which the import does not read.
struct Columns {
    std::array<std::string_view, 3> used{};
    std::string_view rest;
};
Columns SplitColumns(std::string_view line) {
    const std::vector<std::string_view> fields = SplitAtCommas(line);
    Columns columns;
    std::copy_n(fields.begin(), std::min(fields.size(), columns.used.size()), columns.used.begin());
    if (fields.size() > columns.used.size())
        columns.rest = line.substr(static_cast<std::size_t>(fields[columns.used.size()].data() - line.data()) - 1);
    return columns;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The lines left in a text that are not blank.
std::size_t CountLines(std::string_view text) {
    std::size_t count = 0;
    while (!text.empty())
        count += IsBlank(TakeLine(text)) ? 0 : 1;
    return count;
}

// A column cut to the field's bytes between characters, since a cut inside a double-byte
// character would leave half a character on the radio's display; what is cut is noted. Control
// characters (no CP932 trail byte is one) would reach the radio raw: they become blanks, noted.
template <std::size_t Capacity>
void CutText(std::string_view given, std::string_view what, FixedText<Capacity>& text,
             std::vector<std::string>& notes) {
    std::string column(given);
    bool blanked = false;
    for (char& c : column) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = ' ';
            blanked = true;
        }
    }
    if (blanked)
        notes.push_back(std::string(what) + "の制御文字は空白にしました");
    text = CutCp932(column, Capacity);
    if (text.size() < column.size())
        notes.push_back(std::string(what) + "は " + std::to_string(Capacity) + " バイトまでなので " +
                        QuotedCp932(column.substr(text.size())) + " を切りました");
}

// The channel of one line that is not blank, or nothing when the line is not taken; `note` says
// why, and what of the name and memo was cut.
std::optional<MemoryChannel> ChannelOfLine(std::string_view line, ChannelCsvNote& note) {
    if (line.find(',') == std::string_view::npos) {
        note.what.push_back("',' がない行です（周波数だけのチャンネルも '145.0,' と書きます）");
        return std::nullopt;
    }
    const MemoryChannel ch = ParseCsvLine(line, note.what);
    note.skipped = IsEmptyRow(ch);
    return note.skipped ? std::nullopt : std::optional(ch);
}

} // namespace

MemoryChannel ImportedChannel(std::string_view mhzText) {
    MemoryChannel ch;
    if (BandOfFreq(mhzText) < 0) {
        ch.EmptyFlag = '1';
        return ch;
    }
    return UsedChannel(MhzToFreqDigits(mhzText), {}, "000000000");
}

MemoryChannel ParseCsvLine(std::string_view line) {
    std::vector<std::string> ignored;
    return ParseCsvLine(line, ignored);
}

MemoryChannel ParseCsvLine(std::string_view line, std::vector<std::string>& notes) {
    const Columns columns = SplitColumns(line);
    MemoryChannel ch = ImportedChannel(columns.used[0]);
    if (IsEmptyRow(ch)) {
        notes.push_back(QuotedCp932(columns.used[0]) + " MHz は受信できる周波数" + std::string(kReceiveBandsText) +
                        "ではありません");
        return ch;
    }
    CutText(columns.used[1], "名前", ch.Name, notes);
    CutText(columns.used[2], "メモ", ch.Memo, notes);
    // A memo holding ',' ends at it: what follows is not the memo's, and the user should know.
    if (columns.rest.find_first_not_of(", \t") != std::string_view::npos)
        notes.push_back("メモの後の " + QuotedCp932(columns.rest) + " は読みませんでした（メモに ',' は使えません）");
    return ch;
}

CsvImportResult ImportCsv(std::string_view fileBytes, ChannelTable& channels) {
    CsvImportResult result;
    // A NUL among the first two bytes is half of a UTF-16 character of the ASCII range.
    if (fileBytes.starts_with("\xFF\xFE") || fileBytes.starts_with("\xFE\xFF") ||
        (fileBytes.size() >= 2 && (fileBytes[0] == '\0' || fileBytes[1] == '\0'))) {
        result.refusal = "UTF-16 のファイルは読めません。UTF-8 か Shift-JIS（CP932）で保存し直してください";
        return result;
    }
    const bool utf8 = fileBytes.starts_with(kUtf8ByteOrderMark);
    if (utf8)
        fileBytes.remove_prefix(kUtf8ByteOrderMark.size());
    std::size_t lineNumber = 0;
    while (!fileBytes.empty()) {
        const std::string_view fileLine = TakeLine(fileBytes);
        ++lineNumber;
        const Cp932Conversion converted = utf8 ? Utf8ToCp932Listing(fileLine) : Cp932Conversion{};
        const std::string_view line = utf8 ? std::string_view(converted.cp932) : fileLine;
        if (IsBlank(line))
            continue;
        if (result.accepted == kNumberedChannels) {
            AddNote(result.notes, result.moreNotes,
                    {lineNumber,
                     {},
                     true,
                     {"チャンネル 0〜149 が埋まったので、ここから後の " + std::to_string(1 + CountLines(fileBytes)) +
                      " 行は読みませんでした"}});
            break;
        }
        ChannelCsvNote note{lineNumber, {}, true, {}};
        if (!converted.missing.empty())
            note.what.push_back("'" + converted.missing + "' は CP932 にないので除きました");
        try {
            // A line that is not taken leaves the channels as they were.
            if (const std::optional<MemoryChannel> ch = ChannelOfLine(line, note))
                channels[result.accepted++] = *ch;
        } catch (const ConversionError& e) {
            result.error = e;
            result.errorLine = lineNumber;
            break;
        }
        if (!note.what.empty())
            AddNote(result.notes, result.moreNotes, std::move(note));
    }
    return result;
}

ChannelCsvRows ReadCsvLineRows(std::string_view utf8Text) {
    ChannelCsvRows result;
    for (std::size_t lineNumber = 1; !utf8Text.empty(); ++lineNumber) {
        const Cp932Conversion line = Utf8ToCp932Listing(TakeLine(utf8Text));
        ChannelCsvNote note{lineNumber, {}, true, {}};
        if (!line.missing.empty())
            note.what.push_back("'" + line.missing + "' は CP932 にないので除きました");
        std::optional<MemoryChannel> ch;
        if (!IsBlank(line.cp932)) {
            try {
                ch = ChannelOfLine(line.cp932, note);
            } catch (const ConversionError& e) {
                note.what.push_back(e.what());
            }
        }
        result.channels.push_back(ch);
        if (!note.what.empty())
            AddNote(result.notes, result.moreNotes, std::move(note));
    }
    return result;
}

} // namespace zem
