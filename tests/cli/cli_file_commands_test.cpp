#include "cli_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSamples = ZEM_SAMPLES;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The memory grid row of a channel label in `show` output ("7\t145.00000MHz\t...").
std::string ShowRow(const std::string& show, const std::string& label) {
    const std::size_t start = show.find("\n" + label + "\t");
    if (start == std::string::npos)
        return {};
    return show.substr(start + 1, show.find('\n', start + 1) - start - 1);
}

std::size_t LineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class CliFileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zem_cli_file_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string At(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(CliFileCommandsTest, show_reads_a_settings_file) {
    const CliResult r = RunCli("show " + (kSamples / "sample.zem").string());
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(ShowRow(r.out, "0"), "0\t145.00000MHz\tSimplex\tFM\t20.0kHz\t呼出\t2m 呼出チャンネル");
    EXPECT_EQ(ShowRow(r.out, "7"), "7\t145.00000MHz\t435.00000MHz\tFM\t20.0kHz\tクロス\tスプリット運用");
    EXPECT_EQ(ShowRow(r.out, "8"), "8\t439.88000MHz\tSimplex\tFM\t20.0kHz\t中継局2\tトーン 88.5Hz, -5MHz");
    EXPECT_EQ(ShowRow(r.out, "L0"), "L0\t144.00000MHz\tSimplex\tFM\t20.0kHz\t\t");
    EXPECT_EQ(ShowRow(r.out, "6"), "6\tEmpty\t\t\t\t\t");
}

TEST_F(CliFileCommandsTest, show_refuses_bad_files_with_one_line) {
    WriteFile(At("a.txt"), ReadFile(kSamples / "sample.zem"));
    WriteFile(At("bad.zem"), "ID SOMETHING ELSE;\r\n");
    WriteFile(At("cut.zem"), ReadFile(kSamples / "sample.zem").substr(0, 1200));
    struct Case {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"show " + At("a.txt"), "設定ファイル（.zem）ではありません"},
        {"show " + At("missing.zem"), "が見つかりません"},
        {"show " + At("bad.zem"), "the file format is wrong"},
        {"show " + At("cut.zem"), "設定ファイルが壊れているため開けません。40 行目の MEM 038 行が途中で切れているか"},
        {"export-csv " + At("cut.zem") + " -o " + At("cut.csv"), "40 行目の MEM 038 行が途中で切れているか"},
        {"show " + At("a.txt") + " " + At("bad.zem"), "give either --new or one settings file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CliResult r = RunCli(c.args, true);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
        EXPECT_EQ(LineCount(r.out), 1u) << r.out;
    }
}

// A TAB or line end inside a text would shift the cells and rows after it.
TEST_F(CliFileCommandsTest, show_escapes_control_characters_in_texts) {
    std::string zem = ReadFile(kSamples / "sample.zem");
    const std::string row =
        "MEM 006,0,00145000000,5,0,0,0,0,09,09,000000000,0,,A\tB,0,x\\y\x1b\x7f" + std::string(1, '\0') + "z,0;";
    zem.replace(zem.find("MEM 006,1,EMPTY;"), 16, row);
    zem.replace(zem.find("MENU HELLO!!"), 12, "MENU HI\tYOU");
    WriteFile(At("controls.zem"), zem);
    const CliResult r = RunCli("show " + At("controls.zem"));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(ShowRow(r.out, "6"), "6\t145.00000MHz\tSimplex\tFM\t20.0kHz\tA\\x09B\tx\\y\\x1B\\x7F\\x00z");
    EXPECT_NE(r.out.find("\nMES\tHI\\x09YOU\n"), std::string::npos);
    EXPECT_EQ(LineCount(r.out), LineCount(RunCli("show " + (kSamples / "sample.zem").string()).out));
}

// Commas in more than one text of the MENU line: they go where every other field keeps a value
// of its own format.
TEST_F(CliFileCommandsTest, show_reads_commas_in_menu_texts_back_whole) {
    std::string zem = ReadFile(kSamples / "sample.zem");
    const std::string texts = ",00000000000000000,,0,0,000,2,,,";
    zem.replace(zem.find(texts), texts.size(), ",00000000000000000,HELLO,1,3,0,0,2,WIDE1-1,WIDE2-1,,");
    WriteFile(At("commas.zem"), zem);
    const CliResult r = RunCli("show " + At("commas.zem"));
    ASSERT_EQ(r.status, 0);
    const std::string settings = r.out.substr(r.out.find("# settings"));
    for (const char* row : {"\nNMSG\tHELLO,1\n", "\nICO\t3\n", "\nGM\t0\n", "\nGC\t0\n", "\nTXI\t2\n",
                            "\nPP\tWIDE1-1,WIDE2-1\n", "\nSMY\t\n"})
        EXPECT_NE(settings.find(row), std::string::npos) << row << settings;
}

TEST_F(CliFileCommandsTest, show_accepts_upper_case_extension) {
    fs::copy_file(kSamples / "sample.zem", At("A.ZEM"));
    EXPECT_EQ(RunCli("show " + At("A.ZEM")).status, 0);
}

TEST_F(CliFileCommandsTest, import_csv_into_the_startup_image) {
    const std::string csv = (kSamples / "sample.csv").string();
    const CliResult r = RunCli("import-csv " + csv + " -o " + At("out.zem"), true);
    // The sample holds a line outside the bands, one without ',' and a memo with ','.
    ASSERT_EQ(r.status, 1);
    const std::string prefix = "zem_d7-cli import-csv: " + csv + ": ";
    EXPECT_EQ(r.out, prefix + "3 行目: メモの後の ', 夜のみ' は読みませんでした（メモに ',' は使えません）\n" + prefix +
                         "4 行目を取り込みませんでした: '174.0' MHz は受信できる周波数（118〜135、136〜173、"
                         "320〜399、400〜479 MHz）ではありません\n" +
                         prefix +
                         "7 行目を取り込みませんでした: ',' がない行です（周波数だけのチャンネルも '145.0,' "
                         "と書きます）\n6 channels imported into " +
                         At("out.zem") + "\n");
    const std::string show = RunCli("show " + At("out.zem")).out;
    EXPECT_EQ(ShowRow(show, "2"), "2\t145.02000MHz\tSimplex\tFM\t20.0kHz\tHOME\t自宅局");
    EXPECT_EQ(ShowRow(show, "3"), "3\t439.50000MHz\tSimplex\tFM\t20.0kHz\tレピータ\t東京タワー レピータ");
    EXPECT_EQ(ShowRow(show, "5"), "5\t145.80000MHz\tSimplex\tFM\t20.0kHz\tISS\t国際宇宙ステーション");
    EXPECT_EQ(ShowRow(show, "6"), "6\tEmpty\t\t\t\t\t");
}

TEST_F(CliFileCommandsTest, import_csv_into_a_base_keeps_scan_memories_and_later_rows) {
    WriteFile(At("two.csv"), "433.0,A,\r\n145.0,B,\r\n");
    ASSERT_EQ(
        RunCli("import-csv " + At("two.csv") + " --into " + (kSamples / "sample.zem").string() + " -o " + At("out.zem"))
            .status,
        0);
    const std::string show = RunCli("show " + At("out.zem")).out;
    EXPECT_EQ(ShowRow(show, "0"), "0\t433.00000MHz\tSimplex\tFM\t20.0kHz\tA\t");
    EXPECT_EQ(ShowRow(show, "2"), "2\t145.02000MHz\tSimplex\tFM\t20.0kHz\tHOME\t自宅局");
    EXPECT_EQ(ShowRow(show, "U1"), "U1\t440.00000MHz\tSimplex\tFM\t30.0kHz\t\t");
}

TEST_F(CliFileCommandsTest, import_csv_conversion_error_writes_nothing) {
    WriteFile(At("bad.csv"), "145.0,A,\nFreq,Name,Memo\n");
    WriteFile(At("out.zem"), "old");
    const CliResult r = RunCli("import-csv " + At("bad.csv") + " -o " + At("out.zem"), true);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "zem_d7-cli import-csv: " + At("bad.csv") + ":2: 'Freq' は浮動小数点数ではありません\n");
    EXPECT_EQ(ReadFile(At("out.zem")), "old");
}

