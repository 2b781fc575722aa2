#pragma once

#include <array>
#include <cstddef>

namespace zem {

// How a transfer went beside its count, as the link made it and the front ends show it.
struct TransferOutcome {
    long retried = 0;         // rows, VFOs, settings asked or sent again, or read back
    bool radioSilent = false; // stopped early: the radio sent nothing for several exchanges in a row
    std::size_t done = 0;     // rows, VFOs or settings commands finished before the end or the stop
    std::size_t total = 0;
    std::size_t moved = 0; // of those done, the ones read or written whole (failed ones left out)
    // A write of the changes: the channel rows, VFOs and settings commands written whole, each
    // kind on its own, before the read-back.
    std::array<std::size_t, 3> written{};
};

// Why a transfer kept a row or VFO as it was.
enum class RowFault : int {
    NoAnswer,   // the radio did not answer in time
    Unreadable, // an answer came that does not name or describe what was asked
    LineClosed, // the line reported an error or went away
};

} // namespace zem
