#include "link_test_support.h"
#include "sim_link.h"

#include "model/command_text.h"
#include "model/startup_image.h"
#include "sim/in_process_port.h"
#include "sim/pty_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace zem {
namespace {

using namespace std::chrono_literals;
using test::RunningLink;
using test::RunRequest;
using test::SimLink;
using test::TestChannel;

// The commands among `log` that name one address, in order.
std::vector<std::string> CommandsFor(const std::vector<std::string>& log, const std::string& address) {
    std::vector<std::string> out;
    for (const std::string& c : log) {
        if (c.find("," + address) != std::string::npos)
            out.push_back(c);
    }
    return out;
}

TEST(transfers_test, empty_image_write_clears_every_row_in_order_over_a_pseudo_terminal) {
    sim::PtyServer server;
    ASSERT_EQ(server.Start(), "");
    RunningLink r(server.SlavePath());
    server.Engine().ClearLog();
    EXPECT_EQ(RunRequest(r, {.op = kOpWriteMemory, .image = StartupImage()}).value, 0);
    std::vector<std::string> expected;
    for (std::size_t row = 0; row < kChannelRows; ++row)
        expected.push_back("MW 0,0," + ChannelAddress(row));
    EXPECT_EQ(server.CommandLog(), expected);
    EXPECT_EQ(r.log.Statuses().back(), "完了 エラー数：0");
    EXPECT_EQ(r.link.Operation(), kOpIdle);
}

TEST(transfers_test, split_channel_and_split_scan_memory_write_their_transmit_frequency_in_their_order) {
    SimLink s;
    RadioImage image = StartupImage();
    image.Channels[5] = TestChannel("00145000000", "FIVE", "00435000000");
    image.Channels[LowerScanRow(3)] = TestChannel("00145500000", "LTHREE", "00435500000");
    EXPECT_EQ(RunRequest(s.link, {.op = kOpWriteMemory, .image = image}).value, 0);
    const auto log = s.Log();
    EXPECT_EQ(CommandsFor(log, "005"), (std::vector<std::string>{
                                           "MW 0,1,005,00435000000,0",
                                           "MW 0,0,005,00145000000,5,0,0,0,0,,09,,09,,0,0", // no offset
                                           "MNA 0,005,FIVE",
                                       }));
    EXPECT_EQ(CommandsFor(log, "L3"), (std::vector<std::string>{
                                          "MW 0,0,L3,00145500000,5,0,0,0,0,,09,,09,,0,0",
                                          "MNA 0,L3,LTHREE",
                                          "MW 0,1,L3,00435500000,0",
                                      }));
    EXPECT_EQ(log.size(), 170u + 2 * 2);
}

TEST(transfers_test, read_of_an_upper_scan_memory_asks_for_it_and_keeps_every_memo) {
    SimLink s;
    RadioImage radio = StartupImage();
    const std::size_t u2 = UpperScanRow(2);
    radio.Channels[u2] = TestChannel("00145500000", "\x83\x65\x83\x58\x83\x67", "00435500000"); // テスト
    s.engine->SetImage(radio);
    RadioImage window = StartupImage();
    window.Channels[u2].Memo = "U2 memo";
    window.Channels[10] = TestChannel("00145000000", "OLD");
    window.Channels[10].Memo = "kept although the radio has no channel 10";

    const LinkCompletion done = RunRequest(s.link, {.op = kOpReadMemory, .image = window});
    EXPECT_EQ(done.value, 0);
    EXPECT_EQ(CommandsFor(s.Log(), "U2"), (std::vector<std::string>{"MR 0,0,U2", "MR 0,1,U2", "MNA 0,U2"}));
    const MemoryChannel& read = done.image.value().Channels[u2];
    EXPECT_EQ(read.RxFreq, "00145500000");
    EXPECT_EQ(read.TxFreq, "00435500000");
    EXPECT_EQ(read.Name, "\x83\x65\x83\x58\x83\x67");
    EXPECT_EQ(read.Memo, "U2 memo");
    const MemoryChannel& ten = done.image.value().Channels[10];
    EXPECT_TRUE(IsEmptyRow(ten));
    EXPECT_TRUE(ten.Name.empty());
    EXPECT_EQ(ten.Memo, "kept although the radio has no channel 10");
    EXPECT_EQ(s.link.log.Statuses().back(), "完了");
}

// What a user does: write an image with Japanese names, split channels and scan memories, then
// read it back into a window whose radio fields are stale but whose memos are the user's.
TEST(transfers_test, write_then_read_gives_back_the_image_over_a_pseudo_terminal) {
    RadioImage image = StartupImage();
    image.Channels[0] = TestChannel("00145000000", "\x83\x6E\x83\x80"); // ハム
    image.Channels[0].Memo = "\x8E\xA9\x91\xEE";                        // 自宅
    image.Channels[1] = TestChannel("00433012500", "SPLIT", "00145012500");
    image.Channels[1].Step = '3';
    image.Channels[2] = TestChannel("00125300000", "AIR");
    image.Channels[2].Mode = '1';
    image.Channels[2].Shift = '2';
    image.Channels[2].ToneOn = '1';
    image.Channels[2].ToneCode = "12";
    image.Channels[2].Lockout = '1';
    image.Channels[149] = TestChannel("00439000000", "LAST");
    image.Channels[LowerScanRow(0)] = TestChannel("00144000000", "");
    image.Channels[UpperScanRow(0)] = TestChannel("00146000000", "", "00147000000");
    image.Channels[UpperScanRow(9)] = TestChannel("00479000000", "TOP");

    sim::PtyServer server;
    server.Engine().SetImage(StartupImage());
    ASSERT_EQ(server.Start(), "");
    RunningLink r(server.SlavePath());
    EXPECT_EQ(RunRequest(r, {.op = kOpWriteMemory, .image = image}).value, 0);

    RadioImage stale = StartupImage();
    for (std::size_t row = 0; row < kChannelRows; ++row)
        stale.Channels[row].Memo = image.Channels[row].Memo;
    stale.Channels[3] = TestChannel("00145000000", "GONE");
    const LinkCompletion done = RunRequest(r, {.op = kOpReadMemory, .image = stale});
    EXPECT_EQ(done.value, 0);
    const ChannelTable& read = done.image.value().Channels;
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        if (IsEmptyRow(image.Channels[row]))
            EXPECT_TRUE(IsEmptyRow(read[row])) << RowLabel(row);
        else
            EXPECT_EQ(read[row], image.Channels[row]) << RowLabel(row);
    }
}

