// SPDX-License-Identifier: MIT
#include "ui/main/key_press_filter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace lumora::ui {

namespace {

constexpr int Backspace = 8;
constexpr int Enter = 13;

bool TypesNoCharacter(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Escape: return true;
    default: break;
    }
    return key->text().isEmpty() || key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll);
}

} // namespace

KeyPressFilter::KeyPressFilter(QLineEdit* field, Handler handler) : QObject(field), m_handler(std::move(handler))
{
    field->installEventFilter(this);
}

bool KeyPressFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::InputMethod) {
        // Text an input method commits (a compose sequence, an IME) is typed
        // text too: every character must pass, or none is inserted.
        for (const QChar c : static_cast<QInputMethodEvent*>(event)->commitString()) {
            int code = c.unicode();
            m_handler(code);
            if (code == 0)
                return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        int code = Enter;
        m_handler(code);
        return code == 0;
    }
    if (key->key() == Qt::Key_Backspace) {
        int code = Backspace;
        m_handler(code);
        return code == 0;
    }
    if (TypesNoCharacter(key))
        return false;
    // One key press normally types one character; if it types several, all
    // must pass or none is inserted.
    for (const QChar c : key->text()) {
        int code = c.unicode();
        m_handler(code);
        if (code == 0)
            return true;
    }
    return false;
}

} // namespace lumora::ui
