#include "decimal.h"

#include <algorithm>
#include <cctype>
#include <limits>

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

// Integer and fraction digits of |value| as texts (integer part without leading zeros, "" for 0).
struct Parts {
    std::string integer;
    std::string fraction;
};

Parts Split(const Decimal& d) {
    Parts p;
    if (d.exponent >= 0) {
        p.integer = d.digits == "0" ? "" : d.digits + std::string(static_cast<std::size_t>(d.exponent), '0');
        return p;
    }
    const auto shift = static_cast<std::size_t>(-d.exponent);
    if (d.digits.size() > shift) {
        p.integer = d.digits.substr(0, d.digits.size() - shift);
        p.fraction = d.digits.substr(d.digits.size() - shift);
    } else {
        p.fraction = std::string(shift - d.digits.size(), '0') + d.digits;
    }
    if (p.integer == "0")
        p.integer.clear();
    return p;
}

bool AllZero(std::string_view s) {
    return s.find_first_not_of('0') == std::string_view::npos;
}

std::optional<std::int64_t> ToInt64(std::string_view digits) {
    std::int64_t v = 0;
    for (char c : digits) {
        if (v > (std::numeric_limits<std::int64_t>::max() - (c - '0')) / 10)
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
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
    if (value.digits == "0")
        return 0;
    Decimal scaled = value;
    scaled.exponent += scale;
    const Parts p = Split(scaled);
    if (p.integer.size() > 18)
        return std::nullopt;
    auto magnitude = ToInt64(p.integer.empty() ? "0" : p.integer);
    if (!magnitude)
        return std::nullopt;
    if (!p.fraction.empty()) {
        const char first = p.fraction.front();
        const bool restZero = AllZero(std::string_view(p.fraction).substr(1));
        const bool roundUp = first > '5' || (first == '5' && (!restZero || (*magnitude % 2) == 1));
        if (roundUp)
            ++*magnitude;
    }
    return value.negative ? -*magnitude : *magnitude;
}

int CompareDecimal(const Decimal& value, std::int64_t bound) {
    if (value.negative) {
        if (bound >= 0)
            return -1;
        Decimal positive = value;
        positive.negative = false;
        return -CompareDecimal(positive, -bound);
    }
    if (bound < 0)
        return 1;
    const Parts p = Split(value);
    const bool fraction = !AllZero(p.fraction);
    if (p.integer.size() > 18)
        return 1;
    const std::int64_t integer = *ToInt64(p.integer.empty() ? "0" : p.integer);
    if (integer != bound)
        return integer < bound ? -1 : 1;
    return fraction ? 1 : 0;
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