TEST(transfers_test, settings_write_sends_51_commands_and_read_brings_them_back) {
    SimLink s;
    RadioSettings settings = DefaultSettings();
    settings.MES = "\x83\x6E\x83\x80 CQ"; // ハム CQ
    settings.PP = "RELAY,WIDE";
    settings.ICO = 'A';
    settings.Dtmf[3] = {"0123*#ABCD", "HOME"};
    RadioImage image;
    image.Settings = settings;
    EXPECT_EQ(RunRequest(s.link, {.op = kOpWriteSettings, .image = image}).value, 0);
    const auto log = s.Log();
    ASSERT_EQ(log.size(), 51u);
    EXPECT_EQ(log[0], "MES \x83\x6E\x83\x80 CQ");
    EXPECT_EQ(log[5], "DM 00,");
    EXPECT_EQ(log[11], "DM 03,0123*#ABCD");
    EXPECT_EQ(log[12], "DMN 03,HOME");
    EXPECT_EQ(log[39], "ICO 0,A");
    EXPECT_EQ(log[50], "VCS 0");

    image.Settings = DefaultSettings();
    const LinkCompletion done = RunRequest(s.link, {.op = kOpReadSettings, .image = image});
    EXPECT_EQ(done.value, 0);
    EXPECT_EQ(done.image.value().Settings, settings);
}

TEST(transfers_test, settings_answer_without_its_echo_counts_once_and_keeps_the_field) {
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::NoEcho, 0, "MYC");
    SimLink s(options);
    RadioSettings window = DefaultSettings();
    window.MYC = "JA1ZZZ";
    RadioImage image;
    image.Settings = window;
    const LinkCompletion done = RunRequest(s.link, {.op = kOpReadSettings, .image = image});
    EXPECT_EQ(done.value, 1);
    EXPECT_EQ(done.image.value().Settings.MYC, "JA1ZZZ");
    EXPECT_EQ(done.image.value().Settings.MES, s.engine->Image().Settings.MES);
}

