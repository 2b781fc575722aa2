#include "radio_operations.h"

#include "link/tcomm_thread.h"
#include "ui/main_window.h"
#include "ui/wait_window.h"

#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <array>
#include <string_view>

namespace zem {
namespace {

// The commands a connection enables; the first eight start operations and wait while one runs.
constexpr std::array<const char*, 8> kOperationItems{"T2", "M1", "M2", "R4", "VFOV2", "VFO1", "N8", "S1"};

// A read that left rows or VFOs as they were says how many, so that nobody takes the table for
// the radio's whole contents.
QString WithUnread(const char* done, long unread, const char* what) {
    QString text = QString::fromUtf8(done);
    if (unread > 0)
        text += QStringLiteral("\n\n%1 %2は無線機から応答がなかったため、元のまま残しています。")
                    .arg(unread)
                    .arg(QString::fromUtf8(what));
    return text;
}

// The result box lists this many differing rows; the count tells how many more there are.
constexpr std::size_t kListedDifferences = 5;

// The read-back's verdict, below the write's result. A row the read-back got no answer for kept
// what was written and so compares equal: the count of those says how much went unchecked.
QString CheckText(const std::vector<RowDifference>& differences, long unread) {
    QString text = differences.empty()
                       ? QStringLiteral("照合: 相違なし")
                       : QStringLiteral("照合: %1 か所が書き込んだ内容と異なります").arg(differences.size());
    for (std::size_t i = 0; i < std::min(differences.size(), kListedDifferences); ++i)
        text +=
            QLatin1Char('\n') +
            QString::fromStdString(DifferenceLine(differences[i], [](std::string_view t) { return std::string(t); }));
    if (differences.size() > kListedDifferences)
        text += QStringLiteral("\n…");
    if (unread > 0)
        text += QStringLiteral("\n%1 件は無線機から応答がなく、照合できませんでした。").arg(unread);
    return text;
}

} // namespace

// The channels are compared without their memos, which only the file keeps.
const RadioOperations::WriteEnd RadioOperations::kMemoryWriteEnd{
    .done = "書き込み終了",
    .failed = "書き込みエラー",
    .caption = "MR",
    .readBack = &TCommThread::ReqRead,
    .readDone = kMsgMemoryRead,
    .scope = {.vfos = false, .settings = false, .memo = false}};
const RadioOperations::WriteEnd RadioOperations::kVfoWriteEnd{.done = "VFO書き込み完了しました",
                                                              .failed = "VFO書き込みエラー",
                                                              .caption = "ID",
                                                              .readBack = &TCommThread::ReqVFORead,
                                                              .readDone = kMsgVfoRead,
                                                              .scope = {.channels = false, .settings = false}};
const RadioOperations::WriteEnd RadioOperations::kSettingsWriteEnd{.done = "設定書き込み完了しました",
                                                                   .failed = "設定書き込みエラー",
                                                                   .caption = "ID",
                                                                   .readBack = &TCommThread::ReqMenuRead,
                                                                   .readDone = kMsgSettingsRead,
                                                                   .scope = {.channels = false, .vfos = false}};

RadioOperations::RadioOperations(TFormD7& window, TwaitForm1& waitWindow, SerialPortFactory ports)
    : window_(window), waitWindow_(waitWindow), ports_(std::move(ports)) {
    auto* menu = window_.findChild<QMenu*>(QStringLiteral("P1"));
    portMenu_ = new PortMenu(*menu, *menu->findChild<QActionGroup*>());
    const std::array<std::pair<const char*, void (RadioOperations::*)()>, 9> handlers{{
        {"O1", &RadioOperations::O1Click},
        {"T2", &RadioOperations::T2Click},
        {"M1", &RadioOperations::M1Click},
        {"M2", &RadioOperations::M2Click},
        {"R4", &RadioOperations::R4Click},
        {"VFOV2", &RadioOperations::VFOV2Click},
        {"VFO1", &RadioOperations::VFO1Click},
        {"N8", &RadioOperations::N8Click},
        {"S1", &RadioOperations::S1Click},
    }};
    for (const auto& [name, handler] : handlers)
        connect(Action(name), &QAction::triggered, this, handler);
    connect(&window_, &TFormD7::CloseAccepted, this, [this] {
        if (connected_)
            CloseComm();
    });
    window_.installEventFilter(this);
    ApplyState();
}

// The program may end while the link still runs (closing while connected does not wait for
// the port to close): the worker is stopped and waited for before the window goes. A sweep would
// never end by itself, so it is stopped first.
RadioOperations::~RadioOperations() {
    if (link_) {
        link_->StopScope();
        link_->Running.store(0, std::memory_order_release);
        link_->wait();
    }
}

void RadioOperations::SelectPort(const QString& port) {
    portMenu_->Select(port);
}

QAction* RadioOperations::Action(const char* name) const {
    return window_.findChild<QAction*>(QString::fromLatin1(name));
}

bool RadioOperations::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_)
        return false;
    if (event->type() == LinkMessage::Type()) {
        AppMessage(*static_cast<LinkMessage*>(event));
        return true;
    }
    if (event->type() == StatusText::Type()) {
        const QString& text = static_cast<StatusText*>(event)->text();
        window_.statusBar()->showMessage(text);
        waitWindow_.ShowStatus(text);
        return true;
    }
    if (event->type() == TransferProgress::Type()) {
        const auto* progress = static_cast<TransferProgress*>(event);
        waitWindow_.ShowProgress(progress->done(), progress->total());
        return true;
    }
    return false;
}

