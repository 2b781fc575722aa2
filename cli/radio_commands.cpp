#include "commands.h"
#include "console.h"
#include "interruption.h"
#include "link_options.h"
#include "options.h"

#include "session/ports.h"
#include "session/radio_texts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>

namespace cli {
namespace {

// The checks and the port list take no arguments; false after the one error line.
bool CheckNoArguments(const QCommandLineParser& parser, const QString& command) {
    if (parser.positionalArguments().isEmpty())
        return true;
    Error(QCoreApplication::translate("cli", "zem_d7-cli %1: unexpected argument '%2'")
              .arg(command, parser.positionalArguments().last()));
    return false;
}

int RunCheck(zem::Check check, const QString& command, const QCommandLineParser& parser) {
    zem::PortTarget target;
    if (!CheckNoArguments(parser, command) || !ReadLinkOptions(parser, command, target))
        return kBadInput;

    Interruption interruption;
    const std::unique_ptr<zem::RadioSession> session = MakeSession();
    interruption.OnInterrupt([&] { session->Interrupt(); });
    zem::CheckResult result{.check = check};
    QObject::connect(session.get(), &zem::RadioSession::checked, [&](const zem::CheckResult& r) {
        result = r;
        session->Disconnect();
    });
    const zem::RadioSession::RunEnd end = session->Run(target, [&] { session->RunCheck(check); });
    if (interruption.Interrupted())
        return Interrupted(command, QCoreApplication::translate("cli", "no verdict"));
    if (!end.opened)
        return PortFailed(end.failure);
    // A verdict made without an answer says nothing about the radio: none is given, so a script
    // cannot take one for it.
    if (!result.answered || result.answer.isEmpty()) {
        Error(QStringLiteral("zem_d7-cli %1: %2").arg(command, zem::NoAnswerText()));
        Error(QCoreApplication::translate("cli", "zem_d7-cli doctor --port %1 finds out why.")
                  .arg(QString::fromStdString(target.port)));
        return kRadioErrors;
    }
    // The answer is the radio's (or whatever answers on the port): escaped, it cannot drive the
    // terminal.
    Out(Shown(result.answer) + "\n");
    // The verdict the window's message box shows.
    Out(zem::CheckVerdict(check, result.yes).toStdString() + "\n");
    return kOk;
}

} // namespace

int RunId(const QString& command, const QCommandLineParser& parser) {
    return RunCheck(zem::Check::Model, command, parser);
}

int RunCheckMod(const QString& command, const QCommandLineParser& parser) {
    return RunCheck(zem::Check::Modification, command, parser);
}

int RunDoctor(const QString& command, const QCommandLineParser& parser) {
    if (!CheckNoArguments(parser, command))
        return kBadInput;
    if (parser.isSet(kDoctorPortOption) && parser.value(kDoctorPortOption).isEmpty()) {
        Error(QCoreApplication::translate("cli",
                                          "zem_d7-cli %1: --port takes a port; leave it out to try every serial device")
                  .arg(command));
        return kBadInput;
    }
    Interruption interruption;
    const std::unique_ptr<zem::PortDoctor> doctor = MakeDoctor();
    QEventLoop loop;
    bool answered = false;
    QObject::connect(doctor.get(), &zem::PortDoctor::line, [](const QString& text) { Out(text.toStdString() + "\n"); });
    QObject::connect(doctor.get(), &zem::PortDoctor::finished, [&](bool thD7) {
        answered = thD7;
        loop.quit();
    });
    interruption.OnInterrupt([&] { doctor->Stop(); });
    doctor->Start(Bytes(parser.value(kDoctorPortOption)));
    loop.exec();
    if (interruption.Interrupted())
        return Interrupted(command, QCoreApplication::translate("cli", "checks not finished"));
    return answered ? kOk : kRadioErrors;
}

int RunPorts(const QString& command, const QCommandLineParser& parser) {
    if (!CheckNoArguments(parser, command))
        return kBadInput;
    const std::vector<zem::SerialDevice> devices = zem::ListSerialDevices();
    if (devices.empty())
        Error(QCoreApplication::translate("cli", "No serial port was found."));
    for (const zem::SerialDevice& d : devices)
        Out(d.path + (d.description.empty() ? "" : "\t" + d.description) + "\n");
    return kOk;
}

} // namespace cli
