#pragma once

#include "model/records.h"
#include "model/write_mask.h"
#include "session/radio_session.h"

#include <string>

namespace zem {

// Where each block of the window's image came from and what it held then. A write of the changes
// touches a block that came from the radio or a file, and of a block never loaded only the parts
// the user changed since (dialog, paste, import, sort, settings pages): those that differ from
// what the block held when it came. Kept apart from the 編集 history and its saved step, which say
// what a save or a read would lose, not what the radio may be sent.
struct LoadedBlocks {
    BlockSources sources{}; // every block Never at start
    RadioImage loaded{};
    // A settings file's warning about its MENU line: the settings may not be what the file meant.
    std::string menuWarning{};

    void Load(Block block, BlockSource source, const RadioImage& image) {
        sources[static_cast<std::size_t>(block)] = source;
        CopyBlock(block, image, loaded);
    }
    BlockSource SourceOf(Block block) const { return sources[static_cast<std::size_t>(block)]; }
    WriteMask Edited(const RadioImage& now) const { return ChangedParts(loaded, now); }
};

} // namespace zem
