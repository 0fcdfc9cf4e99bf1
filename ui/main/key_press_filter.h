// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <functional>

class QLineEdit;

namespace lumora::ui {

// Hands every character typed into a text box to a handler before the box
// inserts it, as a character code (8 Backspace, 13 Enter, 46 ".", 48-57 the
// digits). The handler lets it through or swallows it by setting the code to 0.
// Keys that type no character (Tab, arrows, Delete, Home, End, function keys)
// keep their usual effect, and so do copy and select-all, which change nothing.
// Text an input method commits passes through the handler the same way.
class KeyPressFilter : public QObject {
    Q_OBJECT

  public:
    using Handler = std::function<void(int& keyAscii)>;

    KeyPressFilter(QLineEdit* field, Handler handler);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Handler m_handler;
};

} // namespace lumora::ui
