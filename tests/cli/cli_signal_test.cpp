#include "cli_process.h"

#include "model/file_io.h"
#include "sim/pty_server.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace zem {
namespace {

// Ctrl-C or a TERM in the middle of a radio command: the tool stops after the exchange under way,
// closes the port so that the next command opens it at once, leaves its output file as it was or
// whole, says how far it came, and exits 130.
TEST(cli_signal_test, a_signal_stops_a_radio_command_and_leaves_port_and_files_sound) {
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

    // The signal goes once the radio has taken this many commands, or the tool has printed a pass.
    const auto commands = [&](std::size_t n) {
        return [&server, n](QProcess&) { return server.CommandLog().size() >= n; };
    };
    const auto aPass = [](QProcess& p) { return p.peek(1 << 16).contains('\n'); };
    struct Row {
        const char* name;
        QStringList args;
        int signal;
        std::function<bool(QProcess&)> ready;
        const char* said; // the line of how far it came
    };
    const Row rows[] = {
        {"write",
         {"write", "--port", port, "--fast", "--no-backup", "--only", "memory", ZEM_SAMPLE_ZEM},
         SIGINT,
         commands(20),
         "not; the radio now holds a mix"},
        {"verified write",
         {"write", "--port", port, "--fast", "--no-backup", "--verify", "--only", "vfo,settings", ZEM_SAMPLE_ZEM},
         SIGTERM,
         commands(30),
         "settings: "},
        {"write of the changes",
         {"write", "--port", port, "--fast", "--changed", "--only", "memory", ZEM_SAMPLE_ZEM},
         SIGINT,
         commands(20),
         "not; nothing was written"},
        {"read over a file", {"read", "--port", port, "--fast", "-o", existing}, SIGTERM, commands(20), "rows read"},
        {"read to a new file", {"read", "--port", port, "--fast", "-o", fresh}, SIGINT, commands(20), "rows read"},
        {"scope",
         {"scope", "--port", port, "--fast", "--lower", "144", "--upper", "145", "--step", "8", "--passes", "1000",
          "--store", store},
         SIGINT,
         aPass,
         "passes done"},
    };
    for (const Row& row : rows) {
        server.Engine().ClearLog();
        QProcess process;
        process.start(QStringLiteral(ZEM_CLI), row.args);
        while (process.state() != QProcess::NotRunning && !row.ready(process))
            process.waitForReadyRead(10);
        ASSERT_NE(process.state(), QProcess::NotRunning) << row.name << process.readAllStandardError().toStdString();
        ::kill(static_cast<pid_t>(process.processId()), row.signal);
        ASSERT_TRUE(process.waitForFinished(60'000)) << row.name;
        const std::string err = process.readAllStandardError().toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << row.name;
        EXPECT_EQ(process.exitCode(), 130) << row.name << err;
        EXPECT_NE(err.find(row.said), std::string::npos) << row.name << err;
        EXPECT_EQ(RunCli({"id", "--port", port}).status, 0) << row.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")), QStringList())
            << row.name;
    }
    EXPECT_EQ(ReadWholeFile(existing.toStdString(), kZemFileLimit), "old content");
    EXPECT_FALSE(QFile::exists(fresh));
    // Every pass printed is stored whole, one line each.
    const std::string stored = ReadWholeFile(store.toStdString(), kZemFileLimit);
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(stored.substr(stored.size() - 2), "\r\n");
    EXPECT_EQ(stored.substr(stored.rfind(':') + 1).size(), 20u + 2u);
}

} // namespace
} // namespace zem
