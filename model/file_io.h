#pragma once

#include "records.h"
#include "settings_file.h"

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

// Writes a temporary file beside the target, flushes it to the disk and renames it over the
// target, so the old file survives any failure. A replaced file keeps its permissions. Throws
// FileError: "ファイル <path> を作成できません" when the file cannot be created, or a message
// naming the failed write.
void SaveFileAtomically(const std::filesystem::path& path, std::string_view bytes);
// Throws FileError when the path is not a readable regular file.
std::string ReadWholeFile(const std::filesystem::path& path);
// ".zem" in any case.
bool HasZemExtension(const std::filesystem::path& path);

// Reads a settings file into image (untouched when the file is not recognised), as
// ParseSettingsFile does. Throws FileError when the path lacks the ".zem" extension, does not
// exist or cannot be read; the window checks the first two itself, to stay silent there.
SettingsFileRead LoadZemFile(const std::filesystem::path& path, RadioImage& image);
void SaveZemFile(const std::filesystem::path& path, const RadioImage& image);

} // namespace zem
