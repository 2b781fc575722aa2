#include "session/radio_session.h"

#include "model/startup_image.h"
#include "model/used_channel.h"
#include "sim/in_process_port.h"
#include "sim/radio_engine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>

namespace zem {
namespace {

using namespace std::chrono_literals;

// A session on the simulated radio in the process; the results it delivers are kept.
struct SessionFixture {
    explicit SessionFixture(sim::SimOptions options = {}, std::chrono::milliseconds timeout = 200ms)
        : engine(std::make_shared<sim::RadioEngine>()),
          session([e = engine, options](const std::string&) { return sim::MakeInProcessPort(e, options); }) {
        QObject::connect(&session, &RadioSession::checked, [this](const CheckResult& r) { check = r; });
        QObject::connect(&session, &RadioSession::read, [this](const ReadResult& r) { read = r; });
        QObject::connect(&session, &RadioSession::written, [this](const WriteResult& r) { written = r; });
        QObject::connect(&session, &RadioSession::closed, [this] { closed = true; });
        session.Connect({.port = "sim", .timeout = timeout});
        Until([this] { return session.Connected(); });
    }

    template <typename Done> static bool Until(Done done, std::chrono::milliseconds limit = 60s) {
        const QDeadlineTimer deadline(limit);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return done();
    }

    std::shared_ptr<sim::RadioEngine> engine;
    RadioSession session;
    std::optional<CheckResult> check;
    std::optional<ReadResult> read;
    std::optional<WriteResult> written;
    bool closed = false;
};

// Every block written and read back on the same connection, as the window and the tool do.
TEST(RadioSession, WritesAndReadsEveryBlock) {
    SessionFixture f;
    RadioImage mine = StartupImage();
    mine.Channels[3] = UsedChannel("00433020000", "RADIO");
    mine.Vfos[4].LowerLimit = "00330";
    mine.Settings.MES = "CQ";
    for (const Block block : AllBlocks()) {
        f.written.reset();
        ASSERT_TRUE(f.session.Write(block, mine, false)) << BlockName(block);
        EXPECT_FALSE(f.session.Read(block, mine)) << "one operation at a time";
        ASSERT_TRUE(f.Until([&] { return f.written.has_value(); }));
        EXPECT_EQ(f.written->errors, 0);
        EXPECT_FALSE(f.written->verify);
    }
    EXPECT_TRUE(f.engine->Image().Channels[3].Name == "RADIO");
    const RadioImage blank = StartupImage();
    for (const Block block : AllBlocks()) {
        f.read.reset();
        ASSERT_TRUE(f.session.Read(block, blank));
        ASSERT_TRUE(f.Until([&] { return f.read.has_value(); }));
        EXPECT_EQ(f.read->value, 0);
        EXPECT_TRUE(f.read->kept.empty());
    }
    EXPECT_TRUE(f.read->image.Settings.MES == "CQ");
}

// The read-back compares with what was handed in, never with the link's image the worker is
// filling: the first channel, read back first, shows the radio's change.
TEST(RadioSession, VerifiedWriteNamesWhatTheRadioHoldsDifferently) {
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::AlterStored, 0, "MW");
    SessionFixture f(options);
    RadioImage mine = StartupImage();
    mine.Channels[0] = UsedChannel("00145000000", "FIRST");
    ASSERT_TRUE(f.session.Write(Block::Memory, mine, true));
    ASSERT_TRUE(f.Until([&] { return f.written.has_value(); }));
    ASSERT_TRUE(f.written->verify);
    EXPECT_EQ(f.written->verify->outcome, VerifyResult::Outcome::Compared);
    ASSERT_EQ(f.written->verify->differences.size(), 1u);
    EXPECT_EQ(f.written->verify->differences[0].label, "0");
}

// Disconnecting while a verified write runs still gives the write's result, saying that nothing
// was read back.
TEST(RadioSession, DisconnectDuringVerifiedWriteKeepsTheResult) {
    SessionFixture f;
    QObject::connect(&f.session, &RadioSession::progress, [&] { f.session.Disconnect(); });
    ASSERT_TRUE(f.session.Write(Block::Vfo, StartupImage(), true));
    ASSERT_TRUE(f.Until([&] { return f.closed; }));
    ASSERT_TRUE(f.written);
    EXPECT_EQ(f.written->errors, 0);
    ASSERT_TRUE(f.written->verify);
    EXPECT_EQ(f.written->verify->outcome, VerifyResult::Outcome::Disconnected);
}

// Several blocks in one call: a verified write gives its read-back's retries apart from the
// block's, and a block the radio falls silent in ends the transfer without a word of the next.
TEST(RadioSession, TransfersBlocksOneAfterTheOther) {
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::Garble, 1, "MR 0,0,003"); // the read-back's, once
    options.faults.emplace_back(sim::Fault::Kind::Stop, 2, "MR 0,0,050");   // the read, after the read-back
    SessionFixture f(options, 50ms);
    std::vector<Block> begun;
    std::optional<TransferResult> end;
    QObject::connect(&f.session, &RadioSession::transferring, [&](Block b) { begun.push_back(b); });
    QObject::connect(&f.session, &RadioSession::transferred, [&](const TransferResult& r) { end = r; });
    ASSERT_TRUE(f.session.WriteBlocks({Block::Memory, Block::Vfo}, StartupImage(), true));
    ASSERT_TRUE(f.Until([&] { return end.has_value(); }));
    EXPECT_EQ(end->end, TransferResult::End::Whole);
    ASSERT_EQ(end->blocks.size(), 2u);
    ASSERT_TRUE(end->blocks[0].readBack);
    EXPECT_EQ(end->blocks[0].readBack->retried, 1);
    EXPECT_EQ(end->blocks[0].outcome.retried, 1);
    EXPECT_EQ(end->blocks[0].errors, 0);

