#include "cli_process.h"
#include "pty_peer.h"

#include "sim/pty_server.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

TEST(cli_radio_commands_test, port_that_cannot_be_opened) {
    for (const char* command : {"id", "check-mod"}) {
        const CliRun run = RunCli({command, "--port", "/dev/does-not-exist"});
        EXPECT_EQ(run.status, 3) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_EQ(run.err, "ポートが開けませんでした。\n") << command;
    }
}

TEST(cli_radio_commands_test, checks_against_the_simulator_on_a_pseudo_terminal) {
    sim::PtyServer server;
    ASSERT_EQ(server.Start(), "");
    const QString port = Path(server.SlavePath());
    struct Row {
        const char* command;
        bool modified;
        const char* out;
    };
    const Row rows[] = {
        {"id", false, "ID TH-D7\nTH-D7です\n"},
        {"check-mod", false, "FL 00144,00146,00430,00440\n未改造\n"},
        {"check-mod", true, "FL 00118,00174,00400,00479\n改造済み\n"},
    };
    for (const Row& row : rows) {
        server.Engine().SetModified(row.modified);
        const CliRun run = RunCli({row.command, "--port", port});
        EXPECT_EQ(run.status, 0) << row.command;
        EXPECT_EQ(run.out, row.out) << row.command;
    }
}

TEST(cli_radio_commands_test, sim_port_is_a_radio_inside_the_tool) {
    const CliRun run = RunCli({"id", "--port", "sim"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "ID TH-D7\nTH-D7です\n");
}

// One peer for both runs: a thread started after the first run's fork would end a run under
// ThreadSanitizer, which does not support that.
TEST(cli_radio_commands_test, silent_device_gives_the_verdict_says_there_was_no_answer_and_exits_1) {
    test::PtyPeer peer;
    for (const char* command : {"id", "check-mod"}) {
        const CliRun run = RunCli({command, "--port", Path(peer.SlavePath()), "--timeout", "100"});
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "(応答なし)") << command;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << command; // the verdict follows
        EXPECT_EQ(run.err,
                  "zem_d7-cli " + std::string(command) +
                      ": 無線機から応答がありませんでした。ポート、ケーブル、無線機の電源を確かめてください。\n")
            << command;
    }
    EXPECT_EQ(peer.Received(), "ID\rFL\r");
}

TEST(cli_radio_commands_test, bad_arguments) {
    const QStringList rows[] = {
        {"id"},
        {"id", "--port", "sim", "--timeout", "0"},
        {"id", "--port", "sim", "--timeout", "soon"},
        {"check-mod", "--port", "sim", "extra"},
        {"id", "--speed", "9600"},
    };
    for (const QStringList& args : rows) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.out, "") << args.join(' ').toStdString();
        EXPECT_NE(run.err, "") << args.join(' ').toStdString();
    }
}

} // namespace
} // namespace zem
