#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "interruption.h"
#include "link_options.h"
#include "options.h"
#include "progress_report.h"

#include "model/codecs.h"
#include "model/conversion_error.h"
#include "model/file_io.h"
#include "model/sweep_range.h"
#include "session/radio_texts.h"
#include "session/scope_storage.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <memory>
#include <string>

namespace cli {
namespace {

// The sweep the options name, checked as the scope page checks it.
bool ReadScopeRange(const QCommandLineParser& parser, zem::SweepRange& range) {
    const QString step = parser.value(kStepOption);
    // ASCII only: a full-width '５' is a digit to Unicode but names no step, and a step without a
    // size would divide the sweep's count by zero.
    if (step.size() != 1 || step.front() < QLatin1Char('0') || step.front() > QLatin1Char('9')) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli scope: --step takes a step code 0 to 9 (5 is 20 kHz)"));
        return false;
    }
    zem::SweepCheck check;
    try {
        const std::int32_t lower = zem::MhzToHz(parser.value(kLowerOption).toStdString());
        const std::int32_t upper = zem::MhzToHz(parser.value(kUpperOption).toStdString());
        check = zem::CheckSweepRange(lower, upper, static_cast<char>(step.front().toLatin1()));
    } catch (const zem::ConversionError& e) {
        Error(QStringLiteral("zem_d7-cli scope: %1").arg(QString::fromUtf8(e.what())));
        return false;
    }
    range = check.range;
    if (check.refusal == zem::SweepRefusal::None)
        return true;
    Error(QStringLiteral("zem_d7-cli scope: %1").arg(zem::SweepRefusalText(check.refusal)));
    return false;
}

// A sweep of `passes` passes: each pass goes out as it ends, flushed, and into the storage file,
// which holds every pass so far after each pass, so however the sweep ends the passes done are
// kept. A signal ends the sweep after the reading under way (the radio's step is restored).
class Sweep {
public:
    Sweep(int passes, std::unique_ptr<zem::OutputFile> store, Interruption& interruption)
        : passes_(passes), store_(std::move(store)), interruption_(interruption) {
        QObject::connect(session_.get(), &zem::RadioSession::reading,
                         [this](int value, bool unread) { Reading(value, unread); });
        QObject::connect(session_.get(), &zem::RadioSession::passStarted, [this] { PassStarted(); });
        QObject::connect(session_.get(), &zem::RadioSession::sweepEnded, [this](bool silent) {
            silent_ = silent;
            session_->Disconnect();
        });
        // A sweep is stopped as its Stop button stops it; before it has begun, the link is stopped.
        interruption_.OnInterrupt([this] {
            if (session_->Busy())
                session_->StopSweep();
            else
                session_->Interrupt();
        });
    }

    // Returns the exit status.
    int Run(const QString& command, const zem::PortTarget& target, const zem::SweepRange& range) {
        const zem::RadioSession::RunEnd end = session_->Run(target, [&] { session_->StartSweep(range); });
        if (interruption_.Interrupted())
            return Interrupted(command, QCoreApplication::translate("cli", "%1 passes done").arg(std::max(done_, 0)));
        if (!end.opened)
            return PortFailed(end.failure);
        if (storeFailed_)
            return kBadInput;
        if (unread_ != 0)
            Error(QStringLiteral("zem_d7-cli scope: %1").arg(zem::UnreadStepsText(unread_)));
        // The window's words, then the passes kept (the detail brings its own space).
        if (silent_)
            Error(QStringLiteral("zem_d7-cli scope: %1%2")
                      .arg(zem::SilentSweepText(),
                           QCoreApplication::translate("cli", " %1 passes were done; the pass under way is not kept")
                               .arg(std::max(done_, 0))));
        return unread_ != 0 || silent_ ? kRadioErrors : kOk;
    }

private:
    void Reading(int value, bool unread) {
        pass_ += zem::ReadingChar(value, unread);
        unreadInPass_ += unread ? 1 : 0;
    }

    // The first marker starts the first pass; each later one ends the pass before it.
    void PassStarted() {
        if (done_ >= 0) {
            Out(pass_ + "\n");
            unread_ += unreadInPass_;
            try {
                if (store_)
                    store_->Add(zem::ScopeStorageLine(pass_, QDateTime::currentDateTime()));
            } catch (const zem::FileError& e) {
                Error(QStringLiteral("zem_d7-cli scope: %1").arg(QString::fromUtf8(e.what())));
                storeFailed_ = true;
            }
        }
        pass_.clear();
        unreadInPass_ = 0;
        if (++done_ == passes_ || storeFailed_)
            session_->StopSweep();
    }

    const int passes_;
    const std::unique_ptr<zem::OutputFile> store_;
    Interruption& interruption_;
    std::string pass_;
    int done_ = -1;   // passes printed; the first marker starts the first pass
    long unread_ = 0; // steps of the printed passes whose S-meter could not be read
    long unreadInPass_ = 0;
    bool storeFailed_ = false;
    bool silent_ = false;
    // Ends first: the link stops before the storage file closes.
    const std::unique_ptr<zem::RadioSession> session_ = MakeSession();
};

} // namespace

int RunScope(const QString& command, const QCommandLineParser& parser) {
    zem::PortTarget target;
    zem::SweepRange range;
    if (!ReadLinkOptions(parser, command, target) || !ReadScopeRange(parser, range))
        return kBadInput;
    bool ok = false;
    const int passes = parser.value(kPassesOption).toInt(&ok);
    if (!ok || passes < 1) {
        Error(QCoreApplication::translate("cli", "zem_d7-cli scope: --passes takes a number of passes, 1 or more"));
        return kBadInput;
    }
    Interruption interruption;
    std::unique_ptr<zem::OutputFile> store;
    if (parser.isSet(kStoreOption)) {
        store = OpenOutput(command, parser.value(kStoreOption), interruption, OutputGuard({}, false));
        if (!store)
            return NotOpened(command, interruption);
    }
    Sweep sweep(passes, std::move(store), interruption);
    return sweep.Run(command, target, range);
}

} // namespace cli
