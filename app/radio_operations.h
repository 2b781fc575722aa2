#pragma once

#include "port_menu.h"

#include "link/link_message.h"
#include "link/serial_port.h"
#include "model/image_diff.h"
#include "model/records.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QAction;

namespace zem {

class TCommThread;
class TFormD7;
class TwaitForm1;

// The window's "通信(&T)" commands and the link behind them: connecting and disconnecting, the
// two checks, the six transfers with their questions and the wait window, and the completions
// the link posts to the window, which this object takes from the window's event queue in order.
//
// One operation runs at a time: while a check, a transfer or a sweep runs (also after its wait
// window was closed early), the transfer commands and the checks are disabled, so no request is
// refused by a busy worker and no wait window waits for ever.
class RadioOperations : public QObject {
public:
    // The link opens its ports through `ports` (the simulated radio "sim" or a serial device).
    // Made after the window and the wait window and gone before them: the link's worker is
    // stopped and waited for here, while its messages still have a window to go to.
    RadioOperations(TFormD7& window, TwaitForm1& waitWindow, SerialPortFactory ports);
    ~RadioOperations() override;

    // The port to check in the port menu (a path, com1..com4 or sim), from the command line.
    void SelectPort(const QString& port);

    bool Connected() const { return connected_; }
    // The link while one exists (from connect until the port-closed completion).
    TCommThread* Link() const { return link_.get(); }

    void O1Click();
    void StartComm();
    void CloseComm();
    void T2Click();
    void M1Click();
    void M2Click();
    void R4Click();
    void VFOV2Click();
    void VFO1Click();
    void N8Click();
    void S1Click();

    // One completion of the link, on the window's thread.
    void AppMessage(const LinkMessage& message);

    // Requests an operation of the link (the sweep among them), disabling the commands until it
    // completes; false after telling the user, when the worker is busy or gone.
    bool RequestOperation(bool (TCommThread::*request)());
    // The running operation is over: the commands waiting for it come back. Also for a sweep
    // stopped before the worker took it up, which no message will end.
    void OperationEnded();
    // Called with every message of the link after this object has handled it (the scope's
    // readings, the end of a sweep, the port closing).
    std::function<void(const LinkMessage&)> afterMessage;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A transfer: its question (asked when `ask` holds), the table copied into the link, the
    // request, then the wait window until the completion closes it.
    struct Transfer {
        bool ask;
        const char* question;
        const char* caption;
        void (*copyIn)(TFormD7&, TCommThread&);
        bool (TCommThread::*request)();
    };
    void RunTransfer(const Transfer& t);

    // How a write ends: its result texts and, for checking it, the read of the same block and
    // what of it to compare.
    struct WriteEnd {
        const char* done;
        const char* failed;
        const char* caption;
        bool (TCommThread::*readBack)();
        int readDone;
        DiffScope scope;
    };
    // A write being checked: what was written, and the write's own result, until the read-back
    // completes.
    struct ReadBack {
        const WriteEnd* end;
        RadioImage written;
        QString result;
    };
    static const WriteEnd kMemoryWriteEnd;
    static const WriteEnd kVfoWriteEnd;
    static const WriteEnd kSettingsWriteEnd;
    // Shows the write's result, after reading the block back into the link (never into the
    // window's table) when "書き込み後に照合" is checked.
    void EndWrite(const WriteEnd& end, long errors);
    void ResReadBack(long unread);

    void ResID(long value);
    void ResMod(long value);
    void Reswrite(long value);
    void ResRead(long value);
    void ResPort(long value);
    void ResPortClose();
    void ResVFORead(long value);
    void ResVFOwrite(long value);
    void ResMenuRead(long value);
    void ResMenuwrite(long value);

    void Show(const QString& text, const char* caption);
    void CloseWaitWindow();
    // Enables and disables the commands for the connected and busy flags.
    void ApplyState();
    QAction* Action(const char* name) const;

    TFormD7& window_;
    TwaitForm1& waitWindow_;
    SerialPortFactory ports_;
    PortMenu* portMenu_; // owned by the port menu
    std::unique_ptr<TCommThread> link_;
    bool connected_ = false;
    bool busy_ = false;
    std::optional<ReadBack> readBack_;
};

} // namespace zem
