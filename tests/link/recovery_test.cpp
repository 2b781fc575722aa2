// A transfer recovers from what a noisy line does once, stops early when the radio falls silent,
// and a write of the changed parts sends those and nothing else.

#include "link_test_support.h"
#include "sim_link.h"

#include "model/command_text.h"
#include "model/startup_image.h"
#include "model/write_mask.h"
#include "sim/pty_server.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

using namespace std::chrono_literals;
using sim::Fault;
using test::RunningLink;
using test::RunRequest;
using test::SimLink;
using test::TestChannel;

// What the window holds before a read: every memo of its own, and rows unlike the radio's.
RadioImage WindowImage() {
    RadioImage image = StartupImage();
    for (std::size_t row = 0; row < kChannelRows; ++row)
        image.Channels[row].Memo = "memo " + RowLabel(row);
    image.Channels[7] = TestChannel("00144500000", "WINDOW");
    return image;
}

// What the window writes: the default radio's rows with a few edited, a split row and an L memory.
RadioImage TableToWrite() {
    RadioImage image = sim::DefaultRadio().image;
    image.Channels[1] = TestChannel("00433020000", "EDITED");
    image.Channels[3] = TestChannel("00145100000", "SPLIT", "00435100000");
    image.Channels[LowerScanRow(4)] = TestChannel("00144100000", "L4");
    return image;
}

void ExpectOnRadio(const ChannelTable& radio, const ChannelTable& table, const char* what) {
    for (std::size_t row = 0; row < kChannelRows; ++row)
        EXPECT_TRUE(SameOnRadio(row, radio[row], table[row])) << what << ": row " << RowLabel(row);
}

// Each fault hits one command once (the third or fifth of the transfer, whichever it is): the
// retry gets the part whole, so a read and a write end without errors and with the radio's image.
TEST(recovery_test, each_fault_once_costs_a_retry_and_no_row_over_a_pseudo_terminal) {
    struct Row {
        const char* what;
        Fault fault;
        bool retries; // an unsolicited line is left aside without asking again
    };
    const Row rows[] = {
        {"no answer", Fault(Fault::Kind::NoAnswer, 3), true},
        {"garbled", Fault(Fault::Kind::Garble, 3), true},
        {"garbled name", Fault(Fault::Kind::Garble, 2), true},
        {"refused", Fault(Fault::Kind::Refuse, 5), true},
        {"without its echo", Fault(Fault::Kind::NoEcho, 5), true},
        {"late", Fault(Fault::Kind::Slow, 3, "", 300ms), true},
        {"cut by a pause", Fault(Fault::Kind::Split, 3, "", 300ms), true},
        {"unsolicited line", Fault(Fault::Kind::ExtraLine, 3), false},
    };
    for (const Row& row : rows) {
        sim::SimOptions options;
        options.faults = {row.fault};
        sim::PtyServer server(nullptr, options);
        ASSERT_EQ(server.Start(), "");
        RunningLink r(server.SlavePath(), {}, 200ms);

        server.Engine().ClearLog();
        const RadioImage window = WindowImage();
        const LinkCompletion read = RunRequest(r, {.op = kOpReadMemory, .image = window, .fast = true});
        EXPECT_EQ(read.value, 0) << row.what;
        EXPECT_EQ(read.outcome.retried > 0, row.retries) << row.what;
        ChannelTable expected = server.Engine().Image().Channels;
        for (std::size_t i = 0; i < kChannelRows; ++i)
            expected[i].Memo = window.Channels[i].Memo;
        EXPECT_EQ(read.image.value().Channels, expected) << row.what;

        server.Engine().ClearLog();
        const LinkCompletion written = RunRequest(r, {.op = kOpWriteMemory, .image = TableToWrite(), .fast = true});
        EXPECT_EQ(written.value, 0) << row.what;
        EXPECT_EQ(written.outcome.retried > 0, row.retries) << row.what;
        ExpectOnRadio(server.Engine().Image().Channels, TableToWrite().Channels, row.what);
    }
}

