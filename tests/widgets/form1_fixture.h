// SPDX-License-Identifier: MIT
#pragma once

#include "ui/main/form1.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace lumora::ui::testing {

// The program's secondary windows with this object name that exist now.
inline QList<QWidget*> TopLevels(const QString& name)
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name)
            found.append(w);
    }
    return found;
}

inline QWidget* TopLevel(const QString& name)
{
    const QList<QWidget*> found = TopLevels(name);
    return found.isEmpty() ? nullptr : found.front();
}

// Waits until this window is the active one.
inline bool WaitUntilActive(const QString& name)
{
    return QTest::qWaitFor([&] {
        QWidget* w = TopLevel(name);
        return w && QApplication::activeWindow() == w;
    });
}

inline bool IsShown(const QString& name)
{
    QWidget* w = TopLevel(name);
    return w && w->isVisible();
}

// Destroys the windows that deleteLater() or a frame close scheduled.
inline void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// 0 when a drawing shows every fully opaque pixel of a picture as it is
// (drawn pixel for pixel, unscaled), more otherwise.
inline int DifferingOpaquePixels(const QImage& drawn, const QImage& picture)
{
    int differing = drawn.size() == picture.size() ? 0 : 1;
    for (int y = 0; y < picture.height() && !differing; ++y)
        for (int x = 0; x < picture.width(); ++x)
            differing += qAlpha(picture.pixel(x, y)) == 255 && drawn.pixel(x, y) != picture.pixel(x, y);
    return differing;
}

// The text X11 gives a key: the control character of Ctrl with a letter
// (Ctrl+C "\x03"), "\x7f" for Delete, "\r" for Return and the keypad's Enter;
// none for keys that type nothing (arrows, Home).
inline QString X11Text(int key, Qt::KeyboardModifiers modifiers)
{
    if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_At && key <= Qt::Key_Underscore)
        return QString(QChar(key - Qt::Key_At));
    switch (key) {
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    case Qt::Key_Delete: return QStringLiteral("\x7f");
    default: return {};
    }
}

// One key pressed and released as the platform delivers it: key code,
// modifiers and X11's text, after the shortcut check a real key goes through.
inline void PressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QString text = {})
{
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), text.isNull() ? X11Text(key, modifiers) : text, modifiers);
}

// Types one character with the key that gives it; a control character comes
// from Ctrl with a letter (1 is Ctrl+A), 8, 13 and 27 from their own keys.
inline void TypeCharacter(QWidget* target, QChar c)
{
    const int code = c.unicode();
    if (code == 8 || code == 13 || code == 27)
        PressKey(target, code == 8 ? Qt::Key_Backspace : code == 13 ? Qt::Key_Return : Qt::Key_Escape);
    else if (code < 32)
        PressKey(target, Qt::Key_At + code, Qt::ControlModifier);
    else
        PressKey(target, c.toUpper().unicode(), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
}

// A fresh, shown and active main window for every test; every window of the
// program is destroyed afterwards.
class Form1Test : public ::testing::Test {
  protected:
    void SetUp() override
    {
        form = new Form1;
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    }

    void TearDown() override
    {
        if (form)
            form->close();
        for (QWidget* w : QApplication::topLevelWidgets())
            w->deleteLater();
        FlushDeletes();
    }

    template <typename T = QWidget> T* Control(const char* name) const
    {
        T* control = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    QLineEdit* Field(const char* name) const { return Control<QLineEdit>(name); }
    QString Text(const char* name) const { return Field(name)->text(); }

    void Click(const char* button) const { QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton); }

    void Type(const char* field, const QString& keys) const
    {
        for (QChar c : keys)
            TypeCharacter(Field(field), c);
    }

    // Types the runtime calculator's everyday example, runtime left blank:
    // 750 mA, Vf 3.5 V, 4.2 V, 2000 mAh.
    void TypeRuntimeExample() const
    {
        Type("Text1", "750");
        Type("Text2", "3.5");
        Type("Text3", "4.2");
        Type("Text4", "2000");
    }

    // Runs a menu item as a user's choice would.
    void Choose(const char* item) const
    {
        QAction* action = form->findChild<QAction*>(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }

    QString FocusName() const
    {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }

    QPointer<Form1> form;
};

} // namespace lumora::ui::testing
