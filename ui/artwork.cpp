#include "artwork.h"

#include "window_font.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zem {
namespace {

// A handheld transceiver seen from the front, fitted into `box`.
void DrawRadio(QPainter& p, const QRectF& box) {
    const qreal w = box.width();
    const qreal h = box.height();
    const QRectF body(box.left() + w * 0.25, box.top() + h * 0.28, w * 0.5, h * 0.7);
    p.setPen(QPen(QColor(20, 20, 20), w * 0.02));
    p.setBrush(QColor(70, 74, 80));
    p.drawRect(QRectF(body.left() + body.width() * 0.12, box.top() + h * 0.02, body.width() * 0.12, h * 0.28));
    p.drawRoundedRect(body, w * 0.05, w * 0.05);
    p.setBrush(QColor(150, 200, 120));
    const QRectF display(body.left() + body.width() * 0.12, body.top() + body.height() * 0.1, body.width() * 0.76,
                         body.height() * 0.22);
    p.drawRect(display);
    p.setBrush(QColor(200, 200, 205));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(body.left() + body.width() * (0.14 + col * 0.26),
                                     body.top() + body.height() * (0.42 + row * 0.13), body.width() * 0.2,
                                     body.height() * 0.08),
                              2, 2);
}

// Three arcs of radio waves leaving a point; the outer one reaches 3 * step * sin 45° above and
// below it, which the callers leave room for so that no arc is cut off at the picture's edge.
void DrawWaves(QPainter& p, QPointF from, qreal step, const QColor& colour) {
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        p.setPen(QPen(colour, 2.5));
        const qreal r = step * i;
        p.drawArc(QRectF(from.x() - r, from.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
}

// A picture of `size` shading from `from` at the top left corner to `to` at `end`.
QPixmap Backdrop(QSize size, QPointF end, const QColor& from, const QColor& to) {
    QPixmap picture(size);
    QLinearGradient shade(QPointF(0, 0), end);
    shade.setColorAt(0, from);
    shade.setColorAt(1, to);
    QPainter(&picture).fillRect(picture.rect(), shade);
    return picture;
}

} // namespace

QPixmap SplashPicture() {
    QPixmap picture = Backdrop(QSize(397, 100), QPointF(0, 100), QColor(10, 20, 60), Qt::black);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    DrawRadio(p, QRectF(8, 6, 70, 90));
    DrawWaves(p, QPointF(62, 30), 9, QColor(255, 190, 60));
    QFont title = WindowFont();
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(110, 8, 280, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZEM_D7"));
    QFont subtitle = WindowFont();
    subtitle.setPixelSize(16);
    p.setFont(subtitle);
    p.setPen(QColor(180, 200, 255));
    p.drawText(QRectF(112, 60, 280, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TH-D7 メモリエディタ"));
    return picture;
}

QPixmap AboutPicture() {
    QPixmap picture = Backdrop(QSize(160, 120), QPointF(160, 120), QColor(220, 230, 250), QColor(150, 170, 210));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    DrawRadio(p, QRectF(20, 4, 90, 112));
    DrawWaves(p, QPointF(84, 34), 10, QColor(200, 80, 20));
    return picture;
}

QPixmap ProgramIconPixmap(int size) {
    QPixmap icon(size, size);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    DrawRadio(p, QRectF(0, 0, size, size));
    return icon;
}

QIcon ProgramIcon() {
    return QIcon(ProgramIconPixmap(32));
}

} // namespace zem
