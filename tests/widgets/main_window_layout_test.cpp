// SPDX-License-Identifier: MIT
#include "form1_fixture.h"

#include "ui/common/twips.h"

#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

namespace lumora::ui::testing {
namespace {

using MainWindow = Form1Test;

struct StartText {
    const char* control;
    const char* text;
};

const StartText StartTexts[] = {
    {"Text1", ""},
    {"Text2", ""},
    {"Text3", ""},
    {"Text4", ""},
    {"Text5", ""},
    {"Text6", "83"},
    {"Text7", "0"},
    {"Text9", "00:00:00"},
    {"Text21", ""},
    {"Text22", ""},
    {"Text23", ""},
    {"Text24", ""},
    {"Text13", "1"},
    {"Text25", "0.00"},
    {"Text10", "Days     H     M      S"},
    {"Text11", ""},
    {"Text12", "LED Converter Calculator"},
    {"Text8", "LED Resistor Calculator"},
};

TEST_F(MainWindow, StartsInTheResistorViewWithTheStartTexts)
{
    EXPECT_EQ(form->windowTitle(), "Lumora 2.12");
    EXPECT_EQ(form->OuterWidthTwips(), 6513);
    EXPECT_EQ(form->centralWidget()->width(), Pixels(6435));
    EXPECT_EQ(form->centralWidget()->height(), Pixels(7215));
    for (const StartText& start : StartTexts)
        EXPECT_EQ(Text(start.control), start.text) << start.control;
    EXPECT_TRUE(Control<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>("Option2")->isChecked());
    for (const char* name : {"Text21", "Text13", "Option1", "Option2", "Command13", "Command14", "Command19"})
        EXPECT_TRUE(Control(name)->isVisible()) << name;
    for (const char* name : {"Text7", "Text9", "Text10", "Text11", "Text25", "Text12", "Text8"})
        EXPECT_TRUE(Field(name)->isReadOnly()) << name;
    EXPECT_EQ(Field("Text6")->maxLength(), 5);
}

TEST_F(MainWindow, BasicViewNarrowsTheWindowAndHidesTheResistorInputs)
{
    Type("Text22", "3.5");
    Choose("basic");
    Choose("basic"); // the same view twice changes nothing more
    EXPECT_EQ(form->OuterWidthTwips(), 3029);
    EXPECT_EQ(form->width(), Pixels(3029 - 78));
    for (const char* name : {"Command19", "Command21", "Command22", "Text21", "Text22", "Text23", "Text24", "Text13",
                             "Option1", "Option2", "Command13", "Command14"})
        EXPECT_FALSE(Control(name)->isVisible()) << name;
    EXPECT_TRUE(Control("Command20")->isVisibleTo(form)); // outside the narrowed window, but not hidden
    Choose("resistors");
    EXPECT_EQ(form->OuterWidthTwips(), 6513);
    EXPECT_EQ(form->width(), Pixels(6435));
    EXPECT_TRUE(Field("Text22")->isVisible());
    EXPECT_EQ(Text("Text22"), "3.5");
    EXPECT_TRUE(Control<QRadioButton>("Option1")->isChecked());
}

// Tab from the last tab stop wraps around to the first.
QStringList TabCycle(int presses)
{
    QStringList visited;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    return visited;
}

TEST_F(MainWindow, TabVisitsTheTabStopsInOrder)
{
    Control("Command14")->setFocus();
    const QStringList expected = {"Text12", "Text8",  "Text1",    "Text2",     "Text3",     "Text4",
                                  "Text5",  "Text6",  "Command1", "Command2",  "Text21",    "Text22",
                                  "Text23", "Text24", "Text13",   "Command13", "Command14", "Text12"};
    EXPECT_EQ(TabCycle(static_cast<int>(expected.size())), expected);
}

TEST_F(MainWindow, TabInTheBasicViewNeverReachesTheResistorCalculator)
{
    Choose("basic");
    Control("Command2")->setFocus();
    const QStringList expected = {"Text12", "Text8", "Text1",    "Text2",    "Text3", "Text4",
                                  "Text5",  "Text6", "Command1", "Command2", "Text12"};
    EXPECT_EQ(TabCycle(static_cast<int>(expected.size())), expected);
}

TEST_F(MainWindow, MenusCarryTheirCaptions)
{
    struct Item {
        const char* menu;
        const char* menuCaption;
        const char* item;
        const char* caption;
    };
    const Item items[] = {{"file", "File", "exit", "Exit"},
                          {"view", "View", "basic", "Basic"},
                          {"view", "View", "resistors", "Resistor Calculator"},
                          {"helptop", "Help", "help", "Help"},
                          {"helptop", "Help", "about", "About"}};
    for (const Item& item : items) {
        auto* menu = form->findChild<QMenu*>(item.menu);
        ASSERT_NE(menu, nullptr) << item.menu;
        EXPECT_EQ(menu->title(), item.menuCaption);
        auto* action = form->findChild<QAction*>(item.item);
        ASSERT_NE(action, nullptr) << item.item;
        EXPECT_EQ(action->text(), item.caption);
        EXPECT_TRUE(menu->actions().contains(action)) << item.item;
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
}

TEST_F(MainWindow, FramesAndToolTipsAreAsDrawn)
{
    EXPECT_EQ(Control<QGroupBox>("Frame1")->title(), "Desired LED Current  -  mA");
    EXPECT_EQ(Control<QGroupBox>("Frame9")->title(), "Desired LED Current - mA");
    EXPECT_EQ(Control<QGroupBox>("Frame6")->title(), "Converter Efficiency  %");
    EXPECT_EQ(Field("Text4")->toolTip(), "Enter the capasity of your battery type here, in mAh.");
    for (const char* name : {"Text1", "Text2", "Text3", "Text5", "Text6"})
        EXPECT_FALSE(Field(name)->toolTip().isEmpty()) << name;
    for (const char* name : {"Text21", "Text13", "Command1", "Command13"})
        EXPECT_TRUE(Control(name)->toolTip().isEmpty()) << name;
}

TEST_F(MainWindow, CopyButtonsLineUpWithTheirRows)
{
    const struct {
        const char* button;
        const char* field;
    } rows[] = {{"Command19", "Text1"},  {"Command20", "Text21"}, {"Command21", "Text2"},
                {"Command24", "Text22"}, {"Command22", "Text3"},  {"Command25", "Text23"}};
    for (const auto& row : rows) {
        const int buttonTop = Control(row.button)->mapTo(form->centralWidget(), QPoint(0, 0)).y();
        const int fieldTop = Field(row.field)->mapTo(form->centralWidget(), QPoint(0, 0)).y();
        EXPECT_NEAR(buttonTop, fieldTop, 1) << row.button;
    }
    // The backdrops lie behind every other control and never take a click.
    for (const char* name : {"Command4", "Command5", "Command11", "Command12"}) {
        EXPECT_FALSE(Control(name)->isEnabled()) << name;
        EXPECT_EQ(Control(name)->focusPolicy(), Qt::NoFocus) << name;
    }
    const QPoint onBackdrop = Control("Command4")->geometry().topLeft() + QPoint(4, 4);
    EXPECT_EQ(form->centralWidget()->childAt(onBackdrop), Control("Command4"));
    const QPoint onTitle = Field("Text12")->geometry().center();
    EXPECT_EQ(form->centralWidget()->childAt(onTitle), Field("Text12"));
}

} // namespace
} // namespace lumora::ui::testing
