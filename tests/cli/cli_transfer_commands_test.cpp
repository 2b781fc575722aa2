#include "cli_process.h"
#include "pty_peer.h"

#include "model/command_text.h"
#include "model/file_io.h"
#include "model/startup_image.h"
#include "model/used_channel.h"
#include "model/write_mask.h"
#include "sim/pty_server.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace zem {
namespace {

std::string Sample() {
    return ZEM_SAMPLE_ZEM;
}

// What a user does with a new radio: write a settings file to it, then read it back into a new
// file, keeping the memos from the first.
TEST(cli_transfer_commands_test, write_then_read_round_trips_a_file_over_a_pseudo_terminal) {
    sim::PtyServer server;
    server.Engine().SetImage(StartupImage());
    ASSERT_EQ(server.Start(), "");
    const QString port = Path(server.SlavePath());
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("read.zem"));

    const CliRun write = RunCli({"write", "--port", port, Path(Sample())});
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_NE(write.err.find("memory: 170 done, 0 errors, 0 retried"), std::string::npos) << write.err;
    const CliRun read = RunCli({"read", "--port", port, "-o", out, "--into", Path(Sample())});
    EXPECT_EQ(read.status, 0) << read.err;

    RadioImage sample;
    RadioImage back;
    ASSERT_TRUE(LoadZemFile(Sample(), sample).recognised);
    ASSERT_TRUE(LoadZemFile(out.toStdString(), back).recognised);
    EXPECT_EQ(back, sample);
}

TEST(cli_transfer_commands_test, read_of_part_of_the_radio_keeps_the_rest_of_the_base) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("vfo.zem"));
    const CliRun run = RunCli({"read", "--port", "sim", "--only", "vfo", "--into", Path(Sample()), "-o", out});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.err), (std::vector<std::string>{"vfo: 6 done, 0 errors, 0 retried"}));
    RadioImage sample;
    RadioImage back;
    ASSERT_TRUE(LoadZemFile(Sample(), sample).recognised);
    ASSERT_TRUE(LoadZemFile(out.toStdString(), back).recognised);
    EXPECT_EQ(back.Channels, sample.Channels);
    EXPECT_EQ(back.Settings, sample.Settings);
}

// Each block names the rows its errors fell on, ten at most, then how many more; "done" counts
// only the rows written whole.
TEST(cli_transfer_commands_test, errors_counted_by_the_radio_name_their_rows_and_exit_1) {
    RadioImage sample;
    ASSERT_TRUE(LoadZemFile(Sample(), sample).recognised);
    std::vector<std::string> used;
    for (std::size_t row = 0; row < kChannelRows; ++row)
        if (!IsEmptyRow(sample.Channels[row]))
            used.push_back(RowLabel(row));
    ASSERT_GT(used.size(), 10u);
    std::string firstTen;
    for (std::size_t i = 0; i < 10; ++i)
        firstTen += (i ? ", " : "") + used[i];
    struct Row {
        sim::Fault fault;
        const char* blocks;
        std::vector<std::string> err;
    };
    const Row rows[] = {
        {sim::Fault(sim::Fault::Kind::NoEcho, 0, "VW"),
         "vfo",
         {"vfo: 0 done, 6 errors, 6 retried", "vfo: errors in A125, A145, A435, B145, B360, B430", "Errors: 6"}},
        {sim::Fault(sim::Fault::Kind::Refuse, 0, "MNA"),
         "memory",
         {"memory: " + std::to_string(kChannelRows - used.size()) + " done, " + std::to_string(used.size()) +
              " errors, " + std::to_string(used.size()) + " retried",
          "memory: errors in " + firstTen + " and " + std::to_string(used.size() - 10) + " more",
          "Errors: " + std::to_string(used.size())}},
        {sim::Fault(sim::Fault::Kind::Refuse, 0, "DMN"),
         "settings",
         {"settings: 41 done, 10 errors, 10 retried",
          "settings: errors in DTMF 0, DTMF 1, DTMF 2, DTMF 3, DTMF 4, DTMF 5, DTMF 6, DTMF 7, DTMF 8, DTMF 9",
          "Errors: 10"}},
    };
    for (const Row& row : rows) {
        sim::SimOptions options;
        options.faults.push_back(row.fault);
        sim::PtyServer server(nullptr, options);
        ASSERT_EQ(server.Start(), "");
        const CliRun run = RunCli({"write", "--port", Path(server.SlavePath()), "--fast", "--no-backup", "--only",
                                   row.blocks, Path(Sample())});
        EXPECT_EQ(run.status, 1) << row.blocks;
        EXPECT_EQ(Lines(run.err), row.err) << row.blocks;
    }
}

