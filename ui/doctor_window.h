#pragma once

#include "session/port_doctor.h"

#include <QString>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace zem {

// 接続診断: the port doctor's lines as they come, in a text the user can select and copy (to a
// mail or a forum post), with a button to run it again. A window of its own, so the main window
// stays usable while the checks run; closing it stops them after the check under way.
class DoctorWindow : public QWidget {
public:
    DoctorWindow(QWidget* parent, const SerialPortFactory& ports);

    // Clears the text and checks `port` (a path, com1..com4 or sim); refused while a run goes on.
    void Run(const QString& port);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    PortDoctor doctor_;
    QString port_;
    QPlainTextEdit* text_;
    QPushButton* again_;
};

} // namespace zem
