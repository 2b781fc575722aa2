#include "memory_dialog.h"

#include "control_builders.h"
#include "edit_fields.h"
#include "prompts.h"

#include "model/codecs.h"
#include "model/command_text.h"
#include "model/conversion_error.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <optional>
#include <tuple>
#include <utility>

namespace zem {
namespace {

// The "シフト" items 0 to 2 are the shift codes; the last one is a split channel.
constexpr int kSplitItem = 3;

// Decimals a field shows at least: the frequencies to 10 Hz, the offset to 100 Hz.
constexpr int kFreqDecimals = 5;
constexpr int kOffsetDecimals = 4;
constexpr int kFreqWidth = 11;
constexpr int kOffsetWidth = 9;

// The "シフト" item a used record shows: split for an empty offset, else its shift code; -1 for
// an empty record or a code the items cannot show.
int ShiftItem(const MemoryChannel& r) {
    if (r.EmptyFlag != '0')
        return -1;
    if (r.Offset.empty())
        return kSplitItem;
    return r.Shift >= '0' && r.Shift < '0' + kSplitItem ? r.Shift - '0' : -1;
}

QLabel* NamedLabel(QWidget* parent, const char* objectName, const char* text, QRect geometry) {
    QLabel* label = MakeLabel(parent, text, geometry);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

} // namespace

Tsetform1::Tsetform1(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    SetUpEditDialog(*this, "setform1", "周波数設定");
    setFixedSize(441, 313);
    move(266, 111);
    BuildDesign();
}

void Tsetform1::BuildDesign() {
    QGroupBox* freq = MakeGroupBox(this, "FriqGroupBox1", "周波数設定", {0, 0, 233, 201});
    MakeLabel(freq, "受信周波数", {8, 21, 80, 14});
    Friq = new MhzEdit("Friq", {90, 18, 84, 20}, 9, freq);
    Friq->setText(QStringLiteral("145.00000"));
    MakeLabel(freq, "MHz", {178, 21, 30, 14});
    MakeLabel(freq, "周波数ステップ", {8, 45, 80, 14});
    Step = MakeList(freq, "Step", {90, 42, 100, 20}, {}, -1);
    FillStepItems(Step);
    Label4 = NamedLabel(freq, "Label4", "オフセット", {8, 69, 80, 14});
    OfsFriq = new MhzEdit("OfsFriq", {90, 66, 84, 20}, 5, freq);
    Label5 = NamedLabel(freq, "Label5", "MHz", {178, 69, 30, 14});
    Label10 = NamedLabel(freq, "Label10", "送信周波数", {8, 93, 80, 14});
    TXFriq = new MhzEdit("TXFriq", {90, 90, 84, 20}, 9, freq);
    Label11 = NamedLabel(freq, "Label11", "MHz", {178, 93, 30, 14});
    ModeGroup = MakeRadioGroup(freq, "ModeGroup", "シフト", {8, 116, 112, 80},
                               {"Simplex", "Plus Shift", "Minus Shift", "Split "}, -1);
    RevCheckBox1 = MakeCheck(freq, "RevCheckBox1", "リバース", {128, 124, 96, 17});

    std::tie(ToneBox1, TONEComboBox1) = MakeToneGroup(
        this, {"TONEGroupBox1", "トーン", {240, 0, 121, 97}, "ToneBox1", "トーン発信", "TONE周波数", "TONEComboBox1"});
    std::tie(CTCSSBox1, CTCSSComboBox1) = MakeToneGroup(
        this,
        {"CTCSSGroupBox1", "CTCSS", {240, 104, 121, 97}, "CTCSSBox1", "CTCSS使用", "CTCSS周波数", "CTCSSComboBox1"});

    QGroupBox* option = MakeGroupBox(this, "Option", "Option", {0, 208, 441, 105});
    MakeLabel(option, "メモ", {8, 23, 40, 14});
    MemoEdit =
        MakeEdit(option, "MemoEdit", {52, 20, 329, 20}, MemoryChannel{}.Memo.capacity, Cp932LineEdit::Comma::Allow, {});
    MakeLabel(option, "メモリネーム", {8, 50, 80, 14});
    NameEdit =
        MakeEdit(option, "NameEdit", {90, 47, 90, 20}, MemoryChannel{}.Name.capacity, Cp932LineEdit::Comma::Refuse, {});
    AMCheckBox = MakeCheck(option, "AMCheckBox", "AM受信", {200, 49, 100, 17});
    RockCheck = MakeCheck(option, "RockCheck", "メモリロックアウト", {8, 76, 160, 17});

    QPushButton* ok = MakeButton(this, "OKButton1", "OK", {368, 8, 67, 25});
    ok->setDefault(true);
    QPushButton* cancel = MakeButton(this, "CButton1", "Cancel", {368, 48, 67, 25});
    QPushButton* erase = MakeButton(this, "OKWButton1", "削除", {368, 88, 67, 25});

    connect(ok, &QPushButton::clicked, this, &Tsetform1::OKButton1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(erase, &QPushButton::clicked, this, &Tsetform1::OKWButton1Click);
    connect(ModeGroup, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
        if (checked)
            ModeGroupClick(item);
    });
    connect(AMCheckBox, &QCheckBox::toggled, this, &Tsetform1::AMCheckBoxClick);
}

MemoryChannel Tsetform1::Edit(const MemoryChannel& record, std::size_t row) {
    SetRowCaption(row);
    record_ = record;
    setdata();
    Friq->setFocus();
    Friq->selectAll();
    exec();
    return record_;
}

void Tsetform1::SetRowCaption(std::size_t row) {
    setWindowTitle(row < kNumberedChannels ? QStringLiteral("第%1メモリ").arg(row)
                                           : QString::fromStdString(RowLabel(row)) + QStringLiteral("メモリ"));
}

void Tsetform1::setdata() {
    const MemoryChannel& r = record_;
    if (r.EmptyFlag != '0') {
        Friq->ShowText(QStringLiteral("145.000"));
        Step->setCurrentIndex(5); // 20 kHz
        ModeGroup->button(0)->setChecked(true);
        RevCheckBox1->setChecked(false);
        ToneBox1->setChecked(false);
        CTCSSBox1->setChecked(false);
        TONEComboBox1->setCurrentIndex(9); // 88.5 Hz
        CTCSSComboBox1->setCurrentIndex(9);
        OfsFriq->ShowText(QStringLiteral("0.60"));
        AMCheckBox->setChecked(false);
        NameEdit->SetCp932({});
        RockCheck->setChecked(false);
        return;
    }
    Friq->ShowDigits(r.RxFreq.view(), kFreqDecimals);
    SelectCode(Step, r.Step);
    // A shift code the items cannot show ('3' from a file) checks none of them, and the channel
    // keeps its code and offset unless the user picks a shift.
    const int shift = ShiftItem(r);
    if (shift >= 0)
        ModeGroup->button(shift)->setChecked(true);
    else
        ClearSelection(ModeGroup);
    RevCheckBox1->setChecked(IsFlagSet(r.Reverse));
    ToneBox1->setChecked(IsFlagSet(r.ToneOn));
    CTCSSBox1->setChecked(IsFlagSet(r.CtcssOn));
    SelectCode(TONEComboBox1, r.ToneCode.view());
    SelectCode(CTCSSComboBox1, r.CtcssCode.view());
    if (shift == kSplitItem) {
        TXFriq->ShowDigits(r.TxFreq.view(), kFreqDecimals);
    } else {
        simplexmode();
        OfsFriq->ShowDigits(r.Offset.view(), kOffsetDecimals);
    }
    MemoEdit->SetCp932(r.Memo.view());
    AMCheckBox->setChecked(r.Mode == '1');
    NameEdit->SetCp932(r.Name.view());
    RockCheck->setChecked(IsFlagSet(r.Lockout));
}

MemoryChannel Tsetform1::Converted() const {
    MemoryChannel r = record_;
    r.EmptyFlag = '0';
    r.RxFreq = Friq->Digits(kFreqWidth);
    StoreCode(Step, r.Step);
    r.Reverse = FlagChar(RevCheckBox1->isChecked());
    r.ToneOn = FlagChar(ToneBox1->isChecked());
    r.CtcssOn = FlagChar(CTCSSBox1->isChecked());
    StoreCode(TONEComboBox1, r.ToneCode);
    StoreCode(CTCSSComboBox1, r.CtcssCode);
    // The shift code changes only with the item: a split channel stored with another code keeps it.
    const int shift = ModeGroup->checkedId();
    const bool picked = shift != ShiftItem(record_);
    if (shift == kSplitItem) {
        if (picked)
            r.Shift = '0';
        r.Offset.clear();
        r.TxFreq = TXFriq->Digits(kFreqWidth);
    } else {
        if (shift >= 0 && picked)
            r.Shift = DigitChar(shift);
        r.Offset = OfsFriq->Digits(kOffsetWidth);
    }
    r.Mode = FlagChar(AMCheckBox->isChecked());
    r.Lockout = FlagChar(RockCheck->isChecked());
    r.Name = NameEdit->Cp932();
    r.Memo = MemoEdit->Cp932();
    return r;
}

bool Tsetform1::PutData() {
    for (const auto& [edit, field] : {std::pair{NameEdit, "メモリネーム"}, std::pair{MemoEdit, "メモ"}}) {
        if (const std::optional<QString> refusal = edit->Refusal(QString::fromUtf8(field))) {
            prompts_.Message(this, *refusal, QStringLiteral("エラー"));
            return false;
        }
    }
    try {
        record_ = Converted();
        return true;
    } catch (const ConversionError& e) {
        prompts_.Message(this, QString::fromUtf8(e.what()), QStringLiteral("エラー"));
        return false;
    }
}

void Tsetform1::OKButton1Click() {
    if (PutData())
        accept();
}

void Tsetform1::OKWButton1Click() {
    record_.EmptyFlag = '1';
    accept();
}

void Tsetform1::ModeGroupClick(int item) {
    if (item == kSplitItem)
        Splitmode();
    else
        simplexmode();
}

void Tsetform1::Splitmode() {
    for (QWidget* w : {static_cast<QWidget*>(Label4), static_cast<QWidget*>(OfsFriq), static_cast<QWidget*>(Label5)})
        w->setEnabled(false);
    for (QWidget* w : {static_cast<QWidget*>(TXFriq), static_cast<QWidget*>(Label10), static_cast<QWidget*>(Label11)})
        w->setEnabled(true);
    TXFriq->ShowText(Friq->text());
    RevCheckBox1->setEnabled(false);
}

void Tsetform1::simplexmode() {
    for (QWidget* w : {static_cast<QWidget*>(Label4), static_cast<QWidget*>(OfsFriq), static_cast<QWidget*>(Label5)})
        w->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(TXFriq), static_cast<QWidget*>(Label10), static_cast<QWidget*>(Label11)})
        w->setEnabled(false);
    RevCheckBox1->setEnabled(true);
}

// AM reception only inside the air band; the box is checked by a click or by setdata and cleared
// again at once outside it. Changing the frequency later does not clear it.
void Tsetform1::AMCheckBoxClick() {
    if (!AMCheckBox->isChecked())
        return;
    try {
        if (!AmReceptionAllowed(Friq->NumberText()))
            AMCheckBox->setChecked(false);
    } catch (const ConversionError& e) {
        prompts_.Message(this, QString::fromUtf8(e.what()), QStringLiteral("エラー"));
    }
}

} // namespace zem