// Writes the sample with --verify to a simulated radio on a pseudo-terminal.
CliRun VerifiedWrite(const sim::SimOptions& options, const QString& blocks) {
    sim::PtyServer server(nullptr, options);
    if (!server.Start().empty())
        return {};
    return RunCli({"write", "--port", Path(server.SlavePath()), "--only", blocks, "--verify", Path(Sample())});
}

// A radio that stores each channel written 10 kHz off: the read-back lists every used row of the
// file, and the exit status is 1.
TEST(cli_transfer_commands_test, verified_write_lists_each_row_the_radio_holds_differently) {
    RadioImage sample;
    ASSERT_TRUE(LoadZemFile(Sample(), sample).recognised);
    const auto used = static_cast<std::size_t>(std::count_if(sample.Channels.begin(), sample.Channels.end(),
                                                             [](const MemoryChannel& ch) { return !IsEmptyRow(ch); }));
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::AlterStored, 0, "MW");
    const CliRun run = VerifiedWrite(options, QStringLiteral("memory"));
    EXPECT_EQ(run.status, 1) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), used) << run.out;
    EXPECT_EQ(lines.front(), "0\t受信周波数: 145.00000MHz → 145.01000MHz");
    EXPECT_EQ(Lines(run.err),
              (std::vector<std::string>{
                  "memory: 170 done, 0 errors, 0 retried", "memory read-back: 170 done, 0 errors, 0 retried",
                  "zem_d7-cli write: " + std::to_string(used) + " places differ from what was written"}));
}

// A sound radio: the memos, which it does not keep, do not count, and no block has anything to
// list.
TEST(cli_transfer_commands_test, verified_write_to_a_sound_radio_exits_0) {
    const CliRun run = VerifiedWrite({}, QStringLiteral("memory,vfo,settings"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(cli_transfer_commands_test, scope_prints_a_line_of_digits_per_pass_and_stores_them) {
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("scope.txt"));
    const CliRun run = RunCli({"scope", "--port", "sim", "--lower", "144", "--upper", "146", "--step", "8", "--passes",
                               "3", "--store", store});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 3u);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.size(), 40u);
        EXPECT_EQ(line.find_first_not_of("0123456789"), std::string::npos);
    }
    const std::string stored = ReadWholeFile(store.toStdString(), kZemFileLimit);
    const auto storedLines = Lines(stored);
    ASSERT_EQ(storedLines.size(), 3u);
    for (std::size_t i = 0; i < storedLines.size(); ++i) {
        EXPECT_EQ(storedLines[i].back(), '\r');
        EXPECT_EQ(storedLines[i].substr(storedLines[i].size() - 42), ":" + lines[i] + "\r");
    }
}

// Fast transfers stop waiting once the answer has ended; on a paced line with answers in two
// pieces and unsolicited lines (one right behind the answer, one after the fast read has ended),
// both modes must read the same file without an error.
TEST(cli_transfer_commands_test, fast_and_normal_reads_give_the_same_file_on_a_noisy_paced_line) {
    sim::SimOptions options;
    options.pace = true;
    options.delay = std::chrono::milliseconds(10); // a line that comes late arrives on its own
    options.faults.emplace_back(sim::Fault::Kind::Split, 0, "MR", std::chrono::milliseconds(10));
    options.faults.emplace_back(sim::Fault::Kind::ExtraLine, 0, "MNA", std::chrono::milliseconds(0));
    options.faults.emplace_back(sim::Fault::Kind::ExtraLine, 0, "VR", std::chrono::milliseconds(15));
    options.faults.emplace_back(sim::Fault::Kind::ExtraLine, 0, "MES", std::chrono::milliseconds(15));
    sim::PtyServer server(nullptr, options);
    RadioImage sample;
    ASSERT_TRUE(LoadZemFile(Sample(), sample).recognised);
    server.Engine().SetImage(sample);
    ASSERT_EQ(server.Start(), "");
    QTemporaryDir dir;

    std::vector<std::string> files;
    for (const QStringList& mode : {QStringList{}, QStringList{"--fast"}}) {
        const QString out = dir.filePath(QStringLiteral("read%1.zem").arg(files.size()));
        const CliRun read =
            RunCli(QStringList{"read", "--port", Path(server.SlavePath()), "-o", out, "--into", Path(Sample())} + mode);
        EXPECT_EQ(read.status, 0) << read.err;
        files.push_back(ReadWholeFile(out.toStdString(), kZemFileLimit));
    }
    EXPECT_EQ(files[0], files[1]);
    RadioImage back;
    ASSERT_TRUE(LoadZemFile(dir.filePath(QStringLiteral("read1.zem")).toStdString(), back).recognised);
    EXPECT_EQ(back, sample);
}

