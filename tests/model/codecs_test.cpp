#include "model/codecs.h"
#include "model/conversion_error.h"

#include <gtest/gtest.h>

#include <string>

namespace zem {
namespace {

template <typename F> std::string ErrorOf(F f) {
    try {
        f();
    } catch (const ConversionError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(codecs_test, char_codes) {
    EXPECT_EQ(CharOf("7"), '7');
    EXPECT_EQ(CharOf("E"), 'E');
    EXPECT_EQ(CharOf(","), ',');
    EXPECT_EQ(CharOf("."), '.');
    // Outside the known set: the documented fallback '0'.
    for (const char* text : {"", "F", "a", "12", " "})
        EXPECT_EQ(CharOf(text), '0') << text;

    EXPECT_EQ(DigitChar(0), '0');
    EXPECT_EQ(DigitChar(9), '9');
    EXPECT_EQ(DigitChar(10), '0');
    EXPECT_EQ(DigitChar(-1), '0');

    EXPECT_TRUE(IsFlagSet('1'));
    EXPECT_FALSE(IsFlagSet('0'));
    EXPECT_FALSE(IsFlagSet('\0'));
    EXPECT_FALSE(IsFlagSet('X'));
    EXPECT_EQ(FlagChar(true), '1');
    EXPECT_EQ(FlagChar(false), '0');

    EXPECT_EQ(HexValue('E'), 14);
    EXPECT_EQ(HexValue('F'), 15);
    EXPECT_EQ(HexValue('9'), 9);
    EXPECT_EQ(HexValue('e'), 0); // upper case only
}

TEST(codecs_test, zero_pad) {
    struct Row {
        long long n;
        int width;
        const char* text;
    };
    for (const Row& r : {Row{7, 3, "007"}, Row{1234, 3, "1234"}, Row{-5, 3, "0-5"}, Row{0, 0, "0"},
                         Row{145000000, 11, "00145000000"}, Row{600000, 9, "000600000"}})
        EXPECT_EQ(ZeroPad(r.n, r.width), r.text) << r.n << " width " << r.width;
}

TEST(codecs_test, mode_and_step_tables) {
    EXPECT_EQ(ModeText('0'), "FM");
    EXPECT_EQ(ModeText('1'), "AM");
    EXPECT_EQ(ModeText('2'), "");
    const char* texts[] = {"5.0kHz",  "6.25kHz", "10.0kHz", "12.5kHz", "15.0kHz",
                           "20.0kHz", "25.0kHz", "30.0kHz", "50.0kHz", "100.0kHz"};
    const int hz[] = {5000, 6250, 10000, 12500, 15000, 20000, 25000, 30000, 50000, 100000};
    for (char c = '0'; c <= '9'; ++c) {
        EXPECT_EQ(StepText(c), texts[c - '0']);
        EXPECT_EQ(StepHz(c), hz[c - '0']);
    }
    EXPECT_EQ(StepItemText('1'), "6.25 kHz");
    EXPECT_EQ(StepText(':'), "");
    EXPECT_EQ(StepHz('/'), 0);
}

TEST(codecs_test, tone_list) {
    const auto& tones = ToneItems();
    EXPECT_EQ(tones[0], "");
    EXPECT_EQ(tones[1], "67.0 Hz");
    EXPECT_EQ(tones[2], "");
    EXPECT_EQ(tones[9], "88.5 Hz");
    EXPECT_EQ(tones[33], "203.5 Hz");
    EXPECT_EQ(tones[39], "250.3 Hz");
}

TEST(codecs_test, band_of_freq_runs_the_tests_in_order) {
    struct Row {
        const char* mhz;
        int band;
    };
    for (const Row& r :
         {Row{"118", 0},        Row{"135", 0},        Row{"135.5", -1},     Row{"135.0000001", -1},
          Row{"136", 1},        Row{"145", 1},        Row{"173", 1},        Row{"173.000001", -1},
          Row{"320", 2},        Row{"399", 2},        Row{"399.99", -1},    Row{"400", 3},
          Row{"435", 3},        Row{"479", 3},        Row{"480", -1},       Row{"117.999", -1},
          Row{"-145", -1},      Row{" 145.02", 1},    Row{"1.45e2", 1},     Row{"1e999999", -1},
          Row{"-1e999999", -1}, Row{"1e-999999", -1}, Row{"0.000145e6", 1}, Row{"1450000000000000000000e-19", 1}})
        EXPECT_EQ(BandOfFreq(r.mhz), r.band) << r.mhz;
    EXPECT_EQ(ErrorOf([] { BandOfFreq("Freq"); }), "'Freq' は浮動小数点数ではありません");
    EXPECT_EQ(ErrorOf([] { BandOfFreq(""); }), "'' は浮動小数点数ではありません");
}

std::string Repeat(std::string_view text, int times) {
    std::string repeated;
    for (int k = 0; k < times; ++k)
        repeated += text;
    return repeated;
}

// A line of a damaged file can be megabytes long; the message quotes its start, never cutting a
// double-byte character.
TEST(codecs_test, long_offending_text_is_cut_in_the_message) {
    struct Row {
        std::string text;
        std::string quoted;
    };
    const Row rows[] = {
        {std::string(40, 'x'), std::string(40, 'x')},
        {std::string(10'000'000, 'x'), std::string(40, 'x') + "…"},
        {"x" + Repeat("\x8E\xFC", 30), "x" + Repeat("周", 19) + "…"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ErrorOf([&] { BandOfFreq(r.text); }), "'" + r.quoted + "' は浮動小数点数ではありません");
}

TEST(codecs_test, band_of_span_needs_the_whole_span_in_one_band) {
    struct Row {
        const char* upper;
        const char* lower;
        int band;
    };
    for (const Row& r : {Row{"00146000000", "00144000000", 1}, Row{"00381312500", "00380212500", 2},
                         Row{"00135000000", "00118000000", 0}, Row{"00136500000", "00135500000", -1},
                         Row{"00380000000", "00380000000", -1}, Row{"00380000000", "00381000000", -1},
                         Row{"00320000000", "00170000000", -1}, Row{"00479000000", "00400000000", 3}})
        EXPECT_EQ(BandOfSpan(r.upper, r.lower), r.band) << r.lower << ".." << r.upper;
    EXPECT_EQ(ErrorOf([] { BandOfSpan("12a", "0"); }), "'12a' は整数ではありません");
}

TEST(codecs_test, s_meter_digit_is_character_seven) {
    EXPECT_EQ(SMeterDigit("SM 0,05"), 5);
    EXPECT_EQ(SMeterDigit("SM 1,09xyz"), 9);
    EXPECT_EQ(ErrorOf([] { SMeterDigit("SM 0,0"); }), "'' は整数ではありません");
    EXPECT_EQ(ErrorOf([] { SMeterDigit("SM 0,0?"); }), "'?' は整数ではありません");
}

TEST(codecs_test, mhz_text_rounds_half_to_even_exactly) {
    struct Row {
        const char* mhz;
        int width;
        const char* digits;
    };
    for (const Row& r : {
             Row{"145.02", 11, "00145020000"},
             Row{"145.0125", 11, "00145012500"},
             Row{"433.0000025", 11, "00433000002"}, // a half goes to the even neighbour
             Row{"433.0000035", 11, "00433000004"},
             Row{"433.00000251", 11, "00433000003"}, // above the half
             Row{"0.6", 9, "000600000"},
             Row{"0.60", 9, "000600000"},
             Row{"5", 9, "005000000"},
             Row{"  145 ", 11, "00145000000"},
             Row{"+1.45E2", 11, "00145000000"},
             Row{".5", 9, "000500000"},
             Row{"2147.483647", 11, "02147483647"},
             Row{"0", 11, "00000000000"},
             Row{"1e-999999", 11, "00000000000"},
             Row{"0.0000005", 11, "00000000000"},
             Row{"14502e-2", 11, "00145020000"},
         })
        EXPECT_EQ(MhzToDigits(r.mhz, r.width), r.digits) << r.mhz;

    for (const char* bad : {"", "abc", "145,02", "1.2.3", "e5", "145MHz", "--1", "."})
        EXPECT_EQ(ErrorOf([&] { MhzToFreqDigits(bad); }), "'" + std::string(bad) + "' は浮動小数点数ではありません")
            << bad;
    for (const char* outside : {"2147.483648", "-1", "99999999999", "1e999999", "-1e999999", "1e12"}) {
        try {
            MhzToFreqDigits(outside);
            ADD_FAILURE() << outside << " converted";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.kind(), ConversionError::Kind::Range) << outside;
        }
    }
    // An offset field holds nine digits: 1000 MHz is refused, naming the field's largest value.
    EXPECT_EQ(ErrorOf([] { MhzToOffsetDigits("1000"); }), "'1000' は範囲外の値です（0〜999.999999MHz）");
}

TEST(codecs_test, display_rounds_once_at_seven_significant_digits_or_the_last_decimal) {
    struct Row {
        const char* digits;
        int decimals;
        const char* text;
    };
    for (const Row& r : {
             Row{"00145000000", 5, "145.00000"},
             Row{"00433012500", 5, "433.01250"},
             Row{"00145006250", 5, "145.00630"}, // eight significant digits round to seven, half up
             Row{"00430006250", 5, "430.00630"},
             Row{"01300000000", 5, "1300.00000"},
             Row{"00012345678", 5, "12.34568"},
             Row{"000600000", 1, "0.6"},
             Row{"005000000", 1, "5.0"},
             Row{"000150000", 1, "0.2"}, // 150 kHz shown with one decimal
             Row{"000149999", 1, "0.1"},
             Row{"000000000", 1, "0.0"},
             Row{"000600000", 4, "0.6000"},
             Row{"00145000000", 0, "145"},
             Row{"99999999999", 5, "100000.00000"},
         })
        EXPECT_EQ(DigitsToMhz(r.digits, r.decimals), r.text) << r.digits << " / " << r.decimals;
    EXPECT_EQ(ErrorOf([] { DigitsToMhz("", 5); }), "'' は整数ではありません");
    EXPECT_EQ(ErrorOf([] { DigitsToMhz("145.000", 5); }), "'145.000' は整数ではありません");
}

// The editors' fields: every digit of the record survives, so the text reads back to the same Hz.
TEST(codecs_test, exact_mhz_text_keeps_every_digit) {
    struct Row {
        const char* digits;
        int minDecimals;
        const char* text;
    };
    for (const Row& r : {
             Row{"00145006250", 5, "145.00625"},
             Row{"00145000000", 5, "145.00000"},
             Row{"00145000001", 5, "145.000001"},
             Row{"01300000000", 5, "1300.00000"},
             Row{"000150000", 1, "0.15"},
             Row{"000600000", 4, "0.6000"},
             Row{"005000000", 1, "5.0"},
             Row{"000000000", 1, "0.0"},
         }) {
        EXPECT_EQ(DigitsToExactMhz(r.digits, r.minDecimals), r.text) << r.digits;
        EXPECT_EQ(MhzToDigits(r.text, static_cast<int>(std::string_view(r.digits).size())), r.digits);
    }
    EXPECT_EQ(ErrorOf([] { DigitsToExactMhz("14500000O", 5); }), "'14500000O' は整数ではありません");
}

TEST(codecs_test, read_integer_and_limits) {
    EXPECT_EQ(ReadInteger("00118"), 118);
    EXPECT_EQ(ReadInteger("-7"), -7);
    EXPECT_EQ(LimitText("00118"), "118");
    EXPECT_EQ(LimitText("005"), "5");
    for (const char* bad : {"", "1 8", "ABC", "-"})
        EXPECT_EQ(ErrorOf([&] { ReadInteger(bad); }), "'" + std::string(bad) + "' は整数ではありません") << bad;
}

} // namespace
} // namespace zem
