#pragma once

#include "ui/common/secondary_window.h"

class QPlainTextEdit;
class QPushButton;

namespace lumora::ui {

// The help window: the fixed help text in a scrollable read-only box and a
// "Close" button that only hides the window, so a later show finds the text
// scrolled and selected as the user left it.
class Form4 : public SecondaryWindow {
    Q_OBJECT

  public:
    Form4();

  public slots:
    // "Close": hides this window and does nothing else.
    void Command1_Click();

  protected:
    QWidget* FocusOnShow() const override;

  private:
    QPlainTextEdit* m_text = nullptr; // Text1
    QPushButton* m_close = nullptr;   // Command1
};

} // namespace lumora::ui
