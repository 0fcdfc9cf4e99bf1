// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QWidget;

namespace lumora::ui {

// Keeps a text box's background (QPalette::Base) in the button-face colour
// (QPalette::Button) of the palette it inherits, now and after every palette
// change, such as a switch of the desktop to a high-contrast or dark scheme.
// Every other colour of the box keeps following its window.
class ButtonFaceBackground : public QObject {
    Q_OBJECT

  public:
    explicit ButtonFaceBackground(QWidget* box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Follow();

    QWidget* m_box;
};

} // namespace lumora::ui
