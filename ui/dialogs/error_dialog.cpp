// SPDX-License-Identifier: MIT
#include "ui/dialogs/error_dialog.h"

#include "ui/common/accessibility.h"
#include "ui/common/look.h"
#include "ui/common/twips.h"
#include "ui/dialogs/read_only_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumora::ui {

ErrorDialog::ErrorDialog(const ErrorDialogLayout& layout, const QString& message)
    : SecondaryWindow(QString::fromLatin1(layout.name), QStringLiteral("ERROR"), layout.client.width(),
                      layout.client.height(), Frame::Sizable, QAccessible::AlertMessage)
{
    const QFont font = ClassicFont(layout.messageFont.face, layout.messageFont.points);
    QWidget* shown = nullptr;
    if (layout.kind == ErrorDialogLayout::Message::TextBox) {
        // Read-only, sunken, on the button-face colour; clickable and
        // selectable but never reached by Tab, like the about window's boxes.
        m_box = NewReadOnlyLine(this, QStringLiteral("Text1"), QString(), font);
        m_box->setAlignment(Qt::AlignCenter);
        m_box->setProperty(mark::Message, true); // read with the window, as a label is
        shown = m_box;
    } else {
        m_label = new QLabel(this);
        m_label->setObjectName(QStringLiteral("Label1"));
        m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        m_label->setWordWrap(true);
        m_label->setTextFormat(Qt::PlainText); // a pasted text is shown, never interpreted
        if (layout.kind == ErrorDialogLayout::Message::SelectableLabel)
            m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_label->setFont(font);
        shown = m_label;
    }
    PlaceInTwips(shown, layout.message);
    SetMessage(message);

    QPushButton* ok =
        AddDismissButton(QStringLiteral("OK"), layout.button,
                         ClassicFont(layout.buttonFont.face, layout.buttonFont.points), layout.defaultButton);
    ok->raise(); // in front of a label that reaches below its top
    RenewAccessibleInterfaces(this);
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
