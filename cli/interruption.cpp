#include "interruption.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace cli {
namespace {

volatile std::sig_atomic_t endingSignal = 0; // the first signal noted, 0 while none
volatile std::sig_atomic_t wakeFd = -1;

// Only async-signal-safe calls; the pipe does not block, so a burst of signals cannot hang the
// thread the signal landed on (any thread of the process, the link's worker included).
extern "C" void NoteEnding(int signal) {
    const int saved = errno;
    if (endingSignal == 0)
        endingSignal = signal;
    const char byte = 1;
    if (wakeFd >= 0 && ::write(wakeFd, &byte, 1) < 0) {
        // A full pipe already holds a wake-up.
    }
    errno = saved;
}

} // namespace

Interruption::Interruption() {
    endingSignal = 0;
    if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0)
        return; // without the pipe the signals keep their default: the program ends at once
    wakeFd = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Wake(); });
    struct sigaction note {};
    note.sa_handler = NoteEnding;
    note.sa_flags = SA_RESTART;
    sigemptyset(&note.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        struct sigaction current {};
        ::sigaction(kSignals[i], nullptr, &current);
        if ((current.sa_flags & SA_SIGINFO) == 0 && current.sa_handler == SIG_IGN)
            continue;
        installed_[i] = ::sigaction(kSignals[i], &note, &previous_[i]) == 0;
    }
}

Interruption::~Interruption() {
    if (pipe_[0] < 0)
        return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        if (installed_[i])
            ::sigaction(kSignals[i], &previous_[i], nullptr);
    }
    notifier_.reset();
    wakeFd = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

// A signal that came before the reaction was set wakes the loop again, so the reaction still runs.
void Interruption::OnInterrupt(std::function<void()> reaction) {
    reaction_ = std::move(reaction);
    if (Interrupted())
        NoteEnding(endingSignal);
}

bool Interruption::Interrupted() const {
    return endingSignal != 0;
}

void Interruption::Wake() {
    char bytes[64];
    while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    if (reacted_ || !reaction_)
        return;
    reacted_ = true;
    reaction_();
}

void NoteBrokenPipe() {
    NoteEnding(SIGPIPE);
}

int EndingStatus() {
    return 128 + (endingSignal != 0 ? static_cast<int>(endingSignal) : SIGINT);
}

} // namespace cli
