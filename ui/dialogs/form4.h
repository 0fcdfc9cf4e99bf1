// SPDX-License-Identifier: MIT
#pragma once

#include "ui/common/secondary_window.h"

class QPlainTextEdit;

namespace lumora::ui {

// The help window: the fixed help text in a scrollable read-only box and a
// "Close" button that only hides the window, so a later show finds the text
// scrolled and selected as the user left it.
class Form4 : public SecondaryWindow {
    Q_OBJECT

  public:
    static constexpr const char* ObjectName = "Form4";

    Form4();

  protected:
    QString TextInView() const override;

  private:
    QPlainTextEdit* m_text = nullptr; // Text1
};

} // namespace lumora::ui
