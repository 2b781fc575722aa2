#include "sim/radio_line.h"

#include "model/command_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zem::sim {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

std::string Joined(const std::vector<Burst>& bursts) {
    std::string all;
    for (const Burst& b : bursts)
        all += b.bytes;
    return all;
}

SimOptions WithFault(Fault fault) {
    SimOptions options;
    options.faults.push_back(std::move(fault));
    return options;
}

TEST(LineFramerTest, SplitsAtCrAndIgnoresLf) {
    LineFramer framer;
    EXPECT_EQ(framer.Feed("ID\rF"), (std::vector<std::string>{"ID"}));
    EXPECT_EQ(framer.Feed("L\r\n\rMR 0,0,000\r"), (std::vector<std::string>{"FL", "", "MR 0,0,000"}));
    EXPECT_TRUE(framer.Feed("MES").empty());
    EXPECT_EQ(framer.Feed("\r"), (std::vector<std::string>{"MES"}));
}

TEST(LineFramerTest, KeepsOnlyTheRadiosBufferOfAnOverlongLine) {
    LineFramer framer;
    const auto lines = framer.Feed(std::string(1000, 'A') + "\r");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].size(), 256u);
}

TEST(PlanReplyTest, PlainAnswerComesAfterTheDelay) {
    RadioEngine engine;
    SimOptions options;
    options.delay = milliseconds(7);
    const auto plan = PlanReply(engine, "ID", options);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].bytes, "ID TH-D7\r");
    EXPECT_EQ(plan[0].at, milliseconds(7));
}

TEST(PlanReplyTest, NoAnswerToTheNthCommandOnly) {
    RadioEngine engine;
    const SimOptions options = WithFault(Fault(Fault::Kind::NoAnswer, 2));
    EXPECT_EQ(Joined(PlanReply(engine, "ID", options)), "ID TH-D7\r");
    EXPECT_TRUE(PlanReply(engine, "ID", options).empty());
    EXPECT_EQ(Joined(PlanReply(engine, "ID", options)), "ID TH-D7\r");
    // The silent command was still received.
    EXPECT_EQ(engine.CommandCount(), 3u);
}

struct AnswerFaultRow {
    const char* name;
    Fault fault;
    const char* command;
    const char* line;
};

class AnswerFaultTest : public testing::TestWithParam<AnswerFaultRow> {};

TEST_P(AnswerFaultTest, ChangesTheLine) {
    RadioEngine engine;
    EXPECT_EQ(Joined(PlanReply(engine, GetParam().command, WithFault(GetParam().fault))), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AnswerFaultTest,
    testing::Values(AnswerFaultRow{"GarbleByWord", Fault(Fault::Kind::Garble, 0, "MR"), "MR 0,0,000",
                                   "## 0,0,000,00145000000,5,0,0,0,0,,09,,09,000000000,0,0\r"},
                    AnswerFaultRow{"GarbleOtherWord", Fault(Fault::Kind::Garble, 0, "MR"), "ID", "ID TH-D7\r"},
                    AnswerFaultRow{"GarbleNth", Fault(Fault::Kind::Garble, 1), "ID", "## ##-#7\r"},
                    AnswerFaultRow{"NoEcho", Fault(Fault::Kind::NoEcho, 0, "MES"), "MES", "HELLO!!\r"},
                    AnswerFaultRow{"NoEchoOfBareAnswer", Fault(Fault::Kind::NoEcho, 0, "UP"), "UP", "\r"},
                    AnswerFaultRow{"NoEchoOtherWord", Fault(Fault::Kind::NoEcho, 0, "MES"), "CNT", "CNT 07\r"},
                    AnswerFaultRow{"Refuse", Fault(Fault::Kind::Refuse, 0, "MR"), "MR 0,0,000", "?\r"},
                    AnswerFaultRow{"ExtraLine", Fault(Fault::Kind::ExtraLine, 1, {}, {}, "XX"), "ID", "ID TH-D7\rXX\r"},
                    AnswerFaultRow{"NoAnswerByWord", Fault(Fault::Kind::NoAnswer, 0, "ID"), "ID", ""}),
    [](const testing::TestParamInfo<AnswerFaultRow>& row) { return row.param.name; });

// The write is echoed as taken, yet the channel then holds another frequency; a clear of a row is
// left alone.
TEST(PlanReplyTest, AlterStoredChangesTheWrittenChannel) {
    RadioEngine engine;
    MemoryChannel ch;
    ch.EmptyFlag = '0';
    ch.RxFreq = "00145000000";
    ch.Step = '5';
    ch.Shift = ch.Reverse = ch.ToneOn = ch.CtcssOn = ch.Mode = ch.Lockout = '0';
    ch.ToneCode = ch.CtcssCode = "09";
    ch.Offset = "000600000";
    std::string write = BuildWriteChannel(10, ch);
    write.pop_back(); // its CR
    const SimOptions options = WithFault(Fault(Fault::Kind::AlterStored, 0, "MW"));
    EXPECT_EQ(Joined(PlanReply(engine, write, options)), write + "\r");
    EXPECT_EQ(engine.Image().Channels[10].RxFreq, "00145010000");
    EXPECT_EQ(Joined(PlanReply(engine, BuildClearChannel(11), options)), BuildClearChannel(11) + "\r");
    EXPECT_EQ(engine.Image().Channels[11].EmptyFlag, '1');
}

TEST(PlanReplyTest, SplitSendsTwoHalvesWithThePauseBetween) {
    RadioEngine engine;
    const auto plan = PlanReply(engine, "ID", WithFault(Fault(Fault::Kind::Split, 0, {}, milliseconds(30))));
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].bytes, "ID T");
    EXPECT_EQ(plan[1].bytes, "H-D7\r");
    EXPECT_EQ(plan[1].at - plan[0].at, milliseconds(30));
}

