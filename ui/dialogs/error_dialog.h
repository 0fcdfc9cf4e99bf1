#pragma once

#include "ui/common/secondary_window.h"

class QPushButton;

namespace lumora::ui {

// How one error window is drawn: a fixed message and an "OK" button, all
// measured in twips from the client area's corner, font sizes in points.
struct ErrorDialogLayout {
    enum class Message { Label, TextBox }; // static label, or read-only text box

    QString name;
    QString message;
    Message kind;
    int clientWidth, clientHeight;
    QRect messageRect;
    QString messageFace;
    qreal messagePoints;
    QRect buttonRect;
    QString buttonFace;
    qreal buttonPoints;
    bool defaultButton; // OK is marked as the window's default button
};

// One small modeless error window titled "ERROR". OK hides it; nothing is
// filled into its message.
class ErrorDialog : public SecondaryWindow {
    Q_OBJECT

  public:
    explicit ErrorDialog(const ErrorDialogLayout& layout);

  public slots:
    // OK: hides this window and does nothing else.
    void Command1_Click();

  protected:
    QWidget* FocusOnShow() const override;

  private:
    QPushButton* m_ok = nullptr;
};

} // namespace lumora::ui