// A radio switched off in the second pass: the sweep stops three silent exchanges later and says
// so; the first pass is printed and stored with its unreadable step marked, the cut one is not.
TEST(cli_transfer_commands_test, scope_stops_when_the_radio_falls_silent_and_keeps_only_whole_passes) {
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::Garble, 2, "SM 0");
    options.faults.emplace_back(sim::Fault::Kind::Stop, 18);
    sim::PtyServer server(nullptr, options);
    ASSERT_EQ(server.Start(), "");
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("scope.txt"));
    const CliRun run = RunCli({"scope", "--port", Path(server.SlavePath()), "--timeout", "100", "--lower", "144",
                               "--upper", "144.1", "--step", "5", "--passes", "5", "--store", store});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "0-000\n");
    EXPECT_EQ(run.err, "zem_d7-cli scope: the S-meter could not be read at 1 steps (recorded as -).\n"
                       "zem_d7-cli scope: the radio does not answer; the sweep was stopped. 1 passes were done; the "
                       "pass under way is not kept\n");
    const std::string stored = ReadWholeFile(store.toStdString(), kZemFileLimit);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), '\n'), 1);
    EXPECT_EQ(stored.substr(stored.rfind(':')), ":0-000\r\n");
}

// A radio holding two channels otherwise than the file: --changed reads it (one row garbled
// once), writes those two, reads them back (one unanswered once) and leaves the radio as the file.
TEST(cli_transfer_commands_test, write_of_the_changes_leaves_the_radio_as_the_file) {
    RadioImage sample;
    ASSERT_TRUE(LoadZemFile(Sample(), sample).recognised);
    RadioImage radio = sample;
    radio.Channels[3] = UsedChannel("00433000000", "OLD");
    radio.Channels[7] = RadioImage{}.Channels[7];
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::Garble, 1, "MR 0,0,003");
    options.faults.emplace_back(sim::Fault::Kind::NoAnswer, 2, "MR 0,0,007");
    sim::PtyServer server(nullptr, options);
    server.Engine().SetImage(radio);
    ASSERT_EQ(server.Start(), "");
    const CliRun run =
        RunCli({"write", "--port", Path(server.SlavePath()), "--timeout", "300", "--changed", Path(Sample())});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.err);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "changed: 2 to write"), lines.end()) << run.err;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "changed: 2 written"), lines.end()) << run.err;
    EXPECT_NE(run.err.find("0 errors, 2 retried"), std::string::npos) << run.err;
    EXPECT_EQ(ChangedParts(server.Engine().Image(), sample).Count(), 0u);
}

// --dry-run prints what would change, one item a line, and leaves the radio as it was; a file
// whose MENU line was read by position is refused before anything is sent, naming the line.
TEST(cli_transfer_commands_test, write_of_the_changes_shows_its_plan_and_refuses_uncertain_settings) {
    RadioImage sample;
    ASSERT_TRUE(LoadZemFile(Sample(), sample).recognised);
    RadioImage radio = sample;
    radio.Channels[3] = UsedChannel("00433000000", "OLD");
    radio.Settings.MES = "D7 SIM";
    sim::PtyServer server;
    server.Engine().SetImage(radio);
    ASSERT_EQ(server.Start(), "");
    const QString port = Path(server.SlavePath());
    const CliRun dry = RunCli({"write", "--port", port, "--changed", "--dry-run", Path(Sample())});
    EXPECT_EQ(dry.status, 0) << dry.err;
    const std::vector<std::string> lines = Lines(dry.out);
    ASSERT_EQ(lines.size(), 2u) << dry.out;
    EXPECT_EQ(lines[0].rfind("channel 003: 433.00000MHz → ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], "setting MES: \"D7 SIM\" → \"HELLO!!\"");
    EXPECT_EQ(ChangedParts(server.Engine().Image(), radio).Count(), 0u);

    std::string bytes = ReadWholeFile(Sample(), kZemFileLimit);
    const std::size_t menu = bytes.find("MENU HELLO!!,");
    ASSERT_NE(menu, std::string::npos);
    bytes.insert(menu + 5, std::string(2000, ','));
    QTemporaryDir dir;
    const QString shifted = dir.filePath(QStringLiteral("shifted.zem"));
    SaveFileAtomically(shifted.toStdString(), bytes);
    server.Engine().ClearLog();
    const CliRun refused = RunCli({"write", "--port", port, "--changed", shifted});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("178 行目の MENU 行"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("the settings are not written"), std::string::npos) << refused.err;
    EXPECT_TRUE(server.CommandLog().empty());
}

// The radio falls silent at channel 50: the read stops, the output the user named is left whole,
// and the rows read are kept in a new file beside it, which is named.
TEST(cli_transfer_commands_test, read_stopped_by_a_silent_radio_keeps_the_output_and_names_a_new_file) {
    RadioImage sample;
    ASSERT_TRUE(LoadZemFile(Sample(), sample).recognised);
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::Stop, 0, "MR 0,0,050");
    sim::PtyServer server(nullptr, options);
    server.Engine().SetImage(sample);
    ASSERT_EQ(server.Start(), "");
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("backup.zem"));
    const std::string backup = ReadWholeFile(Sample(), kZemFileLimit);
    SaveFileAtomically(out.toStdString(), backup);
    const QString taken = dir.filePath(QStringLiteral("backup.partial.zem"));
    SaveFileAtomically(taken.toStdString(), "mine");

    const CliRun run = RunCli({"read", "--port", Path(server.SlavePath()), "--timeout", "200", "-o", out});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("The radio does not answer; stopped part-way (memory: 52/170)"), std::string::npos)
        << run.err;
    const QString partial = dir.filePath(QStringLiteral("backup.partial.2.zem"));
    EXPECT_NE(run.err.find(partial.toStdString()), std::string::npos) << run.err;
    EXPECT_EQ(ReadWholeFile(out.toStdString(), kZemFileLimit), backup);
    EXPECT_EQ(ReadWholeFile(taken.toStdString(), kZemFileLimit), "mine");
    RadioImage kept;
    ASSERT_TRUE(LoadZemFile(partial.toStdString(), kept).recognised);
    for (std::size_t row = 0; row < 50; ++row)
        EXPECT_TRUE(SameOnRadio(row, kept.Channels[row], sample.Channels[row])) << row;
}

