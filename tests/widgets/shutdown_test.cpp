#include "form1_fixture.h"

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

TEST_F(Shutdown, ClosingTheMainWindowDestroysEveryOtherWindow)
{
    OpenErrorWindows(form);
    ASSERT_FALSE(TopLevels("Form7").isEmpty());
    ASSERT_FALSE(IsShown("Form7"));
    form->close();
    FlushDeletes();
    EXPECT_TRUE(form.isNull());
    for (const char* name : {"Form3", "Form7", "Form8"})
        EXPECT_TRUE(TopLevels(name).isEmpty()) << name;
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
