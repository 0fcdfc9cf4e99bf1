// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace lumora::ui {

// Every position and size in the windows is given in twips, as the layouts
// were drawn: 15 twips make one device-independent pixel (at 96 dpi). Qt's
// high-DPI scaling takes it from there.
constexpr int TwipsPerPixel = 15;

// One length in pixels, rounded to nearest.
int Pixels(int twips);

// A rectangle whose edges are each rounded to the nearest pixel, so that
// neighbouring controls keep their gaps and overlaps.
QRect TwipRect(int left, int top, int width, int height);
QRect TwipRect(const QRect& twips);

QSize TwipSize(int width, int height);

// Places a widget at a twip rectangle (left, top, width, height) inside its parent.
void PlaceInTwips(QWidget* widget, const QRect& twips);

} // namespace lumora::ui
