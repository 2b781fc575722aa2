#include "progress_report.h"

#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "link_options.h"

#include "session/radio_texts.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <utility>

namespace cli {

ProgressReport::ProgressReport() : terminal_(isatty(STDERR_FILENO) != 0) {}

void ProgressReport::Start(std::string block) {
    block_ = std::move(block);
    done_ = 0;
    total_ = 0;
}

void ProgressReport::Update(std::size_t done, std::size_t total) {
    done_ = done;
    total_ = total;
    if (!terminal_ || total == 0)
        return;
    constexpr std::size_t kWidth = 30;
    const std::size_t filled = done * kWidth / total;
    char bar[128];
    const int size = std::snprintf(bar, sizeof bar, "\r%-8s %3zu/%zu [%s%s]", block_.c_str(), done, total,
                                   std::string(filled, '#').c_str(), std::string(kWidth - filled, '-').c_str());
    ErrorBytes(std::string_view(bar, static_cast<std::size_t>(std::clamp(size, 0, int{sizeof bar} - 1))));
}

void ProgressReport::Finish(long errors, const zem::TransferOutcome& outcome) {
    EndBar();
    Error(QCoreApplication::translate("cli", "%1: %2 done, %3 errors, %4 retried")
              .arg(QString::fromStdString(block_))
              .arg(outcome.moved)
              .arg(errors)
              .arg(outcome.retried));
    // The window's words, then where it stopped; the detail brings its own space, which Japanese
    // leaves out after a sentence.
    if (outcome.radioSilent)
        Error(QStringLiteral("%1%2").arg(zem::SilentTransferText(), QCoreApplication::translate("cli", " (%1: %2/%3)")
                                                                        .arg(QString::fromStdString(block_))
                                                                        .arg(outcome.done)
                                                                        .arg(outcome.total)));
}

void ProgressReport::Stopped(const char* what, const std::optional<zem::TransferOutcome>& outcome) {
    EndBar();
    const std::size_t total = outcome ? outcome->total : total_;
    const std::size_t moved = std::min(outcome ? outcome->moved : done_, total);
    const QString words = QCoreApplication::translate("cli", what);
    const qsizetype tail = words.indexOf(QLatin1Char(';'));
    Error(QCoreApplication::translate("cli", "%1: %2 of %3 rows %4, %5 not%6")
              .arg(QString::fromStdString(block_))
              .arg(moved)
              .arg(total)
              .arg(words.left(tail))
              .arg(total - moved)
              .arg(tail < 0 ? QString() : words.mid(tail)));
}

void ProgressReport::EndBar() {
    if (terminal_)
        ErrorBytes("\n");
}

std::string BlockLabel(const char* format, zem::Block block) {
    return QCoreApplication::translate("cli", format).arg(QString::fromUtf8(zem::BlockName(block))).toStdString();
}

BlockMove::BlockMove(Interruption& interruption) : interruption_(interruption), session_(MakeSession()) {
    QObject::connect(session_.get(), &zem::RadioSession::progress, [this](std::size_t done, std::size_t total) {
        if (!stopped_)
            progress_.Update(done, total);
    });
    QObject::connect(session_.get(), &zem::RadioSession::readingRadio, [this](zem::Block block) {
        progress_.Start(BlockLabel(QT_TRANSLATE_NOOP("cli", "%1 (radio)"), block));
        underWay_ = QT_TRANSLATE_NOOP("cli", "read; nothing was written");
    });
    interruption_.OnInterrupt([this] {
        stopped_ = true;
        session_->Interrupt();
    });
}

std::unique_ptr<zem::OutputFile> OpenOutput(const QString& command, const QString& out,
                                            const Interruption& interruption, const zem::SaveGuard& guard) {
    std::unique_ptr<zem::OutputFile> output;
    FileStep(command, [&] {
        // Asked only while the output keeps the tool waiting: the user learns why it stands still.
        bool said = false;
        output = std::make_unique<zem::OutputFile>(
            OutputPath(out),
            [&interruption, command, out, said]() mutable {
                if (!std::exchange(said, true))
                    Error(QCoreApplication::translate(
                              "cli", "zem_d7-cli %1: waiting for %2 to take the output (Ctrl-C ends the wait)")
                              .arg(command, out));
                return interruption.Interrupted();
            },
            guard);
    });
    return output && output->Opened() ? std::move(output) : nullptr;
}

int NotOpened(const QString& command, const Interruption& interruption) {
    return interruption.Interrupted()
               ? Interrupted(command, QCoreApplication::translate("cli", "the radio was not touched"))
               : kBadInput;
}

} // namespace cli
