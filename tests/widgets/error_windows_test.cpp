// SPDX-License-Identifier: MIT
#include "secondary_window_fixture.h"

#include "ui/common/classic_look.h"
#include "ui/common/classic_style.h"
#include "ui/dialogs/failure_window.h"
#include "ui/dialogs/form2.h"
#include "ui/dialogs/form3.h"
#include "ui/dialogs/form6.h"
#include "ui/dialogs/form7.h"
#include "ui/dialogs/form8.h"

#include <QLabel>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>

namespace lumora::ui::testing {
namespace {

using ErrorWindows = SecondaryWindowTest;

// The message of an error window, from its label or its read-only text box.
QString Message(QWidget* window)
{
    if (auto* label = window->findChild<QLabel*>("Label1"))
        return label->text();
    if (auto* box = window->findChild<QLineEdit*>("Text1"))
        return box->text();
    return {};
}

TEST_F(ErrorWindows, ShowTheirFixedMessages)
{
    const struct {
        QWidget* window;
        const char* message;
    } rows[] = {{windows.Show<Form2>(), "You must leave one of the data fields blank."},
                {windows.Show<Form3>(), "Only one data field may be blank."},
                {windows.Show<Form6>(), "Efficiency must be between 0 and 100%"},
                {windows.Show<Form7>(), "\".\" may not be entered as a value."},
                {windows.Show<Form8>(), "Number of LED's must be 1 or greater."}};
    for (const auto& row : rows) {
        EXPECT_EQ(row.window->windowTitle(), "ERROR");
        EXPECT_EQ(Message(row.window), row.message);
        auto* ok = row.window->findChild<QPushButton*>("Command1");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(row.window->isVisible());
    }
    // Read-only message boxes can be clicked and selected but never typed into or tabbed to.
    auto* box = windows.Find<Form7>()->findChild<QLineEdit*>("Text1");
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->focusPolicy(), Qt::ClickFocus);
}

TEST_F(ErrorWindows, OkHidesAndTheNextShowBringsBackTheSameWindow)
{
    Form2* first = windows.Show<Form2>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(first));
    EXPECT_EQ(QApplication::focusWidget(), first->findChild<QPushButton*>("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Enter presses the focused OK
    EXPECT_FALSE(first->isVisible());
    BackToMainWindow();
    Form2* again = windows.Show<Form2>();
    EXPECT_EQ(again, first);
    ASSERT_TRUE(QTest::qWaitForWindowActive(again));
    EXPECT_EQ(QApplication::focusWidget(), again->findChild<QPushButton*>("Command1"));
    EXPECT_EQ(TopLevels("Form2").size(), 1);
}

TEST_F(ErrorWindows, ReturnAndEnterPressTheFocusedOkAndDefaultButtonsStayDefault)
{
    const std::pair<SecondaryWindow*, bool> rows[] = {
        // window, OK is its default button
        {windows.Ensure<Form2>(), true},  {windows.Ensure<Form3>(), true},  {windows.Ensure<Form6>(), false},
        {windows.Ensure<Form7>(), false}, {windows.Ensure<Form8>(), false}, {windows.Ensure<FailureWindow>(), true}};
    for (const auto& [window, okIsDefault] : rows) {
        auto* ok = window->findChild<QPushButton*>("Command1");
        QSignalSpy clicks(ok, &QPushButton::clicked);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            window->ShowActive();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window));
            ASSERT_EQ(QApplication::focusWidget(), ok);
            QTest::keyClick(ok, key);
            BackToMainWindow();
            EXPECT_EQ(ok->isDefault(), okIsDefault) << window->objectName().toStdString(); // the focus is elsewhere
        }
        EXPECT_EQ(clicks.count(), 2) << window->objectName().toStdString();
    }
}

TEST_F(ErrorWindows, MessageBoxesTakeTheButtonFaceOfTheDesktopPaletteAndFollowIt)
{
    const QPalette desktop = QApplication::palette();
    const QString desktopStyle = QApplication::style()->name();
    QApplication::setPalette(QPalette(QColor("#3c3c3c"))); // a dark scheme
    ApplyClassicLook(*qApp);                               // keeps it
    EXPECT_NE(qobject_cast<ClassicStyle*>(QApplication::style()), nullptr);
    EXPECT_EQ(QApplication::palette().color(QPalette::Button), QColor("#3c3c3c"));
    auto* box = windows.Show<Form7>()->findChild<QLineEdit*>("Text1");
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor("#3c3c3c"));

    QPalette highContrast(QColor("#000000")); // the desktop switches scheme while the window is open
    highContrast.setColor(QPalette::Text, QColor("#ffff00"));
    QApplication::setPalette(highContrast);
    QCoreApplication::processEvents();
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor("#000000"));
    EXPECT_EQ(box->palette().color(QPalette::Text), QColor("#ffff00"));
    QApplication::setPalette(desktop);
    QApplication::setStyle(QStyleFactory::create(desktopStyle));
}

TEST_F(ErrorWindows, CloseThroughTheFrameDestroysAndTheNextShowCreatesAfresh)
{
    QPointer<Form8> first = windows.Show<Form8>();
    first->move(40, 50);
    first->close();
    FlushDeletes();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(windows.Find<Form8>(), nullptr);
    Form8* fresh = windows.Show<Form8>();
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_EQ(TopLevels("Form8").size(), 1);
}

TEST_F(ErrorWindows, SeveralStayOpenAtOnceAndDismissIndependently)
{
    Form7* seven = windows.Show<Form7>();
    Form3* three = windows.Show<Form3>();
    QTest::mouseClick(seven->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(seven->isVisible());
    EXPECT_TRUE(three->isVisible());
    QTest::keyClick(three, Qt::Key_Escape);
    EXPECT_FALSE(three->isVisible());
}

TEST_F(ErrorWindows, AHiddenWindowComesBackWhereTheUserLeftItAndAMinimisedOneIsRestored)
{
    Form6* window = windows.Show<Form6>();
    window->setGeometry(QRect(120, 130, 300, 120));
    window->findChild<QPushButton*>("Command1")->click();
    windows.Show<Form6>();
    EXPECT_EQ(window->geometry(), QRect(120, 130, 300, 120));

    window->showMinimized();
    BackToMainWindow();
    windows.Show<Form6>();
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(QApplication::focusWidget(), window->findChild<QPushButton*>("Command1"));
}

TEST_F(ErrorWindows, DestroyAllRemovesShownAndHiddenWindows)
{
    windows.Show<Form2>();
    windows.Show<Form3>()->hide();
    windows.DestroyAll();
    FlushDeletes();
    EXPECT_TRUE(TopLevels("Form2").isEmpty());
    EXPECT_TRUE(TopLevels("Form3").isEmpty());
}

} // namespace
} // namespace lumora::ui::testing
