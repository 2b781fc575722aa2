#pragma once

#include "model/sweep_range.h"

#include <string>

namespace zem {

// One pass of a sweep as its readings come, in the window and the tool alike: a character per
// reading as the storage line and the tool's output hold it, and how many of them are steps whose
// S-meter could not be read.
struct ScopePass {
    std::string digits{};
    long unread = 0;

    void Add(int value, bool unreadStep) {
        digits += ReadingChar(value, unreadStep);
        unread += unreadStep ? 1 : 0;
    }
    void Clear() { *this = ScopePass{}; }
};

} // namespace zem
