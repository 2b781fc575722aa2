#pragma once

#include "model/records.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zem {

class KeptTextEdit;
class MhzEdit;
class Prompts;

// The VFO dialog: edits one VFO record. Made once and reused; its caption names the VFO and
// stays from the previous use for a VFO number it does not know.
class TSetForm2 : public QDialog {
    Q_OBJECT
public:
    TSetForm2(Prompts& prompts, QWidget* parent = nullptr);

    // The opener's part: the working copy in, the modal show; the copy comes back changed only
    // when OK succeeded.
    VfoRecord Edit(const VfoRecord& working);

    // Caption and controls from the working copy.
    void setdata(VfoRecord& working);
    // Controls into the working copy, all fields checked and converted before any is stored;
    // false after the error box, the working copy then untouched.
    bool PutData();

private:
    void BuildDesign();
    VfoRecord Converted() const;
    void OKButtonClick();

    Prompts& prompts_;
    VfoRecord* working_ = nullptr;
    VfoRecord record_;

    MhzEdit* FriqEdit = nullptr;
    KeptTextEdit* UpFriq = nullptr;
    KeptTextEdit* DwFriq = nullptr;
    QComboBox* StepBox1 = nullptr;
    MhzEdit* OFSFriq = nullptr;
    QButtonGroup* ShiftRadioGroup = nullptr;
    QCheckBox* REVCheckBox = nullptr;
    QCheckBox* AMCheckBox = nullptr;
    QCheckBox* ToneCheckBox = nullptr;
    QComboBox* TONEComboBox = nullptr;
    QCheckBox* CTCSSBox = nullptr;
    QComboBox* CTCSSComboBox = nullptr;
};

} // namespace zem