TEST_F(CliFileCommandsTest, import_csv_bad_arguments) {
    const std::string csv = (kSamples / "sample.csv").string();
    for (const std::string& args :
         {"import-csv " + csv, "import-csv -o " + At("out.zem"),
          "import-csv " + At("missing.csv") + " -o " + At("out.zem"), "import-csv " + csv + " -o " + At("out.txt"),
          "import-csv " + csv + " --into " + At("missing.zem") + " -o " + At("out.zem")}) {
        SCOPED_TRACE(args);
        const CliResult r = RunCli(args, true);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(LineCount(r.out), 1u) << r.out;
    }
    EXPECT_FALSE(fs::exists(At("out.zem")));
    EXPECT_FALSE(fs::exists(At("out.txt")));
}

TEST_F(CliFileCommandsTest, export_csv_writes_the_channel_layout_that_import_csv_reads_back) {
    const std::string sample = (kSamples / "sample.zem").string();
    const CliResult r = RunCli("export-csv " + sample + " -o " + At("out.csv"), true);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "");
    const std::string csv = ReadFile(At("out.csv"));
    EXPECT_TRUE(
        csv.starts_with("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"));
    EXPECT_NE(csv.find("\r\n7,クロス,145.000000,split,435.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,20.00,,High,"
                       "スプリット運用,,,,\r\n"),
              std::string::npos);
    EXPECT_NE(csv.find("\r\n8,中継局2,439.880000,-,5.000000,Tone,97.4,88.5,023,NN,023,Tone->Tone,FM,20.00,S,High,"
                       "\"トーン 88.5Hz, -5MHz\",,,,\r\n"),
              std::string::npos);

    ASSERT_EQ(RunCli("import-csv " + At("out.csv") + " --into " + sample + " -o " + At("back.zem")).status, 0);
    EXPECT_EQ(ReadFile(At("back.zem")), ReadFile(kSamples / "sample.zem"));
    EXPECT_EQ(RunCli("export-csv " + sample, true).out,
              "zem_d7-cli export-csv: give the output file with -o OUT.csv\n");
}

