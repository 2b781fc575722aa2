#include "band_scope.h"

#include "control_builders.h"
#include "cp932_line_edit.h"
#include "edit_fields.h"

#include "model/codecs.h"
#include "model/conversion_error.h"
#include "model/cp932.h"
#include "model/file_name.h"
#include "session/radio_texts.h"
#include "session/scope_storage.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>

#include <array>
#include <cmath>

namespace zem {
namespace {

// The VFO (in the table's order) whose limits and step each band item offers.
constexpr std::array<std::size_t, 4> kBandVfos{0, 1, 4, 5};

QString MhzText(std::int64_t hz) {
    return QString::fromStdString(DigitsToExactMhz(ZeroPad(hz, 11), 4));
}

QFrame* Panel(QWidget* parent, const char* name, QRect bounds, QFrame::Shadow shadow, int lineWidth) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setLineWidth(lineWidth);
    panel->setGeometry(bounds);
    return panel;
}

// The band choice: items in two columns, the index being the band of the VFO table.
QButtonGroup* BandRadioGroup(QWidget* parent) {
    static constexpr const char* kItems[] = {"125MHz帯", "145MHz帯", "360MHz帯", "435MHz帯"};
    auto* group = MakeGroupBox(parent, "VRadioGroup1", "VFO", QRect(4, 2, 196, 75));
    auto* buttons = new QButtonGroup(group);
    buttons->setObjectName(QStringLiteral("VRadioGroup1Items"));
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(kItems[i]), group);
        button->setGeometry(8 + (i % 2) * 92, 20 + (i / 2) * 26, 88, 20);
        buttons->addButton(button, i);
    }
    buttons->button(2)->setChecked(true);
    return buttons;
}

QLineEdit* LimitEdit(QWidget* parent, const char* name, const char* caption, const char* design, int y) {
    MakeLabel(parent, caption, QRect(210, y + 3, 88, 14));
    MakeLabel(parent, "MHz", QRect(386, y + 3, 30, 14));
    QLineEdit* edit = MakeNumberEdit(parent, name, QRect(300, y, 80, 20), 32767);
    edit->setText(QString::fromUtf8(design));
    return edit;
}

} // namespace

BandScope::BandScope(QWidget& page, const RadioImage& image, Prompts& prompts, QAction& storageStart,
                     QAction& storageEnd)
    : QObject(&page), owner_(page), image_(image), prompts_(prompts), sweepStatus_(new QLabel),
      storageStart_(&storageStart), storageEnd_(&storageEnd) {
    QFrame* tracePanel = Panel(&page, "Panel1", QRect(16, 133, 529, 65), QFrame::Sunken, 2);
    picture_ = new QLabel(tracePanel);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setGeometry(2, 2, ScopeTrace::kWidth, ScopeTrace::kHeight);
    ShowTrace();

    QFrame* controls = Panel(&page, "Panel2", QRect(8, 205, 545, 81), QFrame::Raised, 1);
    band_ = BandRadioGroup(controls);
    lower_ = LimitEdit(controls, "DEdit", "下限周波数", "380.2125", 6);
    upper_ = LimitEdit(controls, "UEdit", "上限周波数", "381.3125", 30);
    MakeLabel(controls, "周波数ステップ", QRect(210, 57, 88, 14));
    step_ = MakeList(controls, "StepBox", QRect(300, 54, 80, 20), {}, -1);
    for (char code = '0'; code <= '9'; ++code)
        step_->addItem(QString::fromUtf8(StepItemText(code)));
    step_->setCurrentIndex(5); // 20 kHz, the window's set-up choice
    start_ = MakeButton(controls, "SButton1", "Start", QRect(444, 10, 90, 25));
    stop_ = MakeButton(controls, "StopButton1", "Stop", QRect(444, 44, 90, 25));
    start_->setEnabled(false);
    stop_->setEnabled(false);

    connect(band_, &QButtonGroup::idClicked, this, &BandScope::VRadioGroup1Click);
    connect(start_, &QPushButton::clicked, this, &BandScope::SButton1Click);
    connect(stop_, &QPushButton::clicked, this, &BandScope::StopButton1Click);
    sweepStatus_->setObjectName(QStringLiteral("ScopeStatus"));
    sweepStatus_->hide();
    picture_->installEventFilter(this);
    connect(storageStart_, &QAction::triggered, this, &BandScope::O2Click);
    connect(storageEnd_, &QAction::triggered, this, &BandScope::Exit2Click);
}

