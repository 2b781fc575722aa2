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
            EXPECT_EQ(run.err.rfind("The port could not be opened.\n" + row.port + row.why, 0), 0u) << run.err;
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
        {"id", false, "ID TH-D7\na TH-D7\n"},
        {"check-mod", false, "FL 00144,00146,00430,00440\nnot modified\n"},
        {"check-mod", true, "FL 00118,00174,00400,00479\nmodified\n"},
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
    EXPECT_EQ(run.out, "ID TH-D7\na TH-D7\n");
}

// Without an answer there is no verdict, only what to check; an answer is shown escaped, so what
// answers on the port cannot drive the terminal. The peers start before the first run: a thread
// started after a run's fork would end a run under ThreadSanitizer, which does not support that.
TEST(cli_radio_commands_test, checks_give_no_verdict_without_an_answer_and_show_the_answer_escaped) {
    test::PtyPeer silent;
    test::PtyPeer hostile(
        [](const std::string&) { return std::vector<test::PtyPeer::Chunk>{{"ID \x1b[2J\x1b]0;pwned\x07\r"}}; });
    for (const char* command : {"id", "check-mod"}) {
        const CliRun run = RunCli({command, "--port", Path(silent.SlavePath()), "--timeout", "100"});
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_EQ(run.err, "zem_d7-cli " + std::string(command) +
                               ": the radio did not answer. Check the port, the cable and the radio's power.\n"
                               "zem_d7-cli doctor --port " +
                               silent.SlavePath() + " finds out why.\n")
            << command;
    }
    EXPECT_EQ(silent.Received(), "ID\rFL\r");
    const CliRun run = RunCli({"id", "--port", Path(hostile.SlavePath())});
    EXPECT_EQ(run.status, 0);
    // The BEL at the end goes with the answer's trailing blanks and control characters.
    EXPECT_EQ(run.out, "ID \\x1B[2J\\x1B]0;pwned\nnot a TH-D7\n");
}

// The tool speaks Japanese under a ja locale and English otherwise, --help included; what programs
// read (show, scope digits) is the same in both.
TEST(cli_radio_commands_test, messages_follow_the_locale_and_machine_output_does_not) {
    const auto run = [](const char* language, const QStringList& args) {
        return RunProgram(QStringLiteral(ZEM_CLI), args, CliEnvironment(language));
    };
    const QStringList id{"id", "--port", "sim"};
    EXPECT_EQ(run("ja_JP.UTF-8", id).out, "ID TH-D7\nTH-D7です\n");
    EXPECT_EQ(run("en_US.UTF-8", id).out, "ID TH-D7\na TH-D7\n");
    const QStringList upsideDown{"scope", "--port", "sim", "--lower",  "381", "--upper",
                                 "380",   "--step", "5",   "--passes", "1"};
    EXPECT_EQ(run("ja_JP.UTF-8", upsideDown).err, "zem_d7-cli scope: 下限が上限を超えています\n");
    EXPECT_EQ(run("C", upsideDown).err, "zem_d7-cli scope: the lower edge is above the upper edge\n");
    EXPECT_EQ(run("ja_JP.UTF-8", {"--help"}).out.rfind("使い方: zem_d7-cli COMMAND [OPTIONS]\n", 0), 0u);
    const std::string help = run("ja_JP.UTF-8", {"scope", "--help"}).out;
    EXPECT_NE(help.find("掃引する回数。"), std::string::npos) << help;
    EXPECT_NE(help.find("コマンドラインオプションのヘルプを表示する。"), std::string::npos) << help;

    const QStringList machineRead[] = {
        {"show", "--new"},
        {"scope", "--port", "sim", "--lower", "144", "--upper", "144.1", "--step", "5", "--passes", "2"},
    };
    for (const QStringList& args : machineRead)
        EXPECT_EQ(run("ja_JP.UTF-8", args).out, run("C", args).out) << args.join(' ').toStdString();
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
