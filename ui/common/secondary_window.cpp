// SPDX-License-Identifier: MIT
#include "ui/common/secondary_window.h"

#include "ui/common/announcement.h"
#include "ui/common/look.h"
#include "ui/common/twips.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QWindow>

namespace lumora::ui {

SecondaryWindow::SecondaryWindow(const QString& name, const QString& title, int clientWidthTwips, int clientHeightTwips,
                                 Frame frame, QAccessible::Role role)
    : QWidget(nullptr), m_role(role)
{
    setObjectName(name);
    setWindowTitle(title);
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    const QSize client = TwipSize(clientWidthTwips, clientHeightTwips);
    if (frame == Frame::Fixed) {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
        setFixedSize(client);
    } else {
        setWindowFlags(Qt::Window);
        resize(client);
    }
}

QPushButton* SecondaryWindow::AddDismissButton(const QString& caption, const QRect& twips, const QFont& font,
                                               bool isDefault)
{
    m_dismiss = new QPushButton(caption, this);
    m_dismiss->setObjectName(QStringLiteral("Command1"));
    m_dismiss->setFont(font);
    // Return and Enter press the focused button either way. Only a button that
    // is not the default is made auto-default: outside a dialog an
    // auto-default button is the default only while it has the focus, so a
    // default one would lose its role whenever the focus left it.
    m_dismiss->setDefault(isDefault);
    m_dismiss->setAutoDefault(!isDefault);
    PlaceInTwips(m_dismiss, twips);
    connect(m_dismiss, &QPushButton::clicked, this, &SecondaryWindow::Command1_Click);
    m_dismiss->installEventFilter(this);
    return m_dismiss;
}

void SecondaryWindow::ScrollWithKeys(QPlainTextEdit* box) { m_scrolled = box; }

QString SecondaryWindow::TextInView() const { return {}; }

namespace {

// Characters of a text box's document, from start up to end.
struct TextRange {
    int start = 0, end = 0;
};

// The characters of the lines the box shows now, whole lines.
TextRange InView(const QPlainTextEdit* box)
{
    const QRect area = box->viewport()->rect();
    QTextCursor first = box->cursorForPosition(area.topLeft());
    first.movePosition(QTextCursor::StartOfLine);
    QTextCursor last = box->cursorForPosition(area.bottomRight());
    last.movePosition(QTextCursor::EndOfLine);
    return {first.position(), last.position()};
}

// Those characters as one run of words.
QString TextOf(const QPlainTextEdit* box, TextRange range)
{
    const QString all = box->document()->toPlainText();
    return all.mid(range.start, range.end - range.start).simplified();
}

// The scroll bar's move for a key pressed on the dismiss button, or none.
std::optional<QAbstractSlider::SliderAction> ScrollFor(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    if (modifiers != Qt::NoModifier && !ctrl)
        return std::nullopt;
    switch (key->key()) {
    case Qt::Key_Home: return QAbstractSlider::SliderToMinimum;
    case Qt::Key_End: return QAbstractSlider::SliderToMaximum;
    default: break;
    }
    if (ctrl)
        return std::nullopt;
    switch (key->key()) {
    case Qt::Key_PageUp: return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_PageDown: return QAbstractSlider::SliderPageStepAdd;
    case Qt::Key_Up: return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_Down: return QAbstractSlider::SliderSingleStepAdd;
    default: return std::nullopt;
    }
}

} // namespace

bool SecondaryWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dismiss && m_scrolled && event->type() == QEvent::KeyPress) {
        if (const auto action = ScrollFor(static_cast<QKeyEvent*>(event))) {
            const TextRange before = InView(m_scrolled);
            m_scrolled->verticalScrollBar()->triggerAction(*action);
            const TextRange after = InView(m_scrolled);
            // What came into view, said with the focus on the button.
            TextRange fresh = after;
            if (after.start > before.start && after.start < before.end)
                fresh.start = before.end;
            else if (after.start < before.start && after.end > before.start)
                fresh.end = before.start;
            if (after.start != before.start)
                Announce(TextOf(m_scrolled, fresh));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SecondaryWindow::Command1_Click() { hide(); }

QWidget* SecondaryWindow::FocusOnShow() const { return m_dismiss; }

void SecondaryWindow::Reveal(bool activate)
{
    // A window manager places a window anew each time it is shown unless the
    // program asks for a place, so the place the user left it at is asked
    // for. Through the native window, since the widget still believes it is
    // there and would ask for nothing.
    if (m_placeWhenHidden && !isVisible()) {
        if (QWindow* native = windowHandle())
            native->setGeometry(*m_placeWhenHidden);
        else
            setGeometry(*m_placeWhenHidden);
    }
    const Qt::WindowStates state = windowState() & ~Qt::WindowMinimized;
    setWindowState(activate ? state | Qt::WindowActive : state);
    show();
    raise();
}

void SecondaryWindow::ShowInactive()
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    Reveal(false);
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

QString SecondaryWindow::TextInViewOf(const QPlainTextEdit* box) { return TextOf(box, InView(box)); }

void SecondaryWindow::ShowActive(const QString& alsoSay)
{
    Reveal(true);
    if (m_dismiss) {
        // A screen reader reads the description with the button as it takes
        // the focus: what is in view, laid out now that the window shows.
        QStringList said{TextInView(), alsoSay};
        said.removeAll(QString());
        m_dismiss->setAccessibleDescription(said.join(QLatin1Char(' ')));
    }
    activateWindow();
    if (QWidget* target = FocusOnShow())
        target->setFocus(Qt::OtherFocusReason);
    // Activation may arrive later from the window system; the focus goes to
    // the button then as well.
    m_focusOnActivation = !isActiveWindow();
}

void SecondaryWindow::hideEvent(QHideEvent* event)
{
    // A hide the program asked for, not a minimise.
    if (!event->spontaneous())
        m_placeWhenHidden = geometry();
    QWidget::hideEvent(event);
}

bool SecondaryWindow::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && m_focusOnActivation) {
        m_focusOnActivation = false;
        if (QWidget* target = FocusOnShow())
            target->setFocus(Qt::ActiveWindowFocusReason);
    }
    return handled;
}

void SecondaryWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace lumora::ui
