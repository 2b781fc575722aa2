#pragma once

#include "interruption.h"

#include "session/radio_session.h"

#include <QString>

#include <optional>
#include <vector>

namespace cli {

// What the caller knows the radio to hold in `blocks`, so that nothing of them is read first.
struct TrustedBase {
    zem::RadioImage image;
    std::vector<zem::Block> blocks;
};

// Plans the write of what `image` holds otherwise than the radio in `blocks` (reading the radio's
// blocks this connection does not know, unless `base` holds them), prints the plan, then writes it
// and reads it back, printing each part the radio holds otherwise than it was sent as `diff` does;
// a dry run prints the plan to standard output and writes nothing. A signal stops the step under
// way after its exchange under way and gives EndingStatus(). Returns the exit status.
int WriteChangedParts(const QString& command, const zem::PortTarget& target, const std::vector<zem::Block>& blocks,
                      const zem::RadioImage& image, bool dryRun, Interruption& interruption,
                      const std::optional<TrustedBase>& base = std::nullopt);

} // namespace cli
