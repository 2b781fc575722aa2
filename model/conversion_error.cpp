#include "conversion_error.h"

#include "cp932.h"

namespace zem {
namespace {

// Enough of the offending text to find it in the file; a whole line of a damaged file could be
// megabytes, which a message box takes minutes to lay out.
constexpr std::size_t kQuotedBytes = 40;

std::string Message(ConversionError::Kind kind, std::string_view offending, std::string_view rangeTop) {
    // Appended piece by piece into one string: GCC 12 at -O3 warns (-Wrestrict) about the
    // temporaries of a chain of operator+.
    std::string text = QuotedCp932(offending);
    switch (kind) {
    case ConversionError::Kind::Integer:
        text.append(" は整数ではありません");
        break;
    case ConversionError::Kind::Decimal:
        text.append(" は浮動小数点数ではありません");
        break;
    case ConversionError::Kind::Range:
        text.append(" は範囲外の値です（0〜").append(rangeTop).append("MHz）");
        break;
    }
    return text;
}

} // namespace

std::string QuotedCp932(std::string_view cp932) {
    const std::string_view shown = CutCp932(cp932, kQuotedBytes);
    std::string text = "'";
    text.append(ShownCp932(shown)).append(shown.size() < cp932.size() ? "…'" : "'");
    return text;
}

ConversionError::ConversionError(Kind kind, std::string_view offending, std::string_view rangeTop)
    : std::runtime_error(Message(kind, offending, rangeTop)), kind_(kind), offending_(offending) {}

void ThrowNotInteger(std::string_view text) {
    throw ConversionError(ConversionError::Kind::Integer, text);
}
void ThrowNotDecimal(std::string_view text) {
    throw ConversionError(ConversionError::Kind::Decimal, text);
}

} // namespace zem
