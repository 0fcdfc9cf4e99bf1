#include "ui/dialogs/error_dialog.h"

#include "ui/common/classic_font.h"
#include "ui/common/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumora::ui {

namespace {

void Place(QWidget* widget, const QRect& twips)
{
    PlaceInTwips(widget, twips.x(), twips.y(), twips.width(), twips.height());
}

QWidget* MakeMessage(QWidget* parent, const ErrorDialogLayout& layout)
{
    const QFont font = ClassicFont(layout.messageFace, layout.messagePoints);
    if (layout.kind == ErrorDialogLayout::Message::Label) {
        auto* label = new QLabel(layout.message, parent);
        label->setObjectName(QStringLiteral("Label1"));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        label->setFont(font);
        return label;
    }
    // Read-only, sunken, on the button-face colour; clickable and selectable
    // but never reached by Tab.
    auto* box = new QLineEdit(layout.message, parent);
    box->setObjectName(QStringLiteral("Text1"));
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setFont(font);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setCursorPosition(0);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
    return box;
}

} // namespace

ErrorDialog::ErrorDialog(const ErrorDialogLayout& layout)
    : SecondaryWindow(layout.name, QStringLiteral("ERROR"), layout.clientWidth, layout.clientHeight, Frame::Sizable)
{
    QWidget* message = MakeMessage(this, layout);
    message->setAccessibleName(QStringLiteral("Error message"));
    Place(message, layout.messageRect);
    setAccessibleDescription(layout.message); // read out when the window opens

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setFont(ClassicFont(layout.buttonFace, layout.buttonPoints));
    m_ok->setAutoDefault(true); // Enter presses the focused button
    m_ok->setDefault(layout.defaultButton);
    Place(m_ok, layout.buttonRect);
    m_ok->raise(); // in front of a label that reaches below its top
    connect(m_ok, &QPushButton::clicked, this, &ErrorDialog::Command1_Click);
}

void ErrorDialog::Command1_Click() { hide(); }

QWidget* ErrorDialog::FocusOnShow() const { return m_ok; }

} // namespace lumora::ui