TEST_F(CliFileCommandsTest, export_csv_lists_what_the_layout_cannot_carry) {
    std::string zem = ReadFile(kSamples / "sample.zem");
    const std::string reverse = "MEM 000,0,00145000000,5,0,";
    zem.replace(zem.find(reverse), reverse.size() + 1, reverse + "1");
    WriteFile(At("reverse.zem"), zem);
    const CliResult r = RunCli("export-csv " + At("reverse.zem") + " -o " + At("out.csv"), true);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "zem_d7-cli export-csv: " + At("out.csv") +
                         ": 2 行目（Location '0'）: リバース ON はこの形式にないので書きませんでした\n");
    EXPECT_TRUE(ReadFile(At("out.csv")).starts_with("Location,"));
}

TEST_F(CliFileCommandsTest, import_csv_of_the_channel_layout_lists_what_it_leaves_out) {
    WriteFile(At("layout.csv"), "\xEF\xBB\xBFLocation,Frequency,Name,Tone\r\n"
                                "7,433.0,A,DTCS\r\n"
                                "200,145.0,B,\r\n"
                                "9,145.0,C,\r\n");
    const CliResult r = RunCli("import-csv " + At("layout.csv") + " -o " + At("out.zem"), true);
    EXPECT_EQ(r.status, 1);
    const std::string prefix = "zem_d7-cli import-csv: " + At("layout.csv") + ": ";
    EXPECT_EQ(r.out, prefix + "2 行目（Location '7'）: Tone 'DTCS' は TH-D7 にないのでトーンなしにしました\n" + prefix +
                         "3 行目（Location '200'）を取り込みませんでした: Location '200' は 0〜149 "
                         "のチャンネル番号ではありません\n" +
                         "2 channels imported into " + At("out.zem") + "\n");
    const std::string show = RunCli("show " + At("out.zem")).out;
    EXPECT_EQ(ShowRow(show, "7"), "7\t433.00000MHz\tSimplex\tFM\t20.0kHz\tA\t");
    EXPECT_EQ(ShowRow(show, "9"), "9\t145.00000MHz\tSimplex\tFM\t20.0kHz\tC\t");
}

