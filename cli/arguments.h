#pragma once

#include "model/file_io.h"
#include "model/image_diff.h"
#include "model/records.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// What every subcommand does with its arguments and files, so each says it the same way.
namespace cli {

std::filesystem::path LocalPath(const QString& name);

// The one file a command takes; nullopt after the one error line asking for it (`what`, "CSV file").
std::optional<QString> OneFile(const QCommandLineParser& parser, const QString& command, const QString& what);
// The two arguments a command takes; nullopt after `usage`, the one error line saying what they are.
std::optional<QStringList> TwoArguments(const QCommandLineParser& parser, const QString& usage);

// The image to start from: the --into file, or the start-up image; false after the one error line.
bool LoadBase(const QCommandLineParser& parser, const QString& command, zem::RadioImage& image);

// --only memory,vfo,settings: the blocks named (any subset, any order), all three without --only;
// false after the one error line.
bool ReadOnlyOption(const QCommandLineParser& parser, const QString& command, QStringList& blocks);
// The comparison of those blocks; `memo` false for an image read from a radio, which has none.
zem::DiffScope ScopeOf(const QStringList& blocks, bool memo);

// An output file must be named; false after the one error line, which asks for `valueName`.
bool CheckOutputGiven(const QString& command, const QString& out, const QString& valueName);
// An output settings file must be named and end in ".zem", or it could not be opened again; a
// FIFO, a device or standard output ("-") takes it under any name.
bool CheckOutputName(const QString& command, const QString& out);

// The output's path: "-" is standard output.
std::filesystem::path OutputPath(const QString& out);
// What an output may not replace: the files read (`inputs`) and, unless it is a settings file
// itself, any settings file.
zem::SaveGuard OutputGuard(const QStringList& inputs, bool settingsOutput);
// The output can be saved (see zem::CheckSaveTarget): every command checks it before its work, so
// a transfer is not run for a file that cannot take it. False after the one error line.
bool CheckOutputWritable(const QString& command, const QString& out, const zem::SaveGuard& guard);

// Runs a step with files; false after printing its FileError as the one error line.
bool FileStep(const QString& command, const std::function<void()>& step);
// Save through the safe save; false after printing the one error line.
bool SaveBytes(const QString& command, const QString& out, std::string_view bytes, const zem::SaveGuard& guard);
bool SaveImage(const QString& command, const QString& out, const zem::RadioImage& image, const zem::SaveGuard& guard);
// Where a command's own lines go: standard error when the output is standard output.
void Say(const QString& out, const std::string& line);

// Reads a settings file named on the command line; false after printing the one error line
// (not ".zem", missing, unreadable, "ファイル形式が違います", a first set that is not whole). The reader's warnings go
// to standard error, one line each, and the file counts as read. `menuWarning`, when given, takes the reader's warning
// about the MENU line (empty when none).
bool LoadZemArgument(const QString& command, const QString& file, zem::RadioImage& image,
                     std::string* menuWarning = nullptr);

} // namespace cli
