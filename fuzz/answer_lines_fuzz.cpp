// The line of a radio answer that answers a command, on any answer text and any head: it is one
// whole line of the answer, holds no line end, begins with the head and a separator or is the bare
// answer, and a line naming the head always wins over the bare one.
#include "model/answer_lines.h"
#include "property.h"

#include <array>

namespace zem::fuzz {
namespace {

// Heads and bare answers of the commands the link sends, and one taken from the answer itself.
constexpr std::array<std::string_view, 6> kHeads{"MR 0,0,005", "MR 0,1,L3", "MNA 0,U9", "VR 1", "DM 03", "MES"};
constexpr std::array<std::string_view, 3> kBares{"", "N", "MW"};

bool IsLineOf(std::string_view response, std::string_view line) {
    const auto begin = line.data() - response.data();
    if (line.empty())
        return true;
    if (begin < 0 || static_cast<std::size_t>(begin) + line.size() > response.size())
        return false;
    const bool startsLine = begin == 0 || response[begin - 1] == '\r' || response[begin - 1] == '\n';
    return startsLine && line.find_first_of("\r\n") == std::string_view::npos;
}

void Check(std::string_view response, std::string_view head, std::string_view bare) {
    const std::optional<std::string_view> line = AnswerLine(response, head, bare);
    if (!line)
        return;
    Require(IsLineOf(response, *line), "the answer line is a whole line of the answer");
    Require(line->empty() || static_cast<unsigned char>(line->back()) > ' ', "the answer line is trimmed");
    const bool named = line->starts_with(head) && !head.empty() &&
                       (line->size() == head.size() || (*line)[head.size()] == ' ' || (*line)[head.size()] == ',');
    Require(named || (!bare.empty() && *line == bare), "the answer line names the head or is the bare answer");
    if (!named)
        Require(!AnswerLine(response, head), "a line naming the head wins over the bare answer");
}

} // namespace
} // namespace zem::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view response = zem::fuzz::AsText(data, size);
    for (std::string_view head : zem::fuzz::kHeads) {
        for (std::string_view bare : zem::fuzz::kBares)
            zem::fuzz::Check(response, head, bare);
    }
    // A head cut from the answer itself reaches the matching branch most often.
    zem::fuzz::Check(response, response.substr(0, response.find(',')), "N");
    return 0;
}
