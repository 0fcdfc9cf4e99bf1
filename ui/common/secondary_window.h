// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QPointer>
#include <QWidget>

#include <optional>

class QPlainTextEdit;
class QFont;
class QPushButton;

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
    // The role is what assistive tools are told the window is (an alert or a
    // dialog).
    SecondaryWindow(const QString& name, const QString& title, int clientWidthTwips, int clientHeightTwips, Frame frame,
                    QAccessible::Role role);

    QAccessible::Role AccessibleRole() const { return m_role; }

    // Makes the window visible, restored if it was minimised, and active with
    // the focus on its button; returns at once. A window shown before comes
    // back at the place and size it had when it was hidden. Assistive tools
    // read the button with what is in view in the window (TextInView) and,
    // after it, 'alsoSay'.
    void ShowActive(const QString& alsoSay = QString());

    // The same, but the window does not take the focus: for a window shown
    // just before another that will.
    void ShowInactive();

  public slots:
    // The window's own "OK" or "Close": hides this window and does nothing else.
    void Command1_Click();

  protected:
    // Adds the window's "OK" or "Close" button, Command1, at a twip rectangle.
    // It is pressed by Return, Enter and Space while it has the focus. A
    // default button is shown and reported as the window's default button
    // wherever the focus is.
    QPushButton* AddDismissButton(const QString& caption, const QRect& twips, const QFont& font, bool isDefault);

    // While the focus is on the dismiss button, Page Up/Down, Up/Down and
    // Home/End (also with Ctrl) scroll this text box instead; its caret and
    // selection stay as they are, and assistive tools read the lines that
    // come into view.
    void ScrollWithKeys(QPlainTextEdit* box);

    // The control that takes the focus on every show: the dismiss button.
    virtual QWidget* FocusOnShow() const;

    // What a screen reader should read when the window appears, beyond what
    // it reads by itself (the window's title, its labels, the focused
    // button): the text in view. Nothing by default.
    virtual QString TextInView() const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

    // The whole lines a text box shows now, as one run of words.
    static QString TextInViewOf(const QPlainTextEdit* box);

  private:
    void Reveal(bool activate);

    QAccessible::Role m_role;
    QPushButton* m_dismiss = nullptr;
    QPointer<QPlainTextEdit> m_scrolled;
    // Where the window's client area was when the program last hid it.
    std::optional<QRect> m_placeWhenHidden;
    // Set by ShowActive until the window system has activated the window.
    bool m_focusOnActivation = false;
};

} // namespace lumora::ui
