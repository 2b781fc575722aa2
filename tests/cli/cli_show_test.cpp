#include "cli_run.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::string::size_type start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return cells;
        start = tab + 1;
    }
}

TEST(cli_show_test, new_image_prints_the_grids_and_settings) {
    const CliResult r = RunCli("show --new");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    const auto lines = Lines(r.out);
    // 1 + 171 memory lines, 1 + 7 VFO lines, 1 + 31 settings + 10 DTMF lines.
    ASSERT_EQ(lines.size(), 172u + 8u + 42u);
    EXPECT_EQ(lines[0], "# memory");
    EXPECT_EQ(lines[1], "Ch\t受信周波数\t送信周波数\tモード\tステップ\t名前\tメモ");
    EXPECT_EQ(Cells(lines[2]), (std::vector<std::string>{"0", "Empty", "", "", "", "", ""}));
    EXPECT_EQ(Cells(lines[152])[0], "L0");
    EXPECT_EQ(Cells(lines[171])[0], "U9");
    EXPECT_EQ(lines[172], "# vfo");
    EXPECT_EQ(lines[173], "Band\t下限\t上限\tステップ\tオフセット\tモード");
    EXPECT_EQ(lines[174], "A125\t118MHz\t135MHz\t20.0kHz\t0.0MHz\tFM");
    EXPECT_EQ(lines[175], "A145\t136MHz\t173MHz\t20.0kHz\t0.6MHz\tFM");
    EXPECT_EQ(lines[180], "# settings");
    EXPECT_EQ(lines[181], "MES\tHELLO!!");
    EXPECT_EQ(lines[182], "CNT\t07");
    EXPECT_EQ(lines[185], "APO\t1");
    EXPECT_EQ(lines[186], "DTMF 0\t\t");
    EXPECT_EQ(lines[196], "TSP\t1");
    EXPECT_EQ(lines.back(), "VCS\t0");
}

TEST(cli_show_test, bad_arguments_exit_2_with_one_line) {
    for (const char* args : {"", "show", "frobnicate", "show --bogus", "show --new a.zem", "show a.zem b.zem"}) {
        const CliResult r = RunCli(args, true);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(Lines(r.out).size(), 1u) << args << ": " << r.out;
    }
    EXPECT_EQ(RunCli("--version").status, 0);
    EXPECT_NE(RunCli("--help").out.find("show"), std::string::npos);
    const CliResult help = RunCli("show --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--new"), std::string::npos);
}

} // namespace
