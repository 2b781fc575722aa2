#pragma once

#include "image_diff.h"
#include "records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// What the radio held at a moment: after a read, just before a write, or just after one.
enum class HistoryKind { Read, BeforeWrite, AfterWrite };

// The words an entry's description and the tool name the kinds with.
std::string_view HistoryKindWord(HistoryKind kind);

// The small description kept beside each entry's settings file.
struct HistoryEntry {
    std::string time; // UTC, ISO 8601 with milliseconds ("2026-12-09T22:30:05.123Z")
    HistoryKind kind = HistoryKind::Read;
    std::string port;
    // The blocks the entry holds from the radio (memory, VFOs, settings with the DTMF memories);
    // the rest of its settings file is start-up values that say nothing of the radio.
    std::array<bool, 3> blocks{};
    std::string version; // of the program that kept it

    friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

// Text lines "time ...", "what ...", "port ...", "blocks memory,vfo,settings", "version ...".
std::string FormatHistoryEntry(const HistoryEntry& entry);
// nullopt when a line is missing or unknown: such a description names no entry.
std::optional<HistoryEntry> ParseHistoryEntry(std::string_view text);

// An entry in the folder: its description and the settings file beside it.
struct StoredEntry {
    std::filesystem::path file; // the settings file
    HistoryEntry entry;
};

// The entries of `folder`, newest first (their names order them in time); descriptions that do
// not read, or whose settings file is gone, are left out. An absent folder has none.
std::vector<StoredEntry> ListHistory(const std::filesystem::path& folder);

// Keeps `image` and its description as a new entry (through the safe save, image first, so a
// description always has its file), creating the folder if needed; returns the settings file.
// Throws FileError.
std::filesystem::path SaveHistoryEntry(const std::filesystem::path& folder, const HistoryEntry& entry,
                                       const RadioImage& image);

struct HistoryLimits {
    std::size_t entries = 200;
    std::uintmax_t bytes = std::uintmax_t{50} << 20;
};
// Removes the oldest entries (both files) until at most `limits` remain.
void PruneHistory(const std::filesystem::path& folder, const HistoryLimits& limits = {});

// What a comparison of two entries may look at: the blocks both hold from the radio, memos
// aside (a radio has none).
DiffScope CommonScope(const HistoryEntry& a, const std::array<bool, 3>& b);

// The used channels of an image (rows 0-149 and L0-U9).
std::size_t UsedChannels(const RadioImage& image);

// An entry as the lists show it.
struct HistoryRow {
    StoredEntry stored;
    RadioImage image;
    std::optional<std::size_t> used;        // with the memory block
    std::optional<std::size_t> differences; // from the entry before, in the blocks both hold
};
// The entry before `rows[newer]` (newest first): the newest older one holding any of its blocks.
const HistoryRow* EntryBefore(const std::vector<HistoryRow>& rows, std::size_t newer);
// Every entry of `folder` read, newest first; one whose settings file does not read whole is left
// out.
std::vector<HistoryRow> ReadHistory(const std::filesystem::path& folder);

} // namespace zem
