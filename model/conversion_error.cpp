#include "conversion_error.h"

#include "cp932.h"

namespace zem {
namespace {

// Enough of the offending text to find it in the file; a whole line of a damaged file could be
// megabytes, which a message box takes minutes to lay out.
constexpr std::size_t kQuotedBytes = 40;

std::string Message(ConversionError::Kind kind, std::string_view offending, std::string_view rangeTop) {
    const std::string_view shown = CutCp932(offending, kQuotedBytes);
    const std::string quoted = "'" + Cp932ToUtf8(shown) + (shown.size() < offending.size() ? "…'" : "'");
    switch (kind) {
    case ConversionError::Kind::Integer:
        return quoted + " は整数ではありません";
    case ConversionError::Kind::Decimal:
        return quoted + " は浮動小数点数ではありません";
    case ConversionError::Kind::Range:
        return quoted + " は範囲外の値です（0〜" + std::string(rangeTop) + "MHz）";
    }
    return quoted;
}

} // namespace

ConversionError::ConversionError(Kind kind, std::string_view offending, std::string_view rangeTop)
    : std::runtime_error(Message(kind, offending, rangeTop)), kind_(kind), offending_(offending) {}

void ThrowNotInteger(std::string_view text) {
    throw ConversionError(ConversionError::Kind::Integer, text);
}
void ThrowNotDecimal(std::string_view text) {
    throw ConversionError(ConversionError::Kind::Decimal, text);
}

} // namespace zem
