#pragma once

#include "prompts.h"
#include "scope_trace.h"

#include "model/file_io.h"
#include "model/records.h"
#include "model/sweep_range.h"
#include "session/scope_pass.h"

#include <QObject>

#include <optional>
#include <vector>

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zem {

// The band scope of the VFO page: its controls (the trace, the range, step and band, Start and
// Stop), the range checked before a sweep is asked for, the readings drawn as they arrive, and
// each pass stored as a line of a text file while storing (menu "スコープ(&S)").
class BandScope : public QObject {
    Q_OBJECT
public:
    // Builds the controls on `page`; the band choice reads the VFOs of `image`, the window's. The
    // storage items are the window's menu's.
    BandScope(QWidget& page, const RadioImage& image, Prompts& prompts, QAction& storageStart, QAction& storageEnd);
    ~BandScope() override;

    // The label the window puts in its status bar.
    QLabel* SweepStatus() const { return sweepStatus_; }

    // Start waits while any operation runs, a sweep included; Stop stays for the sweep.
    void ShowLinkState(bool connected, bool busy);
    // The sweep asked for by SweepRequested has been taken up: a new trace begins.
    void SweepStarted(const SweepRange& range);
    // `radioSilent`: the radio fell silent, which ended the sweep in the middle of a pass.
    void SweepEnded(bool radioSilent);
    // The port has closed: nothing is lost when the radio goes away while storing.
    void LinkClosed();

    void VRadioGroup1Click(int item);
    void SButton1Click();
    void StopButton1Click();
    // A reading 0..9 (`unread`: the S-meter could not be read), or the pass-start marker 200.
    void ResScope(long value, bool unread);
    // A new pass begins: the last one is stored when storing.
    void StartPass();
    void Writeimage(int value);
    void O2Click();
    void Exit2Click();

    bool Storing() const { return storing_; }
    const ScopeTrace& Trace() const { return trace_; }

signals:
    void SweepRequested(const zem::SweepRange& range);
    void StopRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ReadSweep(SweepRange& sweep);
    void WriteStorageLine();
    void ShowTrace();
    void Error(const QString& text);
    QString ReadingAt(int x) const;
    int Count() const { return sweep_.points - 1; }

    QWidget& owner_;
    const RadioImage& image_;
    Prompts& prompts_;
    ScopeTrace trace_;
    ScopePass pass_;
    SweepRange sweep_;
    // The last reading at each step of the sweep, -1 before the first; for the trace's tooltip.
    std::vector<int> lastReadings_;
    std::vector<bool> unread_;
    bool storing_ = false;
    std::optional<OutputFile> storage_;

    QLabel* picture_;
    QLineEdit* lower_;
    QLineEdit* upper_;
    QComboBox* step_;
    QButtonGroup* band_;
    QPushButton* start_;
    QPushButton* stop_;
    QLabel* sweepStatus_;
    QAction* storageStart_;
    QAction* storageEnd_;
};

} // namespace zem
