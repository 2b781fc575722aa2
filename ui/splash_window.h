#pragma once

#include <QDialog>

class QTimer;

namespace zem {

// The borderless start picture; its timer runs from creation and closes it after 700 ms.
class TStform : public QDialog {
    Q_OBJECT
public:
    explicit TStform(QWidget* parent = nullptr);

    void Timer1Timer();
    QTimer* Timer1() const { return timer_; }

private:
    QTimer* timer_;
};

} // namespace zem
