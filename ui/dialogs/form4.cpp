// SPDX-License-Identifier: MIT
#include "ui/dialogs/form4.h"

#include "ui/common/look.h"
#include "ui/common/twips.h"
#include "ui/dialogs/read_only_text.h"

#include <QPlainTextEdit>

namespace lumora::ui {

Form4::Form4()
    : SecondaryWindow(QString::fromLatin1(ObjectName), QStringLiteral("Help"), 10166, 6487, Frame::Fixed,
                      QAccessible::Dialog)
{
    m_text = NewReadOnlyText(this, QStringLiteral("Text1"), FixedText(QStringLiteral("help.txt")),
                             ClassicFont(Arial, 9.09), VerticalScrollBar::Always);
    PlaceInTwips(m_text, {234, 117, 9841, 5746});
    m_text->setAccessibleName(QStringLiteral("Help text")); // no caption to borrow a name from

    AddDismissButton(QStringLiteral("Close"), {4329, 5967, 1534, 364}, ClassicFont(MsSansSerif, 9.09), true);
    ScrollWithKeys(m_text); // the whole text can be read with the focus on "Close"
}

QString Form4::TextInView() const { return TextInViewOf(m_text); }

} // namespace lumora::ui
