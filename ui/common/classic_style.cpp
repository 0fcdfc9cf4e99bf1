// SPDX-License-Identifier: MIT
#include "ui/common/classic_style.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

namespace lumora::ui {

ClassicStyle::ClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

void ClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    const auto* box = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const bool focused = box && (option->state & State_HasFocus);
    if (element == PE_FrameLineEdit && focused && box->lineWidth > 0) {
        QPainterPath frame; // filled odd-even: the frame's band alone
        frame.addRect(option->rect);
        frame.addRect(option->rect.adjusted(box->lineWidth, box->lineWidth, -box->lineWidth, -box->lineWidth));
        painter->fillPath(frame, option->palette.brush(QPalette::Highlight));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_PanelLineEdit && focused && box->lineWidth == 0) {
        QStyleOptionFocusRect mark;
        mark.QStyleOption::operator=(*option);
        mark.backgroundColor = option->palette.color(QPalette::Window);
        QProxyStyle::drawPrimitive(PE_FrameFocusRect, &mark, painter, widget);
    }
}

} // namespace lumora::ui