constexpr const char* kMissing =
    "The port could not be opened.\n/dev/does-not-exist がありません。ケーブルをつないでから、"
    "ポートメニューで無線機のポートを選んでください。\n（No such file or directory）\n";

TEST(cli_transfer_commands_test, bad_arguments_and_ports) {
    struct Row {
        QStringList args;
        int status;
        const char* err;
    };
    const Row rows[] = {
        {{"read", "--port", "/dev/does-not-exist", "-o", "x.zem"}, 3, kMissing},
        {{"write", "--port", "/dev/does-not-exist", Path(Sample())}, 3, kMissing},
        {{"read", "--port", "sim", "-o", "x.txt"}, 2, nullptr},
        {{"read", "--port", "sim", "--only", "memory,dtmf", "-o", "x.zem"}, 2, nullptr},
        {{"write", "--port", "sim"}, 2, "zem_d7-cli write: give one settings file\n"},
        {{"write", "--port", "sim", "--dry-run", Path(Sample())},
         2,
         "zem_d7-cli write: --dry-run is taken only with --changed\n"},
        {{"write", "--port", "sim", "--changed", "--verify", Path(Sample())},
         2,
         "zem_d7-cli write: --changed reads back what it writes; leave out --verify\n"},
        {{"scope", "--port", "sim", "--lower", "381", "--upper", "380", "--step", "5", "--passes", "1"},
         2,
         "zem_d7-cli scope: the lower edge is above the upper edge\n"},
        {{"scope", "--port", "sim", "--lower", "380", "--upper", "380", "--step", "5", "--passes", "1"},
         2,
         "zem_d7-cli scope: the frequency range is not valid.\n"},
        {{"scope", "--port", "sim", "--lower", "144", "--upper", "144.02", "--step", "5", "--passes", "1"},
         2,
         "zem_d7-cli scope: the range must be at least two steps wide\n"},
        {{"scope", "--port", "sim", "--lower", "abc", "--upper", "380", "--step", "5", "--passes", "1"},
         2,
         "zem_d7-cli scope: 'abc' は浮動小数点数ではありません\n"},
        {{"scope", "--port", "sim", "--lower", "144", "--upper", "146", "--step", "x", "--passes", "1"}, 2, nullptr},
        {{"scope", "--port", "sim", "--lower", "144", "--upper", "146", "--step", "8", "--passes", "0"}, 2, nullptr},
    };
    for (const Row& row : rows) {
        const CliRun run = RunCli(row.args);
        EXPECT_EQ(run.status, row.status) << row.args.join(' ').toStdString();
        if (row.err)
            EXPECT_EQ(run.err, row.err) << row.args.join(' ').toStdString();
        else
            EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
    }
}

} // namespace
} // namespace zem
