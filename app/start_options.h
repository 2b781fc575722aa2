#pragma once

#include <QString>
#include <QStringList>

namespace zem {

// The window program's command line: `zem_d7 [--port PORT] [FILE.zem]`.
struct StartOptions {
    QString settingsFile; // opened at start when not empty
    QString port;         // chosen in the port menu at start when not empty: a path, com1..com4 or sim
    QString error;        // a message for the user when the command line is not understood
    QString help;         // the usage text, when it was asked for
};

// `arguments` as QCoreApplication::arguments() gives them, the program's name first.
StartOptions ParseStartOptions(const QStringList& arguments);

} // namespace zem
