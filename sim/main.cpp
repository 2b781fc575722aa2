// th-d7-sim: a simulated TH-D7 on a pseudo-terminal, for trying the program without a radio and
// for end-to-end tests. Prints the terminal's path, serves until SIGINT, SIGTERM or SIGHUP.

#include "pty_server.h"

#include "model/file_io.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <optional>
#include <pthread.h>
#include <system_error>

namespace {

using zem::sim::Fault;

constexpr int kOk = 0;
constexpr int kBadOption = 2;
constexpr int kCannotServe = 3;

// One command-line option per fault. Its value is SELECTOR[:MS]: the SELECTOR is the command's
// number (counted from 1) or its command word; MS the pause where the fault has one.
struct FaultOption {
    const char* name;
    Fault::Kind kind;
    int defaultPauseMs; // -1: the fault takes no pause
    const char* help;
};

constexpr std::array kFaultOptions{
    FaultOption{"no-answer", Fault::Kind::NoAnswer, -1, "Give no answer to the command SEL (number or word)."},
    FaultOption{"garble", Fault::Kind::Garble, -1, "Garble the answer to SEL: its letters become '#'."},
    FaultOption{"no-echo", Fault::Kind::NoEcho, -1, "Answer SEL without its command word."},
    FaultOption{"refuse", Fault::Kind::Refuse, -1, "Answer SEL with \"?\", as to a command the radio refuses."},
    FaultOption{"split", Fault::Kind::Split, 100, "Send the answer to SEL in two halves, MS apart (100)."},
    FaultOption{"extra-line", Fault::Kind::ExtraLine, 0, "After the answer to SEL, MS later (0), send \"BUSY\"."},
    FaultOption{"slow", Fault::Kind::Slow, 3000, "Answer SEL MS later than usual (3000)."},
    FaultOption{"alter-stored", Fault::Kind::AlterStored, -1,
                "Take the channel write SEL (MW) but store its receive frequency 10 kHz higher."},
};

// One line on standard error: a failure, or a warning the run goes on after.
void Report(const QString& text) {
    std::cerr << "th-d7-sim: " << text.toStdString() << std::endl;
}

// SEL[:MS] to a fault; nothing when the text does not fit.
std::optional<Fault> ParseFault(const FaultOption& option, const QString& value) {
    const QStringList parts = value.split(QLatin1Char(':'));
    if (parts.size() > 2 || parts[0].isEmpty() || (parts.size() == 2 && option.defaultPauseMs < 0))
        return std::nullopt;
    bool isNumber = false;
    const uint nth = parts[0].toUInt(&isNumber);
    if (isNumber && nth == 0)
        return std::nullopt;
    int pauseMs = std::max(option.defaultPauseMs, 0);
    if (parts.size() == 2) {
        bool ok = false;
        pauseMs = parts[1].toInt(&ok);
        if (!ok || pauseMs < 0)
            return std::nullopt;
    }
    return Fault(option.kind, isNumber ? nth : 0, isNumber ? std::string() : parts[0].toStdString(),
                 std::chrono::milliseconds(pauseMs));
}

// Blocks the stop stopSet in every thread (the serving thread inherits the mask), so that only
// the wait in main() takes them.
sigset_t BlockStopSignals() {
    sigset_t stopSet;
    sigemptyset(&stopSet);
    sigaddset(&stopSet, SIGINT);
    sigaddset(&stopSet, SIGTERM);
    sigaddset(&stopSet, SIGHUP); // the terminal it ran in went away: still save the radio
    pthread_sigmask(SIG_BLOCK, &stopSet, nullptr);
    return stopSet;
}

} // namespace

