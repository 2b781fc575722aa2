#include "codecs.h"

#include "conversion_error.h"
#include "decimal.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace zem {
namespace {

using detail::CompareDecimal;
using detail::Decimal;
using detail::ParseDecimal;
using detail::RoundScaledHalfEven;

struct StepRow {
    std::string_view text;
    int hz;
    std::string_view item;
};

constexpr std::array<StepRow, kStepCount> kSteps{{
    {"5.0kHz", 5000, "5 kHz"},
    {"6.25kHz", 6250, "6.25 kHz"},
    {"10.0kHz", 10000, "10 kHz"},
    {"12.5kHz", 12500, "12.5 kHz"},
    {"15.0kHz", 15000, "15 kHz"},
    {"20.0kHz", 20000, "20 kHz"},
    {"25.0kHz", 25000, "25 kHz"},
    {"30.0kHz", 30000, "30 kHz"},
    {"50.0kHz", 50000, "50 kHz"},
    {"100.0kHz", 100000, "100 kHz"},
}};

constexpr std::array<std::string_view, kToneCount> kTones{
    "",         "67.0 Hz",  "",         "71.9 Hz",  "74.4 Hz",  "77.0 Hz",  "79.7 Hz",  "82.5 Hz",
    "85.4 Hz",  "88.5 Hz",  "91.5 Hz",  "94.8 Hz",  "97.4 Hz",  "100.0 Hz", "103.5 Hz", "107.2 Hz",
    "110.9 Hz", "114.8 Hz", "118.8 Hz", "123.0 Hz", "127.3 Hz", "131.8 Hz", "136.5 Hz", "141.3 Hz",
    "146.2 Hz", "151.4 Hz", "156.7 Hz", "162.2 Hz", "167.9 Hz", "173.8 Hz", "179.9 Hz", "186.2 Hz",
    "192.8 Hz", "203.5 Hz", "210.7 Hz", "218.1 Hz", "225.7 Hz", "233.6 Hz", "241.8 Hz", "250.3 Hz",
};

// The band tests in the order they run; a later true test overwrites an earlier one. The inner
// ranges repeat their outer ones, as the radio's own band plan lists them.
struct BandTest {
    int low;
    int high;
    int band;
};
constexpr std::array<BandTest, 6> kBandTests{{
    {118, 135, 0},
    {136, 173, 1},
    {144, 145, 1},
    {400, 479, 3},
    {430, 439, 3},
    {320, 399, 2},
}};

const StepRow* FindStep(char code) {
    if (code < '0' || code > '9')
        return nullptr;
    return &kSteps[static_cast<std::size_t>(code - '0')];
}

} // namespace

char CharOf(std::string_view s) {
    if (s.size() != 1)
        return '0';
    const char c = s.front();
    const bool known = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'E') || c == ',' || c == '.';
    return known ? c : '0';
}

char DigitChar(long long n) {
    return n >= 0 && n <= 9 ? static_cast<char>('0' + n) : '0';
}

char FlagChar(bool on) {
    return on ? '1' : '0';
}

bool IsFlagSet(char c) {
    return c == '1';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

std::string ZeroPad(long long n, int width) {
    std::string s = std::to_string(n);
    if (width > 0 && s.size() < static_cast<std::size_t>(width))
        s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return s;
}

std::string_view ModeText(char code) {
    switch (code) {
    case '0':
        return "FM";
    case '1':
        return "AM";
    default:
        return {};
    }
}

std::string_view StepText(char code) {
    const StepRow* row = FindStep(code);
    return row ? row->text : std::string_view{};
}

int StepHz(char code) {
    const StepRow* row = FindStep(code);
    return row ? row->hz : 0;
}

std::string_view StepItemText(char code) {
    const StepRow* row = FindStep(code);
    return row ? row->item : std::string_view{};
}

const std::array<std::string_view, kToneCount>& ToneItems() {
    return kTones;
}

std::optional<long long> DigitsValue(std::string_view digits, std::size_t maxDigits) {
    // 18 digits always fit; from_chars takes no '+', and for an unsigned type no '-' either.
    if (digits.empty() || digits.size() > std::min<std::size_t>(maxDigits, 18))
        return std::nullopt;
    unsigned long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return static_cast<long long>(value);
}

long long ReadInteger(std::string_view text) {
    std::string_view s = text;
    const bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '+' || s.front() == '-'))
        s.remove_prefix(1);
    const std::optional<long long> value = DigitsValue(s);
    if (!value)
        ThrowNotInteger(text);
    return negative ? -*value : *value;
}

