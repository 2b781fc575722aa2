#pragma once

#include "radio_engine.h"
#include "sim_options.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace zem::sim {

// One byte-time at 9600 baud with a start and a stop bit.
inline constexpr std::chrono::microseconds kByteTime{1042};

// Collects the bytes the radio receives into command lines: a CR ends a command, LF is ignored,
// and a line longer than the radio's buffer is kept only up to that length.
class LineFramer {
public:
    // Returns the commands completed by `bytes`, without their CR.
    std::vector<std::string> Feed(std::string_view bytes);

private:
    std::string partial_;
};

// Bytes the radio sends, due at `at` after it finished receiving the command.
struct Burst {
    std::chrono::microseconds at{0};
    std::string bytes;
};

// Has the engine answer one received command and plans the answer's bytes under the options:
// processing delay, faults and, when pacing, the time each byte takes on the line. The plan of
// a command that gets no answer is empty.
std::vector<Burst> PlanReply(RadioEngine& engine, std::string_view command, const SimOptions& options);

// The time the command itself took to arrive on a paced line (zero when not pacing).
std::chrono::microseconds ReceiveTime(std::size_t bytes, const SimOptions& options);

} // namespace zem::sim
