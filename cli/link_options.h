#pragma once

#include "session/radio_session.h"

#include <QCommandLineParser>
#include <QString>

// The tool's radio commands run through the same session as the window: these are the options
// that say where the radio is and how long to wait for it.
namespace cli {

// --port PORT (required), --timeout MS and --fast; false after printing the one error line.
bool ReadLinkOptions(const QCommandLineParser& parser, const QString& command, zem::PortTarget& target);

// A session whose port "sim" is a simulated radio inside the tool.
std::unique_ptr<zem::RadioSession> MakeSession();

} // namespace cli
