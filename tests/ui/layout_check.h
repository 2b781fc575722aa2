#pragma once

#include "ui/group_box_style.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>

// Draws group boxes as the program does, so layout checks see the program's group frames.
inline void UseProgramStyle() {
    QApplication::setStyle(new zem::GroupBoxStyle);
}

// Where a child may lie: below a group box's title and inside its frame.
inline QRect InnerRect(QWidget* parent) {
    auto* group = qobject_cast<QGroupBox*>(parent);
    if (group == nullptr)
        return parent->rect();
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect frame = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, group);
    const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    return QRect(QPoint(frame.left() + 1, label.bottom() + 1), frame.bottomRight() - QPoint(1, 1));
}

inline int IndicatorOrLineHeight(const QWidget* button) {
    const QStyle::PixelMetric indicator =
        qobject_cast<const QRadioButton*>(button) ? QStyle::PM_ExclusiveIndicatorHeight : QStyle::PM_IndicatorHeight;
    return std::max(button->style()->pixelMetric(indicator, nullptr, button), button->fontMetrics().height());
}

// The controls placed by hand in `root` and its group boxes that lie outside their group or do
// not show their whole caption, each described for the failure message.
inline QStringList ClippedControls(QWidget* root) {
    QStringList clipped;
    const auto check = [&](QWidget* w, bool fits, const char* how) {
        if (!fits)
            clipped << QStringLiteral("%1 '%2' %3 at (%4,%5 %6x%7)")
                           .arg(QLatin1String(w->metaObject()->className()), w->objectName(), QLatin1String(how))
                           .arg(w->x())
                           .arg(w->y())
                           .arg(w->width())
                           .arg(w->height());
    };
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (w->parentWidget() != root && qobject_cast<QGroupBox*>(w->parentWidget()) == nullptr)
            continue; // parts of composite widgets (headers, viewports)
        check(w, InnerRect(w->parentWidget()).contains(w->geometry()), "outside its group");
        if (auto* push = qobject_cast<QPushButton*>(w)) // its size hint asks for a wide margin
            check(w, push->fontMetrics().horizontalAdvance(push->text()) < push->width(), "caption cut");
        else if (qobject_cast<QAbstractButton*>(w)) // the size hint's height adds a focus margin
            check(w, w->sizeHint().width() <= w->width() && w->height() >= IndicatorOrLineHeight(w), "caption cut");
        else if (qobject_cast<QLabel*>(w))
            check(w, w->sizeHint().width() <= w->width() && w->sizeHint().height() <= w->height(), "caption cut");
    }
    return clipped;
}
