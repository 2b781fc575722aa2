#pragma once

#include "model/image_diff.h"
#include "model/records.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// What every subcommand does with its arguments and files, so each says it the same way.
namespace cli {

std::filesystem::path LocalPath(const QString& name);

// The one file a command takes; nullopt after the one error line asking for it (`what`, "CSV file").
std::optional<QString> OneFile(const QCommandLineParser& parser, const QString& command, const QString& what);

// The image to start from: the --into file, or the start-up image; false after the one error line.
bool LoadBase(const QCommandLineParser& parser, const QString& command, zem::RadioImage& image);

// --only memory,vfo,settings: the blocks named (any subset, any order), all three without --only;
// false after the one error line.
bool ReadOnlyOption(const QCommandLineParser& parser, const QString& command, QStringList& blocks);
// The comparison of those blocks; `memo` false for an image read from a radio, which has none.
zem::DiffScope ScopeOf(const QStringList& blocks, bool memo);

// An output file must be named; false after the one error line, which asks for `valueName`.
bool CheckOutputGiven(const QString& command, const QString& out, const QString& valueName);
// An output settings file must be named and end in ".zem", or it could not be opened again.
bool CheckOutputName(const QString& command, const QString& out);

// The output can be saved (see zem::CheckSaveTarget): a command that talks to the radio checks
// it first, so a transfer is not run for a file that cannot take it. False after the one error line.
bool CheckOutputWritable(const QString& command, const QString& out);
// The output is not the input file, through links too: writing one kind of file over the other
// would destroy the input. False after the one error line.
bool CheckNotInput(const QString& command, const QString& out, const QString& input);

// Save through the safe save; false after printing the one error line.
bool SaveBytes(const QString& command, const QString& out, std::string_view bytes);
bool SaveImage(const QString& command, const QString& out, const zem::RadioImage& image);

// Reads a settings file named on the command line; false after printing the one error line
// (not ".zem", missing, unreadable, "ファイル形式が違います", a first set that is not whole). The reader's warnings go
// to standard error, one line each, and the file counts as read. `menuWarning`, when given, takes the reader's warning
// about the MENU line (empty when none).
bool LoadZemArgument(const QString& command, const QString& file, zem::RadioImage& image,
                     std::string* menuWarning = nullptr);

} // namespace cli
