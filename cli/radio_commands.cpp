#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "link_session.h"

#include "link/serial_devices.h"

#include <QCommandLineParser>

namespace cli {
namespace {

// A check as the window's menu runs it: the request, its completion code and the two verdicts
// the window's message box shows.
struct Check {
    const char* command;
    const char* description;
    bool (zem::TCommThread::*request)();
    int completionCode;
    const char* yes;
    const char* no;
};

constexpr Check kIdCheck{"id",
                         "Ask the radio for its model (\"ID\") and say whether it is a TH-D7.",
                         &zem::TCommThread::ReqID,
                         zem::kMsgModelCheck,
                         "TH-D7です",
                         "TH-D7以外の機器です"};
constexpr Check kModCheck{"check-mod",
                          "Ask the radio for its band edges (\"FL\") and say whether it is modified.",
                          &zem::TCommThread::ReqMod,
                          zem::kMsgModCheck,
                          "改造済み",
                          "未改造"};

// The checks take options only.
bool ParseLinkCommand(QCommandLineParser& parser, const QStringList& args, const QString& command, int& status) {
    if (!ParseOptions(parser, args, command, status))
        return false;
    if (!parser.positionalArguments().isEmpty()) {
        Error(QStringLiteral("zem_d7-cli %1: unexpected argument '%2'")
                  .arg(command, parser.positionalArguments().last()));
        status = kBadInput;
        return false;
    }
    return true;
}

int RunCheck(const Check& check, const QStringList& args) {
    const QString command = QString::fromUtf8(check.command);
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(check.description));
    AddLinkOptions(parser);
    int status = kOk;
    if (!ParseLinkCommand(parser, args, command, status))
        return status;
    LinkTarget target;
    if (!ReadLinkOptions(parser, command, target))
        return kBadInput;

    LinkSession session(target);
    const SessionResult result =
        session.Run([&check](zem::TCommThread& link) { return (link.*check.request)(); }, check.completionCode);
    if (result.openErrors != 0) {
        Error(QStringLiteral("ポートが開けませんでした。"));
        return kPortError;
    }
    // The check's last status text is the radio's answer, as the window's status bar shows it.
    const QString answer = result.statusTexts.isEmpty() ? QString() : result.statusTexts.last();
    Out((answer.isEmpty() ? QStringLiteral("(応答なし)") : answer).toStdString() + "\n");
    Out(std::string(result.value != 0 ? check.yes : check.no) + "\n");
    // A verdict made without an answer says nothing about the radio: a script must not take it
    // for one.
    if (answer.isEmpty()) {
        Error(QStringLiteral(
                  "zem_d7-cli %1: 無線機から応答がありませんでした。ポート、ケーブル、無線機の電源を確かめてください。")
                  .arg(command));
        return kRadioErrors;
    }
    return kOk;
}

} // namespace

int RunId(const QStringList& args) {
    return RunCheck(kIdCheck, args);
}

int RunCheckMod(const QStringList& args) {
    return RunCheck(kModCheck, args);
}

int RunPorts(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("List the serial devices present, with what the system says of them."));
    int status = kOk;
    if (!ParseLinkCommand(parser, args, QStringLiteral("ports"), status))
        return status;
    const std::vector<zem::SerialDevice> devices = zem::ListSerialDevices();
    if (devices.empty())
        Error(QStringLiteral("シリアルポートが見つかりませんでした。"));
    for (const zem::SerialDevice& d : devices)
        Out(d.path + (d.description.empty() ? "" : "\t" + d.description) + "\n");
    return kOk;
}

} // namespace cli
