#include "vfo_dialog.h"

#include "control_builders.h"
#include "edit_fields.h"
#include "prompts.h"
#include "screen_centre.h"

#include "model/codecs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <tuple>

namespace zem {
namespace {

struct VfoCaption {
    char vfoNo;
    const char* caption;
};
constexpr std::array<VfoCaption, 6> kCaptions{{
    {'1', "A Band 126MHz帯"},
    {'2', "A Band 145MHz帯（main）"},
    {'7', "A Band 435MHz帯"},
    {'3', "B Band 145MHz帯"},
    {'5', "B Band 360MHz帯"},
    {'6', "B Band 435MHz帯（main）"},
}};

// Only the VFO of the air band can receive AM.
constexpr char kAirBandVfo = '1';

constexpr int kFreqDecimals = 5;
constexpr int kOffsetDecimals = 1;

// A limit as the record keeps it: as stored while unedited, else "00" and the typed digits, cut
// to 5; nullopt unless the field holds one to three digits (full-width digits count).
std::optional<std::string> LimitDigits(const KeptTextEdit* edit) {
    if (std::optional<std::string> kept = edit->Unedited())
        return kept;
    const std::string text = TypedNumber(edit->text());
    const bool digits = !text.empty() && text.size() <= 3 &&
                        std::all_of(text.cbegin(), text.cend(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits)
        return std::nullopt;
    return ("00" + text).substr(0, 5);
}

} // namespace

TSetForm2::TSetForm2(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    SetUpEditDialog(*this, "SetForm2", "SetForm2");
    setFixedSize(425, 219);
    BuildDesign();
    CentreOnScreen(*this);
}

void TSetForm2::BuildDesign() {
    QGroupBox* freq = MakeGroupBox(this, "GroupBox1", "周波数", {8, 8, 193, 209});
    MakeLabel(freq, "受信周波数", {8, 21, 76, 14});
    FriqEdit = new MhzEdit("FriqEdit", {86, 18, 76, 20}, 9, freq);
    MakeLabel(freq, "MHz", {164, 21, 26, 14});
    MakeLabel(freq, "下限周波数", {8, 45, 76, 14});
    UpFriq = MakeNumberEdit(freq, "UpFriq", {86, 42, 40, 20}, 3);
    MakeLabel(freq, "MHz", {130, 45, 28, 14});
    MakeLabel(freq, "上限周波数", {8, 69, 76, 14});
    DwFriq = MakeNumberEdit(freq, "DwFriq", {86, 66, 40, 20}, 3);
    MakeLabel(freq, "MHz", {130, 69, 28, 14});
    MakeLabel(freq, "周波数ステップ", {6, 93, 80, 14});
    StepBox1 = MakeList(freq, "StepBox1", {86, 90, 90, 20}, {}, -1);
    FillStepItems(StepBox1);
    MakeLabel(freq, "オフセット", {8, 117, 76, 14});
    OFSFriq = new MhzEdit("OFSFriq", {86, 114, 76, 20}, 32767, freq);
    MakeLabel(freq, "MHz", {164, 117, 26, 14});
    ShiftRadioGroup =
        MakeRadioGroup(freq, "ShiftRadioGroup", "Shift", {6, 140, 106, 64}, {"Nomal", "Plus Shift", "Minus Shift"}, -1);
    REVCheckBox = MakeCheck(freq, "REVCheckBox", "リバース", {116, 150, 72, 17});
    AMCheckBox = MakeCheck(freq, "AMCheckBox", "AM", {116, 174, 72, 17});

    std::tie(ToneCheckBox, TONEComboBox) = MakeToneGroup(
        this,
        {"GroupBox2", "トーン", {208, 16, 129, 97}, "ToneCheckBox", "トーン使用", "トーン周波数", "TONEComboBox"});
    std::tie(CTCSSBox, CTCSSComboBox) = MakeToneGroup(
        this, {"GroupBox3", "CTCSS", {208, 120, 129, 97}, "CTCSSBox", "CTCSS使用", "CTCSS周波数", "CTCSSComboBox"});

    QPushButton* ok = MakeButton(this, "OKButton", "OK", {344, 8, 75, 25});
    ok->setDefault(true);
    QPushButton* cancel = MakeButton(this, "CancelButton", "Cancel", {344, 40, 75, 25});
    connect(ok, &QPushButton::clicked, this, &TSetForm2::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

VfoRecord TSetForm2::Edit(const VfoRecord& working) {
    VfoRecord copy = working;
    setdata(copy);
    FriqEdit->setFocus();
    FriqEdit->selectAll();
    exec();
    working_ = nullptr;
    return copy;
}

void TSetForm2::setdata(VfoRecord& working) {
    working_ = &working;
    record_ = working;
    const VfoRecord& r = record_;
    const auto caption =
        std::find_if(kCaptions.begin(), kCaptions.end(), [&](const VfoCaption& c) { return c.vfoNo == r.VfoNo; });
    if (caption != kCaptions.end())
        setWindowTitle(QString::fromUtf8(caption->caption));
    AMCheckBox->setEnabled(r.VfoNo == kAirBandVfo);
    FriqEdit->ShowDigits(r.Freq.view(), kFreqDecimals);
    UpFriq->ShowStored(LimitShown(r.LowerLimit.view()), r.LowerLimit.view());
    DwFriq->ShowStored(LimitShown(r.UpperLimit.view()), r.UpperLimit.view());
    OFSFriq->ShowDigits(r.Offset.view(), kOffsetDecimals);
    SelectCode(StepBox1, r.Step);
    SelectCode(ShiftRadioGroup, r.Shift);
    REVCheckBox->setChecked(IsFlagSet(r.Reverse));
    ToneCheckBox->setChecked(IsFlagSet(r.ToneOn));
    CTCSSBox->setChecked(IsFlagSet(r.CtcssOn));
    SelectCode(TONEComboBox, r.ToneCode.view());
    SelectCode(CTCSSComboBox, r.CtcssCode.view());
    AMCheckBox->setChecked(r.Mode == '1');
}

VfoRecord TSetForm2::Converted() const {
    VfoRecord r = record_;
    r.Freq = FriqEdit->Digits(11);
    for (const auto& [edit, limit, name] :
         {std::tuple{UpFriq, &r.LowerLimit, "下限周波数"}, std::tuple{DwFriq, &r.UpperLimit, "上限周波数"}}) {
        const std::optional<std::string> digits = LimitDigits(edit);
        if (!digits)
            throw std::invalid_argument(
                QStringLiteral("%1 '%2' は数字ではありません。MHz 単位の整数を 3 桁までの数字で入力してください。")
                    .arg(QString::fromUtf8(name), edit->text())
                    .toStdString());
        *limit = *digits;
    }
    StoreCode(StepBox1, r.Step);
    StoreCode(ShiftRadioGroup, r.Shift);
    StoreFlag(REVCheckBox, r.Reverse);
    StoreFlag(ToneCheckBox, r.ToneOn);
    StoreFlag(CTCSSBox, r.CtcssOn);
    StoreCode(TONEComboBox, r.ToneCode);
    StoreCode(CTCSSComboBox, r.CtcssCode);
    r.Offset = OFSFriq->Digits(9);
    StoreFlag(AMCheckBox, r.Mode);
    return r;
}

bool TSetForm2::PutData() {
    try {
        record_ = Converted();
    } catch (const std::exception& e) {
        prompts_.Message(this, QString::fromUtf8(e.what()), QStringLiteral("エラー"));
        return false;
    }
    if (working_)
        *working_ = record_;
    return true;
}

void TSetForm2::OKButtonClick() {
    if (PutData())
        accept();
}

} // namespace zem
