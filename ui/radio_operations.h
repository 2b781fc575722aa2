#pragma once

#include "main_window.h"

#include "session/radio_session.h"

#include <QObject>

#include <string>

namespace zem {

class DoctorWindow;
class TwaitForm1;

// The window's "通信(&T)" commands on the radio session: connecting and disconnecting, the two
// checks, the six transfers with their questions and the wait window, the results in message
// boxes, the write of what changed since the radio was last read or written, and the band scope and remote keys wired
// to the session.
//
// One operation runs at a time: while a check, a transfer or a sweep runs (also after its wait
// window was closed early), the transfer commands and the checks are disabled, so no request is
// refused by a busy worker and no wait window waits for ever.
class RadioOperations : public QObject {
public:
    // Made after the window and the wait window and gone before them.
    RadioOperations(TFormD7& window, TwaitForm1& waitWindow, RadioSession& session);

    // The port to check in the port menu (a path, com1..com4 or sim), from the command line.
    void SelectPort(const QString& port);
    bool Connected() const { return session_.Connected(); }

private:
    // A transfer command: the block, the direction, and the question, asked while the flag
    // `changed` names is set (always without one).
    struct Transfer {
        TFormD7::RadioCommand command;
        Block block;
        bool write;
        bool (TFormD7::*changed)() const;
        const char* question;
        const char* caption;
    };
    void Command(TFormD7::RadioCommand command);
    void O1Click();
    void StartComm();
    // The port the port menu has checked, as the session takes it.
    std::string ChosenPort() const;
    void Diagnose();
    void CloseComm();
    void RunCheck(Check check);
    void RunTransfer(const Transfer& t);
    void RunWriteChanged();
    // Plans a write of what `image` holds otherwise than the radio within `allowed`; the question
    // comes with the plan.
    void PlanWrite(const RadioImage& image, const WriteMask& allowed);
    // ファイル → 無線機の履歴: the entries, then opening one or writing it back.
    void ShowHistory();
    void StartSweep(const SweepRange& range);

    void ResPort(bool ok, const QString& failure);
    void ResPortClose();
    void ResCheck(const CheckResult& result);
    void ResRead(const ReadResult& result);
    void ResWrite(const WriteResult& result);
    void ResPlanned(const WritePlan& plan);
    void ResChanged(const ChangedWriteResult& result);
    // Asks before settings read from a file with a warning about its MENU line go to the radio.
    bool ConfirmMenuWarning();
    // The question's second line for a memory write of a table never loaded.
    QString NeverLoadedText(const Transfer& t) const;
    void ResSweepEnded(bool radioSilent);

    // The result box, over the wait window, which closes once the box has been dismissed.
    void ShowResult(const QString& text, const char* caption);
    void Show(const QString& text, const char* caption);
    // Enables and disables the commands for the session's state.
    void ApplyState();

    TFormD7& window_;
    TwaitForm1& waitWindow_;
    RadioSession& session_;
    WritePlan plan_;         // the plan being written, whose image becomes the table's loaded one
    bool restoring_ = false; // the plan writes a history entry back, not the table
    // What the history could not keep, said in the next result box.
    QString historyNote_;
    DoctorWindow* doctorWindow_ = nullptr; // made on first use, owned by the window
};

} // namespace zem
