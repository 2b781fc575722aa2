#include "link_test_support.h"

#include "sim/in_process_port.h"
#include "sim/pty_server.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

using namespace std::chrono_literals;
using test::RunningLink;

long Check(RunningLink& r, LinkOperation op) {
    return test::RunRequest(r, {.op = op}).value;
}

TEST(model_checks_sim_test, checks_over_a_pseudo_terminal) {
    sim::PtyServer server;
    ASSERT_EQ(server.Start(), "");
    RunningLink r(server.SlavePath());
    ASSERT_EQ(r.link.OpenErrors(), 0);
    EXPECT_EQ(Check(r, kOpModelCheck), 1);
    EXPECT_EQ(Check(r, kOpModCheck), 0);
    server.Engine().SetModified(true);
    EXPECT_EQ(Check(r, kOpModCheck), 1);
    EXPECT_EQ(server.CommandLog(), (std::vector<std::string>{"ID", "FL", "FL"}));
}

// Paced at 9600 baud with a radio that takes its time, the answers still come within the bound.
TEST(model_checks_sim_test, paced_slow_radio_is_still_identified) {
    sim::SimOptions options;
    options.pace = true;
    options.delay = 300ms;
    sim::PtyServer server(nullptr, options);
    ASSERT_EQ(server.Start(), "");
    RunningLink r(server.SlavePath());
    EXPECT_EQ(Check(r, kOpModelCheck), 1);
}

TEST(model_checks_sim_test, faulty_radio_is_not_taken_for_a_th_d7) {
    struct Row {
        sim::Fault::Kind kind;
        const char* what;
    };
    const Row rows[] = {
        {sim::Fault::Kind::NoAnswer, "no answer"},
        {sim::Fault::Kind::Garble, "garbled"},
    };
    for (const Row& row : rows) {
        sim::SimOptions options;
        options.faults.emplace_back(row.kind, 0, "ID");
        sim::PtyServer server(nullptr, options);
        ASSERT_EQ(server.Start(), "");
        RunningLink r(server.SlavePath(), {}, 200ms);
        EXPECT_EQ(Check(r, kOpModelCheck), 0) << row.what;
    }
}

TEST(model_checks_sim_test, in_process_port_answers_as_the_radio) {
    auto engine = std::make_shared<sim::RadioEngine>();
    RunningLink r("sim", [engine](const std::string&) { return sim::MakeInProcessPort(engine); });
    ASSERT_EQ(r.link.OpenErrors(), 0);
    EXPECT_EQ(Check(r, kOpModelCheck), 1);
    engine->SetModified(true);
    EXPECT_EQ(Check(r, kOpModCheck), 1);
}

} // namespace
} // namespace zem
