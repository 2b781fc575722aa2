#include "sim/in_process_port.h"
#include "test_options.h"

#include <gtest/gtest.h>

namespace zem::sim {
namespace {

using std::chrono::milliseconds;
using WaitResult = SerialPort::WaitResult;

constexpr milliseconds kInterval{48};
constexpr milliseconds kLimit{1000};

using test::Paced;
using test::WithFault;

struct Harness {
    explicit Harness(SimOptions options = {}) : port(MakeInProcessPort(engine, std::move(options))) {
        EXPECT_EQ(port->Open("sim"), 0);
    }
    // One exchange as the link makes it: write, wait, read, purge.
    std::string Exchange(const std::string& command, WaitResult expected = WaitResult::LineArrived) {
        EXPECT_TRUE(port->Write(command + "\r"));
        EXPECT_EQ(port->WaitForLine(kLimit), expected);
        std::string answer;
        if (expected == WaitResult::LineArrived) {
            EXPECT_TRUE(port->Read(90, kInterval, answer));
            port->Purge();
        }
        return answer;
    }
    std::shared_ptr<RadioEngine> engine = std::make_shared<RadioEngine>();
    std::unique_ptr<SerialPort> port;
};

TEST(InProcessPortTest, AnswersLikeTheRadio) {
    Harness h;
    EXPECT_EQ(h.Exchange("ID"), "ID TH-D7\r");
    EXPECT_EQ(h.Exchange("MR 0,0,003"), "N\r");
    EXPECT_EQ(h.Exchange("HELLO"), "?\r");
    EXPECT_EQ(h.engine->CommandLog(), (std::vector<std::string>{"ID", "MR 0,0,003", "HELLO"}));
}

TEST(InProcessPortTest, NeedsOpeningAndStopsAtClose) {
    auto port = MakeInProcessPort();
    EXPECT_FALSE(port->Write("ID\r"));
    EXPECT_EQ(port->WaitForLine(kLimit), WaitResult::LineError);
    EXPECT_EQ(port->Open("sim"), 0);
    EXPECT_TRUE(port->Write("ID\r"));
    port->Close();
    std::string out;
    EXPECT_FALSE(port->Read(90, kInterval, out));
    EXPECT_TRUE(out.empty());
}

TEST(InProcessPortTest, NoAnswerTimesOut) {
    Harness h(WithFault(Fault(Fault::Kind::NoAnswer, 1)));
    EXPECT_TRUE(h.port->Write("ID\r"));
    EXPECT_EQ(h.port->WaitForLine(milliseconds(20)), WaitResult::TimedOut);
    EXPECT_EQ(h.Exchange("ID"), "ID TH-D7\r");
}

TEST(InProcessPortTest, SlowAnswerBeyondTheLimitTimesOutThenArrivesLater) {
    Harness h(WithFault(Fault(Fault::Kind::Slow, 1, {}, milliseconds(80))));
    EXPECT_TRUE(h.port->Write("ID\r"));
    EXPECT_EQ(h.port->WaitForLine(milliseconds(10)), WaitResult::TimedOut);
    EXPECT_EQ(h.port->WaitForLine(kLimit), WaitResult::LineArrived);
    std::string out;
    EXPECT_TRUE(h.port->Read(90, kInterval, out));
    EXPECT_EQ(out, "ID TH-D7\r");
}

TEST(InProcessPortTest, ReadStopsAtTheByteLimitAndPurgeDropsTheRest) {
    Harness h(WithFault(Fault(Fault::Kind::ExtraLine, 1, {}, {}, std::string(100, 'X'))));
    EXPECT_TRUE(h.port->Write("ID\r"));
    EXPECT_EQ(h.port->WaitForLine(kLimit), WaitResult::LineArrived);
    std::string out;
    EXPECT_TRUE(h.port->Read(90, kInterval, out));
    EXPECT_EQ(out, "ID TH-D7\r" + std::string(81, 'X'));
    h.port->Purge();
    EXPECT_EQ(h.Exchange("FL"), "FL 00144,00146,00430,00440\r");
}

TEST(InProcessPortTest, AGapUnderTheIntervalJoinsTheLines) {
    Harness h(WithFault(Fault(Fault::Kind::ExtraLine, 1, {}, milliseconds(10))));
    EXPECT_EQ(h.Exchange("ID"), "ID TH-D7\rBUSY\r");
}

TEST(InProcessPortTest, ALongerGapLeavesTheLateLineForTheNextExchange) {
    // The late line arrives after the purge, as it would from a real radio.
    Harness h(WithFault(Fault(Fault::Kind::ExtraLine, 1, {}, milliseconds(120))));
    EXPECT_EQ(h.Exchange("ID"), "ID TH-D7\r");
    EXPECT_EQ(h.Exchange("FL").substr(0, 5), "BUSY\r");
}

TEST(InProcessPortTest, SplitAnswerIsOneLineOnceItsCrArrives) {
    Harness h(WithFault(Fault(Fault::Kind::Split, 1, {}, milliseconds(100))));
    EXPECT_EQ(h.Exchange("ID"), "ID TH-D7\r");
}

TEST(InProcessPortTest, PacedExchangeGivesTheSameBytes) {
    Harness h(Paced(milliseconds(2)));
    EXPECT_EQ(h.Exchange("MR 0,0,000"), "MR 0,0,000,00145000000,5,0,0,0,0,,09,,09,000000000,0,0\r");
}

TEST(InProcessPortTest, ARowWriteSentInPiecesIsOneCommand) {
    Harness h;
    EXPECT_TRUE(h.port->Write("MW 0,0,003,00145000000,5,0,0,0,0,"));
    EXPECT_TRUE(h.port->Write(",09,,09,000000000,0,0\r"));
    EXPECT_EQ(h.port->WaitForLine(kLimit), WaitResult::LineArrived);
    std::string out;
    EXPECT_TRUE(h.port->Read(80, kInterval, out));
    EXPECT_EQ(out, "MW 0,0,003,00145000000,5,0,0,0,0,,09,,09,000000000,0,0\r");
    EXPECT_EQ(h.engine->Image().Channels[3].EmptyFlag, '0');
}

} // namespace
} // namespace zem::sim