TEST_F(CliFileCommandsTest, sort_by_each_key) {
    const std::string sample = (kSamples / "sample.zem").string();
    ASSERT_EQ(RunCli("sort freq " + sample + " -o " + At("freq.zem")).status, 0);
    const std::string freq = RunCli("show " + At("freq.zem")).out;
    EXPECT_EQ(ShowRow(freq, "0"), "0\t118.10000MHz\tSimplex\tFM\t20.0kHz\t羽田TWR\t航空無線");
    EXPECT_EQ(ShowRow(freq, "6"), "6\tEmpty\t\t\t\t\t");
    EXPECT_EQ(ShowRow(freq, "8"), "8\t439.88000MHz\tSimplex\tFM\t20.0kHz\t中継局2\tトーン 88.5Hz, -5MHz");
    EXPECT_EQ(ShowRow(freq, "L0"), "L0\t144.00000MHz\tSimplex\tFM\t20.0kHz\t\t");

    ASSERT_EQ(RunCli("sort name " + sample + " -o " + At("name.zem")).status, 0);
    // Descending: the Latin names come after the Japanese ones.
    const std::string name = RunCli("show " + At("name.zem")).out;
    EXPECT_EQ(ShowRow(name, "7"), "7\t145.80000MHz\tSimplex\tFM\t20.0kHz\tISS\t国際宇宙ステーション");
    EXPECT_EQ(ShowRow(name, "8"), "8\t145.02000MHz\tSimplex\tFM\t20.0kHz\tHOME\t自宅局");

    ASSERT_EQ(RunCli("sort memo " + sample + " -o " + At("memo.zem")).status, 0);
    const std::string memo = RunCli("show " + At("memo.zem")).out;
    EXPECT_EQ(ShowRow(memo, "8"), "8\t145.00000MHz\tSimplex\tFM\t20.0kHz\t呼出\t2m 呼出チャンネル");
}

TEST_F(CliFileCommandsTest, sort_in_place_and_bad_input) {
    fs::copy_file(kSamples / "sample.zem", At("radio.zem"));
    EXPECT_EQ(RunCli("sort freq " + At("radio.zem") + " -o " + At("radio.zem")).status, 0);
    EXPECT_EQ(ShowRow(RunCli("show " + At("radio.zem")).out, "0").substr(0, 14), "0\t118.10000MHz");

    std::string broken = ReadFile(kSamples / "sample.zem");
    broken.replace(broken.find("00145020000"), 11, "0014X020000");
    WriteFile(At("broken.zem"), broken);
    const CliResult r = RunCli("sort freq " + At("broken.zem") + " -o " + At("out.zem"), true);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("'0014X020000' は浮動小数点数ではありません"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(At("out.zem")));

    for (const std::string& args : {"sort size " + At("radio.zem") + " -o " + At("out.zem"),
                                    "sort freq " + At("radio.zem"), "sort freq -o " + At("out.zem")}) {
        SCOPED_TRACE(args);
        const CliResult bad = RunCli(args, true);
        EXPECT_EQ(bad.status, 2);
        EXPECT_EQ(LineCount(bad.out), 1u) << bad.out;
    }
}

