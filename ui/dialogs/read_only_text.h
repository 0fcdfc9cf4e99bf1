// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QFont;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace lumora::ui {

// One of the fixed texts compiled into the program, ":/lumora/texts/<fileName>",
// exactly as stored: ASCII, every line ended by CR LF.
QString FixedText(const QString& fileName);

enum class VerticalScrollBar { None, Always };

// A multi-line text box the user can scroll, click into, select and copy from
// but not change. It has the sunken text-box border on the button-face colour,
// wraps long lines at its width (never a horizontal scroll bar), and takes the
// focus only by a click, so Tab never stops in it. The CR LF breaks of the
// text become line breaks of the box.
QPlainTextEdit* NewReadOnlyText(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                                VerticalScrollBar scrollBar);

// The single-line kind of the same box, showing the start of its text.
QLineEdit* NewReadOnlyLine(QWidget* parent, const QString& name, const QString& text, const QFont& font);

} // namespace lumora::ui
