#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zem::detail {

// An exact decimal number read from text: (negative ? -1 : 1) * digits * 10^exponent. Numbers are
// compared and rounded on their digits, never through binary floating point, so every half
// rounds the way the user expects.
struct Decimal {
    bool negative = false;
    std::string digits; // without leading zeros; "0" for zero
    int exponent = 0;
};

// Blanks around the number, a sign, digits with one optional '.', and an optional exponent
// ("1.5e2"); at least one digit. Anything else is not a number.
std::optional<Decimal> ParseDecimal(std::string_view text);

// value * 10^scale rounded to an integer, halves to even; nullopt when it does not fit 64 bits.
std::optional<std::int64_t> RoundScaledHalfEven(const Decimal& value, int scale);

// -1, 0 or 1 as value is below, equal to or above the integer bound.
int CompareDecimal(const Decimal& value, std::int64_t bound);
// -1, 0 or 1 as a is below, equal to or above b.
int CompareDecimals(const Decimal& a, const Decimal& b);

} // namespace zem::detail
