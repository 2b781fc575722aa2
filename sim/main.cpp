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
#include <memory>
#include <optional>
#include <pthread.h>
#include <system_error>
#include <vector>

namespace {

using zem::sim::Fault;

constexpr int kOk = 0;
constexpr int kBadOption = 2;
constexpr int kCannotServe = 3;

// One command-line option per fault. Its value is SELECTOR[:MS]: the SELECTOR is the command's
// number (counted from 1), its command word or the whole command ("MR 0,0,050", every time it
// is sent; "MR 0,0,050#1" only the first time); MS the pause where the fault has one.
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
    FaultOption{"slow", Fault::Kind::Slow, 3000, "Answer SEL MS later than usual (3000); \"MR 0,0,010:1500\"."},
    FaultOption{"alter-stored", Fault::Kind::AlterStored, -1,
                "Take the channel write SEL (MW) but store its receive frequency 10 kHz higher."},
    FaultOption{"stop", Fault::Kind::Stop, -1,
                "From SEL on, take and answer nothing, as a radio switched off (SEL: number or whole command)."},
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
    QString selector = parts[0];
    bool isNumber = false;
    uint nth = selector.toUInt(&isNumber);
    if (isNumber && nth == 0)
        return std::nullopt;
    // A whole command may name the time it is hit: "MR 0,0,050#1".
    const qsizetype hash = selector.lastIndexOf(QLatin1Char('#'));
    if (!isNumber && selector.contains(QLatin1Char(' ')) && hash > 0) {
        bool ok = false;
        nth = selector.mid(hash + 1).toUInt(&ok);
        if (!ok || nth == 0)
            return std::nullopt;
        selector.truncate(hash);
    }
    int pauseMs = std::max(option.defaultPauseMs, 0);
    if (parts.size() == 2) {
        bool ok = false;
        pauseMs = parts[1].toInt(&ok);
        if (!ok || pauseMs < 0)
            return std::nullopt;
    }
    return Fault(option.kind, nth, isNumber ? std::string() : selector.toStdString(),
                 std::chrono::milliseconds(pauseMs));
}

// Blocks the stop signals in every thread (the serving thread inherits the mask), so that only
// the wait in Serve() takes them.
sigset_t BlockStopSignals() {
    sigset_t stopSet;
    sigemptyset(&stopSet);
    sigaddset(&stopSet, SIGINT);
    sigaddset(&stopSet, SIGTERM);
    sigaddset(&stopSet, SIGHUP); // the terminal it ran in went away: still save the radio
    pthread_sigmask(SIG_BLOCK, &stopSet, nullptr);
    return stopSet;
}

// What the command line asks of the run. An option given with an empty value is still given:
// the file or link it names is then refused, not silently left out.
struct RunSettings {
    zem::sim::SimOptions options;
    bool modified = false;
    bool log = false;
    std::optional<QString> load;
    std::optional<QString> save;
    std::optional<QString> link;
};

// The options besides the faults, in the order --help lists them.
struct PlainOptions {
    QCommandLineOption link{QStringLiteral("link"), QStringLiteral("Make a symlink PATH to the terminal."),
                            QStringLiteral("PATH")};
    QCommandLineOption load{QStringLiteral("load"), QStringLiteral("Start with the radio of a .zem file."),
                            QStringLiteral("FILE")};
    QCommandLineOption save{QStringLiteral("save"), QStringLiteral("Save the radio to a .zem file on exit."),
                            QStringLiteral("FILE")};
    QCommandLineOption pace{QStringLiteral("pace"), QStringLiteral("Pace both ways at 9600 baud.")};
    QCommandLineOption delay{QStringLiteral("delay"), QStringLiteral("Processing time before each answer."),
                             QStringLiteral("MS")};
    QCommandLineOption modified{QStringLiteral("modified"),
                                QStringLiteral("Be a modified radio (its FL answer lists 118 MHz).")};
    QCommandLineOption log{QStringLiteral("log"),
                           QStringLiteral("On exit, print every command received on standard error.")};
    QCommandLineOption line{QStringLiteral("line"),
                            QStringLiteral("What answers instead of the radio: echo (every command sent back), packet "
                                           "(\"?\" to every command, as the radio's TNC), noise (bytes that are no "
                                           "answer)."),
                            QStringLiteral("KIND")};

