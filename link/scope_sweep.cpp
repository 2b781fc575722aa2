#include "tcomm_thread.h"

#include "model/answer_lines.h"
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

// The S-meter digit of the answer's own line, or nothing for a missing or garbled answer.
std::optional<int> Reading(const std::optional<std::string>& line) {
    if (!line)
        return std::nullopt;
    try {
        return SMeterDigit(*line);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

} // namespace

void TCommThread::DoScope() {
    std::string response;
    Exchange(std::string("BC ") + Scope_.band, response);
    const std::optional<std::string> keptStep = Ask("ST", "ST").line;
    Exchange(std::string("ST ") + Scope_.step, response);
    const std::int32_t steps = StepsPerPass(Scope_.upper, Scope_.lower, Scope_.step);
    const std::string meter = std::string("SM ") + Scope_.band;
    // A radio that has fallen silent ends the sweep as it ends a transfer; the pass it fell silent
    // in is cut short there and never ends with a pass-start, so it is not taken for readings.
    while (ScopeRunning_.load(std::memory_order_acquire) != 0 && !RadioSilent()) {
        Status("");
        Post(kMsgScope, kScopePassStart);
        Exchange("FQ " + Scope_.lower + "," + Scope_.step, response);
        for (std::int32_t i = 0; i < steps && !RadioSilent(); ++i) {
            Exchange("UP", response);
            if (RadioSilent())
                break;
            msleep(10);
            const Answer answer = Ask(meter, meter);
            if (RadioSilent())
                break;
            // Every step posts one reading, so each stays at its frequency: a lost or garbled
            // answer is posted as 0, marked unread.
            const std::optional<int> digit = Reading(answer.line);
            Post(kMsgScope, digit.value_or(0), !digit);
            if (ScopeRunning_.load(std::memory_order_acquire) == 0)
                break;
        }
    }
    Outcome_.radioSilent = RadioSilent();
    // The kept answer has the form of the set command, so sending it back restores the step. With
    // no answer kept there is nothing to restore, and only the answer's own line goes back: an
    // unsolicited line or a control byte sent with it would make a command of its own. A silent
    // radio is not kept waiting for once more.
    if (keptStep && !HasControlChars(*keptStep) && !Outcome_.radioSilent)
        Exchange(*keptStep, response);
    Finish(OpenErrors_);
}

} // namespace zem
