// transfer: how close the memory transfers come to what the line allows. Reads and writes a fully
// used memory through the program's own link (TCommThread on its termios port) against the
// simulated radio on a pseudo-terminal paced at 9600 baud with a 10 ms processing delay, first as
// the link always reads and then with fast transfers, side by side; then measures what a connected
// but idle link costs in processor time.
//
// The floor of a transfer is what no implementation of this exchange can beat: every byte on the
// wire at 10 bits a byte, the radio's delay, and the silence after each answer that the exchange
// waits for before it takes the answer as complete (the 48 ms read interval, or the fast grace).
//
// Then the recovery figures, on the same paced line: a full read and a full write under a mix of
// faults that each hit once (they must end with no errors), how soon a read ends once the radio
// stops answering at row 50, and a write of two edited channels after a full read.
//
// Last, the command-line tool's `write --changed --base`, which takes a file as the radio's content
// and so reads nothing first: the same two channels, the tool started and ended as a user runs it.
// `transfer --base-only` measures only that and the full write it is compared with.

#include "full_memory.h"

#include "link/link_message.h"
#include "link/tcomm_thread.h"
#include "model/command_text.h"
#include "model/file_io.h"
#include "model/startup_image.h"
#include "model/write_mask.h"
#include "sim/pty_server.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr double kBitsPerByte = 10; // start bit, 8 data bits, stop bit
constexpr double kBaud = 9600;
constexpr std::chrono::milliseconds kRadioDelay{10};
constexpr std::chrono::seconds kIdleSpan{10};
// Only keeps a broken link from hanging the run; a paced full transfer takes well under a minute.
constexpr std::chrono::minutes kCompletionGuard{5};

// Takes the link's posted messages on this thread, as the window does, and lets the caller wait
// for one code without spinning.
class WindowStandIn : public QObject {
public:
    // The first completion with `code` not yet waited for; nothing when none came within the guard.
    std::optional<zem::LinkCompletion> WaitFor(int code) {
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &loop_, &QEventLoop::quit);
        guard.start(kCompletionGuard);
        for (;;) {
            for (std::size_t i = seen_; i < arrivals_.size(); ++i) {
                if (arrivals_[i].code == code) {
                    seen_ = i + 1;
                    return arrivals_[i];
                }
            }
            if (!guard.isActive())
                return std::nullopt;
            loop_.exec();
        }
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() == zem::LinkMessage::Type()) {
            const auto* m = static_cast<zem::LinkMessage*>(e);
            arrivals_.push_back(m->completion());
            loop_.quit();
            return true;
        }
        // Status texts and progress are the status bar's business; nothing here shows them.
        if (e->type() == zem::StatusText::Type() || e->type() == zem::TransferProgress::Type())
            return true;
        return QObject::event(e);
    }

private:
    QEventLoop loop_;
    std::vector<zem::LinkCompletion> arrivals_;
    std::size_t seen_ = 0;
};

struct TransferFigures {
    std::string name;
    bool fast;
    Seconds wall;
    std::size_t exchanges;
    std::uint64_t bytesToRadio;
    std::uint64_t bytesFromRadio;
};

Seconds FloorOf(const TransferFigures& f) {
    const double bytes = static_cast<double>(f.bytesToRadio + f.bytesFromRadio);
    const Seconds perExchange = kRadioDelay + (f.fast ? zem::TCommThread::kFastGrace : zem::TCommThread::kReadInterval);
    return Seconds(bytes * kBitsPerByte / kBaud) + perExchange * static_cast<double>(f.exchanges);
}

struct Operation {
    const char* name;
    zem::LinkRequest request;
    int completion;
};

