#include "ui/dialogs/failure_window.h"

#include "ui/common/classic_font.h"
#include "ui/common/twips.h"

#include <QLabel>
#include <QPushButton>

namespace lumora::ui {

FailureWindow::FailureWindow()
    : SecondaryWindow(QStringLiteral("FailureWindow"), QStringLiteral("ERROR"), 5226, 1534, Frame::Sizable)
{
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("Label1"));
    m_message->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText); // pasted text is shown, never interpreted
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setFont(ClassicFont(MsSansSerif, 9.09));
    m_message->setAccessibleName(QStringLiteral("Why the calculation stopped"));
    PlaceInTwips(m_message, 117, 117, 4992, 741);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setFont(ClassicFont(MsSansSerif, 11.18));
    m_ok->setAutoDefault(true);
    m_ok->setDefault(true);
    PlaceInTwips(m_ok, 1612, 936, 2002, 481);
    connect(m_ok, &QPushButton::clicked, this, &FailureWindow::Command1_Click);
}

void FailureWindow::SetMessage(const QString& message)
{
    m_message->setText(message);
    setAccessibleDescription(message);
}

QString FailureWindow::Message() const { return m_message->text(); }

void FailureWindow::Command1_Click() { hide(); }

QWidget* FailureWindow::FocusOnShow() const { return m_ok; }

} // namespace lumora::ui
