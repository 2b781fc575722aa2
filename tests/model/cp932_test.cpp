#include "model/cp932.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

struct Pair {
    const char* utf8;
    const char* cp932;
};

// Reference bytes from glibc's CP932 table, including the characters where Shift_JIS and CP932
// part ways (～ and the NEC/IBM extensions).
const Pair kPairs[] = {
    {"受信周波数", "\x8E\xF3\x90\x4D\x8E\xFC\x94\x67\x90\x94"},
    {"～", "\x81\x60"},
    {"①", "\x87\x40"},
    {"ｺｰﾙｻｲﾝ", "\xBA\xB0\xD9\xBB\xB2\xDD"},
    {"HELLO!!", "HELLO!!"},
    {"", ""},
};

TEST(cp932_test, round_trips_byte_for_byte) {
    for (const Pair& p : kPairs) {
        EXPECT_EQ(Cp932ToUtf8(p.cp932), p.utf8);
        const auto back = Utf8ToCp932(p.utf8);
        ASSERT_TRUE(back.has_value()) << p.utf8;
        EXPECT_EQ(*back, p.cp932);
    }
}

TEST(cp932_test, unmappable_and_broken_input) {
    EXPECT_FALSE(Utf8ToCp932("\xF0\x9F\x98\x80").has_value()); // an emoji has no CP932 form
    EXPECT_FALSE(Utf8ToCp932("\xC3").has_value());             // truncated UTF-8
    // A lead byte left alone by a byte cut shows as a replacement character, the rest survives.
    EXPECT_EQ(Cp932ToUtf8("AB\x8E"), "AB\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8("\x8E"
                          " A"),
              "\xEF\xBF\xBD"
              " A"); // a blank is no trail byte
}

TEST(cp932_test, listing_conversion_leaves_out_and_names_what_cp932_lacks) {
    struct Row {
        const char* utf8;
        const char* cp932;
        const char* missing;
    };
    const Row rows[] = {
        {"受信", "\x8E\xF3\x90\x4D", ""},
        {"Caf\xC3\xA9 \xF0\x9F\x98\x80!", "Caf !", "\xC3\xA9\xF0\x9F\x98\x80"},
        {"A\xC3", "A", "\xEF\xBF\xBD"}, // truncated UTF-8
        {"\xFF"
         "B\x80",
         "B", "\xEF\xBF\xBD\xEF\xBF\xBD"}, // bytes that start no character
    };
    for (const Row& r : rows) {
        const Cp932Conversion c = Utf8ToCp932Listing(r.utf8);
        EXPECT_EQ(c.cp932, r.cp932) << r.utf8;
        EXPECT_EQ(c.missing, r.missing) << r.utf8;
    }
}

TEST(cp932_test, cut_never_splits_a_double_byte_character) {
    const std::string name = "\x8E\xF3\x90\x4D\x8E\xFC\x94\x67\x90\x94"; // 受信周波数, 10 bytes
    struct Row {
        std::size_t max;
        std::size_t kept;
    };
    for (const Row& r : {Row{0, 0}, Row{1, 0}, Row{2, 2}, Row{7, 6}, Row{8, 8}, Row{20, 10}})
        EXPECT_EQ(CutCp932(name, r.max).size(), r.kept) << r.max;
    EXPECT_EQ(CutCp932("AB\x8E\xF3"
                       "C",
                       3),
              "AB");
    EXPECT_EQ(CutCp932("ABC\x8E", 8), "ABC"); // a dangling lead byte is dropped
}

TEST(cp932_test, every_code_encodes_back_to_itself_but_the_second_codes_of_a_character) {
    // Some characters have two codes and encode to one of them only: nine symbols of NEC row 13
    // (0x87) repeat row 2, the NEC-selected IBM extensions (0xED, 0xEE) repeat the IBM extensions,
    // and fifteen of those (0xFA) repeat row 13 and row 2.
    const auto secondCodeRow = [](int lead) { return lead == 0x87 || lead == 0xED || lead == 0xEE || lead == 0xFA; };
    int valid = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsCp932LeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string text = Cp932ToUtf8(code);
            if (text.find("\xEF\xBF\xBD") != std::string::npos)
                continue; // no character there
            ++valid;
            const auto back = Utf8ToCp932(text);
            ASSERT_TRUE(back.has_value()) << std::hex << lead << ' ' << trail;
            if (secondCodeRow(lead))
                EXPECT_EQ(Cp932ToUtf8(*back), text) << std::hex << lead << ' ' << trail;
            else
                EXPECT_EQ(*back, code) << std::hex << lead << ' ' << trail;
        }
    }
    EXPECT_EQ(valid, 9604);
}

} // namespace
} // namespace zem

// Text that must be written whatever it holds: each character CP932 lacks, and each byte that
// begins no character, becomes one '?', the rest stays.
TEST(Cp932, LossyConversionMarksOnlyWhatCannotBeCarried) {
    const struct {
        std::string utf8;
        std::string cp932;
    } cases[] = {
        {"2026/12/09 6:02:08:55", "2026/12/09 6:02:08:55"},
        {"\xe6\x97\xa5\xe6\x9c\xac", "\x93\xfa\x96\x7b"}, // 日本
        {"a\xf0\x9f\x93\xbb"
         "b",
         "a?b"},                           // a📻b
        {"\xe6\x97\xa5\xff", "\x93\xfa?"}, // a stray byte after 日
    };
    for (const auto& c : cases)
        EXPECT_EQ(zem::Utf8ToCp932Lossy(c.utf8), c.cp932) << c.utf8;
}
