// SPDX-License-Identifier: MIT
#include "form1_fixture.h"

#include <QTimer>
#include <QWindow>

namespace lumora::ui::testing {
namespace {

using Shutdown = Form1Test;

// Opens Form8, Form7 and Form3, then hides Form7 with its OK button.
void OpenErrorWindows(Form1* form)
{
    form->findChild<QLineEdit*>("Text23")->setText(".");
    form->findChild<QLineEdit*>("Text13")->setText("");
    form->Command13_Click();
    QTest::mouseClick(TopLevel("Form7")->findChild<QPushButton*>("Command1"), Qt::LeftButton);
}

// The close box: the window system asks the main window to close while help
// and error windows are shown and the about window and Form7 are hidden. The
// program's event loop then ends by itself, and no window is left.
TEST_F(Shutdown, TheCloseBoxEndsTheProgram)
{
    Choose("help");
    Choose("about");
    TopLevel("Form5")->findChild<QPushButton*>("Command1")->click();
    OpenErrorWindows(form);
    ASSERT_TRUE(IsShown("Form4") && IsShown("Form8") && !IsShown("Form5") && !IsShown("Form7"));
    QTimer::singleShot(0, form, [this] { form->windowHandle()->close(); });
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);
    EXPECT_EQ(QApplication::exec(), 0) << "the event loop did not end within 5 s";
    FlushDeletes();
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(Shutdown, ExitDoesTheSame)
{
    OpenErrorWindows(form);
    Choose("exit");
    FlushDeletes();
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(Shutdown, ExitWithHelpShownAndAboutHiddenEndsTheProgram)
{
    Choose("help");
    Choose("about");
    TopLevel("Form5")->findChild<QPushButton*>("Command1")->click();
    ASSERT_FALSE(IsShown("Form5"));
    ASSERT_TRUE(IsShown("Form4"));
    Choose("exit");
    FlushDeletes();
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(Shutdown, MenuChoicesKeepOneHelpAndOneAboutWindow)
{
    for (int i = 0; i < 3; ++i) {
        Choose("help");
        Choose("about");
    }
    EXPECT_EQ(TopLevels("Form4").size(), 1);
    EXPECT_EQ(TopLevels("Form5").size(), 1);
}

TEST_F(Shutdown, DestroyingTheMainWindowWithoutClosingLeavesNoWindowBehind)
{
    Choose("help");
    Click("Command13"); // Form3
    delete form.data();
    FlushDeletes();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST_F(Shutdown, ClosingWithNoOtherWindowEndsAtOnce)
{
    form->close();
    FlushDeletes();
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

} // namespace
} // namespace lumora::ui::testing
