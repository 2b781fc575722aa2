#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zem::test {

// The far end of a pseudo-terminal, played by a thread: it collects every byte the port sends and
// answers each CR-ended line as the test scripts. The slave side is raw before the constructor
// returns and stays open, so the port under test can open and close it as often as it likes.
class PtyPeer {
public:
    struct Chunk {
        std::string bytes;
        std::chrono::milliseconds pauseBefore{0};
    };
    // Gets each command line without its CR; returns the answer, in chunks (none: no answer).
    using Responder = std::function<std::vector<Chunk>(const std::string& line)>;

    explicit PtyPeer(Responder responder = {});
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    int SlaveFd() const { return slave_; }

    // Every byte received, in order.
    std::string Received() const;
    // "<line" for each command line as it arrived and ">bytes" for each chunk as it was sent, in
    // the order they happened, so a test can see whether a command came while an answer was due.
    std::vector<std::string> Log() const;

    // Writes at once, unasked.
    void Send(const std::string& bytes);
    // Closes the master side: the port sees the line go away.
    void HangUp();

private:
    void Serve();
    // Takes what has arrived; false once the master is closed or failing.
    bool Take(int timeoutMs, std::vector<std::string>& lines);

    Responder responder_;
    std::string slavePath_;
    int master_ = -1;
    int slave_ = -1;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::string received_;
    std::string partial_;
    std::vector<std::string> log_;
    std::thread thread_;
};

// Waits (up to a guard against hanging) until the peer has received exactly `bytes`.
bool WaitForBytes(const PtyPeer& peer, const std::string& bytes);

} // namespace zem::test
