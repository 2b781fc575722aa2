#pragma once

#include <QCommandLineParser>
#include <QString>

// Each command's run: `parser` holds its parsed command line (as its row in the command table
// set it up) and `command` its name, for the messages. Returns the exit status: 0 success, 1 the
// radio reported errors (or, comparing, a difference was found; importing, rows or fields were
// left out; setting, rows could not take the change; finding, nothing matched), 2 bad arguments
// or input, 3 the port cannot be opened, 128 + the signal's number when a signal (SIGINT, SIGTERM,
// SIGHUP, SIGQUIT, SIGPIPE) or a closed output pipe stopped a radio command, as a shell reports a
// program the signal ended. kInterrupted is how a step of a radio command tells its command that a
// signal stopped it; the command's own status is EndingStatus().
namespace cli {

enum ExitCode {
    kOk = 0,
    kRadioErrors = 1,
    kDifferent = 1,
    kNotAllTaken = 1,
    kNotFound = 1,
    kBadInput = 2,
    kPortError = 3,
    kInterrupted = 130
};

int RunShow(const QString& command, const QCommandLineParser& parser);
int RunImportCsv(const QString& command, const QCommandLineParser& parser);
int RunExportCsv(const QString& command, const QCommandLineParser& parser);
int RunPrint(const QString& command, const QCommandLineParser& parser);
int RunSort(const QString& command, const QCommandLineParser& parser);
int RunSet(const QString& command, const QCommandLineParser& parser);
int RunFind(const QString& command, const QCommandLineParser& parser);
int RunDiff(const QString& command, const QCommandLineParser& parser);
int RunId(const QString& command, const QCommandLineParser& parser);
int RunCheckMod(const QString& command, const QCommandLineParser& parser);
int RunDoctor(const QString& command, const QCommandLineParser& parser);
int RunPorts(const QString& command, const QCommandLineParser& parser);
int RunRead(const QString& command, const QCommandLineParser& parser);
int RunWrite(const QString& command, const QCommandLineParser& parser);
int RunScope(const QString& command, const QCommandLineParser& parser);
int RunHistory(const QString& command, const QCommandLineParser& parser);

} // namespace cli
