#include "model/channel_csv.h"
#include "model/cp932.h"
#include "model/csv_import.h"
#include "model/startup_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace zem {
namespace {

// One channel by its fields; texts in UTF-8.
struct ChannelRow {
    std::size_t row;
    const char* rx;
    char step;
    char shift;
    const char* offset; // empty: a split channel
    const char* tx;
    char toneOn;
    char ctcssOn;
    const char* toneCode;
    const char* ctcssCode;
    char mode;
    const char* name;
    char lockout;
    const char* memo;
};

const ChannelRow kChannels[] = {
    {0, "00145000000", '5', '0', "", "00435000000", '0', '0', "09", "09", '0', "SPLIT", '0', "split"},
    {1, "00439880000", '5', '2', "005000000", "", '1', '0', "09", "33", '0', "中継局2", '0', "トーン 88.5Hz, -5MHz"},
    {2, "00145600000", '2', '1', "000600000", "", '0', '1', "13", "13", '0', "TSQL", '0', "say \"hi\", twice"},
    {3, "00433000000", '6', '0', "000000000", "", '1', '1', "01", "39", '0', "CROSS", '0', ""},
    {4, "00118100000", '3', '0', "000000000", "", '0', '0', "09", "09", '1', "羽田TWR", '0', "航空無線"},
    {5, "00145006250", '1', '0', "000000000", "", '0', '0', "09", "09", '0', "東京タワ", '1', "\"quoted\""},
    {149, "00479000000", '9', '0', "000150000", "", '0', '0', "39", "01", '0', "", '0', "a,b,,c"},
};

MemoryChannel Channel(const ChannelRow& r) {
    MemoryChannel ch = ImportedChannel("145.0");
    ch.RxFreq = r.rx;
    ch.Step = r.step;
    ch.Shift = r.shift;
    ch.Offset = r.offset;
    ch.TxFreq = r.tx;
    ch.ToneOn = r.toneOn;
    ch.CtcssOn = r.ctcssOn;
    ch.ToneCode = r.toneCode;
    ch.CtcssCode = r.ctcssCode;
    ch.Mode = r.mode;
    ch.Name = Utf8ToCp932(r.name).value();
    ch.Lockout = r.lockout;
    ch.Memo = Utf8ToCp932(r.memo).value();
    return ch;
}

ChannelTable Marked() {
    ChannelTable channels = StartupImage().Channels;
    for (std::size_t row = 0; row < kChannelRows; ++row)
        channels[row].Name = "OLD" + std::to_string(row);
    return channels;
}

std::vector<std::string> Report(const ChannelCsvImport& result) {
    std::vector<std::string> lines;
    for (const ChannelCsvNote& note : result.notes)
        lines.push_back(FormatChannelCsvNote(note));
    return lines;
}

TEST(channel_csv_test, export_writes_the_header_and_one_row_per_used_channel) {
    ChannelTable channels = StartupImage().Channels;
    for (const ChannelRow& r : kChannels)
        channels[r.row] = Channel(r);
    channels[LowerScanRow(0)] = ImportedChannel("144.0");
    const ChannelCsvExport exported = ExportChannelCsv(channels);
    EXPECT_TRUE(exported.notes.empty());
    const std::string& csv = exported.text;
    const std::string header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                               "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";
    EXPECT_EQ(ChannelCsvHeader(), header);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n3,")),
              header +
                  "\r\n"
                  "0,SPLIT,145.000000,split,435.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,20.00,,High,split,,,,\r\n"
                  "1,中継局2,439.880000,-,5.000000,Tone,88.5,203.5,023,NN,023,Tone->Tone,FM,20.00,,High,"
                  "\"トーン 88.5Hz, -5MHz\",,,,\r\n"
                  "2,TSQL,145.600000,+,0.600000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,FM,10.00,,High,"
                  "\"say \"\"hi\"\", twice\",,,,");
    EXPECT_NE(csv.find("\r\n3,CROSS,433.000000,,0.000000,Cross,67.0,250.3,"), std::string::npos);
    EXPECT_NE(csv.find("\r\n4,羽田TWR,118.100000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,12.50,"),
              std::string::npos);
    EXPECT_NE(csv.find("\r\n5,東京タワ,145.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,S,"),
              std::string::npos);
    EXPECT_EQ(csv.find("144.000000"), std::string::npos); // L0 is not a numbered channel
    EXPECT_TRUE(csv.ends_with("\r\n149,,479.000000,,0.150000,,250.3,67.0,023,NN,023,Tone->Tone,FM,100.00,,High,"
                              "\"a,b,,c\",,,,\r\n"));
}

