#include "tcomm_thread.h"

#include "model/codecs.h"
#include "model/conversion_error.h"

#include <limits>
#include <optional>

namespace zem {
namespace {

// Steps per pass: (upper - lower) / step as a signed 32-bit division truncated toward zero. Edges
// that are not numbers, or a step without a size, give no steps rather than a crash; the window
// refuses such ranges before it asks for a sweep.
std::int32_t StepsPerPass(const std::string& upper, const std::string& lower, char step) {
    const int hz = StepHz(step);
    if (hz == 0)
        return 0;
    try {
        const long long steps = (ReadInteger(upper) - ReadInteger(lower)) / hz;
        if (steps > std::numeric_limits<std::int32_t>::max() || steps < std::numeric_limits<std::int32_t>::min())
            return 0;
        return static_cast<std::int32_t>(steps);
    } catch (const ConversionError&) {
        return 0;
    }
}

// The S-meter digit of an answer, or nothing for a garbled answer.
std::optional<int> Reading(const std::string& answer) {
    try {
        return SMeterDigit(answer);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

} // namespace

void TCommThread::DoScope() {
    std::string response;
    Exchange(std::string("BC ") + ScopeBand, response);
    std::string keptStep;
    Exchange("ST", keptStep);
    Exchange(std::string("ST ") + ScopeStep, response);
    const std::int32_t steps = StepsPerPass(ScopeUpper, ScopeLower, ScopeStep);
    while (ScopeRunning.load(std::memory_order_acquire) != 0) {
        Status("");
        Post(kMsgScope, kScopePassStart);
        Exchange("FQ " + ScopeLower + "," + ScopeStep, response);
        for (std::int32_t i = 0; i < steps; ++i) {
            Exchange("UP", response);
            msleep(10);
            // A lost or garbled S-meter answer is skipped: the pass goes on with the next step.
            response.clear();
            if (Exchange(std::string("SM ") + ScopeBand, response)) {
                if (const std::optional<int> digit = Reading(response))
                    Post(kMsgScope, *digit);
            }
            if (ScopeRunning.load(std::memory_order_acquire) == 0)
                break;
        }
    }
    // The kept answer has the form of the set command, so sending it back restores the step. With
    // no answer kept there is nothing to restore, and an empty command would be a bare CR.
    if (!keptStep.empty())
        Exchange(keptStep, response);
    Finish(kMsgPortOpened, OpenErrors_);
}

} // namespace zem
