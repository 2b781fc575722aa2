#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

// The built command-line tool run as a separate process, as a user runs it.
namespace zem {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun RunCli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(ZEM_CLI), args);
    CliRun run;
    if (!process.waitForFinished(120'000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

inline QString Path(const std::string& path) {
    return QString::fromStdString(path);
}

} // namespace zem
