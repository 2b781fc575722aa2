#pragma once

#include "session/port_doctor.h"
#include "session/radio_session.h"

#include <QCommandLineParser>
#include <QString>

// The tool's radio commands run through the same session as the window: these are the options
// that say where the radio is and how long to wait for it.
namespace cli {

// --port PORT (required), --timeout MS and --fast; false after printing the one error line.
bool ReadLinkOptions(const QCommandLineParser& parser, const QString& command, zem::PortTarget& target);

// A session whose port "sim" is a simulated radio inside the tool, keeping the radio's history.
std::unique_ptr<zem::RadioSession> MakeSession();

// The port doctor, whose port "sim" is the same simulated radio.
std::unique_ptr<zem::PortDoctor> MakeDoctor();

// The window's message for a port that would not open, then the session's reason and advice for
// it (the device missing, its group, another program holding it, not a terminal), one line each.
// Returns the exit status for it.
int PortFailed(const QString& failure);

// A radio command stopped by a signal or a closed pipe: "zem_d7-cli COMMAND: interrupted; WHAT".
// Returns the exit status for it, 128 + the signal's number.
int Interrupted(const QString& command, const QString& what);

} // namespace cli
