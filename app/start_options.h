#pragma once

#include <QString>
#include <QStringList>

namespace zem {

// The window program's command line: `zem_d7 [FILE.zem]`.
struct StartOptions {
    QString settingsFile; // opened at start when not empty
    QString error;        // a message for the user when the command line is not understood
};

// `arguments` as QCoreApplication::arguments() gives them, the program's name first.
StartOptions ParseStartOptions(const QStringList& arguments);

} // namespace zem
