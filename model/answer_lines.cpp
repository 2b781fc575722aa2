#include "answer_lines.h"

#include <algorithm>

namespace zem {
namespace {

std::string_view TrimLine(std::string_view line) {
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= ' ')
        line.remove_suffix(1);
    return line;
}

bool BeginsWithHead(std::string_view line, std::string_view head) {
    if (head.empty() || !line.starts_with(head))
        return false;
    return line.size() == head.size() || line[head.size()] == ' ' || line[head.size()] == ',';
}

template <typename Match> std::optional<std::string_view> FirstLine(std::string_view response, Match match) {
    while (!response.empty()) {
        const std::size_t end = response.find_first_of("\r\n");
        const std::string_view line = TrimLine(response.substr(0, end));
        if (match(line))
            return line;
        if (end == std::string_view::npos)
            break;
        response.remove_prefix(end + 1);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string_view> AnswerLine(std::string_view response, std::string_view head, std::string_view bare) {
    if (const auto line = FirstLine(response, [head](std::string_view l) { return BeginsWithHead(l, head); }))
        return line;
    if (bare.empty())
        return std::nullopt;
    return FirstLine(response, [bare](std::string_view l) { return l == bare; });
}

bool HasControlChars(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

} // namespace zem
