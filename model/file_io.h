#pragma once

#include "records.h"
#include "settings_file.h"

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

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

// Saves bytes at path so that it holds either its old content or all of the new one:
// - a regular file (or none yet) is replaced by a temporary file written beside it, flushed to
//   the disk and renamed over it; the replaced file keeps its mode, owner and group, or is left
//   as it was when they cannot be kept;
// - a link stays a link: the file at the end of its chain is the one saved (created when the
//   link dangles);
// - a FIFO or a device is written through, as cp does, never replaced;
// - a signal that ends the program during the save removes the temporary file first.
// Throws FileError with the system's reason: "ファイル <path> を作成できません（…）" when the
// file cannot be saved there (read-only, folder missing, a directory, a link loop), or a message
// naming the failed write that says whether the old file is still whole.
void SaveFileAtomically(const std::filesystem::path& path, std::string_view bytes);
// The checks of SaveFileAtomically that need no writing, so that a command can refuse an output
// before the work that produces it. Throws the same FileError.
void CheckSaveTarget(const std::filesystem::path& path);
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
