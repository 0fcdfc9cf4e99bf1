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

// Sends one key press and release carrying exactly this text, as a keyboard
// would for a typed character.
inline void TypeCharacter(QWidget* target, QChar c, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    int key = c.toUpper().unicode();
    if (c.unicode() == 8)
        key = Qt::Key_Backspace;
    else if (c.unicode() == 13)
        key = Qt::Key_Return;
    else if (c.unicode() < 32)
        key = Qt::Key_A + c.unicode() - 1; // Ctrl+letter control characters
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(c));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(c));
    QApplication::sendEvent(target, &release);
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

    void PressEnter(const char* field) const { QTest::keyClick(Field(field), Qt::Key_Return); }

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