TEST(channel_csv_test, import_gives_back_every_exported_field) {
    ChannelTable channels = StartupImage().Channels;
    for (const ChannelRow& r : kChannels)
        channels[r.row] = Channel(r);
    channels[1].Reverse = '1';
    channels[UpperScanRow(3)] = ImportedChannel("430.0");
    const std::string csv = ExportChannelCsv(channels).text;
    ASSERT_TRUE(IsChannelCsv(csv));

    const ChannelCsvImport back = ImportChannelCsv(csv, Marked());
    EXPECT_FALSE(back.error);
    EXPECT_EQ(Report(back), std::vector<std::string>{});
    EXPECT_EQ(back.taken, std::size(kChannels));
    channels[1].Reverse = '0'; // not carried by the layout
    for (const ChannelRow& r : kChannels)
        EXPECT_EQ(back.channels[r.row], channels[r.row]) << r.row;
    EXPECT_EQ(back.channels[6], Marked()[6]);
    EXPECT_EQ(back.channels[UpperScanRow(3)], Marked()[UpperScanRow(3)]);
}

TEST(channel_csv_test, import_of_a_file_made_by_hand_reports_what_it_leaves_out) {
    const std::string file =
        "\xEF\xBB\xBF"
        "Frequency,Location,Name,Tone,rToneFreq,cToneFreq,Duplex,Offset,Mode,Comment,Skip,Power,Own\r\n"
        "\"145.02\",0,HOME,Tone,100.0,88.5,+,0.6,FM,\"自宅, \"\"main\"\"\",,High,x\r\n"
        "433.0,1,DCS,DTCS,88.5,88.5,,0,FM,,,,\r\n"
        "145.5,2,OFF,,88.5,88.5,off,0.6,FM,,,,\r\n"
        "439.0,3,DSTAR,,88.5,88.5,,0,DV,,,,\r\n"
        "145.0,200,FAR,,,,,,,,,,\r\n"
        "abc,4,BAD,,,,,,,,,,\r\n"
        "600.0,5,HIGH,,,,,,,,,,\r\n"
        "433.5,6,東京タワー,,,,,,,,,,\r\n"
        "145.8,7,Caf\xC3\xA9,,,,,,,,,,\r\n"
        "433.0,1,AGAIN,,,,,,,,,,\r\n"
        "145.0,8,\"A,M\",,,,,,AM,\"two\r\nlines\",P,Low,\r\n"
        ",,,,\r\n"
        "145.0,9,TQ,TSQL,88.5,69.3\r\n"
        "145.0,11,FAR,,,,split,1300,FM,,,,\r\n";
    ASSERT_TRUE(IsChannelCsv(file));
    const ChannelCsvImport result = ImportChannelCsv(file, Marked());
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.taken, 8u);
    const std::vector<std::string> expected{
        "3 行目（Location '1'）: Tone 'DTCS' は TH-D7 にないのでトーンなしにしました",
        "4 行目（Location '2'）: Duplex 'off' は TH-D7 にないのでシンプレックスにしました",
        "5 行目（Location '3'）を取り込みませんでした: Mode 'DV' は TH-D7 にありません（FM と AM だけです）",
        "6 行目（Location '200'）を取り込みませんでした: Location '200' は 0〜149 のチャンネル番号ではありません",
        "7 行目（Location '4'）を取り込みませんでした: Frequency 'abc' は数値ではありません",
        "8 行目（Location '5'）を取り込みませんでした: Frequency '600.0' MHz は受信できる周波数（118〜135、136〜173、"
        "320〜399、400〜479 MHz）ではありません",
        "9 行目（Location '6'）: Name は 8 バイトまでなので 'ー' を切りました",
        "10 行目（Location '7'）: Name の 'é' は CP932 にないので除きました",
        "11 行目（Location '1'）を取り込みませんでした: チャンネル 1 は 3 行目で取り込み済みです",
        "12 行目（Location '8'）: Mode 'AM' は 118〜135 MHz の外では使えないので FM にしました; Skip 'P' は TH-D7 "
        "にないので取り込みませんでした; Power 'Low' は TH-D7 のメモリーにないので取り込みませんでした; Name の ',' "
        "と制御文字は空白にしました; Comment の制御文字（改行など）は空白にしました",
        "15 行目（Location '9'）: cToneFreq '69.3' は TH-D7 のトーンにないのでトーンなしにしました",
        "16 行目（Location '11'）: Duplex 'split' の送信周波数 Offset '1300' MHz はどのバンド（118〜135、136〜173、"
        "320〜399、400〜479 MHz）にもないのでシンプレックスにしました",
    };
    EXPECT_EQ(Report(result), expected);

    MemoryChannel home = ImportedChannel("145.02");
    home.Shift = '1';
    home.Offset = "000600000";
    home.ToneOn = '1';
    home.ToneCode = "13";
    home.Name = "HOME";
    home.Memo = Utf8ToCp932("自宅, \"main\"").value();
    EXPECT_EQ(result.channels[0], home);
    EXPECT_EQ(result.channels[1].Name, "DCS");
    EXPECT_EQ(result.channels[1].ToneOn, '0');
    EXPECT_EQ(result.channels[2].Shift, '0');
    EXPECT_EQ(result.channels[2].Offset, "000600000");
    EXPECT_EQ(result.channels[6].Name, Utf8ToCp932("東京タワ").value());
    EXPECT_EQ(result.channels[7].Name, "Caf");
    EXPECT_EQ(result.channels[8].Name, "A M");
    EXPECT_EQ(result.channels[8].Mode, '0');
    EXPECT_EQ(result.channels[8].Lockout, '0');
    EXPECT_EQ(result.channels[8].Memo, "two lines");
    EXPECT_EQ(result.channels[9].CtcssOn, '0');
    MemoryChannel far = ImportedChannel("145.0");
    far.Name = "FAR";
    EXPECT_EQ(result.channels[11], far);
    for (std::size_t row : {3, 4, 5, 10})
        EXPECT_EQ(result.channels[row], Marked()[row]) << row;
}