// Runs one transfer from request to completion message and reads the wire's figures off the
// simulator; nothing when the link refused the request or never completed.
std::optional<std::pair<TransferFigures, zem::LinkCompletion>>
Measure(const Operation& op, zem::TCommThread& link, WindowStandIn& window, zem::sim::PtyServer& server) {
    server.Engine().ClearLog();
    server.ResetByteCounts();
    const Clock::time_point start = Clock::now();
    if (!link.Request(op.request))
        return std::nullopt;
    std::optional<zem::LinkCompletion> done = window.WaitFor(op.completion);
    const Seconds wall = Clock::now() - start;
    if (!done)
        return std::nullopt;
    const std::vector<std::string> log = server.CommandLog();
    std::uint64_t commandBytes = 0;
    for (const std::string& command : log)
        commandBytes += command.size() + 1; // its CR
    // Every byte the link sent must be a command the radio took: anything else (a stray or
    // repeated line) would make the figures wrong.
    if (commandBytes != server.BytesReceived()) {
        std::fprintf(stderr, "transfer: %s: %llu bytes on the wire but %llu in the commands taken\n", op.name,
                     static_cast<unsigned long long>(server.BytesReceived()),
                     static_cast<unsigned long long>(commandBytes));
        return std::nullopt;
    }
    const bool fast = op.request.fast;
    return std::pair{TransferFigures{std::string(fast ? "fast " : "") + op.name, fast, wall, log.size(),
                                     server.BytesReceived(), server.BytesSent()},
                     std::move(*done)};
}

Seconds CpuTime() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return Seconds(static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6);
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long ContextSwitches() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw + usage.ru_nivcsw;
}

struct IdleFigures {
    Seconds wall;
    Seconds cpu;
    long switches;
};