// A radio switched off at row 50: the read stops three silent exchanges later, keeps what it read
// and what the window held for the rest, and the link goes on working once the radio is back.
TEST(recovery_test, silent_radio_stops_the_transfer_and_leaves_the_link_usable) {
    sim::SimOptions options;
    options.faults.emplace_back(Fault::Kind::Stop, 0, "MR 0,0,050");
    SimLink s(options, 50ms);
    RadioImage radio = StartupImage();
    for (std::size_t row = 0; row < kChannelRows; ++row)
        radio.Channels[row] = TestChannel("00145000000", "RADIO");
    s.engine->SetImage(radio);
    const RadioImage window = WindowImage();

    const LinkCompletion read = RunRequest(s.link, {.op = kOpReadMemory, .image = window});
    EXPECT_EQ(read.value, 120);
    const TransferOutcome& outcome = read.outcome;
    EXPECT_TRUE(outcome.radioSilent);
    EXPECT_EQ(outcome.total, kChannelRows);
    EXPECT_LT(outcome.done, 53u);
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        MemoryChannel expected = row < 50 ? radio.Channels[row] : window.Channels[row];
        expected.Memo = window.Channels[row].Memo;
        EXPECT_EQ(read.image.value().Channels[row], expected) << RowLabel(row);
    }
    const std::size_t sent = s.engine->CommandCount();

    // A write to the silent radio stops as soon, sending nothing the radio takes.
    const LinkCompletion written = RunRequest(s.link, {.op = kOpWriteMemory});
    EXPECT_GT(written.value, 0);
    EXPECT_TRUE(written.outcome.radioSilent);
    EXPECT_EQ(s.engine->CommandCount(), sent);

    s.engine->SetAnswering(true);
    EXPECT_EQ(RunRequest(s.link, {.op = kOpModelCheck}).value, 1);
}

// After a read, two channels, a VFO, a setting and a DTMF memory are edited: only those go to the
// radio (a garbled answer on the way), are read back, and the radio then holds the table.
TEST(recovery_test, write_of_the_changed_parts_sends_only_those_and_reads_them_back) {
    sim::SimOptions options;
    options.faults.emplace_back(Fault::Kind::Garble, 2);
    SimLink s(options);
    const RadioImage radio = s.engine->Image();
    RadioImage table = radio;
    table.Channels[3] = TestChannel("00145100000", "NEW", "00435100000");
    table.Channels[UpperScanRow(2)] = TestChannel("00146200000", "U2");
    table.Channels[UpperScanRow(2)].Memo = "only in the program";
    table.Vfos[4].Step = '8';
    table.Settings.MYC = "JA1ZZZ";
    table.Settings.Dtmf[9] = {"99", "NINE"};

    const WriteMask changed = ChangedParts(radio, table);
    EXPECT_EQ(changed.Count(), 5u);
    EXPECT_TRUE(changed.channels[3] && changed.channels[UpperScanRow(2)] && changed.vfos[4] && changed.dtmf[9]);
    EXPECT_EQ(ChangedParts(table, table).Count(), 0u);

    const LinkCompletion done = RunRequest(s.link, {.op = kOpWriteChanged, .image = table, .writeOnly = changed});
    EXPECT_EQ(done.value, 0);
    EXPECT_EQ(ChangedParts(s.engine->Image(), table).Count(), 0u);
    EXPECT_EQ(done.image.value(), table); // the read-back, memos kept
    EXPECT_EQ(done.outcome.retried, 1);
    for (const std::string& command : s.Log()) {
        const bool aboutChosen = command.find(",003") != std::string::npos ||
                                 command.find(",U2") != std::string::npos || command.starts_with("VR 5") ||
                                 command.starts_with("VW 5") || command.starts_with("PV 5") ||
                                 command.starts_with("MYC") || command.starts_with("DM");
        EXPECT_TRUE(aboutChosen) << command;
    }
}

} // namespace
} // namespace zem
