#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zem {

// One-character codes. Where a function has no defined result for an input, it gives the
// documented fallback, so that a damaged response, file line or control state never crashes.

// "0".."9", "A".."E", "," and "." give that character; any other text gives '0'.
char CharOf(std::string_view s);
// 0..9 give '0'..'9'; any other value gives '0'.
char DigitChar(long long n);
char FlagChar(bool on);
bool IsFlagSet(char c);
// '0'..'9' give 0..9, 'A'..'F' give 10..15; any other character gives 0.
int HexValue(char c);

// Decimal text of n with a leading '-' when negative, then zeros in front up to width w; never cut.
std::string ZeroPad(long long n, int width);

std::string_view ModeText(char code);
std::string_view StepText(char code);
// Step size in Hz of a step code; 0 for a character outside '0'..'9'.
int StepHz(char code);
// The editors' item text of a step code ("20 kHz"); empty outside '0'..'9'.
std::string_view StepItemText(char code);

inline constexpr std::size_t kStepCount = 10;
inline constexpr std::size_t kToneCount = 40;
// The 40 tone list entries ("88.5 Hz"); entries 0 and 2 are empty.
const std::array<std::string_view, kToneCount>& ToneItems();
// The tone code a new channel or VFO starts with: 88.5 Hz.
inline constexpr std::string_view kDefaultToneCode = "09";

// Receive bands: 0 is 118-135 MHz, 1 is 136-173, 2 is 320-399, 3 is 400-479; -1 none.
int BandOfFreq(std::string_view mhzText);
int BandOfSpan(std::string_view upperHz, std::string_view lowerHz);

// AM reception is offered only inside the air band, both bounds excluded: 118 < f < 135 MHz.
// Throws ConversionError (Decimal) for a text that is not a number.
bool AmReceptionAllowed(std::string_view mhzText);

// The S-meter digit at character 7 (1-based) of an "SM" answer.
int SMeterDigit(std::string_view response);

// The value of a text of decimal digits only (no sign, no blank), 1 to `maxDigits` of them;
// nothing for any other text. Codes, list indexes, row addresses and frequency digits are all
// read by this one parser.
std::optional<long long> DigitsValue(std::string_view digits, std::size_t maxDigits = 18);

// Reads a decimal integer as the runtime does ("00118" is 118); throws ConversionError (Integer).
long long ReadInteger(std::string_view text);

// MHz text ("145.02") to record digits: Hz rounded half to even, zero-padded to width (11 for a
// frequency, 9 for an offset). Throws ConversionError: Decimal for a text that is not a number,
// Range for a value outside 0..2147483647 Hz or one with more digits than the width.
std::string MhzToDigits(std::string_view mhzText, int width);
std::string MhzToFreqDigits(std::string_view mhzText);   // width 11
std::string MhzToOffsetDigits(std::string_view mhzText); // width 9
// The Hz value of an MHz text, with the same rounding and errors as MhzToDigits.
std::int32_t MhzToHz(std::string_view mhzText);

// Record digits (Hz) to MHz text with exactly `decimals` digits after the point, rounded once,
// half up, at the seventh significant digit or at the last shown decimal, whichever comes first:
// "00145006250" with 5 decimals is "145.00630". Throws ConversionError (Integer) when the
// digits are not a decimal integer.
std::string DigitsToMhz(std::string_view hzDigits, int decimals);
// Record digits (Hz) to MHz text that keeps every digit: at least `minDecimals` decimals, more
// where the value has them ("00145006250" with 5 is "145.00625", "000150000" with 1 is "0.15"),
// so that reading the text back gives the same Hz. Throws ConversionError (Integer) when the
// digits are not a decimal integer.
std::string DigitsToExactMhz(std::string_view hzDigits, int minDecimals);
// A band limit ("00118") as plain decimal ("118"); throws ConversionError (Integer).
std::string LimitText(std::string_view limitDigits);

} // namespace zem
