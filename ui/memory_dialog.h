#pragma once

#include "model/records.h"

#include <QDialog>

#include <cstddef>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace zem {

class Cp932LineEdit;
class MhzEdit;
class Prompts;

// The memory channel dialog: edits its own copy of one channel record. Made once and reused, so
// what setdata leaves alone (the memo and transmit frequency for an empty channel) stays from
// the channel shown before.
class Tsetform1 : public QDialog {
    Q_OBJECT
public:
    // Error boxes go through `prompts`.
    Tsetform1(Prompts& prompts, QWidget* parent = nullptr);

    // The opener's part: caption for the table row, the record in, the modal show, the record
    // out. OK stores the controls, Cancel and the close box leave the record as it came, "削除"
    // marks it empty.
    MemoryChannel Edit(const MemoryChannel& record, std::size_t row);

    void SetRowCaption(std::size_t row);
    // Record to controls.
    void setdata();
    // Controls to record, every field converted before any is stored; false after the error box
    // when a field does not convert, the record then as it was.
    bool PutData();

    const MemoryChannel& Record() const { return record_; }

private:
    void BuildDesign();
    MemoryChannel Converted() const;
    void OKButton1Click();
    void OKWButton1Click();
    void ModeGroupClick(int item);
    void AMCheckBoxClick();
    void Splitmode();
    void simplexmode();

    Prompts& prompts_;
    MemoryChannel record_;

    MhzEdit* Friq = nullptr;
    QComboBox* Step = nullptr;
    QLabel* Label4 = nullptr;
    MhzEdit* OfsFriq = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label10 = nullptr;
    MhzEdit* TXFriq = nullptr;
    QLabel* Label11 = nullptr;
    QButtonGroup* ModeGroup = nullptr;
    QCheckBox* RevCheckBox1 = nullptr;
    QCheckBox* ToneBox1 = nullptr;
    QComboBox* TONEComboBox1 = nullptr;
    QCheckBox* CTCSSBox1 = nullptr;
    QComboBox* CTCSSComboBox1 = nullptr;
    Cp932LineEdit* MemoEdit = nullptr;
    Cp932LineEdit* NameEdit = nullptr;
    QCheckBox* RockCheck = nullptr;
    QCheckBox* AMCheckBox = nullptr;
};

} // namespace zem
