#include "link_test_support.h"
#include "pty_peer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

namespace zem {
namespace {

using namespace std::chrono_literals;
using test::FakeLine;
using test::MessageLog;
using test::PtyPeer;
using test::RunningLink;
using Chunks = std::vector<PtyPeer::Chunk>;
using Messages = std::vector<std::pair<int, long>>;

TEST(tcomm_thread_test, opens_posts_4_then_closes_and_posts_5_on_stop) {
    PtyPeer peer;
    RunningLink r(peer.SlavePath());
    EXPECT_EQ(r.log.Messages(), (Messages{{kMsgPortOpened, 0}}));
    r.Stop();
    EXPECT_EQ(r.log.Messages(), (Messages{{kMsgPortOpened, 0}, {kMsgPortClosed, 0}}));
    EXPECT_TRUE(r.link.isFinished());
}

TEST(tcomm_thread_test, missing_port_gives_4_with_4_then_5_with_4_when_the_window_stops_it) {
    TCommThread link;
    MessageLog log(&link);
    log.onMessage = [&](int code, long value) {
        if (code == kMsgPortOpened && value != 0)
            link.Stop(); // what the window does
    };
    link.SetWindow(&log);
    link.SetStatusBar(&log);
    link.SetPortPath("/dev/does-not-exist");
    link.start();
    ASSERT_TRUE(test::WaitUntil([&] { return log.Has(kMsgPortClosed); }));
    link.wait();
    EXPECT_EQ(log.Messages(), (Messages{{kMsgPortOpened, 4}, {kMsgPortClosed, 4}}));
    EXPECT_EQ(link.OpenErrors(), 4);
}

TEST(tcomm_thread_test, stop_requested_before_the_worker_starts_takes_effect) {
    auto line = std::make_shared<FakeLine>();
    TCommThread link;
    MessageLog log(&link);
    link.SetWindow(&log);
    link.SetPortFactory(test::FakePortFactory(line));
    link.Stop();
    ASSERT_TRUE(link.ReqID());
    link.start();
    ASSERT_TRUE(test::WaitUntil([&] { return log.Has(kMsgPortClosed); }));
    link.wait();
    EXPECT_EQ(log.Messages(), (Messages{{kMsgPortOpened, 0}, {kMsgPortClosed, 0}}));
    EXPECT_EQ(line->Calls(), (std::vector<std::string>{"open /dev/ttyS1", "close"}));
}

TEST(tcomm_thread_test, requests_set_their_codes_and_are_refused_while_one_is_pending) {
    struct Row {
        bool (TCommThread::*request)();
        LinkOperation op;
    };
    const Row rows[] = {
        {&TCommThread::ReqID, kOpModelCheck},         {&TCommThread::ReqMod, kOpModCheck},
        {&TCommThread::ReqWrite, kOpWriteMemory},     {&TCommThread::ReqRead, kOpReadMemory},
        {&TCommThread::ReqVFORead, kOpReadVfo},       {&TCommThread::ReqVFOwrite, kOpWriteVfo},
        {&TCommThread::ReqMenuRead, kOpReadSettings}, {&TCommThread::ReqMenuwrite, kOpWriteSettings},
        {&TCommThread::ReqScope, kOpScope},
    };
    for (const Row& row : rows) {
        TCommThread link; // never started: the codes stay where the requests put them
        EXPECT_FALSE(link.Busy());
        EXPECT_TRUE((link.*row.request)());
        EXPECT_EQ(link.Operation(), row.op);
        EXPECT_TRUE(link.Busy());
        EXPECT_FALSE(link.ReqMod());
        EXPECT_EQ(link.Operation(), row.op);
    }
}

TEST(tcomm_thread_test, scope_request_raises_its_flag_and_stop_scope_clears_both) {
    TCommThread link;
    ASSERT_TRUE(link.ReqScope());
    EXPECT_TRUE(link.ScopeRunning());
    link.StopScope();
    EXPECT_FALSE(link.ScopeRunning());
    EXPECT_EQ(link.Operation(), kOpIdle);
    EXPECT_FALSE(link.Busy());
    // A scope request refused while another operation is pending leaves the flag alone.
    ASSERT_TRUE(link.ReqID());
    EXPECT_FALSE(link.ReqScope());
    EXPECT_FALSE(link.ScopeRunning());
}

TEST(tcomm_thread_test, completion_arrives_with_operation_0_and_a_request_from_its_handler_is_taken) {
    PtyPeer peer(
        [](const std::string& line) { return line == "ID" ? Chunks{{"ID TH-D7\r"}} : Chunks{{"FL 00118,00174\r"}}; });
    RunningLink r(peer.SlavePath());
    bool modTaken = false;
    r.log.onMessage = [&](int code, long) {
        if (code == kMsgModelCheck)
            modTaken = r.link.ReqMod();
    };
    ASSERT_TRUE(r.link.ReqID());
    ASSERT_TRUE(test::WaitUntil([&] { return r.log.Has(kMsgModCheck); }));
    EXPECT_TRUE(modTaken);
    for (const test::Arrival& a : r.log.Arrivals())
        EXPECT_EQ(a.operationOnArrival, kOpIdle) << a.code;
    r.Stop();
    EXPECT_EQ(r.log.Messages(),
              (Messages{{kMsgPortOpened, 0}, {kMsgModelCheck, 1}, {kMsgModCheck, 1}, {kMsgPortClosed, 0}}));
}

TEST(tcomm_thread_test, status_texts_and_messages_arrive_in_the_order_they_were_made) {
    PtyPeer peer([](const std::string&) { return Chunks{{"ID TH-D7\r"}}; });
    RunningLink r(peer.SlavePath());
    ASSERT_TRUE(r.link.ReqID());
    ASSERT_TRUE(test::WaitUntil([&] { return r.log.Has(kMsgModelCheck); }));
    const std::vector<test::Arrival>& a = r.log.Arrivals();
    ASSERT_EQ(a.size(), 3u);
    EXPECT_TRUE(a[0].isMessage && a[0].code == kMsgPortOpened);
    EXPECT_FALSE(a[1].isMessage);
    EXPECT_EQ(a[1].text, "ID TH-D7");
    EXPECT_TRUE(a[2].isMessage && a[2].code == kMsgModelCheck);
}

// A request hands over what its operation works on; the completion brings back, beside its
// value, the operation it ends, what the radio answered and the link's copy of the image. A
// request without an image leaves the copy as the last one left it.
TEST(tcomm_thread_test, request_record_goes_in_and_the_completion_carries_the_answer) {
    PtyPeer peer([](const std::string&) { return Chunks{{"ID TH-D7\r"}}; });
    RunningLink r(peer.SlavePath());
    RadioImage image;
    image.Settings.MES = "CQ";
    const LinkCompletion done = test::RunRequest(r, {.op = kOpModelCheck, .image = image});
    EXPECT_EQ(done.op, kOpModelCheck);
    EXPECT_EQ(done.value, 1);
    EXPECT_EQ(done.answer, "ID TH-D7");
    EXPECT_EQ(done.image, image);
    EXPECT_EQ(test::RunRequest(r, {.op = kOpModelCheck}).image, image);
}

// The pace is the request's own: a fast request reads with the short grace, and the next one, not
// fast, with the whole read interval again.
TEST(tcomm_thread_test, each_request_carries_its_own_pace) {
    auto line = std::make_shared<FakeLine>();
    RunningLink r("fake", test::FakePortFactory(line));
    for (const bool fast : {true, false}) {
        const std::size_t before = line->Calls().size();
        test::RunRequest(r, {.op = kOpReadSettings, .fast = fast});
        const std::vector<std::string> calls = line->Calls();
        const auto graceReads =
            std::count_if(calls.begin() + static_cast<std::ptrdiff_t>(before), calls.end(),
                          [](const std::string& c) { return c.starts_with("read ") && c.ends_with(" 4"); });
        EXPECT_EQ(graceReads > 0, fast);
    }
}

// The peer holds the "ID" answer back; meanwhile the link is busy and a second request is refused.
TEST(tcomm_thread_test, request_while_busy_is_refused_and_stop_waits_for_the_operation) {
    PtyPeer peer([](const std::string&) { return Chunks{{"ID TH-D7\r", 200ms}}; });
    RunningLink r(peer.SlavePath());
    ASSERT_TRUE(r.link.ReqID());
    ASSERT_TRUE(test::WaitForBytes(peer, "ID\r"));
    EXPECT_TRUE(r.link.Busy());
    EXPECT_FALSE(r.link.ReqMod());
    r.link.Stop();
    ASSERT_TRUE(test::WaitUntil([&] { return r.log.Has(kMsgPortClosed); }));
    EXPECT_EQ(r.log.Messages(), (Messages{{kMsgPortOpened, 0}, {kMsgModelCheck, 1}, {kMsgPortClosed, 0}}));
    EXPECT_EQ(peer.Received(), "ID\r");
}

// A key button exchanges on the window's thread while the worker waits for the "ID" answer: the
// key's command must not reach the radio before that answer has gone out.
TEST(tcomm_thread_test, key_exchange_on_the_window_thread_waits_for_the_workers_exchange) {
    std::atomic<bool> idSeen{false};
    PtyPeer peer([&](const std::string& line) {
        if (line == "ID") {
            idSeen = true;
            return Chunks{{"ID TH-D7\r", 200ms}};
        }
        return Chunks{{line + "\r"}};
    });
    RunningLink r(peer.SlavePath());
    ASSERT_TRUE(r.link.ReqID());
    ASSERT_TRUE(test::WaitUntil([&] { return idSeen.load(); }));
    std::string keyAnswer;
    r.link.Exchange("TX", keyAnswer);
    EXPECT_EQ(keyAnswer, "TX");
    EXPECT_EQ(peer.Log(), (std::vector<std::string>{"<ID", ">ID TH-D7\r", "<TX", ">TX\r"}));
    ASSERT_TRUE(test::WaitUntil([&] { return r.log.Has(kMsgModelCheck); }));
    EXPECT_EQ(r.log.Messages().back(), (std::pair<int, long>{kMsgModelCheck, 1}));
}

TEST(tcomm_thread_test, each_request_runs_its_procedure_and_completes_with_its_code) {
    struct Row {
        bool (TCommThread::*request)();
        int code;
    };
    const Row rows[] = {
        {&TCommThread::ReqWrite, kMsgMemoryWritten},   {&TCommThread::ReqRead, kMsgMemoryRead},
        {&TCommThread::ReqVFORead, kMsgVfoRead},       {&TCommThread::ReqVFOwrite, kMsgVfoWritten},
        {&TCommThread::ReqMenuRead, kMsgSettingsRead}, {&TCommThread::ReqMenuwrite, kMsgSettingsWritten},
    };
    auto line = std::make_shared<FakeLine>();
    RunningLink r("fake", test::FakePortFactory(line));
    for (const Row& row : rows) {
        ASSERT_TRUE((r.link.*row.request)());
        ASSERT_TRUE(test::WaitUntil([&] { return r.log.Has(row.code); }));
        EXPECT_FALSE(r.link.Busy());
    }
}

} // namespace
} // namespace zem
