// The CP932 codec on any bytes, read both as CP932 and as UTF-8. Decoding never fails and gives
// valid UTF-8; text that decodes cleanly encodes again to the same bytes, except where CP932
// itself has two codes for one character; a cut keeps whole characters and loses at most one.
#include "model/cp932.h"
#include "property.h"

#include <algorithm>

namespace zem::fuzz {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// Well-formed UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t length = b < 0x80                 ? 1
                                   : b >= 0xC2 && b <= 0xDF ? 2
                                   : b >= 0xE0 && b <= 0xEF ? 3
                                   : b >= 0xF0 && b <= 0xF4 ? 4
                                                            : 0;
        if (length == 0 || i + length > text.size())
            return false;
        std::uint32_t code = length == 1 ? b : b & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        constexpr std::uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kShortest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

// Lead bytes of the rows holding second codes of characters that encode elsewhere: nine symbols
// of NEC row 13 (0x87) repeat row 2, the NEC-selected IBM extensions (0xED, 0xEE) repeat the IBM
// extensions, and fifteen of those (0xFA) repeat row 13 and row 2. The model tests check every
// code (cp932_test): all others encode back to themselves.
bool HasDuplicateCodes(std::string_view cp932) {
    for (std::size_t i = 0; i < cp932.size();) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        if (b == 0x87 || b == 0xED || b == 0xEE || b == 0xFA)
            return true;
        i += IsCp932LeadByte(b) ? 2 : 1;
    }
    return false;
}

// Whether a walk over the text by character widths lands exactly on its end.
bool EndsOnCharacter(std::string_view cp932) {
    std::size_t i = 0;
    while (i < cp932.size())
        i += IsCp932LeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1;
    return i == cp932.size();
}

void CheckDecode(std::string_view bytes) {
    const std::string text = Cp932ToUtf8(bytes);
    Require(IsUtf8(text), "decoded text is valid UTF-8");
    if (text.find(kReplacement) != std::string::npos)
        return;
    const std::optional<std::string> encoded = Utf8ToCp932(text);
    Require(encoded.has_value(), "cleanly decoded text encodes again");
    Require(Cp932ToUtf8(*encoded) == text, "re-encoded text decodes to the same text");
    Require(HasDuplicateCodes(bytes) || *encoded == bytes, "cleanly decoded text encodes to the same bytes");
}

void CheckEncode(std::string_view text) {
    const std::optional<std::string> encoded = Utf8ToCp932(text);
    Require(!encoded || IsUtf8(text), "only valid UTF-8 encodes");
    if (!encoded)
        return;
    const std::string decoded = Cp932ToUtf8(*encoded);
    Require(decoded.find(kReplacement) == std::string::npos, "encoded text decodes cleanly");
    Require(Utf8ToCp932(decoded) == encoded, "encoded bytes survive a decode and an encode");
}

void CheckCut(std::string_view bytes) {
    const std::string whole = Cp932ToUtf8(bytes);
    const bool clean = whole.find(kReplacement) == std::string::npos;
    const std::size_t most = std::min<std::size_t>(bytes.size() + 1, 64);
    for (std::size_t max = 0; max <= most; ++max) {
        const std::string_view cut = CutCp932(bytes, max);
        Require(cut.data() == bytes.data() && cut.size() <= max, "a cut is a prefix within its size");
        Require(cut.size() + 1 >= std::min(max, bytes.size()), "a cut loses at most one byte");
        Require(EndsOnCharacter(cut) && CutCp932(cut, max) == cut, "a cut ends on a whole character");
        // Where every character is valid, the cut shows as the start of the whole text.
        if (clean)
            Require(whole.starts_with(Cp932ToUtf8(cut)), "a cut decodes to the start of its text");
    }
}

} // namespace
} // namespace zem::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = zem::fuzz::AsText(data, size);
    zem::fuzz::CheckDecode(bytes);
    zem::fuzz::CheckEncode(bytes);
    zem::fuzz::CheckCut(bytes);
    return 0;
}