int BandOfFreq(std::string_view mhzText) {
    const std::optional<Decimal> f = ParseDecimal(mhzText);
    if (!f)
        ThrowNotDecimal(mhzText);
    int band = -1;
    for (const BandTest& t : kBandTests) {
        if (CompareDecimal(*f, t.low) >= 0 && CompareDecimal(*f, t.high) <= 0)
            band = t.band;
    }
    return band;
}

bool AmReceptionAllowed(std::string_view mhzText) {
    const std::optional<Decimal> f = ParseDecimal(mhzText);
    if (!f)
        ThrowNotDecimal(mhzText);
    return CompareDecimal(*f, 118) > 0 && CompareDecimal(*f, 135) < 0;
}

int BandOfSpan(std::string_view upperHz, std::string_view lowerHz) {
    const long long upper = ReadInteger(upperHz);
    const long long lower = ReadInteger(lowerHz);
    if (lower >= upper)
        return -1;
    int band = -1;
    for (const BandTest& t : kBandTests) {
        if (lower >= t.low * 1000000LL && upper <= t.high * 1000000LL)
            band = t.band;
    }
    return band;
}

int SMeterDigit(std::string_view response) {
    if (response.size() < 7)
        ThrowNotInteger({});
    const char c = response[6];
    if (c < '0' || c > '9')
        ThrowNotInteger(response.substr(6, 1));
    return c - '0';
}

std::int32_t MhzToHz(std::string_view mhzText) {
    const std::optional<Decimal> value = ParseDecimal(mhzText);
    if (!value)
        ThrowNotDecimal(mhzText);
    const std::optional<std::int64_t> hz = RoundScaledHalfEven(*value, 6);
    if (!hz || *hz < 0 || *hz > std::numeric_limits<std::int32_t>::max())
        throw ConversionError(ConversionError::Kind::Range, mhzText);
    return static_cast<std::int32_t>(*hz);
}

std::string MhzToDigits(std::string_view mhzText, int width) {
    std::string digits = ZeroPad(MhzToHz(mhzText), width);
    if (digits.size() > static_cast<std::size_t>(width))
        throw ConversionError(ConversionError::Kind::Range, mhzText,
                              DigitsToExactMhz(std::string(static_cast<std::size_t>(width), '9'), 0));
    return digits;
}
std::string MhzToFreqDigits(std::string_view mhzText) {
    return MhzToDigits(mhzText, 11);
}
std::string MhzToOffsetDigits(std::string_view mhzText) {
    return MhzToDigits(mhzText, 9);
}

std::string DigitsToMhz(std::string_view hzDigits, int decimals) {
    const long long n = ReadInteger(hzDigits);
    const bool negative = n < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    const int length = static_cast<int>(std::to_string(magnitude).size());
    // Seven significant digits of a value with (length - 6) integer digits leave 13 - length
    // decimals; the shown decimals may cut earlier.
    const int kept = std::min(decimals, 13 - length);
    unsigned long long rounded = magnitude;
    if (kept < 6) {
        unsigned long long divisor = 1;
        for (int i = kept; i < 6; ++i)
            divisor *= 10;
        rounded = (magnitude + divisor / 2) / divisor;
        for (int i = kept; i < 0; ++i)
            rounded *= 10;
    } else {
        for (int i = 6; i < kept; ++i)
            rounded *= 10;
    }
    // `rounded` now holds the value in units of 10^-max(kept,0) MHz.
    const int shownDecimals = std::max(kept, 0);
    std::string digits = std::to_string(rounded);
    if (digits.size() <= static_cast<std::size_t>(shownDecimals))
        digits.insert(0, static_cast<std::size_t>(shownDecimals) + 1 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - static_cast<std::size_t>(shownDecimals));
    if (decimals > 0)
        text += '.' + digits.substr(digits.size() - static_cast<std::size_t>(shownDecimals)) +
                std::string(static_cast<std::size_t>(decimals - shownDecimals), '0');
    return (negative && rounded != 0 ? "-" : "") + text;
}

std::string DigitsToExactMhz(std::string_view hzDigits, int minDecimals) {
    const long long n = ReadInteger(hzDigits);
    const unsigned long long magnitude =
        n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    std::string fraction = std::to_string(magnitude % 1'000'000);
    fraction.insert(0, 6 - fraction.size(), '0');
    const auto kept = static_cast<std::size_t>(std::max(minDecimals, 0));
    while (fraction.size() > kept && fraction.back() == '0')
        fraction.pop_back();
    fraction.append(kept > fraction.size() ? kept - fraction.size() : 0, '0');
    std::string text = n < 0 ? "-" : "";
    text.append(std::to_string(magnitude / 1'000'000));
    if (!fraction.empty())
        text.append(".").append(fraction);
    return text;
}

std::string LimitText(std::string_view limitDigits) {
    return std::to_string(ReadInteger(limitDigits));
}

} // namespace zem