// The window's thread waits in its event loop as it does between commands, while the worker polls.
IdleFigures MeasureIdle() {
    const Seconds cpuBefore = CpuTime();
    const long switchesBefore = ContextSwitches();
    const Clock::time_point start = Clock::now();
    QEventLoop loop;
    // A coarse timer may end the span up to 5 % late.
    QTimer::singleShot(kIdleSpan, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    return {Clock::now() - start, CpuTime() - cpuBefore, ContextSwitches() - switchesBefore};
}

void PrintTransfers(const std::vector<TransferFigures>& rows) {
    std::printf("%-11s %9s %8s %8s %9s %9s %7s %12s\n", "transfer", "exchanges", "to radio", "from", "wall s",
                "floor s", "ratio", "over/exch ms");
    for (const TransferFigures& f : rows) {
        const Seconds floor = FloorOf(f);
        const double overMs = (f.wall - floor).count() * 1000 / static_cast<double>(f.exchanges);
        std::printf("%-11s %9zu %8llu %8llu %9.2f %9.2f %7.3f %12.2f\n", f.name.c_str(), f.exchanges,
                    static_cast<unsigned long long>(f.bytesToRadio), static_cast<unsigned long long>(f.bytesFromRadio),
                    f.wall.count(), floor.count(), f.wall / floor, overMs);
    }
}

int Fail(const char* what) {
    std::fprintf(stderr, "transfer: %s\n", what);
    return 1;
}

// A full read and a full write in one mode, appended to `rows`; the failure, or nothing.
const char* MeasureBoth(bool fast, const zem::RadioImage& full, zem::TCommThread& link, WindowStandIn& window,
                        zem::sim::PtyServer& server, zem::sim::RadioEngine& engine,
                        std::vector<TransferFigures>& rows) {
    // The read starts from a radio holding the full memory and a window holding only the memos,
    // which the read must keep; the write starts from an empty radio, so every row changes.
    engine.SetImage(full);
    zem::RadioImage memos = zem::StartupImage();
    for (std::size_t row = 0; row < zem::kChannelRows; ++row)
        memos.Channels[row].Memo = full.Channels[row].Memo;
    const auto read = Measure({"read", {.op = zem::kOpReadMemory, .image = memos, .fast = fast}, zem::kMsgMemoryRead},
                              link, window, server);
    if (!read)
        return "the read did not complete";
    if (read->second.image.value().Channels != full.Channels)
        return "the read did not bring back the radio's memory with the memos kept";

    engine.SetImage(zem::StartupImage());
    const auto write =
        Measure({"write", {.op = zem::kOpWriteMemory, .image = full, .fast = fast}, zem::kMsgMemoryWritten}, link,
                window, server);
    if (!write)
        return "the write did not complete";
    if (write->second.value != 0)
        return "the write counted errors";
    if (!zem::bench::SameOnTheRadio(engine.Image().Channels, full.Channels))
        return "the write did not leave the full memory on the radio";
    rows.push_back(read->first);
    rows.push_back(write->first);
    return nullptr;
}

using zem::sim::Fault;

// One silent, two garbled, an unsolicited line, a split answer and two answers 1.5 s late, each
// the first time its command is sent; `command` and `name` give the transfer's commands of a row.
std::vector<Fault> FaultMix(std::string (*command)(std::size_t), std::string (*name)(std::size_t)) {
    constexpr std::chrono::milliseconds kLate{1500};
    return {
        Fault(Fault::Kind::NoAnswer, 1, command(20)),   Fault(Fault::Kind::Garble, 1, command(40)),
        Fault(Fault::Kind::Garble, 1, name(60)),        Fault(Fault::Kind::ExtraLine, 1, command(80)),
        Fault(Fault::Kind::Split, 1, name(100), 100ms), Fault(Fault::Kind::Slow, 1, command(120), kLate),
        Fault(Fault::Kind::Slow, 1, name(140), kLate),
    };
}

const zem::RadioImage* FullImage = nullptr; // the write's commands are those of the full memory

std::string WriteCommand(std::size_t row) {
    std::string text = zem::BuildWriteChannel(row, FullImage->Channels[row]);
    text.pop_back(); // the radio's log holds commands without their CR
    return text;
}
std::string WriteName(std::size_t row) {
    return zem::BuildWriteName(row, FullImage->Channels[row]);
}

struct RecoveryFigures {
    const char* name;
    Seconds wall;
    long retried;
    long errors;
};

// A full read and a full write, each under its fault mix, in normal mode.
const char* MeasureFaultMix(const zem::RadioImage& full, zem::TCommThread& link, WindowStandIn& window,
                            zem::sim::PtyServer& server, std::vector<RecoveryFigures>& rows) {
    zem::sim::SimOptions options = server.Options();
    const zem::sim::SimOptions clean = options;
    FullImage = &full;
    struct Run {
        const char* name;
        std::vector<Fault> faults;
        zem::LinkOperation op;
        int completion;
    };
    const Run runs[] = {
        {"read", FaultMix(&zem::BuildReadChannel, &zem::BuildReadName), zem::kOpReadMemory, zem::kMsgMemoryRead},
        {"write", FaultMix(&WriteCommand, &WriteName), zem::kOpWriteMemory, zem::kMsgMemoryWritten},
    };
    for (const Run& run : runs) {
        const bool reading = run.op == zem::kOpReadMemory;
        server.Engine().SetImage(reading ? full : zem::StartupImage());
        server.Engine().ClearLog();
        options.faults = run.faults;
        server.SetOptions(options);
        const Clock::time_point start = Clock::now();
        if (!link.Request({.op = run.op, .image = reading ? zem::StartupImage() : full}))
            return "a transfer under faults was refused";
        const std::optional<zem::LinkCompletion> done = window.WaitFor(run.completion);
        if (!done)
            return "a transfer under faults did not complete";
        rows.push_back({run.name, Clock::now() - start, done->outcome.retried, done->value});
        const bool same = zem::bench::SameOnTheRadio(
            reading ? done->image.value().Channels : server.Engine().Image().Channels, full.Channels);
        if (done->value != 0 || !same)
            return "a transfer under faults ended with errors or without the radio's image";
    }
    server.SetOptions(clean);
    return nullptr;
}

// A read of a radio that stops answering at row 50: how long after the radio fell silent the
// read ended. The radio falls silent when row 50's first command arrives, one read interval
// after its last answer.
std::optional<Seconds> MeasureDeadStop(const zem::RadioImage& full, zem::TCommThread& link, WindowStandIn& window,
                                       zem::sim::PtyServer& server) {
    const zem::sim::SimOptions clean = server.Options();
    zem::sim::SimOptions options = clean;
    options.faults = {Fault(Fault::Kind::Stop, 0, zem::BuildReadChannel(50))};
    server.SetOptions(options);
    server.Engine().SetImage(full);
    std::optional<Clock::time_point> silentFrom;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!silentFrom && !server.Engine().Answering())
            silentFrom = Clock::now();
    });
    watch.start(1ms);
    if (!link.Request({.op = zem::kOpReadMemory, .image = zem::StartupImage()}))
        return std::nullopt;
    const std::optional<zem::LinkCompletion> done = window.WaitFor(zem::kMsgMemoryRead);
    if (!done || !silentFrom || !done->outcome.radioSilent)
        return std::nullopt;
    const Seconds stop = Clock::now() - *silentFrom;
    server.SetOptions(clean);
    server.Engine().SetAnswering(true);
    return stop;
}

