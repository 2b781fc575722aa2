#include "radio_operations.h"

#include "band_scope.h"
#include "doctor_window.h"
#include "history_dialog.h"
#include "port_menu.h"
#include "remote_keys.h"
#include "wait_window.h"

#include "model/command_text.h"
#include "model/startup_image.h"
#include "model/write_plan.h"
#include "session/ports.h"
#include "session/radio_texts.h"

#include <algorithm>
#include <string_view>

namespace zem {
namespace {

// What each block's transfers say when they end, and the caption of their boxes.
struct BlockTexts {
    const char* readDone;
    const char* readFailed;
    const char* writeDone;
    const char* writeFailed;
    const char* caption;
};

// The link takes one operation at a time; another asked for meanwhile is refused with this.
const QString kBusyText = QStringLiteral("無線機は別の処理を実行中です。終わってからもう一度実行してください。");

const BlockTexts& TextsOf(Block block) {
    static const BlockTexts kTexts[] = {
        {"読み込み終了", "読み込みエラー", "書き込み終了", "書き込みエラー", "MR"},
        {"VFO読みとり完了しました", "VFO読みとりエラー", "VFO書き込み完了しました", "VFO書き込みエラー", "ID"},
        {"設定読み込み完了しました", "設定読み込みエラー", "設定書き込み完了しました", "設定書き込みエラー", "ID"},
    };
    return kTexts[static_cast<std::size_t>(block)];
}

// A read that kept rows or VFOs as they were says so below its count and names the first of them
// and why, so that nobody takes the table for the radio's whole contents.
QString KeptText(const ReadResult& result) {
    if (result.value <= 0)
        return {};
    const bool vfos = result.block == Block::Vfo;
    QString text = QStringLiteral("\n読めなかった%1は元のまま残しています。")
                       .arg(vfos ? QStringLiteral(" VFO ") : QStringLiteral("行"));
    for (std::size_t i = 0; i < std::min(result.kept.size(), kListedRows); ++i) {
        const KeptRow& kept = result.kept[i];
        text += QStringLiteral("\n%1: %2")
                    .arg(QString::fromStdString(PartName(result.block, kept.row)), FaultText(kept.fault));
    }
    if (result.kept.size() > kListedRows)
        text += QStringLiteral("\n…");
    return text;
}

// Where a silent radio leaves the user: the doctor tells why, once the port is free again.
const QString kDoctorHint = QStringLiteral("\n切断してから 通信 → 接続診断(G) を選ぶと、原因を調べられます。");

// A transfer the radio fell silent in says so first; the count below says how far it got.
QString SilentText(const TransferOutcome& outcome) {
    if (!outcome.radioSilent)
        return {};
    return SilentTransferText() + kDoctorHint + QStringLiteral("\n\n");
}

// What a transfer that did not end whole moved: only the rows, VFOs or settings commands read or
// written whole count, so a row that failed or was never reached is never counted as done.
QString CountText(const TransferOutcome& outcome, bool write) {
    const std::size_t moved = std::min(outcome.moved, outcome.total);
    return write ? QStringLiteral("%1 件中 %2 件を書き込み、%3 件は書き込めませんでした。")
                       .arg(outcome.total)
                       .arg(moved)
                       .arg(outcome.total - moved)
                 : QStringLiteral("%1 件中 %2 件を読み込み、%3 件は読めませんでした。")
                       .arg(outcome.total)
                       .arg(moved)
                       .arg(outcome.total - moved);
}

QString MixText() {
    return QStringLiteral("無線機には、書き込んだ内容と元の内容が混ざっています。");
}

// The plan's items, the first kListedItems of them and a count of the rest.
constexpr std::size_t kListedItems = 30;
constexpr PlanKindWords kPlanWords{"チャンネル", "VFO", "設定", "DTMF"};

QString PlanText(const WritePlan& plan) {
    QString text;
    for (std::size_t i = 0; i < std::min(plan.items.size(), kListedItems); ++i)
        text += QLatin1Char('\n') + ShownInMessage(QString::fromStdString(PlanLine(plan.items[i], kPlanWords)));
    if (plan.items.size() > kListedItems)
        text += QStringLiteral("\nほか %1 件").arg(plan.items.size() - kListedItems);
    return text;
}

QString RetryText(const TransferOutcome& outcome) {
    if (outcome.retried == 0)
        return {};
    return QStringLiteral("\n\n再試行: %1 回").arg(outcome.retried);
}

} // namespace

RadioOperations::RadioOperations(TFormD7& window, TwaitForm1& waitWindow, RadioSession& session)
    : QObject(&window), window_(window), waitWindow_(waitWindow), session_(session) {
    connect(&window_, &TFormD7::RadioCommandChosen, this, &RadioOperations::Command);
    // The session keeps the pace and stamps it on each request: one already running keeps its own.
    session_.SetFastTransfers(window_.FastTransfers());
    connect(&window_, &TFormD7::FastTransfersChosen, &session_, &RadioSession::SetFastTransfers);
    connect(&window_, &TFormD7::CloseAccepted, this, [this] {
        if (session_.Linked())
            CloseComm();
    });
    connect(&session_, &RadioSession::opened, this, &RadioOperations::ResPort);
    connect(&session_, &RadioSession::closed, this, &RadioOperations::ResPortClose);
    connect(&session_, &RadioSession::checked, this, &RadioOperations::ResCheck);
    connect(&session_, &RadioSession::read, this, &RadioOperations::ResRead);
    connect(&session_, &RadioSession::written, this, &RadioOperations::ResWrite);
    connect(&session_, &RadioSession::changedWritten, this, &RadioOperations::ResChanged);
    connect(&session_, &RadioSession::planned, this, &RadioOperations::ResPlanned);
    connect(&session_, &RadioSession::writingChanged, this, [this](std::size_t parts) {
        waitWindow_.Begin(QStringLiteral("変更分 %1 件を書き込んで読み返しています").arg(parts));
    });
    connect(&session_, &RadioSession::verifying, this,
            [this] { waitWindow_.Begin(QStringLiteral("書き込んだ内容を読み返して照合しています")); });
    connect(&session_, &RadioSession::readingRadio, this,
            [this] { waitWindow_.Begin(QStringLiteral("書き込む前に無線機の内容を読み込んでいます")); });
    connect(&session_, &RadioSession::writing, this, [this] { waitWindow_.Begin(); });
    connect(&session_, &RadioSession::backupIncomplete, this, [this] {
        historyNote_ = QStringLiteral("書き込む前に無線機の内容を読み切れなかったため、この書き込みの前の内容は"
                                      "履歴に保存していません。");
    });
    connect(&session_, &RadioSession::historyFailed, this, [this](const QString& reason) {
        historyNote_ =
            QStringLiteral("無線機の履歴を保存できませんでした（転送は続けています）。\n") + ShownInMessage(reason);
    });
    connect(&session_, &RadioSession::status, this, [this](const QString& text) {
        window_.ShowStatus(text);
        waitWindow_.ShowStatus(text);
    });
    connect(&session_, &RadioSession::progress, &waitWindow_, &TwaitForm1::ShowProgress);

    BandScope& scope = window_.Scope();
    connect(&scope, &BandScope::SweepRequested, this, &RadioOperations::StartSweep);
    connect(&scope, &BandScope::StopRequested, &session_, &RadioSession::StopSweep);
    connect(&session_, &RadioSession::passStarted, &scope, &BandScope::StartPass);
    connect(&session_, &RadioSession::reading, &scope, &BandScope::ResScope);
    connect(&session_, &RadioSession::sweepEnded, this, &RadioOperations::ResSweepEnded);
    window_.Keys().SetLink([this](std::string_view command, bool toggle) {
        return toggle ? session_.Toggle(command) : session_.Key(command);
    });
    ApplyState();
}

void RadioOperations::SelectPort(const QString& port) {
    window_.Ports().Select(port);
}

void RadioOperations::Command(TFormD7::RadioCommand command) {
    using C = TFormD7::RadioCommand;
    // The transfers: block, direction, and the question with the changed flag that asks it (none:
    // always asked).
    static const Transfer kTransfers[] = {
        {C::ReadMemory, Block::Memory, false, &TFormD7::MemoryChanged,
         "メモリデーターの変更が失われます。続行しますか？", "メモリ読み込み"},
        {C::WriteMemory, Block::Memory, true, nullptr, "TH-D7メモリに書き込みます", "メモリ書き込み"},
        {C::ReadVfo, Block::Vfo, false, &TFormD7::VfoChanged, "VFO設定の変更か失われます。続行しますか？",
         "VFO書き込み"},
        {C::WriteVfo, Block::Vfo, true, nullptr, "TH-D7にVFO設定を書き込みます", "VFO書き込み"},
        {C::ReadSettings, Block::Settings, false, &TFormD7::SettingsChanged, "設定の変更か失われます。続行しますか？",
         "設定読み込み"},
        {C::WriteSettings, Block::Settings, true, &TFormD7::SettingsChanged, "設定を書き込みますか？", "設定書き込み"},
    };
    if (command == C::Connect)
        O1Click();
    else if (command == C::ModelCheck || command == C::ModCheck)
        RunCheck(command == C::ModelCheck ? Check::Model : Check::Modification);
    else if (command == C::WriteChanged)
        RunWriteChanged();
    else if (command == C::History)
        ShowHistory();
    else if (command == C::Diagnose)
        Diagnose();
    for (const Transfer& t : kTransfers)
        if (t.command == command)
            RunTransfer(t);
}

void RadioOperations::O1Click() {
    if (session_.Connected())
        CloseComm();
    else if (!session_.Linked()) // while connecting the first press stands
        StartComm();
}

std::string RadioOperations::ChosenPort() const {
    const PortMenu::Choice port = window_.Ports().Chosen();
    return port.path.isEmpty() ? PortOfIndex(port.index)->name : port.path.toStdString();
}

void RadioOperations::StartComm() {
    session_.Connect({.port = ChosenPort(), .fast = window_.FastTransfers()});
}

// The doctor works beside the session: on the port this program is connected to, it says so.
void RadioOperations::Diagnose() {
    if (!doctorWindow_)
        doctorWindow_ = new DoctorWindow(&window_, session_.Ports());
    doctorWindow_->Run(QString::fromStdString(ChosenPort()));
}

void RadioOperations::CloseComm() {
    session_.Disconnect();
}

void RadioOperations::RunCheck(Check check) {
    if (!session_.RunCheck(check))
        Show(kBusyText, "エラー");
    ApplyState();
}

void RadioOperations::RunTransfer(const Transfer& t) {
    if (!session_.Linked())
        return;
    if (t.write && t.block == Block::Settings && !ConfirmMenuWarning())
        return;
    if ((!t.changed || (window_.*t.changed)()) &&
        !window_.UserPrompts().Question(&window_, QString::fromUtf8(t.question) + NeverLoadedText(t),
                                        QString::fromUtf8(t.caption)))
        return;
    if (t.block == Block::Settings && t.write)
        window_.GetMenu();
    // The option holds from the next operation on.
    session_.SetBackupBeforeWrite(window_.BackupBeforeWrite());
    if (!(t.write ? session_.Write(t.block, window_.Image(), window_.VerifyAfterWrite())
                  : session_.Read(t.block, window_.Image()))) {
        Show(kBusyText, "エラー");
        return;
    }
    window_.ShowTablesReading(!t.write && t.block == Block::Memory, !t.write && t.block == Block::Vfo,
                              !t.write && t.block == Block::Settings);
    ApplyState();
    waitWindow_.Begin();
    waitWindow_.exec();
}

// The table against what the radio holds, within what the table may change there; the session
// reads the radio first when this connection has not read or written it whole, and says so through
// the wait window. The question comes with the plan (ResPlanned), which may be made at once.
void RadioOperations::RunWriteChanged() {
    if (!session_.Linked())
        return;
    window_.GetMenu();
    const LoadedBlocks& loaded = window_.Loaded();
    const WriteMask allowed = AllowedParts(loaded.sources, loaded.Edited(window_.Image()), AllBlocks());
    if (allowed.settings != WriteMask{}.settings && !ConfirmMenuWarning())
        return;
    restoring_ = false;
    PlanWrite(window_.Image(), allowed);
}

void RadioOperations::PlanWrite(const RadioImage& image, const WriteMask& allowed) {
    waitWindow_.Begin(QStringLiteral("書き込む前に無線機の内容を読み込んでいます"));
    if (!session_.PlanChanged(image, allowed)) {
        Show(kBusyText, "エラー");
        return;
    }
    ApplyState();
    if (session_.Busy())
        waitWindow_.exec();
}

// 無線機に戻す writes the entry's blocks as 変更分を書き込み writes the table's: only what differs
// from the radio, shown first, then read back.
void RadioOperations::ShowHistory() {
    session_.SaveKept();
    HistoryDialog dialog(ReadHistory(HistoryFolder()), window_.Image(), session_.Connected() && !session_.Busy(),
                         &window_);
    if (dialog.exec() != QDialog::Accepted || !dialog.ChosenRow())
        return;
    const HistoryRow& row = *dialog.ChosenRow();
    const std::vector<Block> blocks = BlocksOf(row.stored.entry);
    if (dialog.Chosen() == HistoryDialog::Choice::Open) {
        window_.OpenImage(row.image, blocks);
        return;
    }
    constexpr BlockSources kFromFile{BlockSource::File, BlockSource::File, BlockSource::File};
    restoring_ = true;
    PlanWrite(row.image, AllowedParts(kFromFile, {}, blocks));
}

// Settings whose MENU line the file's reader warned about go to the radio only when the user says
// so after reading the warning.
bool RadioOperations::ConfirmMenuWarning() {
    const LoadedBlocks& loaded = window_.Loaded();
    if (loaded.menuWarning.empty() || loaded.SourceOf(Block::Settings) != BlockSource::File)
        return true;
    return window_.UserPrompts().Question(
        &window_,
        QStringLiteral(
            "設定ファイルの MENU 行は確かには読めていません。設定が違う項目に入っているかもしれません。\n\n") +
            ShownInMessage(QString::fromStdString(loaded.menuWarning)) +
            QStringLiteral("\n\nこのまま無線機に書き込みますか？"),
        QStringLiteral("設定書き込み"));
}

// A memory write of a table that came from neither the radio nor a file replaces the radio's
// channels with start-up values: the question says so, and how many used channels it empties
// when this connection knows the radio's.
QString RadioOperations::NeverLoadedText(const Transfer& t) const {
    if (!t.write || t.block != Block::Memory || window_.Loaded().SourceOf(Block::Memory) != BlockSource::Never)
        return {};
    QString text = QStringLiteral("\nこのメモリ表は無線機からもファイルからも読み込んでいません（起動時の内容です）。");
    if (session_.Holds(Block::Memory)) {
        const ChannelTable& radio = session_.Held().Channels;
        const ChannelTable& table = window_.Image().Channels;
        std::size_t cleared = 0;
        for (std::size_t row = 0; row < kChannelRows; ++row)
            cleared += !IsEmptyRow(radio[row]) && IsEmptyRow(table[row]) ? 1 : 0;
        text += QStringLiteral("無線機で使用中のチャンネル %1 件が空きになります。").arg(cleared);
    }
    return text;
}

void RadioOperations::StartSweep(const SweepRange& range) {
    if (!session_.StartSweep(range)) {
        Show(kBusyText, "エラー");
        return;
    }
    window_.Scope().SweepStarted(range);
    ApplyState();
}

void RadioOperations::Show(const QString& text, const char* caption) {
    window_.UserPrompts().Message(&window_, text, QString::fromUtf8(caption));
}

// The commands come back first; the wait window stays on screen until the box is dismissed.
void RadioOperations::ShowResult(const QString& text, const char* caption) {
    window_.ShowTablesReading(false, false, false);
    ApplyState();
    Show(historyNote_.isEmpty() ? text : text + QStringLiteral("\n\n") + historyNote_, caption);
    historyNote_.clear();
    if (waitWindow_.isVisible())
        waitWindow_.done(QDialog::Accepted);
}

void RadioOperations::ResCheck(const CheckResult& result) {
    ApplyState();
    // Without an answer the check has no verdict to give.
    if (!result.answered)
        Show(NoAnswerText() + kDoctorHint, "ID");
    else
        Show(CheckVerdict(result.check, result.yes), "ID");
}

// A memory read is one step of the 編集 history: 元に戻す brings back the table it replaced. A read
// that kept rows leaves them the window's own: a further read may still lose them.
void RadioOperations::ResRead(const ReadResult& result) {
    const bool whole = result.value == 0 && !result.outcome.radioSilent;
    window_.ApplyRead(result.block, result.image, session_.Holds(result.block), whole);
    const BlockTexts& texts = TextsOf(result.block);
    if (result.value > 0 && result.block != Block::Settings)
        window_.ShowStatus(QStringLiteral("完了: %1 %2を読めず、元のまま残しました")
                               .arg(result.value)
                               .arg(result.block == Block::Vfo ? QStringLiteral("個の VFO ") : QStringLiteral("行")));
    QString text = QString::fromUtf8(whole ? texts.readDone : texts.readFailed);
    if (!whole)
        text += QStringLiteral("\n\n") + CountText(result.outcome, false) +
                (result.block == Block::Settings ? QString() : KeptText(result));
    for (const std::string& refusal : result.commaRefusals)
        text += QLatin1Char('\n') + QString::fromStdString(refusal);
    ShowResult(SilentText(result.outcome) + text + RetryText(result.outcome), texts.caption);
}

void RadioOperations::ResWrite(const WriteResult& result) {
    if (session_.Holds(result.block))
        window_.MatchRadio(result.block, session_.Held());
    const BlockTexts& texts = TextsOf(result.block);
    const bool whole = result.errors == 0 && !result.outcome.radioSilent;
    if (whole)
        window_.ApplyWritten(result.block, window_.Image(), true);
    QString text = QString::fromUtf8(whole ? texts.writeDone : texts.writeFailed);
    if (!whole) {
        text += QStringLiteral("\n\n") + CountText(result.outcome, true);
        if (result.outcome.moved > 0 && result.outcome.moved < result.outcome.total)
            text += QLatin1Char('\n') + MixText();
    }
    if (result.verify)
        text += QStringLiteral("\n\n") + VerifyText(*result.verify);
    ShowResult(SilentText(result.outcome) + text + RetryText(result.outcome), texts.caption);
}

// The question lists what the plan changes; OK writes it, Cancel sends nothing. A plan that
// could not be made whole, or that changes nothing, is only reported.
void RadioOperations::ResPlanned(const WritePlan& plan) {
    QString text;
    if (!plan.whole)
        text = QStringLiteral("無線機の内容を読み切れなかったため（%1 件を読めず）、何も書き込んでいません。")
                   .arg(plan.unread);
    else if (plan.items.empty())
        text = QStringLiteral("無線機と異なる変更はありません。何も書き込んでいません。");
    const QString read = plan.radioRead ? QStringLiteral("\n（書き込む前に無線機の内容を読み込みました）") : QString();
    if (!text.isEmpty()) {
        ShowResult(SilentText(plan.outcome) + text + read + RetryText(plan.outcome), "変更分の書き込み");
        return;
    }
    const QString question =
        (restoring_ ? QStringLiteral("TH-D7を履歴の内容に戻します") : QStringLiteral("TH-D7に変更分を書き込みます")) +
        QStringLiteral("\n\n無線機で変わるもの（%1 件）:").arg(plan.items.size()) + PlanText(plan) + read;
    if (!window_.UserPrompts().Question(&window_, question, QStringLiteral("変更分の書き込み"))) {
        ApplyState();
        if (waitWindow_.isVisible())
            waitWindow_.done(QDialog::Rejected);
        return;
    }
    plan_ = plan;
    if (!session_.WriteChanged(plan)) {
        ShowResult(kBusyText, "エラー");
        return;
    }
    ApplyState();
}

// Per block, how many of the plan's rows, VFOs and settings commands were written; a stop or a
// failure never says the write was done.
void RadioOperations::ResChanged(const ChangedWriteResult& result) {
    static const char* const kBlockNames[] = {"メモリ", "VFO", "設定"};
    const bool whole = result.errors == 0 && !result.outcome.radioSilent;
    QString text;
    if (whole) {
        text = QStringLiteral("変更分 %1 件を書き込みました").arg(result.parts);
        for (const Block b : AllBlocks())
            if (result.chosen[static_cast<std::size_t>(b)] > 0) {
                if (!restoring_)
                    window_.ApplyWritten(b, plan_.wanted, false);
                // A restored entry is the radio's now, whatever the table holds.
                if (session_.Holds(b))
                    window_.MatchRadio(b, session_.Held());
            }
    } else {
        text = QStringLiteral("変更分の書き込みエラー\n");
        std::size_t chosen = 0;
        std::size_t written = 0;
        for (const Block b : AllBlocks()) {
            const auto i = static_cast<std::size_t>(b);
            chosen += result.chosen[i];
            written += result.written[i];
            if (result.chosen[i] > 0)
                text += QStringLiteral("\n%1: %2 件中 %3 件を書き込み、%4 件は書き込めませんでした。")
                            .arg(QString::fromUtf8(kBlockNames[i]))
                            .arg(result.chosen[i])
                            .arg(result.written[i])
                            .arg(result.chosen[i] - result.written[i]);
        }
        if (written > 0 && written < chosen)
            text += QLatin1Char('\n') + MixText();
        if (written == chosen)
            text += QStringLiteral("\n書き込んだ後の読み返しで、異なる内容または応答のないものがありました。");
        if (!result.differences.empty())
            text += QStringLiteral("\n\n") + VerifyText({.differences = result.differences});
    }
    ShowResult(SilentText(result.outcome) + text + RetryText(result.outcome), "変更分の書き込み");
}

void RadioOperations::ResPort(bool ok, const QString& failure) {
    if (!ok) {
        Show(QStringLiteral("ポートが開けませんでした。") +
                 (failure.isEmpty() ? QString() : QStringLiteral("\n\n") + failure),
             "エラー");
        return;
    }
    window_.ShowConnectCaption(true);
    ApplyState();
}

// A transfer whose completion never came (the link stopped before taking it up) ends here.
void RadioOperations::ResPortClose() {
    // A block read from the radio was that radio's on that connection; the next may be another's.
    window_.ForgetRadio();
    window_.ShowTablesReading(false, false, false);
    if (waitWindow_.isVisible())
        waitWindow_.done(QDialog::Rejected);
    window_.Scope().LinkClosed();
    window_.ShowConnectCaption(false);
    ApplyState();
}

// A sweep the radio fell silent in says so: the trace stops for a reason the user must hear of.
void RadioOperations::ResSweepEnded(bool radioSilent) {
    window_.Scope().SweepEnded(radioSilent);
    ApplyState();
    if (radioSilent)
        Show(SilentSweepText(), "エラー");
}

void RadioOperations::ApplyState() {
    window_.ShowLinkState(session_.Connected(), session_.Busy());
}

} // namespace zem
