#include "model/cp932.h"
#include "model/csv_import.h"
#include "model/startup_image.h"

#include <gtest/gtest.h>

#include <string>

namespace zem {
namespace {

ChannelTable Marked() {
    ChannelTable channels = StartupImage().Channels;
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        channels[row].EmptyFlag = '0';
        channels[row].Name = "OLD" + std::to_string(row);
    }
    return channels;
}

TEST(csv_import_test, accepted_line_gets_the_fixed_defaults) {
    const MemoryChannel ch = ParseCsvLine("145.02,HOME,my memo");
    MemoryChannel expected;
    expected.EmptyFlag = '0';
    expected.RxFreq = "00145020000";
    expected.Step = '5';
    expected.Shift = expected.Reverse = expected.ToneOn = expected.CtcssOn = '0';
    expected.ToneCode = expected.CtcssCode = "09";
    expected.Offset = "000000000";
    expected.Mode = '0';
    expected.Name = "HOME";
    expected.Lockout = '0';
    expected.Memo = "my memo";
    EXPECT_EQ(ch, expected);
}

struct CsvRow {
    const char* line;
    char emptyFlag;
    const char* rx;
    const char* name;
    const char* memo;
};

TEST(csv_import_test, parse_csv_line_columns) {
    const CsvRow rows[] = {
        {"125.0,AIR,tower", '0', "00125000000", "AIR", "tower"},
        {"174.0,X,Y", '1', "", "", ""},
        {"300,X,Y", '1', "", "", ""},
        {"433.5,", '0', "00433500000", "", ""},
        {"145.02,LONGNAME12,memo", '0', "00145020000", "LONGNAME", "memo"},
        {"145.02,N,memo, with comma", '0', "00145020000", "N", "memo"},
        {"145.02, N , \"m\" ", '0', "00145020000", " N ", " \"m\" "},
        {" 439.000 ,N,M,4,5,6,7,8,9,10", '0', "00439000000", "N", "M"},
    };
    for (const CsvRow& row : rows) {
        SCOPED_TRACE(row.line);
        const MemoryChannel ch = ParseCsvLine(row.line);
        EXPECT_EQ(ch.EmptyFlag, row.emptyFlag);
        EXPECT_EQ(ch.RxFreq, row.rx);
        EXPECT_EQ(ch.Name, row.name);
        EXPECT_EQ(ch.Memo, row.memo);
    }
}

TEST(csv_import_test, japanese_name_is_cut_between_characters) {
    // Five double-byte characters are 10 bytes; the name keeps the first four whole.
    const std::string name = Utf8ToCp932("東京タワー").value();
    const MemoryChannel ch = ParseCsvLine("433.0," + name + ",");
    EXPECT_EQ(ch.Name, name.substr(0, 8));
}

TEST(csv_import_test, not_a_number_throws_the_conversion_error) {
    for (const char* line : {"周波数,名前,メモ", "\"145.02\",A,B", ",A,B", "abc,"}) {
        SCOPED_TRACE(line);
        try {
            ParseCsvLine(line);
            ADD_FAILURE() << "no error";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.kind(), ConversionError::Kind::Decimal);
        }
    }
    try {
        ParseCsvLine(Utf8ToCp932("周波数,名前").value());
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'周波数' は浮動小数点数ではありません");
    }
}

std::vector<std::string> Report(const CsvImportResult& result) {
    std::vector<std::string> lines;
    for (const ChannelCsvNote& note : result.notes)
        lines.push_back(FormatChannelCsvNote(note));
    return lines;
}

TEST(csv_import_test, import_fills_rows_in_order_and_lists_what_it_leaves_out) {
    ChannelTable channels = Marked();
    const CsvImportResult r = ImportCsv("145.02,HOME,my memo\n433.5\n \n174.0,X,Y\n125.0,AIR,tower\n"
                                        "145.5,LONGNAME12,memo, more,\n430.0,A,B,,\n174.0,Z,\n",
                                        channels);
    EXPECT_EQ(r.accepted, 4u);
    EXPECT_FALSE(r.error);
    const std::string bands = "MHz は受信できる周波数（118〜135、136〜173、320〜399、400〜479 MHz）ではありません";
    EXPECT_EQ(Report(r), (std::vector<std::string>{
                             "2 行目を取り込みませんでした: ',' がない行です（周波数だけのチャンネルも '145.0,' "
                             "と書きます）",
                             "4 行目を取り込みませんでした: '174.0' " + bands,
                             "6 行目: 名前は 8 バイトまでなので '12' を切りました; メモの後の ', more,' "
                             "は読みませんでした（メモに ',' は使えません）",
                             "8 行目を取り込みませんでした: '174.0' " + bands,
                         }));
    EXPECT_EQ(channels[0].Name, "HOME");
    EXPECT_EQ(channels[1].Name, "AIR");
    EXPECT_EQ(channels[2].Memo, "memo");
    // A line not taken changes no row: the one after the last taken line keeps its contents.
    EXPECT_EQ(channels[4], Marked()[4]);
    for (std::size_t row = kNumberedChannels; row < kChannelRows; ++row)
        EXPECT_EQ(channels[row], Marked()[row]);
}