// The settings file splits the MENU line at a ',' anywhere but in a free text: such a value is left
// out of the read, counted and named, and the window's value stays.
TEST(transfers_test, settings_read_refuses_a_comma_the_settings_file_cannot_carry) {
    SimLink s;
    RadioSettings radio = DefaultSettings();
    radio.MYC = "JA1,ZZZ";
    radio.MP = "3540.12N,13945.6E";
    radio.GC = "1,2";
    radio.NMSG = "A,B";
    radio.Dtmf[2] = {"12", "N,M"};
    RadioImage image;
    image.Settings = radio;
    ASSERT_EQ(RunRequest(s.link, {.op = kOpWriteSettings, .image = image}).value, 0);
    image.Settings = DefaultSettings();
    const LinkCompletion done = RunRequest(s.link, {.op = kOpReadSettings, .image = image});
    EXPECT_EQ(done.value, 3);
    RadioSettings expected = radio;
    expected.MYC = DefaultSettings().MYC;
    expected.MP = DefaultSettings().MP;
    expected.GC = DefaultSettings().GC;
    EXPECT_EQ(done.image.value().Settings, expected);
    const std::vector<std::string>& refusals = done.refusals;
    ASSERT_EQ(refusals.size(), 3u);
    EXPECT_EQ(refusals[0],
              "MYC: 無線機の値「JA1,ZZZ」は ',' を含み、設定ファイルに保存できないため、読み込みませんでした");
    EXPECT_EQ(refusals[1].substr(0, 4), "MP: ");
    EXPECT_EQ(refusals[2].substr(0, 4), "GC: ");
}

TEST(transfers_test, vfo_read_asks_in_table_order_and_takes_the_limits_by_position) {
    auto line = std::make_shared<test::FakeLine>();
    const char* answers[] = {
        "VR 1,00125500000,5,0,0,0,0,,09,,09,000000000,1", "PV 1,00118,00135",
        "VR 2,00145000000,5,1,0,0,0,,09,,09,000600000,0", "PV 2,00136", // ten characters
        "VR 7,00435000000,5,0,0,0,0,,09,,09,005000000,0", "PV 7,00430,00439",
        "VR 3,00145000000,5,0,0,0,0,,09,,09,000600000,0", "PV 3,00144,00145",
        "VR 5,00360000000,5,0,0,0,0,,09,,09,000000000,0", "PV 5,00320,00399",
        "VR 6,00435000000,5,0,0,0,0,,09,,09,005000000,0", "PV 6,00400,00479",
    };
    for (const char* a : answers)
        line->reads.push_back({std::string(a) + "\r", true});
    RunningLink r("fake", test::FakePortFactory(line));
    RadioImage image;
    image.Vfos = DefaultVfos();
    const LinkCompletion done = RunRequest(r, {.op = kOpReadVfo, .image = image});
    EXPECT_EQ(done.value, 0);
    std::vector<std::string> written;
    for (const std::string& c : line->Calls()) {
        if (c.rfind("write ", 0) == 0)
            written.push_back(c.substr(6, c.size() - 7));
    }
    EXPECT_EQ(written, (std::vector<std::string>{"VR 1", "PV 1", "VR 2", "PV 2", "VR 7", "PV 7", "VR 3", "PV 3", "VR 5",
                                                 "PV 5", "VR 6", "PV 6"}));
    const VfoTable& read = done.image.value().Vfos;
    EXPECT_EQ(read[0].Freq, "00125500000");
    EXPECT_EQ(read[0].Mode, '1');
    EXPECT_EQ(read[1].Shift, '1');
    EXPECT_EQ(read[1].LowerLimit, "00136");
    EXPECT_EQ(read[1].UpperLimit, "");
    EXPECT_EQ(read[1].Band, '0'); // not part of the answer: kept
}

TEST(transfers_test, vfo_write_sends_twelve_commands_and_reads_back) {
    SimLink s;
    VfoTable vfos = DefaultVfos();
    vfos[4].Freq = "00380212500";
    vfos[4].Step = '1';
    vfos[4].LowerLimit = "00330";
    RadioImage image;
    image.Vfos = vfos;
    EXPECT_EQ(RunRequest(s.link, {.op = kOpWriteVfo, .image = image}).value, 0);
    const auto log = s.Log();
    ASSERT_EQ(log.size(), 12u);
    EXPECT_EQ(log[8], "VW 5,00380212500,1,0,0,0,0,,09,,09,000000000,0");
    EXPECT_EQ(log[9], "PV 5,00330,00399");
    image.Vfos = DefaultVfos();
    const LinkCompletion done = RunRequest(s.link, {.op = kOpReadVfo, .image = image});
    EXPECT_EQ(done.value, 0);
    EXPECT_EQ(done.image.value().Vfos, vfos);
}