void RadioOperations::O1Click() {
    if (connected_)
        CloseComm();
    else if (!link_) // while connecting the first press stands
        StartComm();
}

void RadioOperations::StartComm() {
    link_ = std::make_unique<TCommThread>();
    link_->SetStatusBar(&window_);
    const PortMenu::Choice port = portMenu_->Chosen();
    if (port.path.isEmpty())
        link_->SetPort(port.index);
    else
        link_->SetPortPath(port.path.toStdString());
    link_->SetWindow(&window_);
    link_->SetPortFactory(ports_);
    link_->Image.Channels = window_.Image().Channels;
    busy_ = false;
    link_->start();
}

void RadioOperations::CloseComm() {
    if (link_)
        link_->Running.store(0, std::memory_order_release);
}

bool RadioOperations::RequestOperation(bool (TCommThread::*request)()) {
    // The option holds from the next operation on; one already running keeps its pace.
    if (link_)
        link_->SetFastTransfers(Action("FastTransfer")->isChecked());
    if (!link_ || !((*link_).*request)()) {
        Show(QStringLiteral("無線機は別の処理を実行中です。終わってからもう一度実行してください。"), "エラー");
        return false;
    }
    busy_ = true;
    ApplyState();
    return true;
}

void RadioOperations::T2Click() {
    RequestOperation(&TCommThread::ReqID);
}

void RadioOperations::M1Click() {
    RequestOperation(&TCommThread::ReqMod);
}

void RadioOperations::RunTransfer(const Transfer& t) {
    if (!link_)
        return;
    if (t.ask && !window_.UserPrompts().Question(&window_, QString::fromUtf8(t.question), QString::fromUtf8(t.caption)))
        return;
    t.copyIn(window_, *link_);
    if (!RequestOperation(t.request))
        return;
    waitWindow_.Begin();
    waitWindow_.exec();
}

void RadioOperations::M2Click() {
    RunTransfer({window_.MemoryChanged(), "メモリデーターの変更が失われます。続行しますか？", "メモリ読み込み",
                 [](TFormD7& w, TCommThread& l) { l.Image.Channels = w.Image().Channels; }, &TCommThread::ReqRead});
}

