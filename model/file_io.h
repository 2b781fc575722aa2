#pragma once

#include "records.h"
#include "settings_file.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// A file that cannot be created, written or read. what() is the message for the user, in UTF-8.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// No settings file or channel list comes near these sizes (a full settings file is about 12 kB);
// a larger file is refused before it is read, not held in memory first.
inline constexpr std::size_t kZemFileLimit = std::size_t{16} << 20;
inline constexpr std::size_t kCsvFileLimit = std::size_t{64} << 20;

// What a save must not write over, beside what the system refuses.
struct SaveGuard {
    // The files the command reads: the output is never one of them (the same file through any link).
    std::vector<std::filesystem::path> inputs;
    // An output that is not a settings file never replaces one: a regular file whose first line holds
    // the settings header is refused, whatever its name.
    bool keepSettingsFiles = false;
    // Only a name that is free is taken; a file already there is refused with EEXIST.
    bool onlyNew = false;
};
// The guard of an output that is not a settings file (a CSV export, a PDF, a scope's storage).
inline SaveGuard OtherThanSettings() {
    SaveGuard guard;
    guard.keepSettingsFiles = true;
    return guard;
}

// Saves bytes at path so that it holds either its old content or all of the new one:
// - a regular file (or none yet) is replaced by a temporary file written beside it, flushed to
//   the disk and renamed over it; the replaced file keeps its mode, owner and group, or is left
//   as it was when they cannot be kept;
// - a link stays a link: the file at the end of its chain is the one saved (created when the
//   link dangles);
// - a FIFO or a device is written through, as cp does, never replaced; a name of a descriptor the
//   program holds (/dev/stdout, /dev/fd/N, /proc/self/fd/N) is written into that descriptor;
// - a file without any write permission is refused for every user, root included;
// - a signal that ends the program during the save removes the temporary file first.
// Throws FileError with the system's reason: "ファイル <path> を作成できません（…）" when the
// file cannot be saved there (read-only, folder missing, a directory, a link loop, refused by the
// guard), or a message naming the failed write that says whether the old file is still whole.
void SaveFileAtomically(const std::filesystem::path& path, std::string_view bytes, const SaveGuard& guard = {});
// The checks of SaveFileAtomically that need no writing, so that a command can refuse an output
// before the work that produces it. Throws the same FileError.
void CheckSaveTarget(const std::filesystem::path& path, const SaveGuard& guard = {});
// True when the save writes into what is there instead of replacing it: a FIFO, a device or a
// descriptor's name.
bool WritesThrough(const std::filesystem::path& path);
// An output opened before the work that fills it, so that a wait for it (a FIFO without a reader,
// a device slow to take bytes) comes before that work and can be given up: `givenUp` is asked
// every 50 ms of a wait, and sooner when a signal arrives.
class OutputFile {
public:
    // Checks the path as CheckSaveTarget does and opens a FIFO or a device, waiting for a FIFO's
    // reader; a descriptor's name is written into that descriptor. Throws FileError.
    OutputFile(std::filesystem::path path, std::function<bool()> givenUp, SaveGuard guard = {});
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False when the wait for a FIFO's reader was given up; nothing may then be saved.
    bool Opened() const { return !gaveUp_; }
    // Saves `whole` as SaveFileAtomically does. A FIFO or a device takes what of `whole` it has
    // not had yet: saved again, an output holds what it held and more at its end. Throws FileError,
    // also when a wait for the device to take the bytes is given up.
    void Save(std::string_view whole);
    // Adds `bytes` to what this output has taken and saves the whole as Save does (a scope's
    // storage file: a regular file holds all that was added, or what it held before this addition,
    // never part of a line). Throws FileError; what was added before stays.
    void Add(std::string_view bytes);

private:
    std::filesystem::path path_;
    std::function<bool()> givenUp_;
    SaveGuard guard_;
    int fd_ = -1;
    bool ownFd_ = true;
    std::size_t sent_ = 0;
    std::string added_;
    bool gaveUp_ = false;
};

// True when both paths name one existing file (the same device and inode, links followed).
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Throws FileError when the path is not a readable regular file or holds more than limit bytes.
std::string ReadWholeFile(const std::filesystem::path& path, std::size_t limit);
// ".zem" in any case.
bool HasZemExtension(const std::filesystem::path& path);

// Reads a settings file into image (untouched when the file is not recognised), as
// ParseSettingsFile does. Throws FileError when the path lacks the ".zem" extension, does not
// exist, cannot be read or is larger than kZemFileLimit; the window checks the first two itself,
// to stay silent there.
SettingsFileRead LoadZemFile(const std::filesystem::path& path, RadioImage& image);
void SaveZemFile(const std::filesystem::path& path, const RadioImage& image);

} // namespace zem
