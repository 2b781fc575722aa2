#include "cli_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The sample, and a copy with channel 2's tone switched on (a field no grid column shows) and
// another start-up message: exit status 1 and one line for each; equal files exit 0 with nothing,
// a missing file 2.
TEST(cli_diff_test, lists_each_differing_row_and_exits_like_diff) {
    const fs::path dir = fs::temp_directory_path() / ("zem_cli_diff_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path a = fs::path(ZEM_SAMPLES) / "sample.zem";
    const fs::path b = dir / "b.zem";
    std::ifstream in(a, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    bytes = Replaced(bytes, "MEM 002,0,00145020000,5,0,0,0,", "MEM 002,0,00145020000,5,0,0,1,");
    bytes = Replaced(bytes, "MENU HELLO!!,", "MENU CQ\tCQ,");
    std::ofstream(b, std::ios::binary) << bytes;

    const CliResult differ = RunCli("diff " + a.string() + " " + b.string());
    EXPECT_EQ(differ.status, 1);
    EXPECT_EQ(differ.out, "2\tトーン: OFF → ON\nMES\tHELLO!! → CQ\\x09CQ\n");
    const CliResult same = RunCli("diff " + a.string() + " " + a.string());
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    const CliResult missing = RunCli("diff " + a.string() + " " + (dir / "none.zem").string(), true);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.out.find("none.zem"), std::string::npos) << missing.out;
    fs::remove_all(dir);
}

} // namespace
