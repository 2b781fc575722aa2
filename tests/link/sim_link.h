#pragma once

#include "link_test_support.h"

#include "model/used_channel.h"
#include "sim/in_process_port.h"
#include "sim/radio_engine.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace zem::test {

// A used channel as the tests write it: FM, 20 kHz steps, a 600 kHz offset, or split when a
// transmit frequency is given.
inline MemoryChannel TestChannel(const char* rx, const char* name, const char* tx = nullptr) {
    MemoryChannel ch = UsedChannel(rx, name, tx ? "" : "000600000");
    ch.TxFreq = tx ? tx : "";
    return ch;
}

// A link on the simulator's in-process port: the same worker, exchange and transfers as on a
// device, without the 48 ms the line waits after each answer.
struct SimLink {
    explicit SimLink(sim::SimOptions options = {}, std::chrono::milliseconds timeout = std::chrono::milliseconds(200))
        : engine(std::make_shared<sim::RadioEngine>()),
          link(
              "sim", [e = engine, options](const std::string&) { return sim::MakeInProcessPort(e, options); },
              timeout) {
        engine->ClearLog();
    }
    std::vector<std::string> Log() const { return engine->CommandLog(); }

    std::shared_ptr<sim::RadioEngine> engine;
    RunningLink link;
};

} // namespace zem::test
