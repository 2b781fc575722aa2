#include "cp932.h"

#include "file_name.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <stdexcept>

namespace zem {
namespace {

// One converter per direction and thread: iconv descriptors keep shift state and are not
// thread-safe, and the link's worker converts status texts while the window converts cells.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    enum class Result { Done, Invalid };

    // Converts as much of `in` as possible, appending to `out`; on an invalid or incomplete
    // sequence stops there and leaves `in` at the offending byte.
    Result Convert(std::string_view& in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[256];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            const int error = errno;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (rc == static_cast<std::size_t>(-1) && error != E2BIG)
                return Result::Invalid;
        }
        return Result::Done;
    }

private:
    iconv_t cd_;
};

Converter& FromCp932() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& ToCp932() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

// The bytes of the UTF-8 character at the front of text; 0 when the front byte starts none.
std::size_t Utf8CharLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t length = 0;
    if (lead < 0x80)
        length = 1;
    else if (lead >= 0xC2 && lead < 0xE0)
        length = 2;
    else if (lead >= 0xE0 && lead < 0xF0)
        length = 3;
    else if (lead >= 0xF0 && lead < 0xF5)
        length = 4;
    if (length == 0 || length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

} // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    while (FromCp932().Convert(cp932, out) == Converter::Result::Invalid) {
        out += "\xEF\xBF\xBD"; // U+FFFD
        cp932.remove_prefix(1);
    }
    return out;
}

std::string ShownCp932(std::string_view cp932) {
    std::string shown;
    while (!cp932.empty()) {
        const bool pair = IsCp932LeadByte(static_cast<unsigned char>(cp932.front())) && cp932.size() > 1;
        std::string_view one = cp932.substr(0, pair ? 2 : 1);
        std::string utf8;
        const bool converted = FromCp932().Convert(one, utf8) == Converter::Result::Done && !utf8.empty();
        const auto lead = static_cast<unsigned char>(utf8.empty() ? 0 : utf8[0]);
        // C0 controls, DEL, and C1 controls (U+0080..U+009F, 0xC2 0x80..0x9F in UTF-8).
        const bool control =
            lead < 0x20 || lead == 0x7F || (lead == 0xC2 && static_cast<unsigned char>(utf8[1]) < 0xA0);
        if (converted && !control) {
            shown += utf8;
            cp932.remove_prefix(pair ? 2 : 1);
            continue;
        }
        // A lead byte without its trail: the next byte may start a character of its own.
        const std::size_t escaped = converted ? (pair ? 2 : 1) : 1;
        for (std::size_t k = 0; k < escaped; ++k)
            AppendHexEscape(shown, static_cast<unsigned char>(cp932[k]));
        cp932.remove_prefix(escaped);
    }
    return shown;
}

Utf8Conversion Cp932ToUtf8Listing(std::string_view cp932) {
    Utf8Conversion result;
    while (FromCp932().Convert(cp932, result.utf8) == Converter::Result::Invalid) {
        result.invalid += cp932.front();
        cp932.remove_prefix(1);
    }
    return result;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    std::string out;
    if (ToCp932().Convert(utf8, out) == Converter::Result::Invalid)
        return std::nullopt;
    return out;
}

Cp932Conversion Utf8ToCp932Listing(std::string_view utf8) {
    Cp932Conversion result;
    while (ToCp932().Convert(utf8, result.cp932) == Converter::Result::Invalid) {
        const std::size_t length = Utf8CharLength(utf8);
        result.missing += length > 0 ? utf8.substr(0, length) : "\xEF\xBF\xBD"; // U+FFFD
        utf8.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return result;
}

bool IsUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t length = Utf8CharLength(bytes);
        if (length == 0)
            return false;
        bytes.remove_prefix(length);
    }
    return true;
}

bool IsCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::string_view CutCp932(std::string_view cp932, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < cp932.size()) {
        const std::size_t width = IsCp932LeadByte(static_cast<unsigned char>(cp932[end])) ? 2 : 1;
        if (end + width > maxBytes || end + width > cp932.size())
            break;
        end += width;
    }
    return cp932.substr(0, end);
}

namespace {

// The bytes of the UTF-8 character that begins with `lead`; 1 for a byte that begins none.
std::size_t Utf8CharLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    return lead >= 0xC0 ? 2 : 1;
}

} // namespace

std::string Utf8ToCp932Lossy(std::string_view utf8) {
    if (std::optional<std::string> whole = Utf8ToCp932(utf8))
        return *whole;
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = std::min(Utf8CharLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        bytes += Utf8ToCp932(utf8.substr(i, n)).value_or("?");
        i += n;
    }
    return bytes;
}

} // namespace zem
