#include "link/response_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zem {
namespace {

using namespace std::string_literals;

TEST(response_text_test, trim_answer) {
    struct Row {
        std::string raw;
        std::string answer;
    };
    const Row rows[] = {
        {"ID TH-D7\r", "ID TH-D7"},
        {"A\rB\r", "A\rB"},                     // only the last CR goes; the inner one is part of the answer
        {"AB\0CD\r"s, "AB"},                    // the text ends at the NUL
        {"\0ID\r"s, ""},                        //
        {"  X \r\n\t \x1F", "  X"},             // blanks and controls at the end, leading blanks kept
        {"MNA 0,000,\xB1\r", "MNA 0,000,\xB1"}, // a half-width katakana byte is text, not a blank
        {"N\x7F\r", "N\x7F"},                   // DEL is above 32
        {"\r\n", ""},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TrimAnswer(row.raw), row.answer) << testing::PrintToString(row.raw);
}

TEST(response_text_test, limit_lines_cuts_each_line_on_its_own) {
    EXPECT_EQ(LimitLines(std::string(100, 'x'), 90), std::string(90, 'x'));
    EXPECT_EQ(LimitLines("ABC\rDEFG\rH", 2), "AB\rDE\rH");
    EXPECT_EQ(LimitLines("\r\r", 2), "\r\r");
}

TEST(response_text_test, cut_at_nul_keeps_the_line_end) {
    EXPECT_EQ(CutAtNul("MW\r"), "MW\r");
    EXPECT_EQ(CutAtNul("MW\0\r"s), "MW");
    EXPECT_EQ(CutAtNul(""), "");
}

} // namespace
} // namespace zem
