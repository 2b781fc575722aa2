#include "csv_import.h"

#include "used_channel.h"

#include "codecs.h"
#include "cp932.h"
#include "text_lines.h"

#include <array>

namespace zem {
namespace {

// The first three columns; missing ones are empty, and the columns after them are ignored.
std::array<std::string_view, 3> SplitColumns(std::string_view line) {
    const std::vector<std::string_view> fields = SplitAtCommas(line);
    std::array<std::string_view, 3> columns{};
    std::copy_n(fields.begin(), std::min(fields.size(), columns.size()), columns.begin());
    return columns;
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
    const auto columns = SplitColumns(line);
    MemoryChannel ch = ImportedChannel(columns[0]);
    if (IsEmptyRow(ch))
        return ch;
    // A cut inside a double-byte character would leave half a character on the radio's display.
    ch.Name = CutCp932(columns[1], decltype(ch.Name)::capacity);
    ch.Memo = CutCp932(columns[2], decltype(ch.Memo)::capacity);
    return ch;
}

CsvImportResult ImportCsv(std::string_view fileBytes, ChannelTable& channels) {
    CsvImportResult result;
    std::size_t lineNumber = 0;
    while (!fileBytes.empty() && result.accepted < kNumberedChannels) {
        const std::string_view line = TakeLine(fileBytes);
        ++lineNumber;
        if (line.find(',') == std::string_view::npos)
            continue;
        try {
            MemoryChannel& row = channels[result.accepted];
            row = ParseCsvLine(line);
            if (row.EmptyFlag == '0')
                ++result.accepted;
        } catch (const ConversionError& e) {
            result.error = e;
            result.errorLine = lineNumber;
            break;
        }
    }
    return result;
}

} // namespace zem
