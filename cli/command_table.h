#pragma once

#include "options.h"

#include <QCommandLineParser>
#include <QString>

#include <vector>

// The tool's commands as data: the usage line's summaries and each command's parser are made
// from these rows, so that what a command takes is said in one place.
namespace cli {

struct Positional {
    QString name;
    QString help;          // in English (see Help)
    bool optional = false; // the usage line shows it in brackets
};

struct Command {
    QString name;
    // In English (see Help): the usage line's, after the command's synopsis, and what its --help
    // says of it, with `descriptionArg` in place of its %1.
    QString summary;
    QString description;
    std::vector<const Option*> options; // in the order its --help lists them
    std::vector<Positional> positionals;
    // Runs the command once its command line has been parsed; returns the exit status.
    int (*run)(const QString& command, const QCommandLineParser& parser);
    bool draws = false; // draws text (a PDF), which needs a GUI application's fonts
    QString descriptionArg{};
};

// In the order the usage line lists them.
const std::vector<Command>& Commands();
// The command named `name`, or none.
const Command* FindCommand(const QString& name);

} // namespace cli
