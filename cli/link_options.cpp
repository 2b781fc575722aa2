#include "link_options.h"

#include "commands.h"
#include "console.h"
#include "interruption.h"
#include "options.h"

#include "sim/port_factory.h"

#include <QCoreApplication>

namespace cli {
namespace {

// An answer-free radio should not hold the tool for minutes, nor a slow one be cut off.
constexpr int kLongestTimeoutMs = 60'000;

} // namespace

bool ReadLinkOptions(const QCommandLineParser& parser, const QString& command, zem::PortTarget& target) {
    target.port = parser.value(kPortOption).toStdString();
    if (target.port.empty()) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli %1: give the radio's port with --port PORT").arg(command));
        return false;
    }
    target.fast = parser.isSet(kFastOption);
    if (parser.isSet(kTimeoutOption)) {
        bool ok = false;
        const int ms = parser.value(kTimeoutOption).toInt(&ok);
        if (!ok || ms < 1 || ms > kLongestTimeoutMs) {
            Error(QCoreApplication::translate("cli", "zem_d7-cli %1: --timeout takes a number of ms from 1 to %2")
                      .arg(command)
                      .arg(kLongestTimeoutMs));
            return false;
        }
        target.timeout = std::chrono::milliseconds(ms);
    }
    return true;
}

// Every radio command keeps its history; a problem with it is said on standard error and the
// transfer goes on.
std::unique_ptr<zem::RadioSession> MakeSession() {
    auto session = std::make_unique<zem::RadioSession>(zem::sim::PortFactoryWithSimulator());
    session->KeepHistory(zem::HistoryFolder());
    QObject::connect(session.get(), &zem::RadioSession::historyFailed, [](const QString& reason) {
        Error(QCoreApplication::translate(
                  "cli", "zem_d7-cli: the radio's history could not be kept (%1); the transfer goes on")
                  .arg(reason));
    });
    QObject::connect(session.get(), &zem::RadioSession::backupIncomplete, [](zem::Block block) {
        Error(QCoreApplication::translate(
                  "cli", "zem_d7-cli: %1: the radio could not be read whole before the write; its history "
                         "keeps nothing of this write")
                  .arg(QLatin1String(zem::BlockName(block))));
    });
    return session;
}

std::unique_ptr<zem::PortDoctor> MakeDoctor() {
    return std::make_unique<zem::PortDoctor>(zem::sim::PortFactoryWithSimulator());
}

int PortFailed(const QString& failure) {
    Error(QCoreApplication::translate("cli", "The port could not be opened."));
    for (const QString& line : failure.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        Error(line);
    return kPortError;
}

int Interrupted(const QString& command, const QString& what) {
    Error(QCoreApplication::translate("cli", "zem_d7-cli %1: interrupted; %2").arg(command, what));
    return EndingStatus();
}

} // namespace cli