TEST(csv_import_test, every_line_end_ends_a_line) {
    for (const std::string end : {"\n", "\r", "\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(end));
        ChannelTable channels = Marked();
        const CsvImportResult r =
            ImportCsv("145.02,HOME,my memo" + end + "433.5,B," + end + end + "x,C," + end, channels);
        EXPECT_EQ(r.accepted, 2u);
        EXPECT_EQ(channels[0].Memo, "my memo");
        EXPECT_EQ(channels[1].Name, "B");
        EXPECT_EQ(r.errorLine, 4u);
    }
}

TEST(csv_import_test, stops_after_150_accepted_lines) {
    std::string file;
    for (int k = 0; k < 200; ++k)
        file += "145." + std::to_string(100 + k) + ",CH" + std::to_string(k) + ",\n";
    file += "not a number,\n";
    ChannelTable channels = Marked();
    const CsvImportResult r = ImportCsv(file, channels);
    EXPECT_EQ(r.accepted, 150u);
    EXPECT_FALSE(r.error); // the lines after the 150th are never read
    EXPECT_EQ(Report(r), std::vector<std::string>{"151 行目を取り込みませんでした: チャンネル 0〜149 "
                                                  "が埋まったので、ここから後の 51 行は読みませんでした"});
    EXPECT_EQ(channels[0].Name, "CH0");
    EXPECT_EQ(channels[149].Name, "CH149");
    EXPECT_EQ(channels[150], Marked()[150]);
}

// A damaged file can note millions of lines: the first are kept, the others counted.
TEST(csv_import_test, keeps_the_first_notes_and_counts_the_rest) {
    std::string file;
    for (std::size_t k = 0; k < kKeptNotes + 100; ++k)
        file += "1e999999,X,\n";
    ChannelTable channels = Marked();
    const CsvImportResult r = ImportCsv(file, channels);
    EXPECT_EQ(r.notes.size(), kKeptNotes);
    EXPECT_EQ(r.moreNotes, 100u);
    EXPECT_EQ(channels, Marked());
}

TEST(csv_import_test, header_line_ends_the_import_at_once) {
    ChannelTable channels = Marked();
    const CsvImportResult r = ImportCsv("Freq,Name,Memo\n145.02,HOME,\n", channels);
    EXPECT_EQ(r.accepted, 0u);
    ASSERT_TRUE(r.error);
    EXPECT_STREQ(r.error->what(), "'Freq' は浮動小数点数ではありません");
    EXPECT_EQ(r.errorLine, 1u);
    EXPECT_EQ(channels, Marked());
}

TEST(csv_import_test, error_keeps_the_rows_filled_before_it) {
    ChannelTable channels = Marked();
    const CsvImportResult r = ImportCsv("145.02,A,\r\nno comma\r\n433.0,B,\r\n,C,\r\n435.0,D,\r\n", channels);
    EXPECT_EQ(r.accepted, 2u);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.errorLine, 4u);
    EXPECT_EQ(channels[0].Name, "A");
    EXPECT_EQ(channels[1].Name, "B");
    EXPECT_EQ(channels[2].Name, "OLD2");
}

// Control characters become blanks, a UTF-8 file with its mark is taken, a UTF-16 one refused.
TEST(csv_import_test, encodings_and_control_characters) {
    using namespace std::string_literals;
    ChannelTable channels = Marked();
    CsvImportResult r = ImportCsv("145.0,A\0B,x\x1B[2J\a"s, channels);
    EXPECT_EQ(channels[0].Name, "A B");
    EXPECT_EQ(channels[0].Memo, "x [2J ");
    EXPECT_EQ(Report(r),
              std::vector<std::string>{"1 行目: 名前の制御文字は空白にしました; メモの制御文字は空白にしました"});
    r = ImportCsv("\xEF\xBB\xBF"
                  "145.0,自宅,メモ\U0001F4FB\r\n",
                  channels);
    EXPECT_EQ(channels[0].Name, "\x8E\xA9\x91\xEE"); // CP932
    EXPECT_EQ(channels[0].Memo, "\x83\x81\x83\x82");
    EXPECT_EQ(Report(r), std::vector<std::string>{"1 行目: '\U0001F4FB' は CP932 にないので除きました"});
    for (const std::string& utf16 : {"\xFF\xFE"
                                     "1\0"
                                     "4\0"s,
                                     "\0"
                                     "1\0"
                                     "4"s}) {
        ChannelTable untouched = Marked();
        EXPECT_EQ(ImportCsv(utf16, untouched).refusal,
                  "UTF-16 のファイルは読めません。UTF-8 か Shift-JIS（CP932）で保存し直してください");
        EXPECT_EQ(untouched, Marked());
    }
}

TEST(csv_import_test, last_line_without_line_end) {
    ChannelTable channels = Marked();
    EXPECT_EQ(ImportCsv("145.02,A,", channels).accepted, 1u);
    EXPECT_EQ(channels[0].Name, "A");
    EXPECT_EQ(ImportCsv("", channels).accepted, 0u);
}

} // namespace
} // namespace zem