// What the layout cannot carry of a channel is left out of the file and noted, row by row: the
// file never holds U+FFFD nor a control byte.
struct ExportCase {
    const char* name;
    std::function<void(MemoryChannel&)> change;
    std::string row; // the channel's row in the file, up to Comment
    std::string note;
};

class ChannelCsvExportTest : public testing::TestWithParam<ExportCase> {};

TEST_P(ChannelCsvExportTest, NotesWhatItLeavesOut) {
    ChannelTable channels = StartupImage().Channels;
    channels[3] = ImportedChannel("145.0");
    GetParam().change(channels[3]);
    const ChannelCsvExport exported = ExportChannelCsv(channels);
    const std::string& text = exported.text;
    EXPECT_NE(text.find("\r\n" + GetParam().row + ","), std::string::npos) << text;
    EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_EQ(
        std::count_if(text.begin(), text.end(), [](char c) { return c >= 0 && c < 0x20 && c != '\r' && c != '\n'; }),
        0);
    ASSERT_EQ(exported.notes.size(), 1u);
    EXPECT_EQ(FormatChannelCsvNote(exported.notes[0]), "2 行目（Location '3'）: " + GetParam().note);
}

const std::string kPlainRow = "3,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,20.00,,High";

INSTANTIATE_TEST_SUITE_P(
    Fields, ChannelCsvExportTest,
    testing::Values(
        ExportCase{"Reverse", [](MemoryChannel& ch) { ch.Reverse = '1'; }, kPlainRow,
                   "リバース ON はこの形式にないので書きませんでした"},
        ExportCase{"BlankToneCode", [](MemoryChannel& ch) { ch.ToneCode = "00"; }, kPlainRow,
                   "トーン番号 '00' は周波数がないので rToneFreq に 88.5 を書きました"},
        ExportCase{"BlankCtcssCode", [](MemoryChannel& ch) { ch.CtcssCode = "02"; }, kPlainRow,
                   "トーン番号 '02' は周波数がないので cToneFreq に 88.5 を書きました"},
        ExportCase{"SplitShift",
                   [](MemoryChannel& ch) {
                       ch.Shift = '2';
                       ch.Offset = "";
                       ch.TxFreq = "00435000000";
                   },
                   "3,,145.000000,split,435.000000",
                   "split のチャンネルのシフト '2' はこの形式にないので書きませんでした"},
        ExportCase{"UnknownShift", [](MemoryChannel& ch) { ch.Shift = '3'; }, kPlainRow,
                   "シフト '3' はこの形式にないので Duplex を空にしました"},
        ExportCase{"UnknownMode", [](MemoryChannel& ch) { ch.Mode = '\x1B'; },
                   "3,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,,20.00,,High",
                   "モード '\\x1B' はこの形式にないので Mode を空にしました"},
        // 東京タ and the lead byte of ワ, cut in the middle.
        ExportCase{"NameCutInACharacter", [](MemoryChannel& ch) { ch.Name = "\x93\x8C\x8B\x9E\x83\x5E\x83"; },
                   "3,東京タ,145.000000", "Name の \\x83 は CP932 の文字ではないので書きませんでした"},
        ExportCase{"ControlCharacters", [](MemoryChannel& ch) { ch.Name = std::string("A\x1B[2J\0B", 7); },
                   "3,A[2JB,145.000000", "Name の制御文字 \\x1B\\x00 は書きませんでした"},
        ExportCase{"MemoLineEnds", [](MemoryChannel& ch) { ch.Memo = "two\r\nlines\xFF"; }, kPlainRow + ",twolines",
                   "Comment の \\xFF は CP932 の文字ではないので書きませんでした; Comment の制御文字 \\x0D\\x0A "
                   "は書きませんでした"}),
    [](const testing::TestParamInfo<ExportCase>& row) { return row.param.name; });

