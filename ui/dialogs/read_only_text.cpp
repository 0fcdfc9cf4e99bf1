// SPDX-License-Identifier: MIT
#include "ui/dialogs/read_only_text.h"

#include "ui/common/look.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace lumora::ui {

QString FixedText(const QString& fileName)
{
    QFile file(QStringLiteral(":/lumora/texts/") + fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Fixed text %s is missing from the program's resources", qPrintable(fileName));
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QPlainTextEdit* NewReadOnlyText(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                                VerticalScrollBar scrollBar)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setFont(font);
    box->setReadOnly(true);
    // A caret and keyboard selection as well as the mouse, so Ctrl+A and
    // Shift+arrows work as in any read-only field.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(scrollBar == VerticalScrollBar::Always ? Qt::ScrollBarAlwaysOn
                                                                           : Qt::ScrollBarAlwaysOff);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setTabChangesFocus(true);
    box->document()->setDocumentMargin(1); // pixels between border and text
    new ButtonFaceBackground(box);         // on the button face instead of the usual white field
    // Each CR LF becomes one line break; a final CR LF leaves the empty last
    // line that it makes in any text box.
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setPlainText(lines);
    return box;
}

QLineEdit* NewReadOnlyLine(QWidget* parent, const QString& name, const QString& text, const QFont& font)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFont(font); // before the text, so that it is laid out once
    box->setText(text);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setCursorPosition(0);
    new ButtonFaceBackground(box); // on the button face instead of the usual white field
    return box;
}

} // namespace lumora::ui
