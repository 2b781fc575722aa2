#include "screen_centre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zem {

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace zem
