#pragma once

#include <QStringList>

// Each subcommand takes its own arguments (the subcommand name first) and returns the exit status:
// 0 success, 1 the radio reported errors, 2 bad arguments or input, 3 the port cannot be opened.
namespace cli {

enum ExitCode { kOk = 0, kRadioErrors = 1, kBadInput = 2, kPortError = 3 };

int RunShow(const QStringList& args);

} // namespace cli
