#pragma once

#include <QProxyStyle>

namespace zem {

// Draws group boxes with the frame line through the middle of the title, the title on a gap in
// it. The window's designs place their controls for such frames: below the flat titles of this
// platform's styles, the first row of a group would lie on its frame line and its last row on
// the bottom edge.
class GroupBoxStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
};

} // namespace zem
