#pragma once

#include "model/bulk_change.h"

#include <QDialog>

#include <optional>

class QComboBox;

namespace zem {

class MhzEdit;
class Prompts;

// The 一括変更 dialog: the fields many channels can share, each starting at 変更しない, so
// that OK gives only what the user chose.
class BulkChangeDialog : public QDialog {
    Q_OBJECT
public:
    // Error boxes go through `prompts`; `rows` is how many used rows the change is for.
    BulkChangeDialog(Prompts& prompts, std::size_t rows, QWidget* parent = nullptr);

    // The change the fields ask for; nullopt after the error box when the offset is not a number.
    std::optional<BulkChange> Change() const;

private:
    void Accept();

    Prompts& prompts_;
    QComboBox* step_ = nullptr;
    QComboBox* shift_ = nullptr;
    MhzEdit* offset_ = nullptr;
    QComboBox* reverse_ = nullptr;
    QComboBox* tone_ = nullptr;
    QComboBox* ctcss_ = nullptr;
    QComboBox* mode_ = nullptr;
    QComboBox* lockout_ = nullptr;
};

} // namespace zem