// A VFO answer without its echo would leave the selector 'B' for good; the VFO stays as it was.
TEST(transfers_test, vfo_answer_without_its_echo_keeps_the_vfo_and_its_selector) {
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::NoEcho, 0, "VR 7"); // every time it is asked
    SimLink s(options);
    VfoTable radio = DefaultVfos();
    for (VfoRecord& v : radio)
        v.Step = '8';
    sim::RadioState state = s.engine->State();
    state.image.Vfos = radio;
    s.engine->SetState(state);
    VfoTable window = DefaultVfos();
    window[2].Freq = "00433000000";
    RadioImage image;
    image.Vfos = window;
    const LinkCompletion done = RunRequest(s.link, {.op = kOpReadVfo, .image = image});
    EXPECT_EQ(done.value, 1);
    VfoTable expected = radio;
    expected[2] = window[2];
    EXPECT_EQ(done.image.value().Vfos, expected);
}

// Faults of the radio that persist through the retry: every transfer still runs to its end, and
// the counts say what went wrong.
TEST(transfers_test, radio_faults_are_counted_and_never_cut_a_transfer_short) {
    struct Row {
        const char* what;
        sim::Fault fault;
        LinkOperation op;
        long errors;
    };
    const Row rows[] = {
        {"one clearing command refused", sim::Fault(sim::Fault::Kind::Refuse, 0, "MW 0,0,005"), kOpWriteMemory, 1},
        {"no echo to the names", sim::Fault(sim::Fault::Kind::NoEcho, 0, "MNA"), kOpWriteMemory, 2},
        {"garbled answers to the row writes", sim::Fault(sim::Fault::Kind::Garble, 0, "MW"), kOpWriteMemory, 170},
        {"no answer to one row read", sim::Fault(sim::Fault::Kind::NoAnswer, 0, "MR 0,0,001"), kOpReadMemory, 1},
        {"no answer to the VFO limits", sim::Fault(sim::Fault::Kind::NoAnswer, 0, "PV"), kOpWriteVfo, 6},
        {"garbled settings answers", sim::Fault(sim::Fault::Kind::Garble, 0, "DMN"), kOpReadSettings, 10},
        {"no answer to a settings write", sim::Fault(sim::Fault::Kind::NoAnswer, 0, "APO"), kOpWriteSettings, 1},
    };
    for (const Row& row : rows) {
        sim::SimOptions options;
        options.faults.push_back(row.fault);
        SimLink s(options, 50ms);
        RadioImage image = StartupImage();
        image.Channels[0] = TestChannel("00145000000", "ONE");
        image.Channels[LowerScanRow(1)] = TestChannel("00144000000", "L1");
        EXPECT_EQ(RunRequest(s.link, {.op = row.op, .image = image}).value, row.errors) << row.what;
        EXPECT_EQ(s.link.link.Operation(), kOpIdle) << row.what;
    }
}

// A row whose read goes unanswered stays as it was instead of copying the row before it.
TEST(transfers_test, unanswered_row_read_keeps_the_row) {
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::NoAnswer, 0, "MR");
    SimLink s(options, 10ms);
    RadioImage radio = StartupImage();
    radio.Channels[0] = TestChannel("00145000000", "RADIO");
    s.engine->SetImage(radio);
    RadioImage window = StartupImage();
    window.Channels[1] = TestChannel("00433000000", "MINE");
    const LinkCompletion done = RunRequest(s.link, {.op = kOpReadMemory, .image = window});
    EXPECT_EQ(done.value, 170);
    EXPECT_EQ(done.image.value().Channels, window.Channels);
}

struct Sweep {
    std::vector<std::vector<long>> passes; // readings after each pass-start marker
    long readingsAfterStop = 0;
};

Sweep Readings(const test::MessageLog& log) {
    Sweep sweep;
    for (const auto& [code, value] : log.Messages()) {
        if (code != kMsgScope)
            continue;
        if (value == kScopePassStart)
            sweep.passes.emplace_back();
        else if (!sweep.passes.empty())
            sweep.passes.back().push_back(value);
    }
    return sweep;
}

void StartScope(RunningLink& r, const char* lower, const char* upper, char step) {
    ASSERT_TRUE(r.link.Request({.op = kOpScope, .scope = ScopeRequest{.upper = upper, .lower = lower, .step = step}}));
}

void StopScopeAfterPasses(RunningLink& r, std::size_t passes) {
    ASSERT_TRUE(test::WaitUntil([&] { return Readings(r.log).passes.size() > passes; }));
    r.link.StopScope();
    ASSERT_TRUE(test::WaitUntil([&] { return r.log.Messages().back() == std::make_pair(int{kMsgScopeEnded}, 0L); }));
    EXPECT_FALSE(r.link.Busy());
}