void RadioOperations::R4Click() {
    RunTransfer({true, "TH-D7メモリに書き込みます", "メモリ書き込み",
                 [](TFormD7& w, TCommThread& l) { l.Image.Channels = w.Image().Channels; }, &TCommThread::ReqWrite});
}

void RadioOperations::VFOV2Click() {
    RunTransfer({window_.VfoChanged(), "VFO設定の変更か失われます。続行しますか？", "VFO書き込み",
                 [](TFormD7& w, TCommThread& l) { l.Image.Vfos = w.Image().Vfos; }, &TCommThread::ReqVFORead});
}

void RadioOperations::VFO1Click() {
    RunTransfer({true, "TH-D7にVFO設定を書き込みます", "VFO書き込み",
                 [](TFormD7& w, TCommThread& l) { l.Image.Vfos = w.Image().Vfos; }, &TCommThread::ReqVFOwrite});
}

void RadioOperations::N8Click() {
    RunTransfer({window_.SettingsChanged(), "設定の変更か失われます。続行しますか？", "設定読み込み",
                 [](TFormD7& w, TCommThread& l) { l.Image.Settings = w.Image().Settings; }, &TCommThread::ReqMenuRead});
}

void RadioOperations::S1Click() {
    RunTransfer({window_.SettingsChanged(), "設定を書き込みますか？", "設定書き込み",
                 [](TFormD7& w, TCommThread& l) {
                     w.GetMenu();
                     l.Image.Settings = w.Image().Settings;
                 },
                 &TCommThread::ReqMenuwrite});
}

// Codes 10 and above 11 are ignored; 11 belongs to the scope display.
void RadioOperations::AppMessage(const LinkMessage& message) {
    if (!link_) // a message of a link already gone
        return;
    const long value = message.value();
    if (readBack_ && message.code() == readBack_->end->readDone) {
        ResReadBack(value);
        if (afterMessage)
            afterMessage(message);
        return;
    }
    switch (message.code()) {
    case kMsgModelCheck:
        ResID(value);
        break;
    case kMsgModCheck:
        ResMod(value);
        break;
    case kMsgMemoryWritten:
        Reswrite(value);
        break;
    case kMsgMemoryRead:
        ResRead(value);
        break;
    case kMsgPortOpened:
        ResPort(value);
        break;
    case kMsgPortClosed:
        ResPortClose();
        break;
    case kMsgVfoRead:
        ResVFORead(value);
        break;
    case kMsgVfoWritten:
        ResVFOwrite(value);
        break;
    case kMsgSettingsRead:
        ResMenuRead(value);
        break;
    case kMsgSettingsWritten:
        ResMenuwrite(value);
        break;
    default:
        break;
    }
    if (afterMessage)
        afterMessage(message);
}

void RadioOperations::Show(const QString& text, const char* caption) {
    window_.UserPrompts().Message(&window_, text, QString::fromUtf8(caption));
}

// The wait ends once the handler has returned, so the wait window stays until the result box is
// dismissed. The operation is over: the commands come back first.
void RadioOperations::CloseWaitWindow() {
    OperationEnded();
    if (waitWindow_.isVisible())
        waitWindow_.done(QDialog::Accepted);
}

void RadioOperations::ResID(long value) {
    OperationEnded();
    Show(value != 0 ? QStringLiteral("TH-D7です") : QStringLiteral("TH-D7以外の機器です"), "ID");
}

void RadioOperations::ResMod(long value) {
    OperationEnded();
    Show(value != 0 ? QStringLiteral("改造済み") : QStringLiteral("未改造"), "ID");
}

void RadioOperations::Reswrite(long value) {
    EndWrite(kMemoryWriteEnd, value);
}