void BandScope::ShowLinkState(bool connected, bool busy) {
    start_->setEnabled(connected && !busy);
    stop_->setEnabled(connected);
}

// A pass stopped part-way is stored with the next sweep's first line, unless a silent radio cut it
// short: its readings never came.
void BandScope::SweepEnded(bool radioSilent) {
    sweepStatus_->hide();
    if (radioSilent)
        pass_.Clear();
}

void BandScope::LinkClosed() {
    sweepStatus_->hide();
    if (storing_)
        Exit2Click();
}

// Each storage line is saved as it comes, so the file is whole however the program ends.
BandScope::~BandScope() = default;

void BandScope::Error(const QString& text) {
    prompts_.Message(owner_.window(), text, QStringLiteral("エラー"));
}

void BandScope::VRadioGroup1Click(int item) {
    if (item < 0 || item >= static_cast<int>(kBandVfos.size()))
        return;
    const VfoRecord& vfo = image_.Vfos[kBandVfos[static_cast<std::size_t>(item)]];
    lower_->setText(LimitShown(vfo.LowerLimit.view()));
    upper_->setText(LimitShown(vfo.UpperLimit.view()));
    const int step = vfo.Step - '0';
    if (step >= 0 && step < step_->count())
        step_->setCurrentIndex(step);
}

// The edges as typed, then the one range check of the window and the tool. A range refused for its
// width is refused before the band choice would replace the typed limits.
bool BandScope::ReadSweep(SweepRange& sweep) {
    std::int32_t lowerHz = 0;
    std::int32_t upperHz = 0;
    for (const auto& [edit, hz, name] :
         {std::tuple{lower_, &lowerHz, "下限周波数"}, std::tuple{upper_, &upperHz, "上限周波数"}}) {
        try {
            *hz = MhzToHz(TypedNumber(edit->text()));
        } catch (const ConversionError& e) {
            Error(
                QStringLiteral("%1が正しくありません。\n%2").arg(QString::fromUtf8(name), QString::fromUtf8(e.what())));
            return false;
        }
    }
    const SweepCheck check = CheckSweepRange(lowerHz, upperHz, DigitChar(std::max(step_->currentIndex(), 0)));
    if (check.refusal == SweepRefusal::LowerAboveUpper || check.refusal == SweepRefusal::TooNarrow) {
        Error(SweepRefusalText(check.refusal));
        return false;
    }
    const int item = check.range.bandItem;
    if (item != band_->checkedId()) {
        if (item >= 0) {
            band_->button(item)->setChecked(true);
            VRadioGroup1Click(item);
        } else {
            ClearSelection(band_);
        }
    }
    if (check.refusal == SweepRefusal::NoBand) {
        Error(SweepRefusalText(check.refusal));
        return false;
    }
    sweep = check.range;
    return true;
}

void BandScope::SButton1Click() {
    SweepRange sweep;
    if (ReadSweep(sweep))
        emit SweepRequested(sweep);
}

void BandScope::SweepStarted(const SweepRange& sweep) {
    sweep_ = sweep;
    lastReadings_.assign(static_cast<std::size_t>(sweep.points), -1);
    unread_.assign(lastReadings_.size(), false);
    trace_.Clear();
    ShowTrace();
    sweepStatus_->setText(QStringLiteral("スコープ %1〜%2 MHz  %3 ステップ  %4 点")
                              .arg(MhzText(sweep.lowerHz), MhzText(sweep.upperHz), step_->itemText(sweep.step - '0'))
                              .arg(sweep.points));
    sweepStatus_->show();
}

void BandScope::StopButton1Click() {
    emit StopRequested();
}

