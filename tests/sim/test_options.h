#pragma once

#include "sim/sim_options.h"

#include <chrono>
#include <utility>

namespace zem::sim::test {

// A radio that misbehaves in one way.
inline SimOptions WithFault(Fault fault) {
    SimOptions options;
    options.faults.push_back(std::move(fault));
    return options;
}

// A radio on a 9600-baud line that takes `delay` to think before each answer.
inline SimOptions Paced(std::chrono::milliseconds delay) {
    SimOptions options;
    options.pace = true;
    options.delay = delay;
    return options;
}

} // namespace zem::sim::test
