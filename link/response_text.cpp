#include "response_text.h"

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

} // namespace zem
