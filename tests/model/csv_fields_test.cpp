#include "model/csv_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zem {
namespace {

using Fields = std::vector<std::string>;

TEST(csv_fields_test, quotes_only_fields_that_need_it_and_reads_them_back) {
    struct Row {
        Fields fields;
        const char* line;
    };
    const Row rows[] = {
        {{"145.000000", "", "TSQL"}, "145.000000,,TSQL\r\n"},
        {{"a,b", "say \"hi\"", "two\r\nlines", "cr\ronly", "lf\nonly"},
         "\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\"cr\ronly\",\"lf\nonly\"\r\n"},
        {{"\""}, "\"\"\"\"\r\n"},
        {{""}, "\r\n"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FormatCsvRecord(r.fields), r.line);
        std::string_view text = r.line;
        const CsvRecord back = TakeCsvRecord(text);
        EXPECT_EQ(back.fields, r.fields) << r.line;
        EXPECT_TRUE(back.closed);
        EXPECT_TRUE(text.empty());
    }
}

TEST(csv_fields_test, every_line_end_ends_a_record_and_quoted_ones_count_as_lines) {
    std::string_view text = "a,\"b\r\nc\",d\ne\rf\r\n\"g\"h,i\"j";
    const std::vector<std::pair<Fields, std::size_t>> expected{
        {{"a", "b\r\nc", "d"}, 2}, {{"e"}, 1}, {{"f"}, 1}, {{"gh", "i\"j"}, 1}};
    for (const auto& [fields, lines] : expected) {
        const CsvRecord r = TakeCsvRecord(text);
        EXPECT_EQ(r.fields, fields);
        EXPECT_EQ(r.lines, lines);
    }
    EXPECT_TRUE(text.empty());
}

TEST(csv_fields_test, a_quote_left_open_takes_the_rest_and_says_so) {
    std::string_view text = "1,\"open\r\n2,x\r\n";
    const CsvRecord r = TakeCsvRecord(text);
    EXPECT_FALSE(r.closed);
    EXPECT_EQ(r.fields, (Fields{"1", "open\r\n2,x\r\n"}));
    EXPECT_TRUE(text.empty());
}

} // namespace
} // namespace zem
