#include "group_box_style.h"

#include <QPainter>
#include <QStyleOptionGroupBox>

namespace zem {
namespace {

constexpr int kTitleLeft = 6;
constexpr int kTitleGap = 2;

// Only captioned boxes without a check box are drawn here; the base style keeps the others.
const QStyleOptionGroupBox* Captioned(const QStyleOptionComplex* option) {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    return box && !box->subControls.testFlag(QStyle::SC_GroupBoxCheckBox) ? box : nullptr;
}

} // namespace

QRect GroupBoxStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                    const QWidget* widget) const {
    const QStyleOptionGroupBox* box = control == CC_GroupBox ? Captioned(option) : nullptr;
    if (!box)
        return QProxyStyle::subControlRect(control, option, part, widget);
    const int titleHeight = option->fontMetrics.height();
    switch (part) {
    case SC_GroupBoxFrame:
        return option->rect.adjusted(0, titleHeight / 2, 0, 0);
    case SC_GroupBoxLabel:
        return {option->rect.left() + kTitleLeft, option->rect.top(),
                option->fontMetrics.horizontalAdvance(box->text) + 2 * kTitleGap, titleHeight};
    case SC_GroupBoxContents:
        return option->rect.adjusted(2, titleHeight, -2, -2);
    default:
        return QProxyStyle::subControlRect(control, option, part, widget);
    }
}

void GroupBoxStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                       const QWidget* widget) const {
    const QStyleOptionGroupBox* box = control == CC_GroupBox ? Captioned(option) : nullptr;
    if (!box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect frameRect = subControlRect(control, option, SC_GroupBoxFrame, widget);
    const QRect title = subControlRect(control, option, SC_GroupBoxLabel, widget);
    // The frame is drawn here, as a plain line: the base styles' own group frames keep a title
    // margin of their own.
    painter->save();
    QRegion around(frameRect);
    if (!box->text.isEmpty())
        around -= title;
    painter->setClipRegion(around);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(box->palette.color(QPalette::Mid));
    painter->drawRoundedRect(QRectF(frameRect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter->restore();
    proxy()->drawItemText(painter, title.adjusted(kTitleGap, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box->palette,
                          box->state.testFlag(State_Enabled), box->text, QPalette::WindowText);
}

} // namespace zem
