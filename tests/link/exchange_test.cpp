#include "link_test_support.h"
#include "pty_peer.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using test::FakeLine;
using test::PtyPeer;
using test::RunningLink;
using Chunks = std::vector<PtyPeer::Chunk>;
using Calls = std::vector<std::string>;

TEST(exchange_test, command_goes_out_as_its_text_and_one_cr) {
    PtyPeer peer([](const std::string&) { return Chunks{{"ID TH-D7\r"}}; });
    RunningLink r(peer.SlavePath());
    ASSERT_EQ(r.link.OpenErrors(), 0);
    std::string response;
    r.link.Exchange("ID", response);
    EXPECT_EQ(peer.Received(), "ID\r");
    EXPECT_EQ(response, "ID TH-D7");
    EXPECT_EQ(r.link.LastCommand(), "ID\r");
}

// Each row: the radio's answer to the first command, what the exchange makes of it, and proof
// that nothing of it reaches the second exchange, which the radio answers "NEXT".
TEST(exchange_test, answers_over_a_pseudo_terminal) {
    struct Row {
        const char* what;
        Chunks answer;
        std::string response;
    };
    const Row rows[] = {
        {"echo and model", {{"ID TH-D7\r"}}, "ID TH-D7"},
        {"trailing blanks and LF", {{"ID TH-D7 \r\n"}}, "ID TH-D7"},
        {"two lines keep the inner CR", {{"A\rB\r"}}, "A\rB"},
        {"NUL cuts", {{"AB\0CD\r"s}}, "AB"},
        {"100 bytes give 90", {{std::string(99, 'x') + "\r"}}, std::string(90, 'x')},
        {"pause under 48 ms: one answer", {{"A\r"}, {"B\r", 3ms}}, "A\rB"},
        {"pause over 48 ms: two answers", {{"A\r"}, {"B\r", 250ms}}, "A"},
        {"answer split before its CR", {{"ID T"}, {"H-D7\r", 250ms}}, "ID TH-D7"},
    };
    for (const Row& row : rows) {
        PtyPeer peer([&](const std::string& line) { return line == "Q1" ? row.answer : Chunks{{"NEXT\r"}}; });
        RunningLink r(peer.SlavePath());
        std::string response = "before";
        r.link.Exchange("Q1", response);
        EXPECT_EQ(response, row.response) << row.what;
        // Let every part of the answer arrive before the next command goes out.
        test::WaitUntil([&] { return peer.Log().size() == 1 + row.answer.size(); });
        r.link.Exchange("Q2", response);
        EXPECT_EQ(response, "NEXT") << row.what;
    }
}

TEST(exchange_test, no_answer_keeps_the_response_and_a_late_one_is_not_taken_for_the_next) {
    PtyPeer peer([](const std::string& line) {
        return line == "Q1" ? Chunks{{"LATE\r", 300ms}} : Chunks{{line + "\r"}};
    });
    RunningLink r(peer.SlavePath(), {}, 100ms);
    std::string response = "earlier";
    r.link.Exchange("Q1", response);
    EXPECT_EQ(response, "earlier");
    // The late answer must be on the line before Q2 goes out, or Q2 would prove nothing.
    ASSERT_TRUE(test::WaitUntil([&] { return peer.Log().size() == 2; }));
    r.link.Exchange("Q2", response);
    EXPECT_EQ(response, "Q2");
}

TEST(exchange_test, hang_up_keeps_the_response) {
    PtyPeer peer;
    RunningLink r(peer.SlavePath());
    peer.HangUp();
    std::string response = "earlier";
    r.link.Exchange("ID", response);
    EXPECT_EQ(response, "earlier");
}

// The order of the port calls, which a real line cannot show.
TEST(exchange_test, port_calls) {
    using Wait = SerialPort::WaitResult;
    struct Row {
        const char* what;
        Wait wait;
        Calls calls;
        const char* response;
    };
    const Row rows[] = {
        {"answer", Wait::LineArrived, {"purge", "write ID\r", "wait", "read 1024 48", "purge"}, "ID TH-D7"},
        // Only a look at whether any byte came at all: a radio that sends nothing may be off.
        {"time-out: no purge", Wait::TimedOut, {"purge", "write ID\r", "wait", "read 1024 0"}, "earlier"},
        {"line error: no purge", Wait::LineError, {"purge", "write ID\r", "wait", "read 1024 0"}, "earlier"},
    };
    for (const Row& row : rows) {
        auto line = std::make_shared<FakeLine>();
        line->waits = {row.wait};
        line->reads = {{"ID TH-D7\r"}};
        RunningLink r("fake", test::FakePortFactory(line));
        std::string response = "earlier";
        r.link.Exchange("ID", response);
        EXPECT_EQ(response, row.response) << row.what;
        Calls calls = line->Calls();
        ASSERT_EQ(calls.front(), "open fake");
        calls.erase(calls.begin());
        EXPECT_EQ(calls, row.calls) << row.what;
        r.Stop();
        EXPECT_EQ(line->Calls().back(), "close");
    }
}

