#include "splash_window.h"

#include "artwork.h"
#include "screen_centre.h"

#include <QLabel>
#include <QTimer>

namespace zem {

TStform::TStform(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("Stform"));
    setFixedSize(397, 103);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(SplashPicture());
    picture->setGeometry(0, 3, 397, 100);

    CentreOnScreen(*this);

    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(700);
    connect(timer_, &QTimer::timeout, this, &TStform::Timer1Timer);
    timer_->start();
}

// Later ticks find the window closed already and change nothing.
void TStform::Timer1Timer() {
    if (isVisible())
        accept();
}

} // namespace zem