    QList<QCommandLineOption> All() const { return {link, load, save, pace, delay, modified, log, line}; }
};

void AddFaultOptions(QCommandLineParser& parser) {
    for (const FaultOption& f : kFaultOptions) {
        const bool takesPause = f.defaultPauseMs >= 0;
        parser.addOption(QCommandLineOption(QString::fromLatin1(f.name), QString::fromLatin1(f.help),
                                            takesPause ? QStringLiteral("SEL[:MS]") : QStringLiteral("SEL")));
    }
}

std::optional<QString> ValueIfSet(const QCommandLineParser& parser, const QCommandLineOption& option) {
    return parser.isSet(option) ? std::optional(parser.value(option)) : std::nullopt;
}

bool ReadDelay(const QCommandLineParser& parser, const QCommandLineOption& option, std::chrono::milliseconds& delay) {
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const int ms = parser.value(option).toInt(&ok);
    if (!ok || ms < 0) {
        Report(QStringLiteral("--delay には 0 以上のミリ秒数を指定してください: %1").arg(parser.value(option)));
        return false;
    }
    delay = std::chrono::milliseconds(ms);
    return true;
}

bool ReadFaults(const QCommandLineParser& parser, std::vector<Fault>& faults) {
    for (const FaultOption& f : kFaultOptions) {
        for (const QString& value : parser.values(QString::fromLatin1(f.name))) {
            const auto fault = ParseFault(f, value);
            if (!fault) {
                Report(QStringLiteral("--%1 の値が正しくありません: %2 (コマンド番号、語またはコマンド%3)")
                           .arg(QString::fromLatin1(f.name), value,
                                f.defaultPauseMs >= 0 ? QStringLiteral("、続けて :ミリ秒") : QString()));
                return false;
            }
            faults.push_back(*fault);
        }
    }
    return true;
}

bool ReadLine(const QCommandLineParser& parser, const QCommandLineOption& option, zem::sim::LineKind& line) {
    using zem::sim::LineKind;
    if (!parser.isSet(option))
        return true;
    static const std::array<std::pair<const char*, LineKind>, 3> kKinds{
        {{"echo", LineKind::Echo}, {"packet", LineKind::Packet}, {"noise", LineKind::Noise}}};
    for (const auto& [name, kind] : kKinds) {
        if (parser.value(option) == QLatin1String(name)) {
            line = kind;
            return true;
        }
    }
    Report(QStringLiteral("--line には echo、packet、noise のどれかを指定してください: %1").arg(parser.value(option)));
    return false;
}

// The radio is saved only at the end of a session, so a name that cannot be saved is refused now.
bool CheckSaveName(const std::optional<QString>& save) {
    if (!save || zem::HasZemExtension(save->toStdString()))
        return true;
    Report(QStringLiteral("--save のファイル名は .zem で終わるようにしてください: %1").arg(*save));
    return false;
}

std::optional<RunSettings> ReadSettings(const QCommandLineParser& parser, const PlainOptions& plain) {
    RunSettings settings;
    settings.options.pace = parser.isSet(plain.pace);
    settings.modified = parser.isSet(plain.modified);
    settings.log = parser.isSet(plain.log);
    settings.load = ValueIfSet(parser, plain.load);
    settings.save = ValueIfSet(parser, plain.save);
    settings.link = ValueIfSet(parser, plain.link);
    if (!ReadDelay(parser, plain.delay, settings.options.delay) || !ReadFaults(parser, settings.options.faults) ||
        !ReadLine(parser, plain.line, settings.options.line) || !CheckSaveName(settings.save))
        return std::nullopt;
    return settings;
}

