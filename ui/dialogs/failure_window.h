#pragma once

#include "ui/common/secondary_window.h"

class QLabel;
class QPushButton;

namespace lumora::ui {

// Tells the user in plain words why a Calculate could not finish (a zero
// divisor, a value out of range, a pasted text that is no number). Modeless
// and drawn like the error windows; one window serves every such message.
class FailureWindow : public SecondaryWindow {
    Q_OBJECT

  public:
    FailureWindow();

    void SetMessage(const QString& message);
    QString Message() const;

  public slots:
    // OK: hides this window.
    void Command1_Click();

  protected:
    QWidget* FocusOnShow() const override;

  private:
    QLabel* m_message = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace lumora::ui
