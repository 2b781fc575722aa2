// The codecs that turn radio and user text into numbers, on any text. ConversionError is their
// answer to text that is not a number; whatever they do convert must be in range, fit the record
// field it is meant for, and agree with the conversion back.
#include "model/codecs.h"
#include "property.h"

#include <string>

namespace zem::fuzz {
namespace {

void CheckCodes(std::string_view text) {
    const char c = CharOf(text);
    Require(std::string_view("0123456789ABCDE,.").find(c) != std::string_view::npos, "CharOf gives a known code");
    if (text.empty())
        return;
    const char code = text.front();
    const int hex = HexValue(code);
    Require(hex >= 0 && hex <= 15, "HexValue gives a hexadecimal digit");
    Require((StepHz(code) == 0) == StepText(code).empty() && StepText(code).empty() == StepItemText(code).empty(),
            "a step code has a size and both texts, or none");
    Require(ModeText(code).empty() || ModeText(code) == "FM" || ModeText(code) == "AM", "a mode is FM or AM");
}

void CheckSMeter(std::string_view answer) {
    const auto digit = Converted([&] { return SMeterDigit(answer); });
    if (digit)
        Require(answer.size() >= 7 && answer[6] == '0' + *digit, "the S-meter digit is character 7");
}

void CheckInteger(std::string_view text) {
    const auto n = Converted([&] { return ReadInteger(text); });
    const auto limit = Converted([&] { return LimitText(text); });
    Require(n.has_value() == limit.has_value(), "a limit is read as an integer");
    if (n)
        Require(*limit == std::to_string(*n), "a limit shows its integer");
}

// Hz values of at most seven significant digits come back exactly from the MHz text with six
// decimals, which rounds at the seventh significant digit.
bool HasSevenSignificantDigits(std::int32_t hz) {
    while (hz != 0 && hz % 10 == 0)
        hz /= 10;
    return hz < 10'000'000;
}

void CheckMhz(std::string_view text) {
    const auto hz = Converted([&] { return MhzToHz(text); });
    const auto freq = Converted([&] { return MhzToFreqDigits(text); });
    const auto offset = Converted([&] { return MhzToOffsetDigits(text); });
    const auto band = Converted([&] { return BandOfFreq(text); });
    Require(hz.has_value() == freq.has_value(), "one MHz reading for a frequency");
    Require(offset.has_value() == (hz.has_value() && *hz <= 999'999'999), "an offset takes up to nine digits");
    if (band)
        Require(*band >= -1 && *band <= 3, "a band is -1 or 0..3");
    if (!hz)
        return;
    Require(band.has_value(), "a frequency that converts has a band");
    Require(*hz >= 0, "Hz are never negative");
    Require(freq->size() == 11 && IsDigits(*freq) && std::stoll(*freq) == *hz, "a frequency is eleven digits");
    if (offset)
        Require(offset->size() == 9 && IsDigits(*offset) && std::stoll(*offset) == *hz, "an offset is its Hz digits");
    Require(MhzToHz(DigitsToExactMhz(*freq, 5)) == *hz, "exact MHz text reads back as its Hz");
    if (HasSevenSignificantDigits(*hz))
        Require(MhzToHz(DigitsToMhz(*freq, 6)) == *hz, "MHz text with six decimals reads back as its Hz");
}

void CheckDigitsToMhz(std::string_view digits) {
    const auto n = Converted([&] { return ReadInteger(digits); });
    for (int decimals = 0; decimals <= 9; ++decimals) {
        const auto mhz = Converted([&] { return DigitsToMhz(digits, decimals); });
        Require(mhz.has_value() == n.has_value(), "MHz text is made of any integer");
        if (!mhz)
            continue;
        std::string_view shown = *mhz;
        if (shown.starts_with('-')) {
            shown.remove_prefix(1);
            Require(shown.find_first_not_of("0.") != std::string_view::npos, "no negative zero");
        }
        const std::size_t point = shown.find('.');
        const std::size_t integerDigits = decimals == 0 ? shown.size() : point;
        Require(decimals == 0 ? point == std::string_view::npos : point == shown.size() - decimals - 1,
                "MHz text has exactly its decimals");
        Require(integerDigits >= 1 && IsDigits(shown.substr(0, integerDigits)) &&
                    IsDigits(shown.substr(std::min(shown.size(), integerDigits + 1))),
                "MHz text is digits around one point");
    }
}

void CheckBandOfSpan(std::string_view text) {
    const std::size_t comma = text.find(',');
    const std::string_view upper = text.substr(0, comma);
    const std::string_view lower = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    const auto band = Converted([&] { return BandOfSpan(upper, lower); });
    const bool integers =
        Converted([&] { return ReadInteger(upper); }) && Converted([&] { return ReadInteger(lower); });
    Require(band.has_value() == integers, "a span of two integers has a band");
    if (band)
        Require(*band >= -1 && *band <= 3, "a band is -1 or 0..3");
}

} // namespace
} // namespace zem::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = zem::fuzz::AsText(data, size);
    zem::fuzz::CheckCodes(text);
    zem::fuzz::CheckSMeter(text);
    zem::fuzz::CheckInteger(text);
    zem::fuzz::CheckMhz(text);
    zem::fuzz::CheckDigitsToMhz(text);
    zem::fuzz::CheckBandOfSpan(text);
    return 0;
}
