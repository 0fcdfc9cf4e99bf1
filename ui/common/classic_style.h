// SPDX-License-Identifier: MIT
#pragma once

#include <QProxyStyle>

namespace lumora::ui {

// The classic framed "Windows" look with a plain focus mark: a focused text
// box shows its 2-pixel frame in the highlight colour instead of the sunken
// edge, and a focused borderless one (a title box) a dotted focus rectangle.
// Nothing moves or changes size.
class ClassicStyle : public QProxyStyle {
    Q_OBJECT

  public:
    ClassicStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace lumora::ui