// The read-back is one more operation of the link: the commands stay disabled and the wait
// window stays up, saying what it waits for now.
void RadioOperations::EndWrite(const WriteEnd& end, long errors) {
    const QString result = QString::fromUtf8(errors == 0 ? end.done : end.failed);
    if (!Action("VerifyAfterWrite")->isChecked()) {
        CloseWaitWindow();
        Show(result, end.caption);
        return;
    }
    if (!((*link_).*end.readBack)()) {
        CloseWaitWindow();
        Show(result + QStringLiteral("\n\n照合: 無線機が別の処理を実行中のため、読み返せませんでした。"), end.caption);
        return;
    }
    readBack_ = ReadBack{&end, link_->Image, result};
    waitWindow_.Begin(QStringLiteral("書き込んだ内容を読み返して照合しています"));
}

void RadioOperations::ResReadBack(long unread) {
    const ReadBack check = std::move(*readBack_);
    readBack_.reset();
    const std::vector<RowDifference> differences = DiffImages(check.written, link_->Image, check.end->scope);
    CloseWaitWindow();
    Show(check.result + QStringLiteral("\n\n") + CheckText(differences, unread), check.end->caption);
}

void RadioOperations::ResRead(long value) {
    CloseWaitWindow();
    window_.CommitChannels(link_->Image.Channels, QStringLiteral("メモリ読み出し"));
    Show(WithUnread("読み込み終了", value, "行"), "MR");
}

void RadioOperations::ResVFORead(long value) {
    window_.Image().Vfos = link_->Image.Vfos;
    window_.VFORectoGrid();
    CloseWaitWindow();
    Show(WithUnread("VFO読みとり完了しました", value, "個の VFO "), "ID");
}

void RadioOperations::ResVFOwrite(long value) {
    EndWrite(kVfoWriteEnd, value);
}

void RadioOperations::ResMenuRead(long value) {
    CloseWaitWindow();
    window_.Image().Settings = link_->Image.Settings;
    window_.PutMenu();
    QString text = value == 0 ? QStringLiteral("設定読み込み完了しました") : QStringLiteral("設定読み込みエラー");
    for (const std::string& refusal : link_->CommaRefusals())
        text += QStringLiteral("\n") + QString::fromStdString(refusal);
    Show(text, "ID");
}

void RadioOperations::ResMenuwrite(long value) {
    EndWrite(kSettingsWriteEnd, value);
}

// Also the end of every scope sweep: the worker is free again.
void RadioOperations::ResPort(long value) {
    if (value != 0) {
        QString text = QStringLiteral("ポートが開けませんでした。");
        if (!link_->OpenFailure().empty())
            text += QStringLiteral("\n\n") + QString::fromStdString(link_->OpenFailure());
        Show(text, "エラー");
        connected_ = false;
        link_->Running.store(0, std::memory_order_release);
        return;
    }
    connected_ = true;
    OperationEnded();
    Action("O1")->setText(QStringLiteral("切断(&C)"));
}

void RadioOperations::OperationEnded() {
    busy_ = false;
    ApplyState();
}

void RadioOperations::ResPortClose() {
    readBack_.reset();
    if (link_) {
        link_->wait();
        link_.reset();
    }
    connected_ = false;
    OperationEnded();
    Action("O1")->setText(QStringLiteral("接続(&C)"));
}

void RadioOperations::ApplyState() {
    for (const char* name : kOperationItems)
        Action(name)->setEnabled(connected_ && !busy_);
    Action("S3")->setEnabled(connected_);
    // Start waits while any operation runs, a sweep included; Stop stays for the sweep.
    window_.findChild<QPushButton*>(QStringLiteral("SButton1"))->setEnabled(connected_ && !busy_);
    window_.findChild<QPushButton*>(QStringLiteral("StopButton1"))->setEnabled(connected_);
    window_.findChild<QGroupBox*>(QStringLiteral("GroupBox5"))->setEnabled(connected_);
    window_.findChild<QWidget*>(QStringLiteral("Panel4"))->setVisible(!connected_);
    Action("P1")->setEnabled(!connected_);
}

} // namespace zem
