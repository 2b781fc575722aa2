#include "decimal.h"

#include <algorithm>

namespace zem::detail {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool AllZero(std::string_view s) {
    return s.find_first_not_of('0') == std::string_view::npos;
}

// |value| * 10^scale cut at the point, read straight from its digits: an exponent of a million
// must not cost a million zeros. The integer part is nullopt when it has more than 18 digits,
// more than any field holds (and still below the 64-bit limit when it has 18).
struct PointSplit {
    std::optional<std::int64_t> integer;
    char firstFraction = '0';   // the first digit after the point
    bool laterFraction = false; // some digit after that one is not zero
};

constexpr long long kMostIntegerDigits = 18;

PointSplit SplitAtPoint(const Decimal& d, int scale) {
    const auto size = static_cast<long long>(d.digits.size());
    // The place of the point counted from the first digit: 3 for 145.02, 0 for 0.5, -1 for 0.05.
    const long long place = size + d.exponent + scale;
    PointSplit p;
    if (place > kMostIntegerDigits)
        return p;
    std::int64_t integer = 0;
    for (long long k = 0; k < place; ++k)
        integer = integer * 10 + (k < size ? d.digits[static_cast<std::size_t>(k)] - '0' : 0);
    p.integer = integer;
    if (place < 0) {
        p.laterFraction = d.digits != "0";
    } else if (place < size) {
        p.firstFraction = d.digits[static_cast<std::size_t>(place)];
        p.laterFraction = !AllZero(std::string_view(d.digits).substr(static_cast<std::size_t>(place) + 1));
    }
    return p;
}

// -1, 0 or 1 as |value| is below, equal to or above bound.
int CompareMagnitude(const Decimal& value, std::uint64_t bound) {
    const PointSplit p = SplitAtPoint(value, 0);
    if (!p.integer)
        return 1;
    const auto integer = static_cast<std::uint64_t>(*p.integer);
    if (integer != bound)
        return integer < bound ? -1 : 1;
    return p.firstFraction != '0' || p.laterFraction ? 1 : 0;
}

} // namespace

std::optional<Decimal> ParseDecimal(std::string_view text) {
    std::string_view s = Trim(text);
    Decimal d;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        d.negative = s.front() == '-';
        s.remove_prefix(1);
    }
    std::string digits;
    int exponent = 0;
    bool seenPoint = false;
    bool anyDigit = false;
    std::size_t i = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            anyDigit = true;
            digits += c;
            if (seenPoint)
                --exponent;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < s.size()) {
        if (s[i] != 'e' && s[i] != 'E')
            return std::nullopt;
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            expNegative = s[i] == '-';
            ++i;
        }
        if (i == s.size())
            return std::nullopt;
        int e = 0;
        for (; i < s.size(); ++i) {
            if (!IsDigit(s[i]))
                return std::nullopt;
            if (e < 100000)
                e = e * 10 + (s[i] - '0');
        }
        exponent += expNegative ? -e : e;
    }
    const auto firstNonZero = digits.find_first_not_of('0');
    d.digits = firstNonZero == std::string::npos ? "0" : digits.substr(firstNonZero);
    if (d.digits == "0") {
        d.negative = false;
        exponent = 0;
    }
    d.exponent = exponent;
    return d;
}

std::optional<std::int64_t> RoundScaledHalfEven(const Decimal& value, int scale) {
    const PointSplit p = SplitAtPoint(value, scale);
    if (!p.integer)
        return std::nullopt;
    std::int64_t magnitude = *p.integer;
    const char first = p.firstFraction;
    if (first > '5' || (first == '5' && (p.laterFraction || magnitude % 2 == 1)))
        ++magnitude;
    return value.negative ? -magnitude : magnitude;
}

int CompareDecimal(const Decimal& value, std::int64_t bound) {
    if (value.negative != (bound < 0))
        return value.negative ? -1 : 1;
    // Both at or above zero, or both below it: then the larger magnitude is the smaller number.
    const std::uint64_t magnitude =
        bound < 0 ? 0ULL - static_cast<std::uint64_t>(bound) : static_cast<std::uint64_t>(bound);
    const int order = CompareMagnitude(value, magnitude);
    return value.negative ? -order : order;
}

// Exact comparison of two decimals: sign, then magnitude by the place of the first digit, then
// digit by digit.
int CompareDecimals(const Decimal& a, const Decimal& b) {
    const bool aZero = a.digits == "0";
    const bool bZero = b.digits == "0";
    const int aSign = aZero ? 0 : a.negative ? -1 : 1;
    const int bSign = bZero ? 0 : b.negative ? -1 : 1;
    if (aSign != bSign || aSign == 0)
        return aSign < bSign ? -1 : aSign > bSign ? 1 : 0;
    const long long aPlace = static_cast<long long>(a.digits.size()) + a.exponent;
    const long long bPlace = static_cast<long long>(b.digits.size()) + b.exponent;
    int magnitude = aPlace < bPlace ? -1 : aPlace > bPlace ? 1 : 0;
    if (magnitude == 0) {
        const std::size_t width = std::max(a.digits.size(), b.digits.size());
        std::string aDigits = a.digits;
        std::string bDigits = b.digits;
        aDigits.resize(width, '0');
        bDigits.resize(width, '0');
        magnitude = aDigits.compare(bDigits);
        magnitude = magnitude < 0 ? -1 : magnitude > 0 ? 1 : 0;
    }
    return aSign * magnitude;
}

} // namespace zem::detail
