#include "model/cp932.h"
#include "model/menu_fields.h"
#include "model/startup_image.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

TEST(records_test, fixed_text_keeps_its_first_bytes) {
    FixedText<8> name = "ABCDEFGHIJ";
    EXPECT_EQ(name, "ABCDEFGH");
    // The record itself cuts by bytes, even inside a double-byte character.
    name = "\x8E\xF3\x90\x4D\x8E\xFC\x94\x67\x90\x94";
    EXPECT_EQ(name.size(), 8u);
    EXPECT_EQ(name, std::string_view("\x8E\xF3\x90\x4D\x8E\xFC\x94\x67", 8));
    const FixedText<250> memo(std::string(300, 'm'));
    EXPECT_EQ(memo.size(), 250u);
    name = "";
    EXPECT_TRUE(name.empty());
    // Shorter assignment leaves no trace of the old bytes in comparisons or copies.
    FixedText<8> a = "LONGNAME";
    a = "AB";
    EXPECT_EQ(a, FixedText<8>("AB"));
}

TEST(records_test, startup_image) {
    const RadioImage image = StartupImage();
    for (const MemoryChannel& ch : image.Channels) {
        EXPECT_EQ(ch.EmptyFlag, '1');
        EXPECT_TRUE(ch.Memo.empty());
        EXPECT_EQ(ch.Reserved, '\0');
    }
    struct Row {
        const char* label;
        char band, vfoNo;
        const char *freq, *lower, *upper, *offset;
    };
    const Row rows[] = {
        {"A125", '0', '1', "00125000000", "00118", "00135", "000000000"},
        {"A145", '0', '2', "00145000000", "00136", "00173", "000600000"},
        {"A435", '0', '7', "00435000000", "00430", "00439", "005000000"},
        {"B145", '1', '3', "00145000000", "00144", "00145", "000600000"},
        {"B360", '1', '5', "00360000000", "00320", "00399", "000000000"},
        {"B430", '1', '6', "00435000000", "00400", "00479", "005000000"},
    };
    for (std::size_t i = 0; i < kVfoCount; ++i) {
        const VfoRecord& v = image.Vfos[i];
        const Row& r = rows[i];
        EXPECT_EQ(VfoTableFacts()[i].label, r.label);
        EXPECT_EQ(v.Band, r.band);
        EXPECT_EQ(v.VfoNo, r.vfoNo);
        EXPECT_EQ(v.Freq, r.freq);
        EXPECT_EQ(v.LowerLimit, r.lower);
        EXPECT_EQ(v.UpperLimit, r.upper);
        EXPECT_EQ(v.Offset, r.offset);
        EXPECT_EQ(v.Step, '5');
        EXPECT_EQ(v.ToneCode, "09");
        EXPECT_EQ(v.Mode, '0');
    }
}

TEST(records_test, default_settings_through_the_menu_table) {
    const std::pair<const char*, const char*> expected[] = {
        {"MES", "HELLO!!"}, {"CNT", "07"}, {"LAN", "0"}, {"SV", "5"},       {"APO", "1"}, {"TSP", "1"},
        {"TXH", "0"},       {"PT", "2"},   {"DTB", "1"}, {"DS", "0"},       {"ARO", "0"}, {"SCR", "0"},
        {"BEP", "0"},       {"ELK", "0"},  {"TXS", "0"}, {"MYC", "NOCALL"}, {"GU", "0"},  {"MP", "00000000000000000"},
        {"NMSG", ""},       {"ICO", "0"},  {"GM", "0"},  {"GC", "000"},     {"TXI", "2"}, {"PP", ""},
        {"SMY", ""},        {"MAC", "7"},  {"SMSG", ""}, {"SMC", "7"},      {"RSV", ""},  {"RSC", "7"},
        {"VCS", "0"},
    };
    const RadioSettings s = DefaultSettings();
    ASSERT_EQ(std::size(expected), MenuFields().size());
    for (std::size_t i = 0; i < MenuFields().size(); ++i) {
        EXPECT_EQ(MenuFields()[i].name, expected[i].first);
        EXPECT_EQ(MenuFields()[i].get(s), expected[i].second) << expected[i].first;
    }
    for (const DtmfMemory& m : s.Dtmf) {
        EXPECT_TRUE(m.Code.empty());
        EXPECT_TRUE(m.Name.empty());
    }
}

TEST(records_test, menu_table_setters_cut_texts_and_code_characters) {
    RadioSettings s;
    FindMenuField("PP")->set(s, "RELAY,WIDE");
    EXPECT_EQ(s.PP, "RELAY,WIDE");
    FindMenuField("GC")->set(s, "12345");
    EXPECT_EQ(s.GC, "123");
    FindMenuField("ICO")->set(s, "E");
    EXPECT_EQ(s.ICO, 'E');
    FindMenuField("ICO")->set(s, "F"); // not a code the radio stores: the fallback
    EXPECT_EQ(s.ICO, '0');
    EXPECT_EQ(FindMenuField("MP")->capacity, 17u);
    EXPECT_TRUE(FindMenuField("VCS")->isChar);
    EXPECT_EQ(FindMenuField("XYZ"), nullptr);
}

} // namespace
} // namespace zem
