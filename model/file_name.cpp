#include "file_name.h"

#include <cstdint>

namespace zem {
namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;

// The length of the UTF-8 character at the start of bytes and its code point; length 0 when the
// bytes there are not UTF-8 (overlong forms and encoded surrogates included).
struct Utf8Char {
    std::size_t length = 0;
    char32_t code = 0;
};

Utf8Char DecodeUtf8(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes.front());
    if (lead < 0x80)
        return {1, lead};
    const std::size_t length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || bytes.size() < length)
        return {};
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    return {length, code};
}

void AppendUtf16(std::u16string& text, char32_t code) {
    if (code < 0x10000) {
        text += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (code >> 10));
    text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

void AppendUtf8(std::string& bytes, char32_t code) {
    if (code < 0x80) {
        bytes += static_cast<char>(code);
        return;
    }
    constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    const int extra = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    bytes += static_cast<char>(kLead[extra] | (code >> (6 * extra)));
    for (int i = extra - 1; i >= 0; --i)
        bytes += static_cast<char>(0x80 | ((code >> (6 * i)) & 0x3F));
}

bool IsControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

} // namespace

void AppendHexEscape(std::string& text, unsigned char byte) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    text += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
}

std::u16string FileNameText(std::string_view bytes) {
    std::u16string text;
    while (!bytes.empty()) {
        const Utf8Char c = DecodeUtf8(bytes);
        if (c.length == 0)
            text += static_cast<char16_t>(kEscapedByteBase + static_cast<unsigned char>(bytes.front()));
        else
            AppendUtf16(text, c.code);
        bytes.remove_prefix(c.length == 0 ? 1 : c.length);
    }
    return text;
}

std::string FileNameBytes(std::u16string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool pair =
            unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (pair) {
            AppendUtf8(bytes, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= kEscapedByteBase + 0x80 && unit <= kEscapedByteBase + 0xFF) {
            bytes += static_cast<char>(unit - kEscapedByteBase);
        } else {
            // A surrogate standing alone that no name gave: the replacement character.
            AppendUtf8(bytes, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
        }
    }
    return bytes;
}

std::string ShownText(std::string_view bytes) {
    std::string shown;
    while (!bytes.empty()) {
        const Utf8Char c = DecodeUtf8(bytes);
        const std::size_t length = c.length == 0 ? 1 : c.length;
        if (c.length == 0 || IsControl(c.code)) {
            for (std::size_t i = 0; i < length; ++i)
                AppendHexEscape(shown, static_cast<unsigned char>(bytes[i]));
        } else {
            shown.append(bytes.substr(0, length));
        }
        bytes.remove_prefix(length);
    }
    return shown;
}

} // namespace zem