    end.reset();
    ASSERT_TRUE(f.session.ReadBlocks({Block::Memory, Block::Settings}, StartupImage()));
    ASSERT_TRUE(f.Until([&] { return end.has_value(); }));
    EXPECT_EQ(end->end, TransferResult::End::RadioSilent);
    ASSERT_EQ(end->blocks.size(), 1u);
    EXPECT_EQ(end->blocks[0].outcome.moved, 50u);
    EXPECT_EQ(begun, (std::vector<Block>{Block::Memory, Block::Vfo, Block::Memory}));
}

// A check the radio did not answer is no verdict.
TEST(RadioSession, ChecksSayWhetherTheRadioAnswered) {
    struct Case {
        Check check;
        bool silent;
        bool answered;
        bool yes;
    };
    for (const Case c :
         {Case{Check::Model, false, true, true}, Case{Check::Model, true, false, false},
          Case{Check::Modification, false, true, false}, Case{Check::Modification, true, false, false}}) {
        sim::SimOptions options;
        if (c.silent)
            options.faults.emplace_back(sim::Fault::Kind::NoAnswer);
        SessionFixture f(options, 50ms);
        ASSERT_TRUE(f.session.RunCheck(c.check));
        ASSERT_TRUE(f.Until([&] { return f.check.has_value(); }));
        EXPECT_EQ(f.check->answered, c.answered);
        EXPECT_EQ(f.check->yes, c.yes);
    }
}

// A read names each row it kept, asked twice, and why.
TEST(RadioSession, ReadNamesKeptRowsAndTheirCause) {
    struct Case {
        sim::Fault::Kind fault;
        RowFault cause;
    };
    for (const Case c :
         {Case{sim::Fault::Kind::NoAnswer, RowFault::NoAnswer}, Case{sim::Fault::Kind::Garble, RowFault::Unreadable}}) {
        sim::SimOptions options;
        options.faults.emplace_back(c.fault, 0, "MR 0,0,000"); // row 0, its retry too
        SessionFixture f(options, 50ms);
        ASSERT_TRUE(f.session.Read(Block::Memory, StartupImage()));
        ASSERT_TRUE(f.Until([&] { return f.read.has_value(); }));
        EXPECT_EQ(f.read->value, 1);
        ASSERT_EQ(f.read->kept.size(), 1u);
        EXPECT_EQ(f.read->kept[0].row, 0u);
        EXPECT_EQ(f.read->kept[0].fault, c.cause);
    }
}

