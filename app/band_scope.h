#pragma once

#include "scope_trace.h"

#include "link/link_message.h"

#include <QFile>
#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zem {

class RadioOperations;
class TFormD7;

// The band scope of the VFO page: the range and step from the user, checked and handed to the
// link; the sweep's readings drawn as they arrive; and each pass stored as a line of a text file
// while storing (menu "スコープ(&S)").
class BandScope : public QObject {
public:
    BandScope(TFormD7& window, RadioOperations& radio);
    ~BandScope() override;

    void VRadioGroup1Click(int item);
    void SButton1Click();
    void StopButton1Click();
    // One code-11 message: a reading 0..9, or the pass-start marker 200.
    void ResScope(const LinkMessage& message);
    void Writeimage(int value);
    void O2Click();
    void Exit2Click();

    bool Storing() const { return storing_; }
    const ScopeTrace& Trace() const { return trace_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The range, step and band of a sweep, or an error box and false.
    struct Sweep {
        std::int32_t lowerHz = 0;
        std::int32_t upperHz = 0;
        int stepCode = 0;
        int count = 0; // readings per pass minus one
        char band = '0';
    };
    bool ReadSweep(Sweep& sweep);
    void WriteStorageLine();
    void ShowTrace();
    void Error(const QString& text);
    QString ReadingAt(int x) const;

    TFormD7& window_;
    RadioOperations& radio_;
    ScopeTrace trace_;
    std::string passText_;
    Sweep sweep_;
    // The last reading at each step of the sweep, -1 before the first; for the trace's tooltip.
    std::vector<int> lastReadings_;
    std::vector<bool> unread_;
    bool storing_ = false;
    QFile storage_;

    QLabel* image_;
    QLineEdit* lower_;
    QLineEdit* upper_;
    QComboBox* step_;
    QButtonGroup* band_;
    QPushButton* start_;
    QLabel* sweepStatus_;
    QAction* storageStart_;
    QAction* storageEnd_;
};

} // namespace zem
