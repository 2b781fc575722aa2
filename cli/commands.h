#pragma once

#include <QStringList>

// Each subcommand takes its own arguments (the subcommand name first) and returns the exit status:
// 0 success, 1 the radio reported errors (or, comparing, a difference was found; importing, rows
// or fields were left out), 2 bad arguments or input, 3 the port cannot be opened.
namespace cli {

enum ExitCode { kOk = 0, kRadioErrors = 1, kDifferent = 1, kNotAllTaken = 1, kBadInput = 2, kPortError = 3 };

int RunShow(const QStringList& args);
int RunImportCsv(const QStringList& args);
int RunExportCsv(const QStringList& args);
int RunSort(const QStringList& args);
int RunDiff(const QStringList& args);
int RunId(const QStringList& args);
int RunCheckMod(const QStringList& args);
int RunPorts(const QStringList& args);
int RunRead(const QStringList& args);
int RunWrite(const QStringList& args);
int RunScope(const QStringList& args);

} // namespace cli