// Two channels edited after a full read, written as a write of the changes and read back, in normal
// and in fast mode; appended to `rows`. The failure, or nothing.
const char* MeasureChanged(const zem::RadioImage& full, zem::TCommThread& link, WindowStandIn& window,
                           zem::sim::PtyServer& server, std::vector<TransferFigures>& rows) {
    zem::RadioImage table = full;
    table.Channels[7].RxFreq = "00145250000";
    table.Channels[88].Name = "EDITED";
    for (const bool fast : {false, true}) {
        server.Engine().SetImage(full);
        const zem::LinkRequest request{
            .op = zem::kOpWriteChanged, .image = table, .writeOnly = zem::ChangedParts(full, table), .fast = fast};
        const auto write = Measure({"2 changed", request, zem::kMsgChangedWritten}, link, window, server);
        if (!write || write->second.value != 0 ||
            !zem::bench::SameOnTheRadio(server.Engine().Image().Channels, table.Channels))
            return "the write of two changed channels did not leave them on the radio";
        rows.push_back(write->first);
    }
    return nullptr;
}

// The tool's `write --changed --base` of two edited channels to a radio holding the base, in
// normal and in fast mode: its wall time from start to exit, with the wire's figures. The port
// must be free: the bench's own link is closed by then. The failure, or nothing.
const char* MeasureToolBase(const zem::RadioImage& full, zem::sim::PtyServer& server,
                            std::vector<TransferFigures>& rows) {
    QTemporaryDir dir;
    zem::RadioImage table = full;
    table.Channels[7].RxFreq = "00145250000";
    table.Channels[88].Name = "EDITED";
    const QString base = dir.filePath(QStringLiteral("base.zem"));
    const QString wanted = dir.filePath(QStringLiteral("wanted.zem"));
    zem::SaveZemFile(base.toStdString(), full);
    zem::SaveZemFile(wanted.toStdString(), table);
    for (const bool fast : {false, true}) {
        server.Engine().SetImage(full);
        server.Engine().ClearLog();
        server.ResetByteCounts();
        QStringList args{QStringLiteral("write"),
                         QStringLiteral("--port"),
                         QString::fromStdString(server.SlavePath()),
                         QStringLiteral("--changed"),
                         QStringLiteral("--base"),
                         base,
                         wanted};
        if (fast)
            args << QStringLiteral("--fast");
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZEM_D7_HISTORY"), dir.filePath(QStringLiteral("history")));
        tool.setProcessEnvironment(environment);
        const Clock::time_point start = Clock::now();
        tool.start(QStringLiteral(ZEM_CLI), args);
        if (!tool.waitForFinished(static_cast<int>(std::chrono::milliseconds(kCompletionGuard).count())) ||
            tool.exitCode() != 0)
            return "the tool's write --changed --base did not end well";
        const Seconds wall = Clock::now() - start;
        if (!zem::bench::SameOnTheRadio(server.Engine().Image().Channels, table.Channels))
            return "the tool's write --changed --base did not leave the two channels on the radio";
        rows.push_back({std::string(fast ? "fast " : "") + "--base", fast, wall, server.CommandLog().size(),
                        server.BytesReceived(), server.BytesSent()});
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const bool baseOnly = QCoreApplication::arguments().contains(QStringLiteral("--base-only"));

    const zem::RadioImage full = zem::bench::FullMemoryImage();
    zem::sim::SimOptions options;
    options.pace = true;
    options.delay = kRadioDelay;
    auto engine = std::make_shared<zem::sim::RadioEngine>();
    zem::sim::PtyServer server(engine, options);
    if (const std::string error = server.Start(); !error.empty())
        return Fail(("cannot open a pseudo-terminal: " + error).c_str());

    WindowStandIn window;
    zem::TCommThread link;
    link.SetStatusBar(&window);
    link.SetPortPath(server.SlavePath());
    link.SetWindow(&window);
    link.start();
    const std::optional<zem::LinkCompletion> opened = window.WaitFor(zem::kMsgPortOpened);
    if (!opened || opened->value != 0)
        return Fail("the link could not open the simulator's terminal");

    std::printf("Idle connected link: measuring %lld s...\n", static_cast<long long>(kIdleSpan.count()));
    std::fflush(stdout);
    const IdleFigures idle = MeasureIdle();

    std::printf("Full memory: %zu used rows with names, %zu split; 9600 baud pacing, %lld ms radio delay\n",
                zem::kChannelRows, zem::bench::SplitRowCount(full), static_cast<long long>(kRadioDelay.count()));
    std::fflush(stdout);

    std::vector<TransferFigures> rows;
    if (baseOnly) {
        engine->SetImage(zem::StartupImage());
        const auto write = Measure({"write", {.op = zem::kOpWriteMemory, .image = full}, zem::kMsgMemoryWritten}, link,
                                   window, server);
        link.Stop();
        if (!write || !window.WaitFor(zem::kMsgPortClosed))
            return Fail("the full write did not complete");
        link.wait();
        std::vector<TransferFigures> base;
        if (const char* failure = MeasureToolBase(full, server, base))
            return Fail(failure);
        PrintTransfers({write->first});
        PrintTransfers(base);
        for (const TransferFigures& f : base)
            std::printf("%s: %.3f of a full normal write\n", f.name.c_str(), f.wall / write->first.wall);
        return 0;
    }
    for (const bool fast : {false, true}) {
        if (const char* failure = MeasureBoth(fast, full, link, window, server, *engine, rows))
            return Fail(failure);
    }
    std::vector<RecoveryFigures> recovery;
    std::printf("Recovery: fault mix, dead radio, changed rows...\n");
    std::fflush(stdout);
    if (const char* failure = MeasureFaultMix(full, link, window, server, recovery))
        return Fail(failure);
    const std::optional<Seconds> deadStop = MeasureDeadStop(full, link, window, server);
    if (!deadStop)
        return Fail("the read of a radio that stopped answering did not stop as such");
    std::vector<TransferFigures> changed;
    if (const char* failure = MeasureChanged(full, link, window, server, changed))
        return Fail(failure);
    link.Stop();
    if (!window.WaitFor(zem::kMsgPortClosed))
        return Fail("the link did not close its port");
    link.wait();
    std::vector<TransferFigures> base;
    if (const char* failure = MeasureToolBase(full, server, base))
        return Fail(failure);
    server.Stop();

    PrintTransfers(rows);
    std::printf("floor = bytes x %g bits / %g baud + exchanges x (%lld ms radio delay + %lld ms read interval, "
                "%lld ms grace when fast)\n",
                kBitsPerByte, kBaud, static_cast<long long>(kRadioDelay.count()),
                static_cast<long long>(zem::TCommThread::kReadInterval.count()),
                static_cast<long long>(zem::TCommThread::kFastGrace.count()));
    std::printf("fast / normal wall time: read %.3f, write %.3f\n", rows[2].wall / rows[0].wall,
                rows[3].wall / rows[1].wall);
    std::printf("under one silent, two garbled, one extra line, one split and two 1.5 s late answers "
                "(normal mode):\n");
    for (const RecoveryFigures& f : recovery)
        std::printf("  %-5s wall %6.2f s (%.2f s without faults), %ld retried, %ld errors\n", f.name, f.wall.count(),
                    (f.name == std::string("read") ? rows[0] : rows[1]).wall.count(), f.retried, f.errors);
    std::printf("radio silent from row 50: the read ended %.2f s later\n", deadStop->count());
    std::printf("two channels changed after a full read, written and read back (full write %.2f s):\n",
                rows[1].wall.count());
    PrintTransfers(changed);
    const Seconds readFirst = rows[2].wall + changed[1].wall;
    std::printf("fast memory read, then the two channels fast: %.2f s = %.3f of a full normal write\n",
                readFirst.count(), readFirst / rows[1].wall);
    std::printf("the tool's write --changed --base of the two channels, from start to exit:\n");
    PrintTransfers(base);
    for (const TransferFigures& f : base)
        std::printf("%s: %.3f of a full normal write\n", f.name.c_str(), f.wall / rows[1].wall);
    std::printf("idle   %.1f s: CPU %.3f s = %.2f %% of one core, %.0f context switches/s\n", idle.wall.count(),
                idle.cpu.count(), 100 * idle.cpu / idle.wall, static_cast<double>(idle.switches) / idle.wall.count());
    return 0;
}
