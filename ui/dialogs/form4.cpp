#include "ui/dialogs/form4.h"

#include "ui/common/classic_font.h"
#include "ui/common/twips.h"
#include "ui/dialogs/read_only_text.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace lumora::ui {

Form4::Form4() : SecondaryWindow(QStringLiteral("Form4"), QStringLiteral("Help"), 10166, 6487, Frame::Fixed)
{
    m_text = NewReadOnlyText(this, QStringLiteral("Text1"), FixedText(QStringLiteral("help.txt")),
                             ClassicFont(Arial, 9.09), VerticalScrollBar::Always);
    PlaceInTwips(m_text, 234, 117, 9841, 5746);
    m_text->setAccessibleName(QStringLiteral("Help text")); // no caption to borrow a name from

    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("Command1"));
    m_close->setFont(ClassicFont(MsSansSerif, 9.09));
    m_close->setAutoDefault(true); // Enter presses the focused button
    m_close->setDefault(true);
    PlaceInTwips(m_close, 4329, 5967, 1534, 364);
    connect(m_close, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::Command1_Click() { hide(); }

QWidget* Form4::FocusOnShow() const { return m_close; }

} // namespace lumora::ui
