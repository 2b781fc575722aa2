#include "band_scope.h"

#include "radio_operations.h"

#include "link/tcomm_thread.h"
#include "model/codecs.h"
#include "model/conversion_error.h"
#include "ui/cp932_line_edit.h"
#include "ui/edit_fields.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QToolTip>

#include <array>
#include <cmath>

namespace zem {
namespace {

// The VFO (in the table's order) whose limits and step each band item offers, and the band
// character the link is given.
struct BandItem {
    std::size_t vfo;
    char band;
};
constexpr std::array<BandItem, 4> kBandItems{{{0, '0'}, {1, '0'}, {4, '1'}, {5, '1'}}};

QString MhzText(std::int64_t hz) {
    return QString::fromStdString(DigitsToExactMhz(ZeroPad(hz, 11), 4));
}

} // namespace

BandScope::BandScope(TFormD7& window, RadioOperations& radio)
    : QObject(&window), window_(window), radio_(radio), image_(window.findChild<QLabel*>(QStringLiteral("Image1"))),
      lower_(window.findChild<QLineEdit*>(QStringLiteral("DEdit"))),
      upper_(window.findChild<QLineEdit*>(QStringLiteral("UEdit"))),
      step_(window.findChild<QComboBox*>(QStringLiteral("StepBox"))),
      band_(window.findChild<QButtonGroup*>(QStringLiteral("VRadioGroup1Items"))),
      start_(window.findChild<QPushButton*>(QStringLiteral("SButton1"))), sweepStatus_(new QLabel(&window)),
      storageStart_(window.findChild<QAction*>(QStringLiteral("O2"))),
      storageEnd_(window.findChild<QAction*>(QStringLiteral("Exit2"))) {
    connect(band_, &QButtonGroup::idClicked, this, &BandScope::VRadioGroup1Click);
    connect(start_, &QPushButton::clicked, this, &BandScope::SButton1Click);
    connect(window.findChild<QPushButton*>(QStringLiteral("StopButton1")), &QPushButton::clicked, this,
            &BandScope::StopButton1Click);
    connect(storageStart_, &QAction::triggered, this, &BandScope::O2Click);
    connect(storageEnd_, &QAction::triggered, this, &BandScope::Exit2Click);
    sweepStatus_->setObjectName(QStringLiteral("ScopeStatus"));
    window.statusBar()->addPermanentWidget(sweepStatus_);
    sweepStatus_->hide();
    image_->installEventFilter(this);

    radio_.afterMessage = [this](const LinkMessage& message) {
        switch (message.code()) {
        case kMsgScope:
            ResScope(message);
            break;
        case kMsgPortOpened: // the end of a sweep
            sweepStatus_->hide();
            break;
        case kMsgPortClosed: // nothing is lost when the radio goes away while storing
            sweepStatus_->hide();
            if (storing_)
                Exit2Click();
            break;
        default:
            break;
        }
    };
}

// Storage lines are flushed as they are written; closing here makes the file whole when the
// program ends while storing.
BandScope::~BandScope() {
    storage_.close();
}

void BandScope::Error(const QString& text) {
    window_.UserPrompts().Message(&window_, text, QStringLiteral("エラー"));
}

void BandScope::VRadioGroup1Click(int item) {
    if (item < 0 || item >= static_cast<int>(kBandItems.size()))
        return;
    const VfoRecord& vfo = window_.Image().Vfos[kBandItems[static_cast<std::size_t>(item)].vfo];
    lower_->setText(LimitShown(vfo.LowerLimit.view()));
    upper_->setText(LimitShown(vfo.UpperLimit.view()));
    const int step = vfo.Step - '0';
    if (step >= 0 && step < step_->count())
        step_->setCurrentIndex(step);
}

bool BandScope::ReadSweep(Sweep& sweep) {
    for (const auto& [edit, hz, name] :
         {std::tuple{lower_, &sweep.lowerHz, "下限周波数"}, std::tuple{upper_, &sweep.upperHz, "上限周波数"}}) {
        try {
            *hz = MhzToHz(TypedNumber(edit->text()));
        } catch (const ConversionError& e) {
            Error(
                QStringLiteral("%1が正しくありません。\n%2").arg(QString::fromUtf8(name), QString::fromUtf8(e.what())));
            return false;
        }
    }
    if (sweep.upperHz < sweep.lowerHz) {
        Error(QStringLiteral("下限が上限を超えています"));
        return false;
    }
    sweep.stepCode = std::max(step_->currentIndex(), 0);
    const std::int32_t points = (sweep.upperHz - sweep.lowerHz) / StepHz(DigitChar(sweep.stepCode));
    sweep.count = points - 1;

    const int item = BandOfSpan(ZeroPad(sweep.upperHz, 11), ZeroPad(sweep.lowerHz, 11));
    if (item != band_->checkedId()) {
        if (item >= 0) {
            band_->button(item)->setChecked(true);
            VRadioGroup1Click(item);
        } else {
            ClearSelection(band_);
        }
    }
    if (item < 0) {
        Error(QStringLiteral("周波数範囲が不正です。"));
        return false;
    }
    // One step would put every reading at the same place, none would give passes without any.
    if (points < 2) {
        Error(QStringLiteral(
            "周波数範囲が狭すぎます。下限と上限の間に、周波数ステップ 2 つ分以上の幅を取ってください。"));
        return false;
    }
    sweep.band = kBandItems[static_cast<std::size_t>(item)].band;
    return true;
}

void BandScope::SButton1Click() {
    TCommThread* link = radio_.Link();
    Sweep sweep;
    if (!link || !ReadSweep(sweep))
        return;
    link->ScopeUpper = ZeroPad(sweep.upperHz, 11);
    link->ScopeLower = ZeroPad(sweep.lowerHz, 11);
    link->ScopeStep = DigitChar(sweep.stepCode);
    link->ScopeCount = sweep.count;
    link->ScopeBand = sweep.band;
    if (!radio_.RequestOperation(&TCommThread::ReqScope))
        return;
    sweep_ = sweep;
    lastReadings_.assign(static_cast<std::size_t>(sweep.count) + 1, -1);
    unread_.assign(lastReadings_.size(), false);
    trace_.Clear();
    ShowTrace();
    sweepStatus_->setText(QStringLiteral("スコープ %1〜%2 MHz  %3 ステップ  %4 点")
                              .arg(MhzText(sweep.lowerHz), MhzText(sweep.upperHz), step_->currentText())
                              .arg(sweep.count + 1));
    sweepStatus_->show();
}

// A sweep the worker had not yet taken up ends here and now: no message will come for it.
void BandScope::StopButton1Click() {
    TCommThread* link = radio_.Link();
    if (!link)
        return;
    link->StopScope();
    if (!link->Busy()) {
        sweepStatus_->hide();
        radio_.OperationEnded();
    }
}

void BandScope::ResScope(const LinkMessage& message) {
    const long value = message.value();
    if (value >= 0 && value <= 9) {
        passText_ += static_cast<char>('0' + value);
        const std::size_t at = passText_.size() - 1;
        if (at < lastReadings_.size()) {
            lastReadings_[at] = static_cast<int>(value);
            unread_[at] = message.unread();
        }
    } else {
        if (storing_)
            WriteStorageLine();
        passText_.clear();
    }
    Writeimage(static_cast<int>(value));
}

void BandScope::Writeimage(int value) {
    if (value >= 9 || value < 0)
        return;
    trace_.Draw(static_cast<int>(passText_.size()), sweep_.count, value);
    ShowTrace();
}

void BandScope::ShowTrace() {
    image_->setPixmap(QPixmap::fromImage(trace_.Image()));
}

// The time stamp is the start of the pass after the one stored, as the system's locale writes it.
void BandScope::WriteStorageLine() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    const QString line = locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                         locale.toString(now.time(), QLocale::LongFormat) + QLatin1Char(':') +
                         QString::fromStdString(passText_) + QStringLiteral("\r\n");
    const std::string bytes = ToCp932Lossy(line);
    if (storage_.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
        storage_.flush())
        return;
    Error(QStringLiteral("ストレージファイルに書き込めませんでした。記録を終了します。\n%1\n（%2）")
              .arg(storage_.fileName(), storage_.errorString()));
    storage_.close();
    Exit2Click();
}