// One stray line after the set must not empty every channel: the commands that read a settings
// file warn on standard error and go on with the set before it.
// The split channel 7 cannot take a shift: it is named and left as it was; the empty rows 6 and 9
// are passed over, and nothing else in any row changes.
TEST_F(CliFileCommandsTest, set_changes_the_rows_that_can_take_it_and_names_the_others) {
    const std::string sample = (kSamples / "sample.zem").string();
    const CliResult r = RunCli("set " + sample + " --channels 0-9,L0 --shift - --lockout on -o " + At("out.zem"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zem_d7-cli set: " + sample +
                         ": スプリットのチャンネルにはシフト・オフセット・リバースを設定できません: 7\n");
    const CliResult diff = RunCli("diff " + sample + " " + At("out.zem"));
    EXPECT_EQ(Lines(diff.out).size(), 7u);
    EXPECT_EQ(Lines(diff.out).back(), "L0\tシフト: Simplex → Minus Shift\tロックアウト: OFF → ON");
    for (const char* args : {"--channels 0-151 --tone 88.5", "--channels 1 --tone 88", "--channels 1"})
        EXPECT_EQ(RunCli("set " + sample + " " + std::string(args) + " -o " + At("bad.zem")).status, 2) << args;
    EXPECT_FALSE(fs::exists(At("bad.zem")));
}

TEST_F(CliFileCommandsTest, find_prints_the_rows_as_show_does) {
    const std::string sample = (kSamples / "sample.zem").string();
    const CliResult kana = RunCli("find " + sample + " ｸﾛｽ");
    EXPECT_EQ(kana.status, 0);
    EXPECT_EQ(Lines(kana.out).back(), ShowRow(RunCli("show " + sample).out, "7"));
    EXPECT_EQ(Lines(RunCli("find " + sample + " 439.880").out).back().substr(0, 2), "8\t");
    EXPECT_EQ(RunCli("find " + sample + " nothing-such").status, 1);
}

TEST_F(CliFileCommandsTest, a_stray_line_after_the_set_is_left_unread_with_a_warning) {
    const std::string stray = At("stray.zem");
    WriteFile(stray, ReadFile(kSamples / "sample.zem") + "X;\r\n");
    const std::string warning = ": 189 行目からの 1 行は設定 1 組（187 行）に足りないため読み込みませんでした\n";
    struct Case {
        std::string command;
        std::string args;
        std::string output; // written to the file or standard output after the warning
    };
    const Case cases[] = {
        {"show", stray, "# memory\n"},
        {"sort", "freq " + stray + " -o " + At("sorted.zem"), ""},
        {"import-csv", At("one.csv") + " --into " + stray + " -o " + At("imported.zem"),
         "1 channels imported into " + At("imported.zem") + "\n"},
    };
    WriteFile(At("one.csv"), "433.0,A,\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const CliResult r = RunCli(c.command + " " + c.args, true);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1 + c.output.size()),
                  "zem_d7-cli " + c.command + ": " + stray + warning + c.output);
    }
    EXPECT_EQ(ShowRow(RunCli("show " + At("sorted.zem")).out, "0").substr(0, 14), "0\t118.10000MHz");
    EXPECT_EQ(ShowRow(RunCli("show " + At("imported.zem")).out, "2"),
              "2\t145.02000MHz\tSimplex\tFM\t20.0kHz\tHOME\t自宅局");
}

// What the tool refuses before it writes anything: each row's command exits 2 with one line on
// standard error holding `message`, and every file it names stays as it was.
TEST_F(CliFileCommandsTest, refusals_leave_every_file_as_it_was) {
    const std::string self = At("self.zem");
    fs::copy_file(kSamples / "sample.zem", self);
    fs::create_symlink("self.zem", At("link.csv"));
    fs::create_symlink("self.zem", At("store.txt"));
    fs::create_symlink("esc.csv", At("esc.zem"));
    fs::copy_file(self, At("ro.zem"));
    fs::permissions(At("ro.zem"), fs::perms::owner_read);
    fs::copy_file(self, At("backup.bak"));
    fs::copy_file(self, At("copy.zem"));
    WriteFile(At("esc.csv"), "145.0,A,\n\x1B[31mRED,B,\n");
    WriteFile(At("huge.zem"), "");
    fs::resize_file(At("huge.zem"), std::uintmax_t{2} << 30); // sparse
    const std::string original = ReadFile(self);
    struct Case {
        std::string args;
        std::string message;
    };
    const std::vector<Case> cases{
        {"export-csv " + self + " -o " + self, "と同じです。別の出力ファイルを指定してください"},
        {"import-csv " + At("esc.csv") + " -o " + At("esc.zem"), "と同じです。別の出力ファイルを指定してください"},
        {"export-csv " + self + " -o " + At("link.csv"), "と同じです"},
        {"export-csv " + At("copy.zem") + " -o " + At("backup.bak"), "backup.bak は設定ファイルです"},
        {"export-csv " + At("copy.zem") + " -o " + At("store.txt"), "store.txt は設定ファイルです"},
        {"sort freq " + self + " -o " + At("ro.zem"), "書き込みが許されていないファイル"},
        {"sort freq " + self + " -o " + At("a.zem") + " -o " + At("b.zem"), "sort: -o given more than once"},
        {"show " + At("huge.zem"), "は大きすぎます（16 MB を超えています）"},
        {"import-csv " + At("esc.csv") + " -o " + At("out.zem"), "'\\x1B[31mRED' は浮動小数点数ではありません"},
        {"read --port sim -o " + At("missing/out.zem"), "を作成できません（No such file or directory）"},
        {"scope --port sim --lower 145 --upper 146 --step 5 --passes 1 --store " + At("store.txt"),
         "は設定ファイルです"},
        {"scope --port sim --lower 145 --upper 146 --step 5 --passes 1 --store " + At("backup.bak"),
         "は設定ファイルです"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CliResult r = RunCli(c.args, true);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(LineCount(r.out), 1u) << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find('\x1B'), std::string::npos);
    }
    EXPECT_EQ(ReadFile(self), original);
    EXPECT_EQ(ReadFile(At("backup.bak")), original);
    EXPECT_EQ(ReadFile(At("ro.zem")), original);
    EXPECT_EQ(ReadFile(At("esc.csv")), "145.0,A,\n\x1B[31mRED,B,\n");
    EXPECT_TRUE(fs::is_symlink(At("link.csv")));
    EXPECT_FALSE(fs::exists(At("out.zem")));
    EXPECT_FALSE(fs::exists(At("a.zem")));
    EXPECT_FALSE(fs::exists(At("b.zem")));
}

