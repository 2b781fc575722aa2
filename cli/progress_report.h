#pragma once

#include "interruption.h"

#include "model/file_io.h"
#include "session/radio_session.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

// What the radio commands show while they move blocks, and the output they open before the radio
// is touched.
namespace cli {

// Progress on standard error: a bar redrawn in place on a terminal, one line per block otherwise.
class ProgressReport {
public:
    ProgressReport();

    void Start(std::string block);
    void Update(std::size_t done, std::size_t total);
    // "done" counts only what was read or written whole; a block the radio fell silent in says how
    // far it came instead.
    void Finish(long errors, const zem::TransferOutcome& outcome);
    // A block stopped part-way: how many of its rows were moved whole (from its result when one
    // came, else the rows before the one under way) and how many not. `what` is the verb and what
    // follows the counts, "written; the radio now holds a mix".
    void Stopped(const char* what, const std::optional<zem::TransferOutcome>& outcome = std::nullopt);

private:
    void EndBar();

    bool terminal_;
    std::string block_;
    std::size_t done_ = 0;
    std::size_t total_ = 0;
};

// What every radio command that moves blocks keeps beside its own state: its session, its
// progress, whether a signal stopped it and what the step under way does, for the line of a stop.
// The progress, a read of the radio for the history before a write and a signal are taken alike by
// all of them: the results of the step under way are no longer the radio's once a signal came.
class BlockMove {
protected:
    explicit BlockMove(Interruption& interruption);

    Interruption& interruption_;
    ProgressReport progress_;
    const char* underWay_ = nullptr;
    bool stopped_ = false;
    const std::unique_ptr<zem::RadioSession> session_;
};

// A block's name in a progress line with what is being done to it ("%1 read-back"); the name stays
// the word --only takes.
std::string BlockLabel(const char* format, zem::Block block);

// The output opened before the radio is touched, so that a FIFO without a reader or a slow device
// holds up nothing and a signal ends the wait; nullptr after the one error line, or when a signal
// ended the wait (the caller then says so).
std::unique_ptr<zem::OutputFile> OpenOutput(const QString& command, const QString& out,
                                            const Interruption& interruption, const zem::SaveGuard& guard);

// The exit status of an output OpenOutput did not open.
int NotOpened(const QString& command, const Interruption& interruption);

} // namespace cli
