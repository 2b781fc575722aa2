#include "cli_process.h"

#include "model/file_io.h"
#include "sim/pty_server.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {
namespace {

// The port as the next user finds it: run as a plain user where the tests run as root, since root
// opens a port another program holds in exclusive mode.
CliRun IdAsPlainUser(const QString& port) {
    if (::geteuid() != 0)
        return RunCli({"id", "--port", port});
    ::chmod(port.toLocal8Bit().constData(), 0666);
    return RunProgram(QStringLiteral("setpriv"),
                      {"--reuid=nobody", "--regid=nogroup", "--clear-groups", ZEM_CLI, "id", "--port", port});
}

// Every way a terminal ends a radio command, at a moment in its middle: the tool stops after the
// exchange under way, closes the port so that the next user's command opens it at once, leaves
// its output file as it was or whole, says how far it came where it still can, and exits 128 + the
// signal's number. A closed pipe on standard output or error counts as SIGPIPE.
TEST(cli_signal_test, every_ending_stops_a_radio_command_and_leaves_port_and_files_sound) {
    sim::SimOptions options;
    options.delay = std::chrono::milliseconds(5); // time enough to be caught part-way
    sim::PtyServer server(nullptr, options);
    ASSERT_EQ(server.Start(), "");
    const QString port = Path(server.SlavePath());
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("old.zem"));
    SaveFileAtomically(existing.toStdString(), "old content");
    const QString fresh = dir.filePath(QStringLiteral("new.zem"));
    const QString store = dir.filePath(QStringLiteral("scope.txt"));
    const QString fifo = dir.filePath(QStringLiteral("fifo.zem"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);

    // The moment: the radio has taken this many commands, the tool has printed a pass, or it waits.
    const auto commands = [&](std::size_t n) {
        return [&server, n](QProcess&) { return server.CommandLog().size() >= n; };
    };
    const auto shown = [](QProcess::ProcessChannel channel, const char* text) {
        return [channel, text](QProcess& p) {
            p.setReadChannel(channel);
            return p.peek(1 << 16).contains(text);
        };
    };
    const auto aPass = shown(QProcess::StandardOutput, "\n");
    const auto waiting = shown(QProcess::StandardError, "waiting for");
    const QStringList scope{"scope", "--port", port, "--fast",   "--lower", "144",     "--upper",
                            "145",   "--step", "8",  "--passes", "1000",    "--store", store};
    const auto atOnce = [](QProcess&) { return true; };
    struct Row {
        const char* name;
        QStringList args;
        int signal;
        std::function<bool(QProcess&)> ready;
        const char* said; // the line of how far it came; "" where the tool cannot be heard
        int status;
        const char* pipe = nullptr; // run in a shell, its output through this, instead of a kill
    };
    const Row rows[] = {
        {"write",
         {"write", "--port", port, "--fast", "--no-backup", "--only", "memory", ZEM_SAMPLE_ZEM},
         SIGHUP,
         commands(20),
         "not; the radio now holds a mix",
         129},
        {"verified write",
         {"write", "--port", port, "--fast", "--no-backup", "--verify", "--only", "vfo,settings", ZEM_SAMPLE_ZEM},
         SIGTERM,
         commands(30),
         "settings: ",
         143},
        {"write of the changes",
         {"write", "--port", port, "--fast", "--changed", "--only", "memory", ZEM_SAMPLE_ZEM},
         SIGQUIT,
         commands(20),
         "not; nothing was written",
         131},
        {"write whose messages go to head -1",
         {"write", "--port", port, "--fast", "--no-backup", ZEM_SAMPLE_ZEM},
         0,
         atOnce,
         "",
         141,
         "2>&1 | head -1"},
        {"read over a file",
         {"read", "--port", port, "--fast", "-o", existing},
         SIGPIPE,
         commands(20),
         "rows read",
         141},
        {"read to a new file", {"read", "--port", port, "--fast", "-o", fresh}, SIGINT, commands(20), "rows read", 130},
        {"read to a FIFO nobody reads",
         {"read", "--port", port, "--fast", "-o", fifo},
         SIGTERM,
         waiting,
         "the radio was not touched",
         143},
        {"scope", scope, SIGHUP, aPass, "passes done", 129},
        {"scope to head -c 10", scope, 0, atOnce, "passes done", 141, "| head -c 10"},
    };
    for (const Row& row : rows) {
        server.Engine().ClearLog();
        QProcess process;
        process.setProcessEnvironment(CliEnvironment());
        if (row.pipe) {
            QString line = QStringLiteral(ZEM_CLI);
            for (const QString& arg : row.args)
                line += QStringLiteral(" '%1'").arg(arg);
            process.start(QStringLiteral("bash"), {"-c", line + QLatin1Char(' ') + QLatin1String(row.pipe) +
                                                             QStringLiteral("; exit ${PIPESTATUS[0]}")});
        } else {
            process.start(QStringLiteral(ZEM_CLI), row.args);
        }
        while (process.state() != QProcess::NotRunning && !row.ready(process))
            process.waitForReadyRead(10);
        if (!row.pipe) {
            ASSERT_NE(process.state(), QProcess::NotRunning) << row.name;
            ::kill(static_cast<pid_t>(process.processId()), row.signal);
        }
        ASSERT_TRUE(process.waitForFinished(60'000)) << row.name;
        const std::string err = process.readAllStandardError().toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << row.name;
        EXPECT_EQ(process.exitCode(), row.status) << row.name << err;
        EXPECT_NE(err.find(row.said), std::string::npos) << row.name << err;
        if (row.args.contains(fifo)) {
            EXPECT_EQ(server.CommandLog().size(), 0u) << row.name;
        }
        EXPECT_EQ(IdAsPlainUser(port).status, 0) << row.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")), QStringList())
            << row.name;
    }
    EXPECT_EQ(ReadWholeFile(existing.toStdString(), kZemFileLimit), "old content");
    EXPECT_FALSE(QFile::exists(fresh));
    // Every pass is stored whole, one line each: also the one whose printing found the pipe closed.
    const std::string stored = ReadWholeFile(store.toStdString(), kZemFileLimit);
    ASSERT_GE(std::count(stored.begin(), stored.end(), '\n'), 2);
    EXPECT_EQ(stored.substr(stored.size() - 2), "\r\n");
    EXPECT_EQ(stored.substr(stored.rfind(':') + 1).size(), 20u + 2u);
}

} // namespace
} // namespace zem