// As a Japanese spreadsheet saves it: the same rows in CP932 give the same channels.
TEST(channel_csv_test, a_file_saved_in_cp932_reads_as_its_utf8_form) {
    const std::string utf8 = "Location,Name,Frequency,Comment\r\n1,中継局,439.88,東京タワー\r\n";
    const ChannelCsvImport fromCp932 = ImportChannelCsv(Utf8ToCp932(utf8).value(), Marked());
    ASSERT_FALSE(fromCp932.error);
    EXPECT_TRUE(fromCp932.notes.empty()) << Report(fromCp932).front();
    EXPECT_EQ(fromCp932.channels, ImportChannelCsv(utf8, Marked()).channels);
    EXPECT_EQ(fromCp932.channels[1].Name, Utf8ToCp932("中継局").value());
}

TEST(channel_csv_test, a_file_without_a_required_column_takes_nothing) {
    EXPECT_FALSE(IsChannelCsv("145.02,HOME,Location\r\n"));
    EXPECT_FALSE(IsChannelCsv(""));
    const ChannelCsvImport result = ImportChannelCsv("\"Location\",Name\r\n0,A\r\n", Marked());
    ASSERT_TRUE(result.error);
    EXPECT_EQ(*result.error, "見出し行に Frequency の列がありません");
    EXPECT_EQ(result.channels, Marked());
}

// The import and the paste read rows alike: the same notes, the first kept and the rest counted.
TEST(channel_csv_test, both_row_readers_keep_the_first_notes_and_count_the_rest) {
    std::string file = "Location,Frequency,Duplex,Offset\r\n";
    for (std::size_t k = 0; k < kKeptNotes + 5; ++k)
        file += "x,145.0,split,1300\r\n";
    const std::string split = "Duplex 'split' の送信周波数 Offset '1300' MHz はどのバンド（118〜135、136〜173、"
                              "320〜399、400〜479 MHz）にもないのでシンプレックスにしました";

    const ChannelCsvImport imported = ImportChannelCsv(file, Marked());
    EXPECT_EQ(imported.taken, 0u);
    EXPECT_EQ(imported.notes.size(), kKeptNotes);
    EXPECT_EQ(imported.moreNotes, 5u);

    const ChannelCsvRows rows = ReadChannelCsvRows(file);
    ASSERT_FALSE(rows.error);
    EXPECT_EQ(rows.channels.size(), kKeptNotes + 5);
    EXPECT_EQ(rows.notes.size(), kKeptNotes);
    EXPECT_EQ(rows.moreNotes, 5u);
    EXPECT_EQ(FormatChannelCsvNote(rows.notes.front()), "2 行目（Location 'x'）: " + split);
    ASSERT_TRUE(rows.channels.front());
    EXPECT_EQ(*rows.channels.front(), ImportedChannel("145.0"));
}

} // namespace
} // namespace zem
