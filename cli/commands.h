#pragma once

#include <QStringList>

namespace zem {
struct RadioImage;
}

// Each subcommand takes its own arguments (the subcommand name first) and returns the exit status:
// 0 success, 1 the radio reported errors, 2 bad arguments or input, 3 the port cannot be opened.
namespace cli {

enum ExitCode { kOk = 0, kRadioErrors = 1, kBadInput = 2, kPortError = 3 };

int RunShow(const QStringList& args);
int RunImportCsv(const QStringList& args);
int RunSort(const QStringList& args);
int RunId(const QStringList& args);
int RunCheckMod(const QStringList& args);
int RunPorts(const QStringList& args);

// Reads a settings file named on the command line; false after printing the one error line
// (not ".zem", missing, unreadable, "ファイル形式が違います").
bool LoadZemArgument(const QString& command, const QString& file, zem::RadioImage& image);

} // namespace cli
