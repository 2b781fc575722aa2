#include "cli_process.h"

#include "model/file_io.h"
#include "model/radio_history.h"
#include "model/startup_image.h"
#include "model/used_channel.h"
#include "model/write_mask.h"
#include "sim/pty_server.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zem {
namespace {

// The tool runs with its history in a folder of the test's own.
class cli_history_test : public ::testing::Test {
protected:
    void SetUp() override { qputenv("ZEM_D7_HISTORY", folder().toUtf8()); }
    QString folder() const { return dir_.filePath(QStringLiteral("history")); }
    QString File(const char* name, const RadioImage& image) const {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        SaveZemFile(path.toStdString(), image);
        return path;
    }
    QTemporaryDir dir_;
};

RadioImage Radio() {
    RadioImage radio = StartupImage();
    EXPECT_TRUE(LoadZemFile(ZEM_SAMPLE_ZEM, radio).Read());
    for (MemoryChannel& ch : radio.Channels)
        ch.Memo = ""; // a radio keeps none
    return radio;
}

// A read keeps what the radio holds; a write first keeps what it replaces (read on its own
// connection); restoring that entry brings the radio back byte for byte; and --base last writes
// two changed channels without reading the radio, from the newest entry of the port.
TEST_F(cli_history_test, reads_and_writes_are_kept_and_an_entry_restores_the_radio) {
    const RadioImage radio = Radio();
    sim::PtyServer server;
    server.Engine().SetImage(radio);
    ASSERT_EQ(server.Start(), "");
    const QString port = Path(server.SlavePath());
    const CliRun read = RunCli({"read", "--port", port, "--fast", "-o", dir_.filePath(QStringLiteral("read.zem"))});
    ASSERT_EQ(read.status, 0) << read.err;
    std::vector<HistoryRow> rows = ReadHistory(folder().toStdString());
    ASSERT_EQ(rows.size(), 3u);
    for (const HistoryRow& row : rows) {
        EXPECT_EQ(row.stored.entry.kind, HistoryKind::Read);
        EXPECT_EQ(row.stored.entry.port, server.SlavePath());
        EXPECT_EQ(DiffImages(radio, row.image, CommonScope(row.stored.entry, {true, true, true})),
                  std::vector<RowDifference>{});
    }

    RadioImage edited = radio;
    edited.Channels[5] = UsedChannel("00433000000", "NEW");
    const CliRun write = RunCli({"write", "--port", port, "--fast", "--only", "memory", File("edited.zem", edited)});
    ASSERT_EQ(write.status, 0) << write.err;
    const CliRun list = RunCli(QStringList{"history"});
    const std::vector<std::string> lines = Lines(list.out);
    ASSERT_EQ(lines.size(), 5u) << list.out;
    EXPECT_NE(lines[0].find("\tafter write\t" + server.SlavePath() + "\tmemory\t"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("\tbefore write\t"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[0].substr(lines[0].rfind('\t')), "\t1"); // one channel differs from the entry before
    EXPECT_EQ(RunCli({"history", "diff", "2", "1"}).out,
              "5\t受信周波数: 145.80000MHz → 433.00000MHz\t名前: ISS → NEW\tオフセット: 0.00MHz → 0.60MHz\n");

    const CliRun restore = RunCli({"history", "restore", "2", "--port", port, "--fast"});
    EXPECT_EQ(restore.status, 0) << restore.err;
    EXPECT_NE(restore.err.find("changed: 1 written"), std::string::npos) << restore.err;
    EXPECT_EQ(server.Engine().Image(), radio);

    server.Engine().ClearLog();
    const CliRun based = RunCli(
        {"write", "--port", port, "--changed", "--base", "last", "--only", "memory", File("edited.zem", edited)});
    EXPECT_EQ(based.status, 0) << based.err;
    EXPECT_NE(based.err.find("changed: 1 written"), std::string::npos) << based.err;
    EXPECT_EQ(server.Engine().CommandLog().size(), 4u); // channel 5 and its name written and read back
    EXPECT_EQ(server.Engine().Image().Channels[5], edited.Channels[5]);
}

// A base that is not what the radio holds: only the difference from the base is written, and the
// read-back names the row the radio holds otherwise.
TEST_F(cli_history_test, write_on_a_base_names_the_rows_read_back_otherwise) {
    const RadioImage radio = Radio();
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::AlterStored, 0, "MW");
    sim::PtyServer server(nullptr, options);
    server.Engine().SetImage(radio);
    ASSERT_EQ(server.Start(), "");
    RadioImage edited = radio;
    edited.Channels[5].RxFreq = "00145200000";
    const CliRun run = RunCli({"write", "--port", Path(server.SlavePath()), "--changed", "--base",
                               File("base.zem", radio), File("edited.zem", edited)});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "5\t受信周波数: 145.20000MHz → 145.21000MHz\n");
    EXPECT_NE(run.err.find("1 places differ from what was written"), std::string::npos) << run.err;
}

// A history folder that cannot be written (as on a full disk): the read is saved whole and
// succeeds, and the history's failure is said once.
TEST_F(cli_history_test, a_history_that_cannot_be_kept_does_not_fail_the_transfer) {
    const QString blocked = File("blocked", StartupImage());
    qputenv("ZEM_D7_HISTORY", (blocked + QStringLiteral("/history")).toUtf8());
    const QString out = dir_.filePath(QStringLiteral("read.zem"));
    const CliRun run = RunCli({"read", "--port", "sim", "-o", out});
    EXPECT_EQ(run.status, 0) << run.err;
    RadioImage image;
    EXPECT_TRUE(LoadZemFile(out.toStdString(), image).Read());
    const std::vector<std::string> lines = Lines(run.err);
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(),
                      [](const std::string& l) { return l.find("history could not be kept") != std::string::npos; }),
        1);
    EXPECT_EQ(lines.size(), 4u) << run.err;
}

} // namespace
} // namespace zem
