#pragma once

#include <QDialog>

namespace zem {

// The version box of the help menu: the picture, the program's name and version, the credit.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    void Button1Click();
};

} // namespace zem
