#pragma once

#include <QWidget>

namespace lumora::ui {

// A modeless top-level window of the program other than the main window.
// It is created on first show, its own button (or Esc) only hides it, closing
// it through its frame destroys it, and the main window's shutdown destroys
// it whether shown or hidden. It never owns or is owned by another window.
class SecondaryWindow : public QWidget {
    Q_OBJECT

  public:
    enum class Frame { Sizable, Fixed };

    // Client area in twips; a fixed frame has no minimise or maximise box.
    SecondaryWindow(const QString& name, const QString& title, int clientWidthTwips, int clientHeightTwips,
                    Frame frame);

    // Makes the window visible and active with the focus on its button, and
    // returns at once.
    void ShowActive();

  protected:
    // The control that takes the focus on every show (the OK or Close button).
    virtual QWidget* FocusOnShow() const = 0;

    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // Set by ShowActive until the window system has activated the window.
    bool m_focusOnActivation = false;
};

} // namespace lumora::ui
