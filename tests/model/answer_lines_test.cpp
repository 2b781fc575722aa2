#include "model/answer_lines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zem {
namespace {

using namespace std::string_literals;

TEST(answer_lines_test, picks_the_line_that_names_what_was_asked) {
    struct Row {
        std::string response;
        const char* head;
        const char* bare;
        std::optional<std::string> line;
    };
    const Row rows[] = {
        {"MR 0,0,005,00145000000,5", "MR 0,0,005", "N", "MR 0,0,005,00145000000,5"},
        {"MR 0,0,004,00145000000,5\rMR 0,0,005,00433000000,5", "MR 0,0,005", "N", "MR 0,0,005,00433000000,5"},
        {"MR 0,0,004,00145000000,5", "MR 0,0,005", "N", std::nullopt}, // a late answer for another row
        {"MR 0,0,0050,1", "MR 0,0,005", "N", std::nullopt},            // a longer address is another one
        {"N", "MR 0,0,005", "N", "N"},
        {"N\rMR 0,0,005,1", "MR 0,0,005", "N", "MR 0,0,005,1"}, // the named line wins over the bare one
        {"?", "MR 0,0,005", "N", std::nullopt},
        {"BUSY\rCNT 05", "CNT", "", "CNT 05"},
        {"CNT 05 \r\nBUSY", "CNT", "", "CNT 05"}, // CR LF ends, trailing blanks of a line
        {"MES", "MES", "", "MES"},                // an empty value after the trim
        {"MESSAGE 1", "MES", "", std::nullopt},
        {"DMN 03,HOME", "DM 03", "DM", std::nullopt},
        {"DM 03,0123", "DM 03", "DM", "DM 03,0123"},
        {"DM", "DM 03", "DM", "DM"},
        {"", "ID", "", std::nullopt},
        {"\r\r", "ID", "", std::nullopt},
    };
    for (const Row& row : rows) {
        const auto line = AnswerLine(row.response, row.head, row.bare);
        EXPECT_EQ(line ? std::optional<std::string>(std::string(*line)) : std::nullopt, row.line)
            << testing::PrintToString(row.response) << " / " << row.head;
    }
}

TEST(answer_lines_test, control_chars) {
    EXPECT_FALSE(HasControlChars("JA1ZZZ \x83\x65\x83\x58"));
    EXPECT_TRUE(HasControlChars("A\rB"));
    EXPECT_TRUE(HasControlChars("\x7F"));
    EXPECT_TRUE(HasControlChars("A\0"s));
}

} // namespace
} // namespace zem