int main(int argc, char* argv[]) {
    const sigset_t stopSignals = BlockStopSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("th-d7-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated TH-D7 on a pseudo-terminal. Prints the terminal's path and serves until "
                       "interrupted."));
    parser.addHelpOption();
    const QCommandLineOption linkOption(QStringLiteral("link"), QStringLiteral("Make a symlink PATH to the terminal."),
                                        QStringLiteral("PATH"));
    const QCommandLineOption loadOption(QStringLiteral("load"), QStringLiteral("Start with the radio of a .zem file."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption saveOption(
        QStringLiteral("save"), QStringLiteral("Save the radio to a .zem file on exit."), QStringLiteral("FILE"));
    const QCommandLineOption paceOption(QStringLiteral("pace"), QStringLiteral("Pace both ways at 9600 baud."));
    const QCommandLineOption delayOption(QStringLiteral("delay"), QStringLiteral("Processing time before each answer."),
                                         QStringLiteral("MS"));
    const QCommandLineOption modifiedOption(QStringLiteral("modified"),
                                            QStringLiteral("Be a modified radio (its FL answer lists 118 MHz)."));
    const QCommandLineOption logOption(QStringLiteral("log"),
                                       QStringLiteral("On exit, print every command received on standard error."));
    parser.addOptions({linkOption, loadOption, saveOption, paceOption, delayOption, modifiedOption, logOption});
    for (const FaultOption& f : kFaultOptions) {
        const bool takesPause = f.defaultPauseMs >= 0;
        parser.addOption(QCommandLineOption(QString::fromLatin1(f.name), QString::fromLatin1(f.help),
                                            takesPause ? QStringLiteral("SEL[:MS]") : QStringLiteral("SEL")));
    }
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        Report(QStringLiteral("余分な引数があります: %1").arg(parser.positionalArguments().join(QLatin1Char(' '))));
        return kBadOption;
    }

    zem::sim::SimOptions options;
    options.pace = parser.isSet(paceOption);
    if (parser.isSet(delayOption)) {
        bool ok = false;
        const int ms = parser.value(delayOption).toInt(&ok);
        if (!ok || ms < 0) {
            Report(
                QStringLiteral("--delay には 0 以上のミリ秒数を指定してください: %1").arg(parser.value(delayOption)));
            return kBadOption;
        }
        options.delay = std::chrono::milliseconds(ms);
    }
    for (const FaultOption& f : kFaultOptions) {
        for (const QString& value : parser.values(QString::fromLatin1(f.name))) {
            const auto fault = ParseFault(f, value);
            if (!fault) {
                Report(QStringLiteral("--%1 の値が正しくありません: %2 (コマンド番号または語%3)")
                           .arg(QString::fromLatin1(f.name), value,
                                f.defaultPauseMs >= 0 ? QStringLiteral("、続けて :ミリ秒") : QString()));
                return kBadOption;
            }
            options.faults.push_back(*fault);
        }
    }

    // The radio is saved only at the end of a session, so a name that cannot be saved is refused now.
    if (parser.isSet(saveOption) && !zem::HasZemExtension(parser.value(saveOption).toStdString())) {
        Report(
            QStringLiteral("--save のファイル名は .zem で終わるようにしてください: %1").arg(parser.value(saveOption)));
        return kBadOption;
    }

    zem::sim::RadioState radio = zem::sim::DefaultRadio();
    radio.modified = parser.isSet(modifiedOption);
    if (parser.isSet(loadOption)) {
        const std::filesystem::path path = parser.value(loadOption).toStdString();
        try {
            const zem::SettingsFileRead read = zem::LoadZemFile(path, radio.image);
            if (!read.recognised) {
                Report(QStringLiteral("%1 は ZEM_D7 の設定ファイルではありません").arg(parser.value(loadOption)));
                return kBadOption;
            }
            for (const std::string& warning : read.warnings)
                Report(QStringLiteral("%1: %2").arg(parser.value(loadOption), QString::fromStdString(warning)));
        } catch (const zem::FileError& e) {
            Report(QString::fromUtf8(e.what()));
            return kBadOption;
        }
    }

    auto engine = std::make_shared<zem::sim::RadioEngine>(radio);
    zem::sim::PtyServer server(engine, options);
    if (const std::string error = server.Start(); !error.empty()) {
        Report(QStringLiteral("疑似端末を開けません: %1").arg(QString::fromStdString(error)));
        return kCannotServe;
    }
    std::filesystem::path link;
    if (parser.isSet(linkOption)) {
        link = parser.value(linkOption).toStdString();
        std::error_code ec;
        // Only a link left over from an earlier run is replaced, never another file.
        if (std::filesystem::is_symlink(link, ec))
            std::filesystem::remove(link, ec);
        std::filesystem::create_symlink(server.SlavePath(), link, ec);
        if (ec) {
            Report(QStringLiteral("リンク %1 を作れません: %2")
                       .arg(parser.value(linkOption), QString::fromLocal8Bit(ec.message().c_str())));
            return kCannotServe;
        }
    }
    std::cout << server.SlavePath() << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();

    int result = kOk;
    if (!link.empty()) {
        std::error_code ec;
        std::filesystem::remove(link, ec);
    }
    if (parser.isSet(logOption)) {
        for (const std::string& command : engine->CommandLog())
            std::cerr << command << '\n';
    }
    if (parser.isSet(saveOption)) {
        try {
            zem::SaveZemFile(parser.value(saveOption).toStdString(), engine->Image());
        } catch (const zem::FileError& e) {
            Report(QString::fromUtf8(e.what()));
            result = kCannotServe;
        }
    }
    return result;
}
