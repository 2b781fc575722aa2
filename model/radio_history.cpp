#include "radio_history.h"

#include "file_io.h"
#include "settings_file.h"
#include "startup_image.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace zem {
namespace {

constexpr std::array<std::string_view, 3> kKindWords{"read", "before write", "after write"};
constexpr std::array<std::string_view, 3> kBlockWords{"memory", "vfo", "settings"};

// A port is one line of the description: a line end inside it would end the line early.
std::string OneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return line;
}

std::uintmax_t SizeOf(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

void RemoveEntry(const StoredEntry& stored) {
    std::error_code error;
    std::filesystem::remove(std::filesystem::path(stored.file).replace_extension(".txt"), error);
    std::filesystem::remove(stored.file, error);
}

} // namespace

std::string_view HistoryKindWord(HistoryKind kind) {
    return kKindWords[static_cast<std::size_t>(kind)];
}

std::string FormatHistoryEntry(const HistoryEntry& entry) {
    std::string blocks;
    for (std::size_t b = 0; b < kBlockWords.size(); ++b)
        if (entry.blocks[b])
            blocks += (blocks.empty() ? "" : ",") + std::string(kBlockWords[b]);
    return "time " + OneLine(entry.time) + "\nwhat " + std::string(HistoryKindWord(entry.kind)) + "\nport " +
           OneLine(entry.port) + "\nblocks " + blocks + "\nversion " + OneLine(entry.version) + "\n";
}

std::optional<HistoryEntry> ParseHistoryEntry(std::string_view text) {
    HistoryEntry entry;
    std::array<bool, 5> seen{};
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);) {
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (key == "time") {
            entry.time = value;
            seen[0] = true;
        } else if (key == "what") {
            const auto* kind = std::find(kKindWords.begin(), kKindWords.end(), value);
            if (kind == kKindWords.end())
                return std::nullopt;
            entry.kind = static_cast<HistoryKind>(kind - kKindWords.begin());
            seen[1] = true;
        } else if (key == "port") {
            entry.port = value;
            seen[2] = true;
        } else if (key == "blocks") {
            std::istringstream words(value);
            for (std::string word; std::getline(words, word, ',');) {
                const auto* block = std::find(kBlockWords.begin(), kBlockWords.end(), word);
                if (block == kBlockWords.end())
                    return std::nullopt;
                entry.blocks[static_cast<std::size_t>(block - kBlockWords.begin())] = true;
            }
            seen[3] = true;
        } else if (key == "version") {
            entry.version = value;
            seen[4] = true;
        } else {
            return std::nullopt;
        }
    }
    if (std::find(seen.begin(), seen.end(), false) != seen.end())
        return std::nullopt;
    return entry;
}

std::vector<StoredEntry> ListHistory(const std::filesystem::path& folder) {
    std::vector<StoredEntry> entries;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
        const std::filesystem::path& path = item.path();
        if (path.extension() != ".txt")
            continue;
        const std::filesystem::path file = std::filesystem::path(path).replace_extension(".zem");
        try {
            if (!std::filesystem::is_regular_file(file, error))
                continue;
            if (const auto entry = ParseHistoryEntry(ReadWholeFile(path, kZemFileLimit)))
                entries.push_back({file, *entry});
        } catch (const FileError&) {
            // An unreadable description names no entry.
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const StoredEntry& a, const StoredEntry& b) { return a.file.filename() > b.file.filename(); });
    return entries;
}

// The name is the time's digits and a number, so that names sort as the entries were kept, two in
// one millisecond included.
std::filesystem::path SaveHistoryEntry(const std::filesystem::path& folder, const HistoryEntry& entry,
                                       const RadioImage& image) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::string stamp;
    std::copy_if(entry.time.begin(), entry.time.end(), std::back_inserter(stamp),
                 [](char c) { return c >= '0' && c <= '9'; });
    for (int n = 0; n < 100; ++n) {
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, "-%02d", n);
        const std::filesystem::path file = folder / (stamp + suffix + ".zem");
        const std::filesystem::path description = std::filesystem::path(file).replace_extension(".txt");
        if (std::filesystem::exists(file, error) || std::filesystem::exists(description, error))
            continue;
        SaveFileAtomically(file, FormatSettingsFile(image));
        SaveFileAtomically(description, FormatHistoryEntry(entry));
        return file;
    }
    throw FileError("フォルダ " + folder.string() + " に履歴を保存できません（同じ時刻の履歴が多すぎます）");
}

void PruneHistory(const std::filesystem::path& folder, const HistoryLimits& limits) {
    const std::vector<StoredEntry> entries = ListHistory(folder);
    std::uintmax_t bytes = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        bytes += SizeOf(entries[i].file) + SizeOf(std::filesystem::path(entries[i].file).replace_extension(".txt"));
        if (i >= limits.entries || bytes > limits.bytes)
            RemoveEntry(entries[i]);
    }
}

DiffScope CommonScope(const HistoryEntry& a, const std::array<bool, 3>& b) {
    return {
        .channels = a.blocks[0] && b[0], .vfos = a.blocks[1] && b[1], .settings = a.blocks[2] && b[2], .memo = false};
}

// A read of several blocks keeps one entry per block, so the entry before is the newest older one
// holding any block of this one.
const HistoryRow* EntryBefore(const std::vector<HistoryRow>& rows, std::size_t newer) {
    for (std::size_t i = newer + 1; i < rows.size(); ++i) {
        const DiffScope scope = CommonScope(rows[newer].stored.entry, rows[i].stored.entry.blocks);
        if (scope.channels || scope.vfos || scope.settings)
            return &rows[i];
    }
    return nullptr;
}

std::size_t UsedChannels(const RadioImage& image) {
    return static_cast<std::size_t>(std::count_if(image.Channels.begin(), image.Channels.end(),
                                                  [](const MemoryChannel& ch) { return !IsEmptyRow(ch); }));
}

std::vector<HistoryRow> ReadHistory(const std::filesystem::path& folder) {
    std::vector<HistoryRow> rows;
    for (const StoredEntry& stored : ListHistory(folder)) {
        HistoryRow row{stored, StartupImage(), std::nullopt, std::nullopt};
        try {
            if (!LoadZemFile(stored.file, row.image).Read())
                continue;
        } catch (const FileError&) {
            continue;
        }
        if (stored.entry.blocks[0])
            row.used = UsedChannels(row.image);
        rows.push_back(std::move(row));
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (const HistoryRow* before = EntryBefore(rows, i))
            rows[i].differences =
                DiffImages(before->image, rows[i].image, CommonScope(rows[i].stored.entry, before->stored.entry.blocks))
                    .size();
    return rows;
}

} // namespace zem
