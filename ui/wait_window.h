#pragma once

#include <QDialog>

namespace zem {

// Shown modally while a transfer runs; the completion handler closes it. Its close box ends the
// wait early while the transfer goes on.
class TwaitForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TwaitForm1(QWidget* parent = nullptr);
};

} // namespace zem
