#include "model/command_text.h"
#include "model/conversion_error.h"
#include "model/startup_image.h"
#include "model/used_channel.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

// A used channel with the shift, a tone, lockout and a transmit frequency set.
MemoryChannel ShiftedChannel() {
    MemoryChannel ch = UsedChannel("00145000000", "HOME");
    ch.Shift = '1';
    ch.ToneOn = '1';
    ch.CtcssCode = "12";
    ch.Lockout = '1';
    ch.TxFreq = "00435000000";
    return ch;
}

TEST(command_text_test, addresses_and_labels) {
    struct Row {
        std::size_t row;
        const char* address;
        const char* label;
    };
    for (const Row& r : {Row{0, "000", "0"}, Row{5, "005", "5"}, Row{149, "149", "149"}, Row{150, "L0", "L0"},
                         Row{151, "U0", "U0"}, Row{156, "L3", "L3"}, Row{169, "U9", "U9"}}) {
        EXPECT_EQ(ChannelAddress(r.row), r.address);
        EXPECT_EQ(RowLabel(r.row), r.label);
    }
    EXPECT_EQ(LowerScanRow(3), 156u);
    EXPECT_EQ(UpperScanRow(9), 169u);
}

TEST(command_text_test, scanners) {
    // Letters, blanks and '.' vanish from digit fields; fields beyond the count are dropped.
    const auto digits = ScanDigits("MR 0,0,L3,145.000000,,x9,1,2", 5);
    ASSERT_EQ(digits.size(), 5u);
    EXPECT_EQ(digits[0], "0");
    EXPECT_EQ(digits[1], "0");
    EXPECT_EQ(digits[2], "3");
    EXPECT_EQ(digits[3], "145000000");
    EXPECT_EQ(digits[4], "");
    const auto text = ScanText("MNA 0,005,A B C,rest", 6);
    EXPECT_EQ(text[0], "MNA 0");
    EXPECT_EQ(text[2], "A B C");
    EXPECT_EQ(text[3], "rest");
    EXPECT_EQ(text[5], "");
}

TEST(command_text_test, builders) {
    const MemoryChannel ch = ShiftedChannel();
    EXPECT_EQ(BuildReadChannel(5), "MR 0,0,005");
    EXPECT_EQ(BuildReadSplit(157), "MR 0,1,U3");
    EXPECT_EQ(BuildReadName(150), "MNA 0,L0");
    EXPECT_EQ(BuildWriteChannel(5, ch), "MW 0,0,005,00145000000,5,1,0,1,0,,09,,12,000600000,0,1\r");
    EXPECT_EQ(BuildWriteChannel(5, ch).size(), 55u);
    EXPECT_EQ(BuildWriteChannel(156, ch).size(), 54u);
    MemoryChannel split = ch;
    split.Offset = "";
    split.Shift = '0';
    EXPECT_EQ(BuildWriteChannel(156, split), "MW 0,0,L3,00145000000,5,0,0,1,0,,09,,12,,0,1\r");
    EXPECT_EQ(BuildWriteChannel(156, split).size(), 45u);
    EXPECT_EQ(BuildClearChannel(169), "MW 0,0,U9");
    EXPECT_EQ(BuildWriteSplit(5, ch), "MW 0,1,005,00435000000,0");
    EXPECT_EQ(BuildWriteName(5, ch), "MNA 0,005,HOME");

    const VfoRecord vfo = DefaultVfos()[1];
    EXPECT_EQ(BuildReadVfo(vfo), "VR 2");
    EXPECT_EQ(BuildVW(vfo), "VW 2,00145000000,5,0,0,0,0,,09,,09,000600000,0");
    EXPECT_EQ(BuildReadLimits(vfo), "PV 2");
    EXPECT_EQ(BuildWriteLimits(vfo), "PV 2,00136,00173");
}

TEST(command_text_test, parse_mr_fills_a_used_channel) {
    MemoryChannel ch;
    ch.Memo = "kept";
    ch.Name = "OLD";
    ParseMR("MR 0,0,005,00145000000,5,0,0,1,0,,09,,09,000600000,0,1", ch);
    EXPECT_EQ(ch.EmptyFlag, '0');
    EXPECT_EQ(ch.RxFreq, "00145000000");
    EXPECT_EQ(ch.Step, '5');
    EXPECT_EQ(ch.Shift, '0');
    EXPECT_EQ(ch.Reverse, '0');
    EXPECT_EQ(ch.ToneOn, '1');
    EXPECT_EQ(ch.CtcssOn, '0');
    EXPECT_EQ(ch.ToneCode, "09");
    EXPECT_EQ(ch.CtcssCode, "09");
    EXPECT_EQ(ch.Offset, "000600000");
    EXPECT_EQ(ch.Mode, '0');
    EXPECT_EQ(ch.Lockout, '1');
    EXPECT_EQ(ch.Memo, "kept"); // never touched by the parser
    EXPECT_EQ(ch.Name, "OLD");

    ParseMR("MR 0,0,005,00145000000,5,0,0,1,0,,09,,09,,0,1", ch);
    EXPECT_TRUE(IsSplit(ch));

    // Too-long fields are cut; a field of two digits gets the fallback code.
    ParseMR("MR 0,0,005,1234567890123,12,0,0,1,0,,123,,09,0123456789,0,1,extra", ch);
    EXPECT_EQ(ch.RxFreq, "12345678901");
    EXPECT_EQ(ch.Step, '0');
    EXPECT_EQ(ch.ToneCode, "12");
    EXPECT_EQ(ch.Offset, "012345678");

    // However long a code field's number is, it gets the fallback code; leading zeros do not count.
    ParseMR("MR 0,0,005,00145000000,12345678901234567890,0,0,1,0,,09,,09,000600000,0,0003", ch);
    EXPECT_EQ(ch.Step, '0');
    EXPECT_EQ(ch.Lockout, '3');
    VfoRecord vfo = DefaultVfos()[0];
    ParseVR("VR 1,00125000000,5,0,0,0,0,,09,,09,000000000,99999999999999999999999", vfo);
    EXPECT_EQ(vfo.Mode, '0');
}

