#pragma once

#include "radio_engine.h"
#include "sim_options.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zem::sim {

// Serves a simulated radio on a pseudo-terminal, on a thread of its own, so that the program's
// own serial code (or any terminal program) talks to it through SlavePath() as to a real port.
class PtyServer {
public:
    explicit PtyServer(std::shared_ptr<RadioEngine> engine = nullptr, SimOptions options = {});
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal in raw mode and starts serving. The line is raw before this
    // returns, so nothing a client sends afterwards is cooked or echoed. Returns an error text,
    // empty on success.
    std::string Start();
    // Stops serving and closes the pseudo-terminal; an answer not yet sent is dropped.
    void Stop();

    const std::string& SlavePath() const { return slavePath_; }
    RadioEngine& Engine() { return *engine_; }
    std::vector<std::string> CommandLog() const { return engine_->CommandLog(); }

    // Takes effect from the next command received.
    void SetOptions(SimOptions options);
    SimOptions Options() const;

    // Bytes that crossed the line since the start or the last reset: the cost of a transfer as the
    // wire sees it, answers included, which the command log alone cannot tell.
    std::uint64_t BytesReceived() const { return bytesReceived_.load(); }
    std::uint64_t BytesSent() const { return bytesSent_.load(); }
    void ResetByteCounts();

private:
    void Serve();

    std::shared_ptr<RadioEngine> engine_;
    mutable std::mutex optionsMutex_;
    SimOptions options_;
    std::string slavePath_;
    int master_ = -1;
    int wake_ = -1; // an eventfd that ends the serving thread's wait
    std::atomic<std::uint64_t> bytesReceived_{0};
    std::atomic<std::uint64_t> bytesSent_{0};
    std::thread thread_;
};

} // namespace zem::sim
