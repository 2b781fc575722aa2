#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zem {

// The one error raised when text does not convert to a number. what() is the message shown to
// the user, in UTF-8, with the offending text (held as CP932 bytes) in place: its first 40 bytes
// and "…" when it is longer.
class ConversionError : public std::runtime_error {
public:
    enum class Kind {
        Integer, // "'%s' は整数ではありません"
        Decimal, // "'%s' は浮動小数点数ではありません"
        Range,   // a number whose Hz value is negative or does not fit its field
    };

    // `rangeTop` is the largest MHz value the field takes, named in a Range message.
    ConversionError(Kind kind, std::string_view offending, std::string_view rangeTop = "2147.483647");

    Kind kind() const { return kind_; }
    const std::string& offending() const { return offending_; }

private:
    Kind kind_;
    std::string offending_;
};

// A text of a file (CP932) quoted for a message in UTF-8: 'text', or its first 40 bytes and "…".
std::string QuotedCp932(std::string_view cp932);

[[noreturn]] void ThrowNotInteger(std::string_view text);
[[noreturn]] void ThrowNotDecimal(std::string_view text);

} // namespace zem
