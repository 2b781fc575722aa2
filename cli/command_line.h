#pragma once

#include "command_table.h"

#include <QString>
#include <QStringList>

// A command's row turned into its command line: the synopsis the usage line shows, and the
// parser its run reads.
namespace cli {

// The name, the arguments, then the options; what a command can do without is in brackets.
QString Synopsis(const Command& command);

// Parses `args` (the command's name first) with the parser the row describes and runs the
// command; the help instead prints it (status 0), and a bad option the one error line (status 2).
int RunCommand(const Command& command, const QStringList& args);

} // namespace cli