void BandScope::O2Click() {
    const FileDialogRequest request{QStringLiteral("SaveDialog2"), QStringLiteral("ストレージスコープ"),
                                    QStringLiteral("*.TXT|*.TXT|*.*|*.*"), QString(), false};
    const QString path = window_.UserPrompts().SaveFileName(&window_, request);
    if (path.isEmpty())
        return;
    // The dialog asks nothing before it names an existing file: a settings file is never emptied.
    if (path.endsWith(QLatin1String(".zem"), Qt::CaseInsensitive) && QFileInfo::exists(path)) {
        Error(QStringLiteral("%1 は設定ファイルです。ストレージファイルには使えません。").arg(path));
        return;
    }
    storage_.setFileName(path);
    if (!storage_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        Error(QStringLiteral("ストレージファイルを作れませんでした。\n%1\n（%2）").arg(path, storage_.errorString()));
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
    if (!storage_.isOpen())
        return;
    if (!storage_.flush())
        Error(QStringLiteral("ストレージファイルを閉じるときに書き込めませんでした。\n%1\n（%2）")
                  .arg(storage_.fileName(), storage_.errorString()));
    storage_.close();
}

// Hovering the trace names the frequency under the pointer and its last reading.
bool BandScope::eventFilter(QObject* watched, QEvent* event) {
    if (watched != image_ || event->type() != QEvent::ToolTip)
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = ReadingAt(help->pos().x());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, image_);
    return true;
}

QString BandScope::ReadingAt(int x) const {
    if (sweep_.count <= 0 || lastReadings_.empty())
        return {};
    const int points = static_cast<int>(lastReadings_.size());
    const int k = std::clamp(
        static_cast<int>(std::nearbyint(static_cast<double>(x) * sweep_.count / ScopeTrace::kBaselineEnd)), 1, points);
    const std::int64_t hz = sweep_.lowerHz + static_cast<std::int64_t>(k) * StepHz(DigitChar(sweep_.stepCode));
    const std::size_t at = static_cast<std::size_t>(k) - 1;
    const QString reading = lastReadings_[at] < 0 ? QStringLiteral("まだ読み取っていません")
                            : unread_[at]         ? QStringLiteral("S メーターを読めませんでした")
                                                  : QStringLiteral("S%1").arg(lastReadings_[at]);
    return QStringLiteral("%1 MHz: %2").arg(MhzText(hz), reading);
}

} // namespace zem
