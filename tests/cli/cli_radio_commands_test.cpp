#include "cli_process.h"
#include "pty_peer.h"

#include "sim/pty_server.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zem {
namespace {

// The window's reason and advice follow the message: what is missing, held or not a port.
TEST(cli_radio_commands_test, port_that_cannot_be_opened_says_why) {
    sim::PtyServer server;
    ASSERT_EQ(server.Start(), "");
    const int held = ::open(server.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain"));
    QFile(plain).open(QIODevice::WriteOnly);
    struct Row {
        std::string port;
        std::string why;
    };
    const Row rows[] = {
        {"/dev/does-not-exist", " がありません。ケーブルをつないでから"},
        {server.SlavePath(), " は他のプログラムが使っています。"},
        {plain.toStdString(), " はシリアルポートではありません。"},
    };
    for (const Row& row : rows) {
        for (const char* command : {"id", "check-mod"}) {
            const CliRun run = RunCli({command, "--port", Path(row.port)});
            EXPECT_EQ(run.status, 3) << command;
            EXPECT_EQ(run.out, "") << command;
            EXPECT_EQ(run.err.rfind("ポートが開けませんでした。\n" + row.port + row.why, 0), 0u) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 3) << run.err; // the system's reason
        }
    }
    ::close(held);
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
        EXPECT_EQ(
            run.err,
            "zem_d7-cli " + std::string(command) +
                ": 無線機から応答がありませんでした。ポート、ケーブル、無線機の電源を確かめてください。\nzem_d7-cli "
                "doctor --port " +
                peer.SlavePath() + " で原因を調べられます。\n")
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
