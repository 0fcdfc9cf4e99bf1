// SPDX-License-Identifier: MIT
#include "ui/common/twips.h"

#include <QWidget>

namespace lumora::ui {

int Pixels(int twips)
{
    // Rounds halves away from zero; every layout value is a multiple of 13 twips.
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

QRect TwipRect(int left, int top, int width, int height)
{
    const int x = Pixels(left);
    const int y = Pixels(top);
    return QRect(x, y, Pixels(left + width) - x, Pixels(top + height) - y);
}

QRect TwipRect(const QRect& twips) { return TwipRect(twips.x(), twips.y(), twips.width(), twips.height()); }

QSize TwipSize(int width, int height) { return QSize(Pixels(width), Pixels(height)); }

void PlaceInTwips(QWidget* widget, const QRect& twips) { widget->setGeometry(TwipRect(twips)); }

} // namespace lumora::ui
