#include "cli_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Arguments the radio commands must refuse before they open any port: exit 2, one line.
TEST(cli_radio_arguments_test, bad_scope_arguments_exit_2_with_one_line) {
    const std::string range = "scope --port sim --lower 145 --upper 146 --passes 1";
    // Full-width and other non-ASCII digits are digits to Unicode but name no step.
    for (const char* step : {"５", "٣", "10", "x", ""}) {
        SCOPED_TRACE(step);
        const CliResult r = RunCli(range + " --step '" + std::string(step) + "'", true);
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
    }
}

} // namespace
