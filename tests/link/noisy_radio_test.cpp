// A radio that answers late, garbles, refuses or sends lines of its own: no answer lands in a
// record it does not belong to, and what could not be read is kept as it was and counted.

#include "link_test_support.h"
#include "sim_link.h"

#include "model/command_text.h"
#include "model/startup_image.h"
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

// The radio's rows as a read must bring them back: radio fields from the radio, memos from the
// window; `kept` rows stay exactly as the window had them.
void ExpectReadRows(const ChannelTable& read, const ChannelTable& radio, const ChannelTable& window,
                    std::initializer_list<std::size_t> kept, const char* what) {
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        if (std::find(kept.begin(), kept.end(), row) != kept.end()) {
            EXPECT_EQ(read[row], window[row]) << what << ": row " << RowLabel(row);
        } else if (IsEmptyRow(radio[row])) {
            EXPECT_TRUE(IsEmptyRow(read[row])) << what << ": row " << RowLabel(row);
            EXPECT_EQ(read[row].Memo, window[row].Memo) << what << ": row " << RowLabel(row);
        } else {
            MemoryChannel expected = radio[row];
            expected.Memo = window[row].Memo;
            EXPECT_EQ(read[row], expected) << what << ": row " << RowLabel(row);
        }
    }
}

// Window rows that differ from the simulator's radio in every row the faults below hit.
ChannelTable WindowRows() {
    ChannelTable rows = StartupImage().Channels;
    rows[0] = TestChannel("00433500000", "MINE");
    rows[0].Memo = "row 0 memo";
    rows[3].Memo = "an empty row keeps its memo";
    return rows;
}

RadioImage WindowImage() {
    RadioImage image;
    image.Channels = WindowRows();
    return image;
}

// The case as a user met it: the radio's answer to the first row comes after the link gave up, and
// reaches the line while the second row's answer is awaited.
TEST(noisy_radio_test, late_row_answer_is_not_taken_for_the_next_row_over_a_pseudo_terminal) {
    sim::SimOptions options;
    options.faults.emplace_back(Fault::Kind::Slow, 0, "MR 0,0,000", 300ms);
    sim::PtyServer server(nullptr, options);
    ASSERT_EQ(server.Start(), "");
    RunningLink r(server.SlavePath(), {}, 200ms);
    const LinkCompletion done = RunRequest(r, {.op = kOpReadMemory, .image = WindowImage()});
    EXPECT_EQ(done.value, 1);
    ExpectReadRows(done.image.value().Channels, server.Engine().Image().Channels, WindowRows(), {0}, "late answer");
}

TEST(noisy_radio_test, memory_read_keeps_and_counts_each_row_it_cannot_read_whole) {
    struct Row {
        const char* what;
        std::vector<Fault> faults;
        std::initializer_list<std::size_t> kept;
    };
    // Each fault hits its command every time it is sent, the retry included.
    constexpr const char* kRow0 = "MR 0,0,000";
    constexpr const char* kName0 = "MNA 0,000";
    const Row rows[] = {
        {"refused", {Fault(Fault::Kind::Refuse, 0, kRow0)}, {0}},
        {"garbled", {Fault(Fault::Kind::Garble, 0, kRow0)}, {0}},
        {"without its echo", {Fault(Fault::Kind::NoEcho, 0, kRow0)}, {0}},
        {"late", {Fault(Fault::Kind::Slow, 0, kRow0, 300ms)}, {0}},
        {"cut by a pause longer than the wait", {Fault(Fault::Kind::Split, 0, kRow0, 300ms)}, {0}},
        {"name not answered: no half-read row", {Fault(Fault::Kind::NoAnswer, 0, kName0)}, {0}},
        {"late name", {Fault(Fault::Kind::Slow, 0, kName0, 300ms)}, {0}},
        {"unsolicited line after every answer", {Fault(Fault::Kind::ExtraLine)}, {}},
        {"unsolicited line 60 ms after every answer", {Fault(Fault::Kind::ExtraLine, 0, "", 60ms)}, {}},
        {"empty channel refused", {Fault(Fault::Kind::Refuse, 0, "MR 0,0,003")}, {3}}, // MR 003: "N" would empty it
    };
    for (const Row& row : rows) {
        sim::SimOptions options;
        options.faults = row.faults;
        SimLink s(options);
        const LinkCompletion done = RunRequest(s.link, {.op = kOpReadMemory, .image = WindowImage()});
        EXPECT_EQ(done.value, static_cast<long>(row.kept.size())) << row.what;
        ExpectReadRows(done.image.value().Channels, s.engine->Image().Channels, WindowRows(), row.kept, row.what);
    }
}

// A late echo looks like any other "MW"; only the address it names tells it from the answer to the
// command that is waiting. A write whose answer never came is read back: the radio took both here.
TEST(noisy_radio_test, late_or_missing_write_echo_is_settled_by_reading_the_row_back) {
    sim::SimOptions options;
    options.faults.emplace_back(Fault::Kind::Slow, 0, "MW 0,0,002", 300ms);
    options.faults.emplace_back(Fault::Kind::NoAnswer, 0, "MW 0,0,003");
    SimLink s(options);
    // Rows 2 and 3 are cleared with exactly those commands.
    const LinkCompletion done = RunRequest(s.link, {.op = kOpWriteMemory, .image = StartupImage()});
    EXPECT_EQ(done.value, 0);
    EXPECT_EQ(s.link.log.Statuses().back(), "完了 エラー数：0");
    EXPECT_EQ(done.outcome.retried, 2);
    EXPECT_TRUE(IsEmptyRow(s.engine->Image().Channels[2]));
    EXPECT_TRUE(IsEmptyRow(s.engine->Image().Channels[3]));
}

