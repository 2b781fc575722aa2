#pragma once

#include <QSocketNotifier>

#include <csignal>
#include <functional>
#include <memory>

namespace cli {

// SIGINT and SIGTERM while a radio command runs. The handler only notes the signal and writes a
// byte to a pipe; a notifier on the pipe runs the command's reaction in the event loop, where the
// session is told to stop after the exchange under way and then closes the port (releasing its
// exclusive mode) as usual. A save made while this object lives runs to its end on these signals
// (the safe save leaves handlers the program installed alone), so a command checks Interrupted()
// once its work is done. One object at a time.
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

    int pipe_[2] = {-1, -1};
    struct sigaction previous_[2]{};
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> reaction_;
    bool reacted_ = false;
};

} // namespace cli
