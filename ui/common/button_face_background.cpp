// SPDX-License-Identifier: MIT
#include "ui/common/button_face_background.h"

#include <QEvent>
#include <QWidget>

namespace lumora::ui {

ButtonFaceBackground::ButtonFaceBackground(QWidget* box) : QObject(box), m_box(box)
{
    Follow();
    box->installEventFilter(this);
}

bool ButtonFaceBackground::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::PaletteChange)
        Follow();
    return QObject::eventFilter(watched, event);
}

void ButtonFaceBackground::Follow()
{
    // The button face is not the box's own colour, so it is the inherited one.
    const QColor face = m_box->palette().color(QPalette::Button);
    if (m_box->testAttribute(Qt::WA_SetPalette) && m_box->palette().color(QPalette::Base) == face)
        return;   // already in place; setting it again would only repeat this change
    QPalette own; // the background is the only colour of the box's own
    own.setColor(QPalette::Base, face);
    m_box->setPalette(own);
}

} // namespace lumora::ui
