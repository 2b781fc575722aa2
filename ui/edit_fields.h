#pragma once

#include "cp932_line_edit.h"

#include "model/fixed_text.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

class QButtonGroup;
class QCheckBox;
class QComboBox;

namespace zem {

// An edit for a frequency or offset in MHz. It shows a record's Hz digits with every digit they
// hold (at least the design's decimals), and gives them back as they were while unedited.
class MhzEdit : public KeptTextEdit {
public:
    MhzEdit(const char* objectName, QRect geometry, int designMaxLength, QWidget* parent);

    // A record text that is not digits is shown as it stands, so the user sees what to mend.
    void ShowDigits(std::string_view hzDigits, int minDecimals);
    // The stored digits while unedited, else the text as record digits of that width. Full-width
    // digits and point (from a Japanese input method) count as their ASCII forms. Throws
    // ConversionError.
    std::string Digits(int width) const;
    // The text with that normalisation, as CP932 bytes for the checks and their messages.
    std::string NumberText() const;
};

// The step list ("5 kHz" .. "100 kHz") and the tone list (40 items, index = tone number).
void FillStepItems(QComboBox* box);
void FillToneItems(QComboBox* box);

// A group of the edit dialogs holding a check box and, under a label, the tone list.
struct ToneGroupDesign {
    const char* groupName;
    const char* caption;
    QRect geometry;
    const char* checkName;
    const char* checkCaption;
    const char* listLabel;
    const char* listName;
};
// The check box and the list.
std::pair<QCheckBox*, QComboBox*> MakeToneGroup(QWidget* parent, const ToneGroupDesign& design);

// Text a user typed into a number field, as CP932 bytes for the conversions and their messages:
// full-width digits and point (from a Japanese input method) become their ASCII forms.
std::string TypedNumber(const QString& typed);
// A whole-MHz limit of a VFO ("00118" shows as "118"), or the stored text itself when it is not a
// number, so the user sees what to mend.
QString LimitShown(std::string_view limitDigits);
// Leaves an exclusive radio group without a checked button.
void ClearSelection(QButtonGroup* group);

// A one-digit code onto a list or a radio group, and back. A code the control cannot show leaves
// it without a selection, and reading a control without a selection, or with the item the code
// names, keeps the record's code, so a code survives an OK as it was stored.
void SelectCode(QComboBox* box, char code);
void SelectCode(QButtonGroup* group, char code);
void StoreCode(const QComboBox* box, char& code);
void StoreCode(const QButtonGroup* group, char& code);
// The same for two-digit tone codes ("09").
void SelectCode(QComboBox* box, std::string_view twoDigits);
void StoreCode(const QComboBox* box, FixedText<2>& twoDigits);
// A flag from a check box, kept as stored while the box shows it (on exactly for '1').
void StoreFlag(const QCheckBox* box, char& flag);

} // namespace zem
