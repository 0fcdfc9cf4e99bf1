// SPDX-License-Identifier: MIT
#include "ui/common/picture_link.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumora::ui {

PictureLink::PictureLink(const QIcon& picture, const QSize& size, QWidget* parent) : QWidget(parent), m_picture(picture)
{
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
}

void PictureLink::click() { emit clicked(); }

void PictureLink::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), m_picture.pixmap(size(), devicePixelRatioF()));
}

// A click is the left button pressed and released on the picture, as for a
// button: releasing elsewhere cancels it.
void PictureLink::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_pressed = true;
}

void PictureLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        event->ignore();
        return;
    }
    m_pressed = false;
    if (rect().contains(event->position().toPoint()))
        click();
}

} // namespace lumora::ui
