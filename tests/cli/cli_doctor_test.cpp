#include "cli_process.h"
#include "pty_peer.h"

#include "sim/pty_server.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace zem {
namespace {

std::string Ok(const std::string& path) {
    return "ok " + path + " があります。\nok " + path + " を読み書きできます。\nok " + path +
           " を開いているほかのプログラムはなく、排他フラグもありません。\nok " + path +
           " を 9600 baud 8N1 で開きました。\n";
}

const std::string kVerdictNg = "NG TH-D7 は応答しませんでした。NG の行の手順を試してから、もう一度診断してください。\n";

// What the line does instead of answering, each told apart by the line after the four ok lines;
// only "ID" is ever sent.
TEST(cli_doctor_test, line_faults) {
    using sim::Fault;
    using sim::LineKind;
    struct Row {
        LineKind line;
        std::vector<Fault> faults;
        std::string answer; // the fifth line after the path
        int status;
    };
    const Row rows[] = {
        {LineKind::Radio,
         {},
         "ok %1 の無線機が ID に「ID TH-D7」と答えました。\nok TH-D7 が %1 "
         "で応答しました。このポートで接続できます。\n",
         0},
        {LineKind::Echo, {}, "NG %1 から、送った「ID」がそのまま返ってきただけです（エコー）。", 1},
        {LineKind::Packet, {}, "NG %1 の無線機が ID に「?」と答えました。無線機がパケット（TNC）モードです。", 1},
        {LineKind::Noise,
         {},
         "NG %1 に応答ではないバイトが届きました: 「\\xF8\\x80\\x1C\\xFE\\x00\\xE0\\x98\\xFF」。",
         1},
        {LineKind::Radio, {Fault(Fault::Kind::NoAnswer)}, "NG %1 から 1 秒待っても何も返ってきませんでした。", 1},
    };
    for (const Row& row : rows) {
        sim::PtyServer server(nullptr, {.faults = row.faults, .line = row.line});
        ASSERT_EQ(server.Start(), "");
        const std::string path = server.SlavePath();
        const CliRun run = RunCli({"doctor", "--port", Path(path)});
        const std::string answer = QString::fromStdString(row.answer).arg(Path(path)).toStdString();
        EXPECT_EQ(run.status, row.status) << answer;
        EXPECT_EQ(run.out.rfind(Ok(path) + answer, 0), 0u) << run.out;
        EXPECT_TRUE(row.status == 0 || run.out.ends_with(kVerdictNg)) << run.out;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(server.CommandLog(),
                  (row.line == LineKind::Radio ? std::vector<std::string>{"ID"} : std::vector<std::string>{}));
    }

    // A terminal that sends back what it is given, with the terminal's own far end holding it open.
    test::PtyPeer echo([](const std::string& line) { return std::vector<test::PtyPeer::Chunk>{{line + "\r"}}; });
    const CliRun run = RunCli({"doctor", "--port", Path(echo.SlavePath())});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              Ok(echo.SlavePath()) + "NG " + echo.SlavePath() +
                  " から、送った「ID」がそのまま返ってきただけです（エコー）。ケーブルの折り返し、ほかの無線機用に"
                  "配線されたケーブル、または無線機のパケットモードです。TH-D7 用のケーブルか確かめ、無線機の "
                  "TNC を切ってください。\n" +
                  kVerdictNg);
    EXPECT_EQ(echo.Received(), "ID\r");
}

// Another program with the port open is named with its PID; a mark left by one is found though
// nobody holds the port. Neither gets "ID".
TEST(cli_doctor_test, held_port) {
    sim::PtyServer server;
    ASSERT_EQ(server.Start(), "");
    const std::string path = server.SlavePath();
    const std::string first = "ok " + path + " があります。\nok " + path + " を読み書きできます。\n";

    // Programs by name: sleep under its own name and as the two services that take serial devices.
    QTemporaryDir dir;
    const std::pair<QString, std::string> rows[] = {
        {QStringLiteral("sleep"), "そのプログラムを終了してください（kill %1）。"},
        {QStringLiteral("ModemManager"), "ModemManager は新しいシリアル機器をモデムとして調べます。"},
        {QStringLiteral("brltty"), "brltty は点字端末を探して USB シリアル機器を使います。"},
    };
    for (const auto& [name, advice] : rows) {
        const QString program = dir.filePath(name);
        ASSERT_TRUE(QFile::copy(QStandardPaths::findExecutable(QStringLiteral("sleep")), program) ||
                    QFile::exists(program));
        QProcess holder;
        holder.setStandardInputFile(Path(path));
        holder.start(program, {QStringLiteral("60")});
        ASSERT_TRUE(holder.waitForStarted());
        const QString pid = QString::number(holder.processId());
        const CliRun run = RunCli({"doctor", "--port", Path(path)});
        EXPECT_EQ(run.status, 1);
        const std::string line =
            QStringLiteral("NG %1 は %2（PID %3）が開いています。").arg(Path(path), name, pid).toStdString();
        EXPECT_EQ(run.out.rfind(first + line +
                                    QString::fromStdString(advice).replace(QStringLiteral("%1"), pid).toStdString(),
                                0),
                  0u)
            << run.out;
        EXPECT_TRUE(run.out.ends_with(kVerdictNg));
        holder.kill();
        holder.waitForFinished();
    }

    const int marked = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(marked, 0);
    ASSERT_EQ(::ioctl(marked, TIOCEXCL), 0);
    const CliRun run = RunCli({"doctor", "--port", Path(path)});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.rfind(first + "NG " + path + " に排他フラグ（TIOCEXCL）が残っています。", 0), 0u) << run.out;
    ::ioctl(marked, TIOCNXCL);
    ::close(marked);
    EXPECT_EQ(server.CommandLog(), std::vector<std::string>{});
}

// Run as a user who may not open the terminal, the advice names the command that lets them; done,
// the radio answers.
TEST(cli_doctor_test, port_without_permission) {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (::getuid() != 0 || setpriv.isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run the tool as nobody";
    sim::PtyServer server;
    ASSERT_EQ(server.Start(), "");
    const std::string path = server.SlavePath();
    const QStringList asNobody{QStringLiteral("--reuid=nobody"),
                               QStringLiteral("--regid=nogroup"),
                               QStringLiteral("--clear-groups"),
                               QStringLiteral(ZEM_CLI),
                               QStringLiteral("doctor"),
                               QStringLiteral("--port"),
                               Path(path)};
    CliRun run = RunProgram(setpriv, asNobody);
    EXPECT_EQ(run.status, 1);
    const std::string advice = "sudo chown nobody " + path;
    EXPECT_EQ(run.out, "ok " + path + " があります。\nNG " + path + " を読み書きする権限がありません。" + advice +
                           " を実行してください（端末を作ったプログラムが閉じるまで効きます）。\n" + kVerdictNg);
    ASSERT_EQ(std::system(advice.substr(5).c_str()), 0);
    run = RunProgram(setpriv, asNobody);
    EXPECT_EQ(run.status, 0) << run.out;
}

TEST(cli_doctor_test, bad_arguments) {
    for (const QStringList& args : {QStringList{"doctor", "extra"}, QStringList{"doctor", "--port", ""}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
} // namespace zem
