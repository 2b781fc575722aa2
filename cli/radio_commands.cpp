#include "commands.h"
#include "console.h"
#include "interruption.h"
#include "link_options.h"
#include "options.h"

#include "session/ports.h"

#include <QCommandLineParser>
#include <QEventLoop>

namespace cli {
namespace {

// A check as the window's menu runs it, with the two verdicts the window's message box shows.
struct Check {
    zem::Check check;
    const char* yes;
    const char* no;
};

constexpr Check kIdCheck{zem::Check::Model, "TH-D7です", "TH-D7以外の機器です"};
constexpr Check kModCheck{zem::Check::Modification, "改造済み", "未改造"};

// The checks and the port list take no arguments; false after the one error line.
bool CheckNoArguments(const QCommandLineParser& parser, const QString& command) {
    if (parser.positionalArguments().isEmpty())
        return true;
    Error(QStringLiteral("zem_d7-cli %1: unexpected argument '%2'").arg(command, parser.positionalArguments().last()));
    return false;
}

int RunCheck(const Check& check, const QString& command, const QCommandLineParser& parser) {
    zem::PortTarget target;
    if (!CheckNoArguments(parser, command) || !ReadLinkOptions(parser, command, target))
        return kBadInput;

    Interruption interruption;
    const std::unique_ptr<zem::RadioSession> session = MakeSession();
    interruption.OnInterrupt([&] { session->Interrupt(); });
    zem::CheckResult result{.check = check.check};
    QObject::connect(session.get(), &zem::RadioSession::checked, [&](const zem::CheckResult& r) {
        result = r;
        session->Disconnect();
    });
    const zem::RadioSession::RunEnd end = session->Run(target, [&] { session->RunCheck(check.check); });
    if (interruption.Interrupted())
        return Interrupted(command, QStringLiteral("no verdict"));
    if (!end.opened)
        return PortFailed(end.failure);
    Out((result.answer.isEmpty() ? QStringLiteral("(応答なし)") : result.answer).toStdString() + "\n");
    Out(std::string(result.yes ? check.yes : check.no) + "\n");
    // A verdict made without an answer says nothing about the radio: a script must not take it
    // for one.
    if (!result.answered || result.answer.isEmpty()) {
        Error(QStringLiteral(
                  "zem_d7-cli %1: 無線機から応答がありませんでした。ポート、ケーブル、無線機の電源を確かめてください。")
                  .arg(command));
        Error(QStringLiteral("zem_d7-cli doctor --port %1 で原因を調べられます。")
                  .arg(QString::fromStdString(target.port)));
        return kRadioErrors;
    }
    return kOk;
}

} // namespace

int RunId(const QString& command, const QCommandLineParser& parser) {
    return RunCheck(kIdCheck, command, parser);
}

int RunCheckMod(const QString& command, const QCommandLineParser& parser) {
    return RunCheck(kModCheck, command, parser);
}

int RunDoctor(const QString& command, const QCommandLineParser& parser) {
    if (!CheckNoArguments(parser, command))
        return kBadInput;
    if (parser.isSet(kDoctorPortOption) && parser.value(kDoctorPortOption).isEmpty()) {
        Error(
            QStringLiteral("zem_d7-cli %1: --port takes a port; leave it out to try every serial device").arg(command));
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
        return Interrupted(command, QStringLiteral("checks not finished"));
    return answered ? kOk : kRadioErrors;
}

int RunPorts(const QString& command, const QCommandLineParser& parser) {
    if (!CheckNoArguments(parser, command))
        return kBadInput;
    const std::vector<zem::SerialDevice> devices = zem::ListSerialDevices();
    if (devices.empty())
        Error(QStringLiteral("シリアルポートが見つかりませんでした。"));
    for (const zem::SerialDevice& d : devices)
        Out(d.path + (d.description.empty() ? "" : "\t" + d.description) + "\n");
    return kOk;
}

} // namespace cli