// A write of the changes touches a block held from the radio or a file, and of a block never
// loaded only the parts edited; a block it touches is read first, one it does not is never read,
// and planning writes nothing. The radio holds a channel, a VFO, a setting and a DTMF memory
// otherwise than the start-up image; the table has channel 5 edited.
TEST(RadioSession, PlanTouchesLoadedBlocksAndEditedParts) {
    RadioImage radio = StartupImage();
    radio.Channels[3] = UsedChannel("00145000000", "RADIO");
    radio.Vfos[1].LowerLimit = "00140";
    radio.Settings.MES = "D7 SIM";
    radio.Settings.Dtmf[3].Code = "123";
    RadioImage table = StartupImage();
    table.Channels[5] = UsedChannel("00433000000", "NEW");
    const WriteMask edited = ChangedParts(StartupImage(), table);
    using S = BlockSource;
    struct Case {
        BlockSources sources;
        WriteMask edited;
        std::vector<std::string> items;
        bool radioRead;
    };
    const std::vector<Case> cases{
        {{S::Never, S::Never, S::Never}, {}, {}, false},
        {{S::Never, S::Never, S::Never}, edited, {"channel 005"}, true},
        {{S::File, S::Never, S::Never}, edited, {"channel 003", "channel 005"}, true},
        {{S::Never, S::Radio, S::File}, {}, {"VFO 2 (A145)", "setting MES", "DTMF 3"}, true},
        {{S::File, S::File, S::File},
         {},
         {"channel 003", "channel 005", "VFO 2 (A145)", "setting MES", "DTMF 3"},
         true},
    };
    for (const Case& c : cases) {
        SessionFixture f;
        f.engine->SetImage(radio);
        std::optional<WritePlan> plan;
        QObject::connect(&f.session, &RadioSession::planned, [&](const WritePlan& p) { plan = p; });
        ASSERT_TRUE(f.session.PlanChanged(table, AllowedParts(c.sources, c.edited, AllBlocks())));
        ASSERT_TRUE(f.Until([&] { return plan.has_value(); }));
        constexpr std::array<const char*, 4> kWords{"channel", "VFO", "setting", "DTMF"};
        std::vector<std::string> items;
        for (const PlanItem& item : plan->items)
            items.push_back(kWords[static_cast<std::size_t>(item.kind)] + (' ' + PlanItemName(item)));
        EXPECT_EQ(items, c.items);
        EXPECT_TRUE(plan->whole);
        EXPECT_EQ(plan->radioRead, c.radioRead) << c.items.size();
        EXPECT_EQ(ChangedParts(f.engine->Image(), radio).Count(), 0u) << "planning writes nothing";
        if (c.sources[0] != S::Never || c.edited.Count() == 0)
            continue;
        // Written, the plan changes the edited channel and nothing else of the radio.
        std::optional<ChangedWriteResult> written;
        QObject::connect(&f.session, &RadioSession::changedWritten, [&](const ChangedWriteResult& r) { written = r; });
        ASSERT_TRUE(f.session.WriteChanged(*plan));
        ASSERT_TRUE(f.Until([&] { return written.has_value(); }));
        EXPECT_EQ(written->errors, 0);
        RadioImage expected = radio;
        expected.Channels[5] = table.Channels[5];
        EXPECT_EQ(ChangedParts(f.engine->Image(), expected).Count(), 0u);
    }
}

// A program ending during a transfer with a silent radio is let go after the exchange under way,
// not after the 170 it would take.
TEST(RadioSession, AbandonEndsTheLinkAfterTheExchangeUnderWay) {
    sim::SimOptions options;
    options.faults.emplace_back(sim::Fault::Kind::NoAnswer);
    SessionFixture f(options, 1000ms);
    bool underWay = false;
    QObject::connect(&f.session, &RadioSession::progress, [&] { underWay = true; });
    ASSERT_TRUE(f.session.Read(Block::Memory, StartupImage()));
    ASSERT_TRUE(f.Until([&] { return underWay; }));
    EXPECT_TRUE(f.session.Abandon(20s));
}

// A sweep reports its passes and readings and ends when stopped.
TEST(RadioSession, SweepRunsUntilStopped) {
    SessionFixture f;
    int passes = 0;
    int readings = 0;
    bool ended = false;
    QObject::connect(&f.session, &RadioSession::passStarted, [&] { ++passes; });
    QObject::connect(&f.session, &RadioSession::reading, [&](int, bool) { ++readings; });
    QObject::connect(&f.session, &RadioSession::sweepEnded, [&] { ended = true; });
    const SweepCheck range = CheckSweepRange(144'000'000, 144'100'000, '5');
    ASSERT_EQ(range.refusal, SweepRefusal::None);
    ASSERT_TRUE(f.session.StartSweep(range.range));
    ASSERT_TRUE(f.Until([&] { return passes >= 2; }));
    f.session.StopSweep();
    ASSERT_TRUE(f.Until([&] { return ended; }));
    EXPECT_GE(readings, 5);
    EXPECT_FALSE(f.session.Busy());
}

} // namespace
} // namespace zem