// An answer that did not come in time may still be on its way: before the next command the line
// is read until a read interval passes without a byte.
TEST(exchange_test, after_an_exchange_without_its_answer_the_next_drains_the_line_first) {
    auto line = std::make_shared<FakeLine>();
    line->waits = {SerialPort::WaitResult::TimedOut};
    line->reads = {{""}, {"LATE\r"}, {""}, {"ID TH-D7\r"}};
    RunningLink r("fake", test::FakePortFactory(line));
    std::string response;
    EXPECT_FALSE(r.link.Exchange("ID", response));
    EXPECT_TRUE(r.link.Exchange("ID", response));
    EXPECT_EQ(response, "ID TH-D7");
    Calls calls = line->Calls();
    calls.erase(calls.begin());
    EXPECT_EQ(calls, (Calls{"purge", "write ID\r", "wait", "read 1024 0", "read 1024 48", "read 1024 48", "purge",
                            "write ID\r", "wait", "read 1024 48", "purge"}));
}

TEST(exchange_test, failures_show_their_status_and_the_exchange_goes_on) {
    auto line = std::make_shared<FakeLine>();
    line->writeOk = false;
    line->reads = {{"ID TH", false}};
    RunningLink r("fake", test::FakePortFactory(line));
    std::string response;
    r.link.Exchange("ID", response);
    EXPECT_EQ(response, "ID TH");
    test::WaitUntil([&] { return r.log.Statuses().size() == 2; });
    EXPECT_EQ(r.log.Statuses(), (std::vector<QString>{"munen", "GAaan"}));
}

TEST(exchange_test, long_command_is_sent_whole_and_remembered_cut) {
    auto line = std::make_shared<FakeLine>();
    RunningLink r("fake", test::FakePortFactory(line));
    const std::string command(60, 'C');
    std::string response;
    r.link.Exchange(command, response);
    EXPECT_EQ(line->Calls()[2], "write " + command + "\r");
    EXPECT_EQ(r.link.LastCommand(), std::string(50, 'C'));
}

TEST(exchange_test, port_that_could_not_be_made_gives_4_and_exchanges_do_nothing) {
    RunningLink r("none", [](const std::string&) { return std::unique_ptr<SerialPort>(); });
    EXPECT_EQ(r.log.Messages(), (std::vector<std::pair<int, long>>{{kMsgPortOpened, 4}}));
    std::string response = "earlier";
    r.link.Exchange("ID", response);
    EXPECT_EQ(response, "earlier");
}

TEST(exchange_test, direct_send) {
    using Wait = SerialPort::WaitResult;
    struct Row {
        const char* what;
        Wait wait;
        bool purge;
        Calls calls;
        const char* response;
        bool lineArrived;
    };
    const std::string text = "MW 0,0,L3,00145000000,5,0,0,0,0,,00,,08,,0,0\r";
    const Row rows[] = {
        {"line, no purge", Wait::LineArrived, false, {"purge", "write " + text, "wait", "read 80 48"}, "MW\r\n", true},
        {"line, purge",
         Wait::LineArrived,
         true,
         {"purge", "write " + text, "wait", "read 80 48", "purge"},
         "MW\r\n",
         true},
        {"no line", Wait::TimedOut, true, {"purge", "write " + text, "wait", "read 1024 0"}, "earlier", false},
    };
    for (const Row& row : rows) {
        auto line = std::make_shared<FakeLine>();
        line->waits = {row.wait};
        line->reads = {{"MW\r\n"}};
        RunningLink r("fake", test::FakePortFactory(line));
        std::string response = "earlier";
        const auto result = TCommThreadProbe::DirectSend(r.link, text, 80, row.purge, "written", "メモリL3番書き込み中",
                                                         "MW 0,0,L3", response);
        EXPECT_EQ(response, row.response) << row.what;
        EXPECT_TRUE(result.writeOk);
        EXPECT_EQ(result.lineArrived, row.lineArrived);
        EXPECT_EQ(result.readOk, row.lineArrived);
        Calls calls = line->Calls();
        calls.erase(calls.begin());
        EXPECT_EQ(calls, row.calls) << row.what;
        test::WaitUntil([&] { return r.log.Statuses().size() == 2; });
        EXPECT_EQ(r.log.Statuses(), (std::vector<QString>{"written", "メモリL3番書き込み中"})) << row.what;
    }
}

TEST(exchange_test, direct_send_over_a_pseudo_terminal_reads_up_to_its_limit_untrimmed) {
    PtyPeer peer([](const std::string&) { return Chunks{{"MW \0tail\r"s}}; });
    RunningLink r(peer.SlavePath());
    const std::string text = "MW 0,0,000,00145000000,5,0,0,0,0,,00,,08,000600000,0,0\r";
    std::string response;
    const auto result = TCommThreadProbe::DirectSend(r.link, text, 80, false, "", "", "MW 0,0,000", response);
    EXPECT_EQ(peer.Received(), text);
    EXPECT_TRUE(result.writeOk && result.lineArrived && result.readOk);
    EXPECT_EQ(response, "MW ");
    EXPECT_TRUE(r.log.Statuses().empty());
}

} // namespace
} // namespace zem