// Nothing after printing the one error line; --help and the parser's own errors end the program
// inside process().
std::optional<RunSettings> ParseCommandLine(const QCoreApplication& app) {
    const PlainOptions plain;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated TH-D7 on a pseudo-terminal. Prints the terminal's path and serves until "
                       "interrupted."));
    parser.addHelpOption();
    parser.addOptions(plain.All());
    AddFaultOptions(parser);
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        Report(QStringLiteral("余分な引数があります: %1").arg(parser.positionalArguments().join(QLatin1Char(' '))));
        return std::nullopt;
    }
    return ReadSettings(parser, plain);
}

// The radio the simulator starts as; nothing after printing the one error line.
std::optional<zem::sim::RadioState> LoadRadio(const RunSettings& settings) {
    zem::sim::RadioState radio = zem::sim::DefaultRadio();
    radio.modified = settings.modified;
    if (!settings.load)
        return radio;
    try {
        const zem::SettingsFileRead read = zem::LoadZemFile(settings.load->toStdString(), radio.image);
        if (!read.recognised) {
            Report(QStringLiteral("%1 は ZEM_D7 の設定ファイルではありません").arg(*settings.load));
            return std::nullopt;
        }
        if (!read.refusal.empty()) {
            Report(QStringLiteral("%1: %2").arg(*settings.load, QString::fromStdString(read.refusal)));
            return std::nullopt;
        }
        for (const std::string& warning : read.warnings)
            Report(QStringLiteral("%1: %2").arg(*settings.load, QString::fromStdString(warning)));
        return radio;
    } catch (const zem::FileError& e) {
        Report(QString::fromUtf8(e.what()));
        return std::nullopt;
    }
}

// Only a link left over from an earlier run is replaced, never another file.
bool MakeLink(const QString& link, const std::string& target) {
    const std::filesystem::path path = link.toStdString();
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec))
        std::filesystem::remove(path, ec);
    std::filesystem::create_symlink(target, path, ec);
    if (ec)
        Report(QStringLiteral("リンク %1 を作れません: %2").arg(link, QString::fromLocal8Bit(ec.message().c_str())));
    return !ec;
}

// What is left to do once the server has stopped: the link goes, the log and the radio come out.
int Finish(const RunSettings& settings, const zem::sim::RadioEngine& engine) {
    if (settings.link) {
        std::error_code ec;
        std::filesystem::remove(settings.link->toStdString(), ec);
    }
    if (settings.log) {
        for (const std::string& command : engine.CommandLog())
            std::cerr << command << '\n';
    }
    if (!settings.save)
        return kOk;
    try {
        zem::SaveZemFile(settings.save->toStdString(), engine.Image());
        return kOk;
    } catch (const zem::FileError& e) {
        Report(QString::fromUtf8(e.what()));
        return kCannotServe;
    }
}

// Serves the radio on a pseudo-terminal, whose path goes to standard output, until a stop signal.
int Serve(const RunSettings& settings, const zem::sim::RadioState& radio, const sigset_t& stopSignals) {
    auto engine = std::make_shared<zem::sim::RadioEngine>(radio);
    zem::sim::PtyServer server(engine, settings.options);
    if (const std::string error = server.Start(); !error.empty()) {
        Report(QStringLiteral("疑似端末を開けません: %1").arg(QString::fromStdString(error)));
        return kCannotServe;
    }
    if (settings.link && !MakeLink(*settings.link, server.SlavePath()))
        return kCannotServe;
    std::cout << server.SlavePath() << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    server.Stop();
    return Finish(settings, *engine);
}

} // namespace

int main(int argc, char* argv[]) {
    const sigset_t stopSignals = BlockStopSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("th-d7-sim"));
    const std::optional<RunSettings> settings = ParseCommandLine(app);
    if (!settings)
        return kBadOption;
    const std::optional<zem::sim::RadioState> radio = LoadRadio(*settings);
    if (!radio)
        return kBadOption;
    return Serve(*settings, *radio, stopSignals);
}