TEST(transfers_test, sweep_takes_n_readings_a_pass_and_restores_the_step) {
    SimLink s;
    StartScope(s.link, "00144000000", "00146000000", '8');
    StopScopeAfterPasses(s.link, 2);
    const Sweep sweep = Readings(s.link.log);
    EXPECT_EQ(sweep.passes[0].size(), 40u);
    EXPECT_EQ(sweep.passes[1].size(), 40u);
    const auto log = s.Log();
    ASSERT_GE(log.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 6),
              (std::vector<std::string>{"BC 0", "ST", "ST 8", "FQ 00144000000,8", "UP", "SM 0"}));
    EXPECT_EQ(log.back(), "ST 5"); // the step the radio had before
}

TEST(transfers_test, sweep_narrower_than_a_step_makes_passes_without_readings) {
    SimLink s;
    StartScope(s.link, "00144000000", "00144010000", '8');
    StopScopeAfterPasses(s.link, 3);
    for (const auto& pass : Readings(s.link.log).passes)
        EXPECT_TRUE(pass.empty());
    const auto log = s.Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "UP"), 0);
}

// A reading that cannot be taken still holds its step's place, or every later reading of the pass
// would be drawn and stored at the wrong frequency.
TEST(transfers_test, sweep_posts_unreadable_s_meter_answers_as_0_in_their_place_and_counts_them) {
    // BC, ST, ST, FQ, UP, SM, UP, SM, UP, SM: the second and third readings go wrong.
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::NoEcho, 8);
    options.faults.emplace_back(sim::Fault::Kind::NoAnswer, 10);
    SimLink s(options, 50ms);
    StartScope(s.link, "00145400000", "00145600000", '5'); // 145.5 MHz, a strong station, is step 5
    StopScopeAfterPasses(s.link, 1);
    const std::vector<long> pass = Readings(s.link.log).passes[0];
    ASSERT_EQ(pass.size(), 10u);
    EXPECT_EQ(pass[1], 0);
    EXPECT_EQ(pass[2], 0);
    EXPECT_EQ(pass[4], 5);
    std::vector<bool> unread;
    for (const test::Arrival& a : s.link.log.Arrivals()) {
        if (a.isMessage && a.code == kMsgScope && a.value != kScopePassStart && unread.size() < pass.size())
            unread.push_back(a.unread);
    }
    EXPECT_EQ(unread, (std::vector<bool>{false, true, true, false, false, false, false, false, false, false}));
}

TEST(transfers_test, stop_during_a_pass_posts_at_most_one_more_reading) {
    sim::SimOptions options;
    options.delay = 5ms; // the radio answers slower than the window handles messages
    SimLink s(options);
    std::size_t readings = 0;
    s.link.log.onMessage = [&](int code, long value) {
        if (code == kMsgScope && value != kScopePassStart && ++readings == 5)
            s.link.link.StopScope();
    };
    StartScope(s.link, "00144000000", "00146000000", '8');
    ASSERT_TRUE(
        test::WaitUntil([&] { return !s.link.link.Busy() && s.link.log.Messages().back().first == kMsgScopeEnded; }));
    EXPECT_LE(readings, 6u);
    EXPECT_EQ(s.Log().back(), "ST 5");
}

// Without an answer to "ST" there is no step to go back to; sending the empty answer would put a
// bare CR on the line, which the radio takes as a malformed command.
TEST(transfers_test, sweep_without_an_answer_to_the_step_query_restores_nothing) {
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::NoAnswer, 2); // BC, then ST
    SimLink s(options, 50ms);
    StartScope(s.link, "00144000000", "00146000000", '8');
    StopScopeAfterPasses(s.link, 1);
    const auto log = s.Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), ""), 0);
    EXPECT_EQ(log.back(), "SM 0");
}

// A front end that gives up (an error path, a closed window) discards the link without stopping
// the sweep first; the sweep never looks at Running, so only the discard can end it.
TEST(transfers_test, discarding_the_link_during_a_sweep_ends_the_sweep_and_restores_the_step) {
    const auto engine = std::make_shared<sim::RadioEngine>();
    test::MessageLog log;
    auto link = std::make_unique<TCommThread>();
    link->SetPortFactory([engine](const std::string&) { return sim::MakeInProcessPort(engine); });
    link->SetPortPath("sim");
    link->SetWindow(&log);
    link->start();
    ASSERT_TRUE(test::WaitUntil([&] { return log.Has(kMsgPortOpened); }));
    ASSERT_TRUE(link->Request(
        {.op = kOpScope, .scope = ScopeRequest{.upper = "00146000000", .lower = "00144000000", .step = '8'}}));
    ASSERT_TRUE(test::WaitUntil([&] { return Readings(log).passes.size() > 1; }));
    link.reset();
    EXPECT_EQ(engine->CommandLog().back(), "ST 5");
}

} // namespace
} // namespace zem
