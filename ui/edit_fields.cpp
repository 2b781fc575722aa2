#include "edit_fields.h"

#include "control_builders.h"
#include "cp932_line_edit.h"

#include "model/codecs.h"
#include "model/conversion_error.h"
#include "model/cp932.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

namespace zem {
namespace {

// The index a code names, or -1 when it names none of `count` items.
int IndexOf(std::string_view digits, int count) {
    const std::optional<long long> index = DigitsValue(digits, 2);
    return index && *index < count ? static_cast<int>(*index) : -1;
}

} // namespace

MhzEdit::MhzEdit(const char* objectName, QRect geometry, int designMaxLength, QWidget* parent)
    : KeptTextEdit(designMaxLength, parent) {
    setObjectName(QString::fromLatin1(objectName));
    setGeometry(geometry);
}

void MhzEdit::ShowDigits(std::string_view hzDigits, int minDecimals) {
    QString text;
    try {
        text = QString::fromStdString(DigitsToExactMhz(hzDigits, minDecimals));
    } catch (const ConversionError&) {
        text = QString::fromStdString(Cp932ToUtf8(hzDigits));
    }
    ShowStored(text, hzDigits);
}

std::string MhzEdit::NumberText() const {
    return TypedNumber(text());
}

std::string TypedNumber(const QString& typed) {
    return ToCp932Lossy(typed.normalized(QString::NormalizationForm_KC));
}

QString LimitShown(std::string_view limitDigits) {
    try {
        return QString::fromStdString(LimitText(limitDigits));
    } catch (const ConversionError&) {
        return QString::fromStdString(Cp932ToUtf8(limitDigits));
    }
}

// An exclusive group will not let its last checked button go.
void ClearSelection(QButtonGroup* group) {
    if (QAbstractButton* checked = group->checkedButton()) {
        group->setExclusive(false);
        checked->setChecked(false);
        group->setExclusive(true);
    }
}

std::string MhzEdit::Digits(int width) const {
    if (std::optional<std::string> kept = Unedited())
        return *kept;
    return MhzToDigits(NumberText(), width);
}

void FillStepItems(QComboBox* box) {
    for (std::size_t code = 0; code < kStepCount; ++code)
        box->addItem(QString::fromUtf8(StepItemText(DigitChar(static_cast<long long>(code)))));
}

void FillToneItems(QComboBox* box) {
    for (const std::string_view item : ToneItems())
        box->addItem(QString::fromUtf8(item));
}

std::pair<QCheckBox*, QComboBox*> MakeToneGroup(QWidget* parent, const ToneGroupDesign& d) {
    QGroupBox* group = MakeGroupBox(parent, d.groupName, d.caption, d.geometry);
    const int width = d.geometry.width() - 16;
    QCheckBox* on = MakeCheck(group, d.checkName, d.checkCaption, {8, 20, width, 17});
    MakeLabel(group, d.listLabel, {8, 42, width, 14});
    QComboBox* list = MakeList(group, d.listName, {8, 60, width, 22}, {}, -1);
    FillToneItems(list);
    return {on, list};
}

void SelectCode(QComboBox* box, char code) {
    box->setCurrentIndex(IndexOf(std::string_view(&code, 1), box->count()));
}

void SelectCode(QComboBox* box, std::string_view twoDigits) {
    box->setCurrentIndex(IndexOf(twoDigits, box->count()));
}

void SelectCode(QButtonGroup* group, char code) {
    const int index = IndexOf(std::string_view(&code, 1), static_cast<int>(group->buttons().size()));
    if (index >= 0)
        group->button(index)->setChecked(true);
    else
        ClearSelection(group);
}

void StoreCode(const QComboBox* box, char& code) {
    const int index = box->currentIndex();
    if (index >= 0 && index != IndexOf(std::string_view(&code, 1), box->count()))
        code = DigitChar(index);
}

void StoreCode(const QButtonGroup* group, char& code) {
    const int index = group->checkedId();
    if (index >= 0 && index != IndexOf(std::string_view(&code, 1), static_cast<int>(group->buttons().size())))
        code = DigitChar(index);
}

void StoreCode(const QComboBox* box, FixedText<2>& twoDigits) {
    const int index = box->currentIndex();
    if (index >= 0 && index != IndexOf(twoDigits.view(), box->count()))
        twoDigits = ZeroPad(index, 2);
}

void StoreFlag(const QCheckBox* box, char& flag) {
    if (box->isChecked() != IsFlagSet(flag))
        flag = FlagChar(box->isChecked());
}

} // namespace zem