TEST(PlanReplyTest, ExtraLineFollowsAfterItsPause) {
    RadioEngine engine;
    const auto plan = PlanReply(engine, "ID", WithFault(Fault(Fault::Kind::ExtraLine, 0, {}, milliseconds(100))));
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[1].bytes, "BUSY\r");
    EXPECT_EQ(plan[1].at - plan[0].at, milliseconds(100));
}

TEST(PlanReplyTest, SlowAnswerAddsToTheDelay) {
    RadioEngine engine;
    SimOptions options = WithFault(Fault(Fault::Kind::Slow, 0, "FL", milliseconds(500)));
    options.delay = milliseconds(10);
    EXPECT_EQ(PlanReply(engine, "FL", options).front().at, milliseconds(510));
    EXPECT_EQ(PlanReply(engine, "ID", options).front().at, milliseconds(10));
}

TEST(PlanReplyTest, NumberAndWordMustBothMatch) {
    const Fault fault(Fault::Kind::NoAnswer, 2, "MR");
    EXPECT_TRUE(fault.Matches(2, 1, "MR 0,0,000"));
    EXPECT_FALSE(fault.Matches(2, 1, "MNA 0,000"));
    EXPECT_FALSE(fault.Matches(3, 1, "MR 0,0,000"));
    EXPECT_TRUE(Fault(Fault::Kind::NoAnswer).Matches(99, 1, "ANY"));
}

// A whole command is matched whole, and its number counts the times that command came.
TEST(PlanReplyTest, WholeCommandMatchesByItsRepeat) {
    const Fault fault(Fault::Kind::NoAnswer, 1, "MR 0,0,005");
    EXPECT_TRUE(fault.Matches(40, 1, "MR 0,0,005"));
    EXPECT_FALSE(fault.Matches(41, 2, "MR 0,0,005"));
    EXPECT_FALSE(fault.Matches(1, 1, "MR 0,0,006"));
    EXPECT_TRUE(Fault(Fault::Kind::NoAnswer, 0, "MR 0,0,005").Matches(41, 2, "MR 0,0,005"));
}

TEST(PlanReplyTest, StoppedRadioTakesAndAnswersNothing) {
    RadioEngine engine;
    SimOptions options;
    options.faults.emplace_back(Fault::Kind::Stop, 2);
    EXPECT_FALSE(PlanReply(engine, "ID", options).empty());
    EXPECT_TRUE(PlanReply(engine, "MW 0,0,000", options).empty());
    EXPECT_TRUE(PlanReply(engine, "ID", options).empty());
    EXPECT_EQ(engine.CommandLog(), std::vector<std::string>{"ID"});
}

TEST(PlanReplyTest, FaultsOnOneCommandCombine) {
    RadioEngine engine;
    SimOptions options;
    options.faults = {Fault(Fault::Kind::NoEcho, 0, "MES"), Fault(Fault::Kind::Slow, 1, {}, milliseconds(40)),
                      Fault(Fault::Kind::ExtraLine, 1, {}, milliseconds(5), "X")};
    const auto plan = PlanReply(engine, "MES", options);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].bytes, "HELLO!!\r");
    EXPECT_EQ(plan[0].at, milliseconds(40));
    EXPECT_EQ(plan[1].bytes, "X\r");
    EXPECT_EQ(plan[1].at, milliseconds(45));
}

TEST(PlanReplyTest, PacingSendsOneByteATime) {
    RadioEngine engine;
    SimOptions options;
    options.pace = true;
    const auto plan = PlanReply(engine, "ID", options);
    ASSERT_EQ(plan.size(), 9u);
    EXPECT_EQ(Joined(plan), "ID TH-D7\r");
    for (std::size_t i = 0; i < plan.size(); ++i)
        EXPECT_EQ(plan[i].at, kByteTime * static_cast<long>(i + 1));
    EXPECT_EQ(ReceiveTime(3, options), kByteTime * 3);
    EXPECT_EQ(ReceiveTime(3, SimOptions{}), microseconds(0));
}

TEST(PlanReplyTest, PacedSplitPauseStartsWhenTheFirstHalfIsSent) {
    RadioEngine engine;
    SimOptions options = WithFault(Fault(Fault::Kind::Split, 0, {}, milliseconds(60)));
    options.pace = true;
    const auto plan = PlanReply(engine, "ID", options);
    ASSERT_EQ(plan.size(), 9u);
    EXPECT_EQ(plan[4].at - plan[3].at, milliseconds(60) + kByteTime);
}

} // namespace
} // namespace zem::sim