void BandScope::ResScope(long value, bool unread) {
    if (value >= 0 && value <= 9) {
        pass_.Add(static_cast<int>(value), unread);
        const std::size_t at = pass_.digits.size() - 1;
        if (at < lastReadings_.size()) {
            lastReadings_[at] = static_cast<int>(value);
            unread_[at] = unread;
        }
    } else {
        StartPass();
    }
    Writeimage(static_cast<int>(value));
}

void BandScope::StartPass() {
    if (storing_)
        WriteStorageLine();
    pass_.Clear();
}

void BandScope::Writeimage(int value) {
    if (value >= 9 || value < 0)
        return;
    trace_.Draw(static_cast<int>(pass_.digits.size()), Count(), value);
    ShowTrace();
}

void BandScope::ShowTrace() {
    picture_->setPixmap(QPixmap::fromImage(trace_.Image()));
}

// The time stamp is the start of the pass after the one stored. A file that cannot take the line
// ends the storing before the one box about it opens: passes that arrive while the box is open
// must not pile more boxes on it.
void BandScope::WriteStorageLine() {
    try {
        storage_->Add(ScopeStorageLine(pass_.digits, QDateTime::currentDateTime()));
    } catch (const FileError& e) {
        Exit2Click();
        Error(QStringLiteral("ストレージファイルに書き込めませんでした。記録を終了しました。\n%1")
                  .arg(QString::fromUtf8(e.what())));
    }
}

// The storage file is made (or emptied) at once, through the checks of every save: a settings
// file, known by its content, is never emptied, whatever its name. The window never waits on the
// storage: a FIFO without a reader is not opened, and one whose reader stops taking the lines ends
// storing as a full disk would.
void BandScope::O2Click() {
    const FileDialogRequest request{QStringLiteral("SaveDialog2"), QStringLiteral("ストレージスコープ"),
                                    QStringLiteral("*.TXT|*.TXT|*.*|*.*"), QString(), false};
    const QString path = prompts_.SaveFileName(owner_.window(), request);
    if (path.isEmpty())
        return;
    try {
        storage_.emplace(
            FileNameBytes(path.toStdU16String()), [] { return true; }, OtherThanSettings());
        if (!storage_->Opened()) {
            storage_.reset();
            Error(QStringLiteral("%1 を読み出しているプログラムがないため、ストレージを開始できませんでした。"
                                 "読み出す側を先に起動してから、もう一度選んでください。")
                      .arg(ShownInMessage(path)));
            return;
        }
        storage_->Add({});
    } catch (const FileError& e) {
        storage_.reset();
        Error(QStringLiteral("ストレージファイルを作れませんでした。\n%1").arg(QString::fromUtf8(e.what())));
        return;
    }
    storageStart_->setEnabled(false);
    storageEnd_->setEnabled(true);
    storing_ = true;
}

void BandScope::Exit2Click() {
    storageEnd_->setEnabled(false);
    storageStart_->setEnabled(true);
    storing_ = false;
    storage_.reset();
}

// Hovering the trace names the frequency under the pointer and its last reading.
bool BandScope::eventFilter(QObject* watched, QEvent* event) {
    if (watched != picture_ || event->type() != QEvent::ToolTip)
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = ReadingAt(help->pos().x());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, picture_);
    return true;
}

QString BandScope::ReadingAt(int x) const {
    if (Count() <= 0 || lastReadings_.empty())
        return {};
    const int points = static_cast<int>(lastReadings_.size());
    const int k = std::clamp(
        static_cast<int>(std::nearbyint(static_cast<double>(x) * Count() / ScopeTrace::kBaselineEnd)), 1, points);
    const std::int64_t hz = sweep_.lowerHz + static_cast<std::int64_t>(k) * StepHz(sweep_.step);
    const std::size_t at = static_cast<std::size_t>(k) - 1;
    const QString reading = lastReadings_[at] < 0 ? QStringLiteral("まだ読み取っていません")
                            : unread_[at]         ? UnreadReadingText()
                                                  : QStringLiteral("S%1").arg(lastReadings_[at]);
    return QStringLiteral("%1 MHz: %2").arg(MhzText(hz), reading);
}

} // namespace zem
