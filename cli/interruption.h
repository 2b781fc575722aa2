#pragma once

#include <QSocketNotifier>

#include <csignal>
#include <functional>
#include <memory>

namespace cli {

// Every way a radio command is told to end: SIGINT, SIGTERM, SIGHUP (the terminal went away),
// SIGQUIT and SIGPIPE (the reader of standard output or error went away; EPIPE where SIGPIPE is
// ignored, see NoteBrokenPipe). The handler only notes the first signal and writes a byte to a
// pipe; a notifier on the pipe runs the command's reaction in the event loop, where the session
// is told to stop after the exchange under way and then closes the port (releasing its exclusive
// mode) as usual. A signal the program was started with ignored (nohup, a background job) stays
// ignored. A save made while this object lives runs to its end on these signals (the safe save
// leaves handlers the program installed alone), so a command checks Interrupted() once its work
// is done. One object at a time.
class Interruption {
public:
    Interruption();
    ~Interruption();
    Interruption(const Interruption&) = delete;
    Interruption& operator=(const Interruption&) = delete;

    // Run in the event loop for the first signal; later signals change nothing.
    void OnInterrupt(std::function<void()> reaction);
    bool Interrupted() const;

private:
    void Wake();

    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};
    int pipe_[2] = {-1, -1};
    struct sigaction previous_[std::size(kSignals)]{};
    bool installed_[std::size(kSignals)]{};
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> reaction_;
    bool reacted_ = false;
};

// A write to standard output or error failed with EPIPE: the command ends as on SIGPIPE.
// Async-signal-safe; without an Interruption alive it only notes the signal.
void NoteBrokenPipe();

// The exit status of a command a signal ended: 128 + the signal's number, as a shell reports a
// program the signal ended (130 for Ctrl-C).
int EndingStatus();

} // namespace cli
