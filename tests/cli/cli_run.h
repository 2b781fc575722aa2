#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <sstream>
#include <string>
#include <vector>

// The built command-line tool run as a separate process, as a user runs it: its exit status
// (-1 when it crashed or never ended) and what it wrote.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};
using CliResult = CliRun;

// The tool speaks the locale's language: the tests hear its English (or, with `language`, another
// locale's), whatever the locale they run in.
inline QProcessEnvironment CliEnvironment(const char* language = "C") {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), QString::fromLatin1(language));
    return environment;
}

inline CliRun RunProgram(const QString& program, const QStringList& args,
                         const QProcessEnvironment& environment = CliEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, args);
    CliRun run;
    if (!process.waitForFinished(120'000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

inline CliRun RunCli(const QStringList& args) {
    return RunProgram(QStringLiteral(ZEM_CLI), args);
}

// The arguments as one shell command line; standard error joins the output when asked.
inline CliRun RunCli(const std::string& arguments, bool withStderr = false) {
    const std::string line = std::string(ZEM_CLI) + " " + arguments + (withStderr ? " 2>&1" : "");
    return RunProgram(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromStdString(line)});
}

// What a run wrote, line by line.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
