#include "wait_window.h"

#include "window_font.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace zem {

TwaitForm1::TwaitForm1(QWidget* parent) : QDialog(parent) {
    const QString caption = QStringLiteral("しばらくお待ち下さい");
    setObjectName(QStringLiteral("waitForm1"));
    setWindowTitle(caption);
    setFont(WindowFont());
    setFixedSize(318, 203);
    move(217, 193);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 305, 185);
    auto* label = new QLabel(caption, panel);
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(label);
}

} // namespace zem
