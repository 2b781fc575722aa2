#include "response_text.h"

#include <algorithm>

namespace zem {

std::string_view CutAtNul(std::string_view raw) {
    return raw.substr(0, raw.find('\0'));
}

std::string_view TrimAnswer(std::string_view raw) {
    std::string_view text = CutAtNul(raw);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.remove_suffix(1);
    return text;
}

std::string LimitLines(std::string_view text, std::size_t limit) {
    std::string out;
    for (;;) {
        const std::size_t cr = text.find('\r');
        out += text.substr(0, std::min(cr, limit));
        if (cr == std::string_view::npos)
            return out;
        out += '\r';
        text.remove_prefix(cr + 1);
    }
}

} // namespace zem