TEST(noisy_radio_test, vfo_read_takes_each_vfo_whole_from_its_own_answers) {
    struct Row {
        const char* what;
        Fault fault;
        long kept;
    };
    // Each fault hits its command every time it is sent, the retry included.
    const Row rows[] = {
        {"late VR", Fault(Fault::Kind::Slow, 0, "VR 1", 300ms), 1},
        {"late PV", Fault(Fault::Kind::Slow, 0, "PV 1", 300ms), 1},
        {"refused PV", Fault(Fault::Kind::Refuse, 0, "PV 1"), 1},
        {"unsolicited line after every answer", Fault(Fault::Kind::ExtraLine), 0},
    };
    for (const Row& row : rows) {
        sim::SimOptions options;
        options.faults = {row.fault};
        SimLink s(options);
        VfoTable radio = DefaultVfos();
        for (VfoRecord& v : radio) {
            v.Step = '8';
            v.LowerLimit = "00001";
        }
        sim::RadioState state = s.engine->State();
        state.image.Vfos = radio;
        s.engine->SetState(state);
        const LinkCompletion done = RunRequest(s.link, {.op = kOpReadVfo, .image = StartupImage()});
        EXPECT_EQ(done.value, row.kept) << row.what;
        VfoTable expected = radio;
        if (row.kept != 0)
            expected[0] = DefaultVfos()[0];
        EXPECT_EQ(done.image.value().Vfos, expected) << row.what;
    }
}

// An unsolicited line after an answer used to put a CR and the next echo's first letter into the
// contrast, from where it went into the settings file and back to the radio.
TEST(noisy_radio_test, settings_values_come_only_from_their_own_line_over_a_pseudo_terminal) {
    for (const auto pause : {0ms, 60ms}) {
        sim::SimOptions options;
        options.faults.emplace_back(Fault::Kind::ExtraLine, 0, "", pause);
        sim::PtyServer server(nullptr, options);
        ASSERT_EQ(server.Start(), "");
        RunningLink r(server.SlavePath());
        const LinkCompletion done = RunRequest(r, {.op = kOpReadSettings, .image = StartupImage()});
        EXPECT_EQ(done.value, 0) << pause.count();
        EXPECT_EQ(done.image.value().Settings, server.Engine().Image().Settings) << pause.count();
    }
}

TEST(noisy_radio_test, settings_value_with_control_bytes_is_not_stored_and_counts) {
    SimLink s;
    sim::RadioState state = s.engine->State();
    state.image.Settings.MYC = "JA1\x01ZZ";
    s.engine->SetState(state);
    RadioImage window;
    window.Settings.MYC = "MINE";
    const LinkCompletion done = RunRequest(s.link, {.op = kOpReadSettings, .image = window});
    EXPECT_EQ(done.value, 1);
    EXPECT_EQ(done.image.value().Settings.MYC, "MINE");
}

// The asking again takes the late answer, which names the memory asked for.
TEST(noisy_radio_test, late_dtmf_code_answers_are_never_taken_for_the_names) {
    sim::SimOptions options;
    options.faults.emplace_back(Fault::Kind::Slow, 0, "DM", 300ms);
    SimLink s(options);
    const LinkCompletion done = RunRequest(s.link, {.op = kOpReadSettings, .image = StartupImage()});
    EXPECT_EQ(done.value, 0);
    const RadioSettings radio = s.engine->Image().Settings;
    for (std::size_t k = 0; k < kDtmfCount; ++k) {
        EXPECT_EQ(done.image.value().Settings.Dtmf[k].Code, radio.Dtmf[k].Code) << k;
        EXPECT_EQ(done.image.value().Settings.Dtmf[k].Name, radio.Dtmf[k].Name) << k;
    }
}

// The step answer is sent back to restore the step; a line that came with it must not go too.
TEST(noisy_radio_test, sweep_restores_the_step_from_the_step_answer_line_only) {
    sim::SimOptions options;
    options.faults.emplace_back(Fault::Kind::ExtraLine, 2); // BC, then ST
    SimLink s(options);
    ASSERT_TRUE(s.link.link.Request(
        {.op = kOpScope, .scope = ScopeRequest{.upper = "00144100000", .lower = "00144000000", .step = '8'}}));
    ASSERT_TRUE(test::WaitUntil([&] { return s.link.log.Has(kMsgScope); }));
    s.link.link.StopScope();
    ASSERT_TRUE(test::WaitUntil([&] { return !s.link.link.Busy(); }));
    const auto log = s.Log();
    EXPECT_EQ(log.back(), "ST 5");
    EXPECT_EQ(std::count(log.begin(), log.end(), "BUSY"), 0);
}

} // namespace
} // namespace zem
