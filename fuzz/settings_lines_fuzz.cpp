// The four line readers of the settings file on any one line. Whatever a reader makes of a line,
// the line written from that record must read back as the same record.
#include "model/settings_file.h"
#include "property.h"

namespace zem::fuzz {
namespace {

// A written line without its "\r\n", as the file reader hands lines to the line readers.
std::string_view WithoutLineEnd(std::string_view line) {
    Require(line.ends_with(";\r\n"), "a written line ends with \";\\r\\n\"");
    line.remove_suffix(2);
    return line;
}

void CheckMemLine(std::string_view line) {
    const MemoryChannel ch = ParseMemLine(line);
    Require(ch.EmptyFlag == '0' || ch.EmptyFlag == '1', "a MEM line gives a used or an empty row");
    for (std::size_t row : {std::size_t{0}, kChannelRows - 1})
        Require(ParseMemLine(WithoutLineEnd(FormatMemLine(ch, row))) == ch, "a MEM line reads back as its row");
}

void CheckVfoLine(std::string_view line) {
    const VfoRecord vfo = ParseVfoLine(line);
    // A blank record is the reader's answer to a damaged line, and no line gives it back.
    if (vfo == VfoRecord{})
        return;
    Require(ParseVfoLine(WithoutLineEnd(FormatVfoLine(vfo, kVfoCount - 1))) == vfo, "a VFO line reads back");
}

void CheckMenuLine(std::string_view line) {
    const RadioSettings settings = ParseMenuLine(line);
    Require(ParseMenuLine(WithoutLineEnd(FormatMenuLine(settings))) == settings, "a MENU line reads back");
}

void CheckDtmfLine(std::string_view line) {
    const DtmfMemory memory = ParseDtmfLine(line);
    Require(ParseDtmfLine(WithoutLineEnd(FormatDtmfLine(memory))) == memory, "a DTMF line reads back");
}

} // namespace
} // namespace zem::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = zem::fuzz::AsText(data, size);
    zem::fuzz::CheckMemLine(line);
    zem::fuzz::CheckVfoLine(line);
    zem::fuzz::CheckMenuLine(line);
    zem::fuzz::CheckDtmfLine(line);
    return 0;
}