// Every command that writes takes standard output, by "-" or by name, through a pipe or into a
// file the shell redirected to; its own lines go to standard error.
TEST_F(CliFileCommandsTest, standard_output_takes_every_output) {
    const std::string sample = (kSamples / "sample.zem").string();
    const std::string zem = "ID TH-D7 ZEM_D7;\r\n";
    for (const auto& [args, begins] :
         std::vector<std::pair<std::string, std::string>>{{"sort freq " + sample + " -o -", zem},
                                                          {"sort freq " + sample + " -o /dev/stdout", zem},
                                                          {"export-csv " + sample + " -o /dev/stdout", "Location,"},
                                                          {"print " + sample + " -o -", "%PDF"},
                                                          {"read --port sim -o -", zem}}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(RunCli(args + " | cat").out.substr(0, begins.size()), begins);
        RunCli(args + " > " + At("out"));
        EXPECT_EQ(ReadFile(At("out")).substr(0, begins.size()), begins);
    }
}

// A file writable by its owner only is refused to another user, as the system refuses it.
TEST_F(CliFileCommandsTest, another_users_file_is_refused) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run the tool as another user";
    WriteFile(At("root.zem"), "old");
    const std::string sort = " sort freq " + (kSamples / "sample.zem").string() + " -o " + At("root.zem") + " 2>&1";
    const CliRun r = RunProgram(QStringLiteral("/bin/sh"),
                                {QStringLiteral("-c"), QString::fromStdString("runuser -u nobody -- " ZEM_CLI + sort)});
    EXPECT_NE(r.out.find("書き込みが許されていないファイル"), std::string::npos) << r.out;
    EXPECT_EQ(ReadFile(At("root.zem")), "old");
}

// A name copied from a Windows disk is CP932, not UTF-8: it opens, and -o writes those bytes.
TEST_F(CliFileCommandsTest, file_names_that_are_not_utf8_keep_their_bytes) {
    const std::string name = "\x83\x65\x83\x58\x83\x67"; // テスト in CP932
    fs::copy_file(kSamples / "sample.zem", At(name + ".zem"));
    // The shell makes the bytes: the test's own command line is text.
    const std::string shellName = "\"$(printf '" + dir_.string() + "/\\203e\\203X\\203g')\"";
    EXPECT_EQ(RunCli("show " + shellName + ".zem").status, 0);
    EXPECT_EQ(RunCli("sort freq " + shellName + ".zem -o " + shellName + "-sorted.zem").status, 0);
    EXPECT_TRUE(fs::exists(At(name + "-sorted.zem")));
    const CliResult missing = RunCli("show " + shellName + "-missing.zem", true);
    EXPECT_NE(missing.out.find("\\x83e\\x83X\\x83g-missing.zem が見つかりません"), std::string::npos) << missing.out;
}

} // namespace
