#include "interruption.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace cli {
namespace {

constexpr int kSignals[2] = {SIGINT, SIGTERM};

volatile std::sig_atomic_t interrupted = 0;
volatile std::sig_atomic_t wakeFd = -1;

// Only async-signal-safe calls; the pipe does not block, so a burst of signals cannot hang the
// thread the signal landed on (any thread of the process, the link's worker included).
extern "C" void NoteInterrupt(int) {
    const int saved = errno;
    interrupted = 1;
    const char byte = 1;
    if (::write(wakeFd, &byte, 1) < 0) {
        // A full pipe already holds a wake-up.
    }
    errno = saved;
}

} // namespace

Interruption::Interruption() {
    interrupted = 0;
    if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0)
        return; // without the pipe the signals keep their default: the program ends at once
    wakeFd = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Wake(); });
    struct sigaction note {};
    note.sa_handler = NoteInterrupt;
    note.sa_flags = SA_RESTART;
    sigemptyset(&note.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &note, &previous_[i]);
}

Interruption::~Interruption() {
    if (pipe_[0] < 0)
        return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &previous_[i], nullptr);
    notifier_.reset();
    wakeFd = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void Interruption::OnInterrupt(std::function<void()> reaction) {
    reaction_ = std::move(reaction);
}

bool Interruption::Interrupted() const {
    return interrupted != 0;
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

} // namespace cli