TEST(command_text_test, parse_mr_without_its_word_marks_the_row_empty_only) {
    MemoryChannel ch = ShiftedChannel();
    ParseMR("N", ch);
    MemoryChannel expected = ShiftedChannel();
    expected.EmptyFlag = '1';
    EXPECT_EQ(ch, expected);
}

TEST(command_text_test, parse_mr_with_an_empty_code_field_raises_and_changes_nothing) {
    MemoryChannel ch = ShiftedChannel();
    try {
        ParseMR("MR 0,0,005,00145000000,,0,0,1,0,,09,,09,000600000,0,1", ch);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'' は整数ではありません");
    }
    EXPECT_EQ(ch, ShiftedChannel());
}

TEST(command_text_test, split_and_name_answers) {
    EXPECT_EQ(ParseMRSplit("MR 0,1,005,00435000000,0"), "00435000000");
    EXPECT_EQ(ParseMRSplit("MR 0,0,005,00435000000"), "");
    EXPECT_EQ(ParseMRSplit("?"), "");
    EXPECT_EQ(ParseMNA("MNA 0,005,MY NAME"), "MY NAME");
    EXPECT_EQ(ParseMNA("MNA 0,005,A,B"), "A"); // a name with ',' comes back cut
    EXPECT_EQ(ParseMNA("N"), "");
    // CP932 bytes pass through untouched.
    EXPECT_EQ(ParseMNA("MNA 0,L1,\x83\x65\x83\x58\x83\x67"), "\x83\x65\x83\x58\x83\x67");
}

TEST(command_text_test, parse_vr_and_pv) {
    VfoRecord vfo = DefaultVfos()[2];
    ParseVR("VR 7,00433500000,3,2,1,0,1,,12,,13,005000000,1,99,98", vfo);
    EXPECT_EQ(vfo.VfoNo, '7');
    EXPECT_EQ(vfo.Freq, "00433500000");
    EXPECT_EQ(vfo.Step, '3');
    EXPECT_EQ(vfo.Shift, '2');
    EXPECT_EQ(vfo.Reverse, '1');
    EXPECT_EQ(vfo.ToneOn, '0');
    EXPECT_EQ(vfo.CtcssOn, '1');
    EXPECT_EQ(vfo.ToneCode, "12");
    EXPECT_EQ(vfo.CtcssCode, "13");
    EXPECT_EQ(vfo.Offset, "005000000");
    EXPECT_EQ(vfo.Mode, '1');
    EXPECT_EQ(vfo.LowerLimit, "00430"); // never touched by VR

    VfoRecord lost = DefaultVfos()[2];
    ParseVR("?", lost);
    VfoRecord expected = DefaultVfos()[2];
    expected.VfoNo = 'B';
    EXPECT_EQ(lost, expected);

    ParsePVLimits("PV 1,00136,00173", vfo);
    EXPECT_EQ(vfo.LowerLimit, "00136");
    EXPECT_EQ(vfo.UpperLimit, "00173");
    ParsePVLimits("PV 2,00136", vfo); // ten characters: the upper limit is missing
    EXPECT_EQ(vfo.LowerLimit, "00136");
    EXPECT_EQ(vfo.UpperLimit, "");
    ParsePVLimits("PV", vfo);
    EXPECT_EQ(vfo.LowerLimit, "");
}

TEST(command_text_test, text_at_by_position) {
    EXPECT_EQ(TextAt("MES HELLO!!", 5, 8), "HELLO!!");
    EXPECT_EQ(TextAt("MES HELLO WORLD", 5, 8), "HELLO WO");
    EXPECT_EQ(TextAt("SV 2", 4, 1), "2");
    EXPECT_EQ(TextAt("SV", 4, 1), "");
    EXPECT_EQ(TextAt("", 1, 3), "");
}

TEST(command_text_test, double_byte_safe_search) {
    EXPECT_TRUE(ContainsCp932("ID TH-D7", "TH-D7"));
    EXPECT_FALSE(ContainsCp932("ID TH-D", "TH-D7"));
    // 0x81 0x54 is one double-byte character; "T" here is its second byte, not a match start.
    EXPECT_FALSE(ContainsCp932("\x81TH-D7x", "TH-D7"));
    EXPECT_TRUE(ContainsCp932("\x81\x40TH-D7", "TH-D7"));
}

} // namespace
} // namespace zem
