#include "escaped_text.h"

#include "model/file_name.h"

#include <algorithm>
#include <iterator>

namespace cli {
namespace {

struct NamedEscape {
    char byte;
    std::string_view text;
};
constexpr NamedEscape kNamedEscapes[] = {{'\\', "\\\\"}, {'\t', "\\t"}, {'\r', "\\r"}, {'\n', "\\n"}};

} // namespace

std::string Escaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const auto named = std::find_if(std::begin(kNamedEscapes), std::end(kNamedEscapes),
                                        [c](const NamedEscape& e) { return e.byte == c; });
        if (named != std::end(kNamedEscapes))
            escaped += named->text;
        else if (byte < 0x20 || byte == 0x7F)
            zem::AppendHexEscape(escaped, byte);
        else
            escaped += c;
    }
    return escaped;
}

} // namespace cli
