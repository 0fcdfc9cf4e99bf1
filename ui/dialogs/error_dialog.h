// SPDX-License-Identifier: MIT
#pragma once

#include "ui/common/secondary_window.h"

class QLabel;
class QLineEdit;

namespace lumora::ui {

// How one error window is drawn: a message and an "OK" button, measured in
// twips from the client area's corner, font sizes in points.
struct ErrorDialogLayout {
    enum class Message {
        Label,           // static label, never focusable
        SelectableLabel, // label whose text the mouse can select and copy
        TextBox,         // read-only text box
    };
    struct Font {
        const QString& face;
        qreal points;
    };

    const char* name; // the object name: "Form2"
    Message kind;
    QSize client;
    QRect message;
    Font messageFont;
    QRect button;
    Font buttonFont;
    bool defaultButton; // OK is marked as the window's default button
};

// One small modeless error window titled "ERROR" with a message and OK, which
// hides it. The message is always shown as plain text.
class ErrorDialog : public SecondaryWindow {
    Q_OBJECT

  public:
    ErrorDialog(const ErrorDialogLayout& layout, const QString& message);

    QString Message() const;

  protected:
    void SetMessage(const QString& message);

  private:
    QLabel* m_label = nullptr;  // Label1, for the label kinds
    QLineEdit* m_box = nullptr; // Text1, for the text box kind
};

} // namespace lumora::ui
