// SPDX-License-Identifier: MIT
#include "ui/dialogs/error_dialog.h"

#include "ui/common/button_face_background.h"
#include "ui/common/classic_font.h"
#include "ui/common/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumora::ui {

ErrorDialog::ErrorDialog(const ErrorDialogLayout& layout)
    : SecondaryWindow(layout.name, QStringLiteral("ERROR"), layout.clientWidth, layout.clientHeight, Frame::Sizable,
                      QAccessible::AlertMessage)
{
    QWidget* message = nullptr;
    if (layout.kind == ErrorDialogLayout::Message::TextBox) {
        // Read-only, sunken, on the button-face colour; clickable and
        // selectable but never reached by Tab.
        m_box = new QLineEdit(this);
        m_box->setObjectName(QStringLiteral("Text1"));
        m_box->setReadOnly(true);
        m_box->setAlignment(Qt::AlignCenter);
        m_box->setFocusPolicy(Qt::ClickFocus);
        new ButtonFaceBackground(m_box);
        message = m_box;
    } else {
        m_label = new QLabel(this);
        m_label->setObjectName(QStringLiteral("Label1"));
        m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        m_label->setWordWrap(true);
        m_label->setTextFormat(Qt::PlainText); // a pasted text is shown, never interpreted
        if (layout.kind == ErrorDialogLayout::Message::SelectableLabel)
            m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        message = m_label;
    }
    message->setFont(ClassicFont(layout.messageFace, layout.messagePoints));
    PlaceInTwips(message, layout.messageRect);
    SetMessage(layout.message);

    QPushButton* ok = AddDismissButton(QStringLiteral("OK"), layout.buttonRect,
                                       ClassicFont(layout.buttonFace, layout.buttonPoints), layout.defaultButton);
    ok->raise(); // in front of a label that reaches below its top
}

QString ErrorDialog::Message() const { return m_label ? m_label->text() : m_box->text(); }

void ErrorDialog::SetMessage(const QString& message)
{
    QWidget* control = m_label ? static_cast<QWidget*>(m_label) : m_box;
    if (m_label) {
        m_label->setText(message);
    } else {
        m_box->setText(message);
        m_box->setCursorPosition(0);
    }
    // What a screen reader says of the message control is the message itself.
    control->setAccessibleName(message);
}

} // namespace lumora::ui
