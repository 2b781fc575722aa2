#include "changed_write.h"

#include "commands.h"
#include "console.h"
#include "difference_lines.h"
#include "link_options.h"
#include "progress_report.h"

#include "model/write_plan.h"
#include "session/radio_texts.h"

#include <QCoreApplication>

#include <memory>

namespace cli {
namespace {

// The plan, one line per item, on standard error, or on standard output for a dry run.
void PrintPlan(const zem::WritePlan& plan, bool toStandardOutput) {
    static constexpr zem::PlanKindWords kWords{"channel", "VFO", "setting", "DTMF"};
    for (const zem::PlanItem& item : plan.items) {
        const std::string line = zem::PlanLine(item, kWords);
        if (toStandardOutput)
            Out(line + '\n');
        else
            Error(QString::fromStdString(line));
    }
}

// Per block, how many of the plan's rows, VFOs and settings commands were written whole.
void WrittenPerBlock(const zem::ChangedWriteResult& result) {
    std::size_t written = 0;
    std::size_t chosen = 0;
    for (const zem::Block b : zem::AllBlocks()) {
        const auto i = static_cast<std::size_t>(b);
        chosen += result.chosen[i];
        written += result.written[i];
        if (result.chosen[i] > 0)
            Error(QCoreApplication::translate("cli", "%1: %2 of %3 written, %4 not")
                      .arg(QLatin1String(zem::BlockName(b)))
                      .arg(result.written[i])
                      .arg(result.chosen[i])
                      .arg(result.chosen[i] - result.written[i]));
    }
    if (written > 0 && written < chosen)
        Error(QCoreApplication::translate("cli", "the radio now holds a mix"));
}

// A write of the changes on one connection: the plan (after reading the blocks it needs), then
// unless it is a dry run its write and read-back.
class ChangedWrite : BlockMove {
public:
    ChangedWrite(bool dryRun, Interruption& interruption) : BlockMove(interruption), dryRun_(dryRun) {
        zem::RadioSession* s = session_.get();
        QObject::connect(s, &zem::RadioSession::planned, [this](const zem::WritePlan& plan) { Planned(plan); });
        QObject::connect(s, &zem::RadioSession::writingChanged, [this](std::size_t parts) {
            Error(QCoreApplication::translate("cli", "changed: %1 to write").arg(parts));
            progress_.Start("changed");
            underWay_ = QT_TRANSLATE_NOOP("cli", "written or read back; the radio now holds a mix");
        });
        QObject::connect(s, &zem::RadioSession::changedWritten, [this](const zem::ChangedWriteResult& r) {
            end_ = r;
            session_->Disconnect();
        });
    }

    // Returns the exit status.
    int Run(const QString& command, const zem::PortTarget& target, const std::vector<zem::Block>& blocks,
            const zem::RadioImage& image, const std::optional<TrustedBase>& base) {
        const zem::RadioSession::RunEnd run = session_->Run(target, [&] {
            if (base)
                session_->TrustRadio(base->image, base->blocks);
            const zem::BlockSources fromFile{zem::BlockSource::File, zem::BlockSource::File, zem::BlockSource::File};
            if (!session_->PlanChanged(image, zem::AllowedParts(fromFile, {}, blocks)))
                Refused();
        });
        if (stopped_ && !end_) {
            if (underWay_)
                progress_.Stopped(underWay_, plan_ ? std::optional(plan_->outcome) : std::nullopt);
            return Interrupted(command, QCoreApplication::translate("cli", "nothing more was written"));
        }
        if (!run.opened)
            return PortFailed(run.failure);
        if (!plan_)
            return kRadioErrors;
        if (!plan_->whole) {
            progress_.Finish(plan_->unread, plan_->outcome);
            Error(QCoreApplication::translate(
                      "cli", "zem_d7-cli write: the radio could not be read whole (%1 kept); nothing was written")
                      .arg(plan_->unread));
            return kRadioErrors;
        }
        if (dryRun_) {
            PrintPlan(*plan_, true);
            return kOk;
        }
        if (!end_) {
            Error(QCoreApplication::translate("cli", "changed: 0 written"));
            return plan_->items.empty() ? kOk : kRadioErrors;
        }
        return Written(command, *end_);
    }

private:
    void Refused() {
        Error(QCoreApplication::translate("cli", "zem_d7-cli: the link refused the transfer"));
        session_->Disconnect();
    }

    void Planned(const zem::WritePlan& plan) {
        plan_ = plan;
        if (stopped_ || !plan.whole || dryRun_ || plan.items.empty()) {
            session_->Disconnect();
            return;
        }
        PrintPlan(plan, false);
        if (!session_->WriteChanged(plan))
            Refused();
    }

    int Written(const QString& command, const zem::ChangedWriteResult& end) {
        progress_.Finish(end.errors, end.outcome);
        Out(DifferenceLines(end.differences));
        if (!end.differences.empty())
            Error(QStringLiteral("zem_d7-cli write: %1").arg(zem::DifferingText(end.differences.size())));
        const bool whole = end.errors == 0 && !end.outcome.radioSilent;
        if (whole)
            Error(QCoreApplication::translate("cli", "changed: %1 written").arg(end.parts));
        else
            WrittenPerBlock(end);
        if (stopped_)
            return Interrupted(command, QCoreApplication::translate("cli", "nothing more was written"));
        if (interruption_.Interrupted())
            return Interrupted(command, QCoreApplication::translate("cli", "everything was written"));
        if (whole)
            return kOk;
        Error(QCoreApplication::translate("cli", "Errors: %1").arg(end.errors));
        return kRadioErrors;
    }

    const bool dryRun_;
    std::optional<zem::WritePlan> plan_;
    std::optional<zem::ChangedWriteResult> end_;
};

} // namespace

int WriteChangedParts(const QString& command, const zem::PortTarget& target, const std::vector<zem::Block>& blocks,
                      const zem::RadioImage& image, bool dryRun, Interruption& interruption,
                      const std::optional<TrustedBase>& base) {
    ChangedWrite write(dryRun, interruption);
    return write.Run(command, target, blocks, image, base);
}

} // namespace cli
