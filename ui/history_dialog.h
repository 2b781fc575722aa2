#pragma once

#include "model/radio_history.h"
#include "model/records.h"

#include <QDialog>

#include <vector>

class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace zem {

// ファイル → 無線機の履歴: the entries, newest first, with when, what, the port, the used
// channels and how many rows differ from the entry before; the chosen entry's differences from
// the window's table; and what to do with it. The dialog only chooses: its caller opens or
// restores the entry.
class HistoryDialog : public QDialog {
public:
    enum class Choice { None, Open, Restore };

    // `connected`: 無線機に戻す needs the radio.
    HistoryDialog(std::vector<HistoryRow> rows, const RadioImage& table, bool connected, QWidget* parent);

    Choice Chosen() const { return choice_; }
    // The entry chosen, or none.
    const HistoryRow* ChosenRow() const;

private:
    void ShowDifferences();

    std::vector<HistoryRow> rows_;
    RadioImage table_;
    bool connected_;
    Choice choice_ = Choice::None;
    QTableWidget* list_;
    QPlainTextEdit* differences_;
    QPushButton* open_;
    QPushButton* restore_;
};

} // namespace zem
