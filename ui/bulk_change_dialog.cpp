#include "bulk_change_dialog.h"

#include "control_builders.h"
#include "edit_fields.h"
#include "prompts.h"

#include "model/codecs.h"
#include "model/conversion_error.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zem {
namespace {

const QString kUnchanged = QStringLiteral("変更しない");
constexpr int kOffsetWidth = 9;

// A list whose first item leaves the field as it is; each other item carries the record's text
// for it.
QComboBox* Choices(const char* objectName, std::initializer_list<std::pair<QString, QString>> items) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(objectName));
    box->addItem(kUnchanged);
    for (const auto& [text, code] : items)
        box->addItem(text, code);
    return box;
}

// 変更しない, オフ, then the tones the radio has, each carrying its two-digit code.
QComboBox* ToneChoices(const char* objectName) {
    QComboBox* box = Choices(objectName, {{QStringLiteral("オフ"), QString()}});
    for (std::size_t k = 0; k < kToneCount; ++k) {
        if (!ToneItems()[k].empty())
            box->addItem(QString::fromUtf8(ToneItems()[k]),
                         QString::fromStdString(ZeroPad(static_cast<long long>(k), 2)));
    }
    return box;
}

// What the list chose: nothing for 変更しない.
std::optional<std::string> Chosen(const QComboBox* box) {
    if (box->currentIndex() <= 0)
        return std::nullopt;
    return box->currentData().toString().toStdString();
}
std::optional<char> ChosenChar(const QComboBox* box) {
    const std::optional<std::string> code = Chosen(box);
    return code ? std::optional(code->front()) : std::nullopt;
}

} // namespace

BulkChangeDialog::BulkChangeDialog(Prompts& prompts, std::size_t rows, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
    SetUpEditDialog(*this, "BulkChangeDialog", "一括変更");

    step_ = Choices("BulkStep", {});
    for (std::size_t k = 0; k < kStepCount; ++k) {
        const char code = DigitChar(static_cast<long long>(k));
        step_->addItem(QString::fromUtf8(StepItemText(code)), QString(QLatin1Char(code)));
    }
    shift_ = Choices("BulkShift", {{QStringLiteral("Simplex"), QStringLiteral("0")},
                                   {QStringLiteral("Plus Shift"), QStringLiteral("1")},
                                   {QStringLiteral("Minus Shift"), QStringLiteral("2")}});
    offset_ = new MhzEdit("BulkOffset", {}, 9, nullptr);
    offset_->setPlaceholderText(kUnchanged);
    const std::initializer_list<std::pair<QString, QString>> onOff{{QStringLiteral("オン"), QStringLiteral("1")},
                                                                   {QStringLiteral("オフ"), QStringLiteral("0")}};
    reverse_ = Choices("BulkReverse", onOff);
    tone_ = ToneChoices("BulkTone");
    ctcss_ = ToneChoices("BulkCtcss");
    mode_ =
        Choices("BulkMode", {{QStringLiteral("FM"), QStringLiteral("0")}, {QStringLiteral("AM"), QStringLiteral("1")}});
    lockout_ = Choices("BulkLockout", onOff);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("周波数ステップ"), step_);
    form->addRow(QStringLiteral("シフト"), shift_);
    auto* offsetRow = new QHBoxLayout;
    offsetRow->addWidget(offset_);
    offsetRow->addWidget(new QLabel(QStringLiteral("MHz")));
    form->addRow(QStringLiteral("オフセット"), offsetRow);
    form->addRow(QStringLiteral("リバース"), reverse_);
    form->addRow(QStringLiteral("トーン発信"), tone_);
    form->addRow(QStringLiteral("CTCSS"), ctcss_);
    form->addRow(QStringLiteral("モード"), mode_);
    form->addRow(QStringLiteral("メモリロックアウト"), lockout_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &BulkChangeDialog::Accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("選んだ %1 チャンネルの、変更する項目を選んでください。").arg(rows)));
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<BulkChange> BulkChangeDialog::Change() const {
    BulkChange change;
    if (!offset_->text().trimmed().isEmpty()) {
        try {
            change.offset = offset_->Digits(kOffsetWidth);
        } catch (const ConversionError& e) {
            prompts_.Message(const_cast<BulkChangeDialog*>(this), QString::fromUtf8(e.what()), windowTitle());
            return std::nullopt;
        }
    }
    change.step = ChosenChar(step_);
    change.shift = ChosenChar(shift_);
    change.reverse = ChosenChar(reverse_);
    change.tone = Chosen(tone_);
    change.ctcss = Chosen(ctcss_);
    change.mode = ChosenChar(mode_);
    change.lockout = ChosenChar(lockout_);
    return change;
}

// A field that does not convert keeps the dialog open, so the user can mend it or cancel.
void BulkChangeDialog::Accept() {
    if (Change())
        accept();
}

} // namespace zem
