// SPDX-License-Identifier: MIT
#include "form1_fixture.h"

#include <QRadioButton>

namespace lumora::ui::testing {
namespace {

using Buttons = Form1Test;

TEST_F(Buttons, ClearEmptiesItsFieldAndFocusesIt)
{
    const struct {
        const char* button;
        const char* field;
    } rows[] = {{"Command3", "Text1"},   {"Command6", "Text2"},  {"Command7", "Text3"},   {"Command8", "Text4"},
                {"Command9", "Text5"},   {"Command10", "Text6"}, {"Command15", "Text21"}, {"Command17", "Text22"},
                {"Command16", "Text23"}, {"Command18", "Text24"}};
    for (const auto& row : rows) {
        Field(row.field)->setText("12.5");
        Control("Command1")->setFocus();
        Click(row.button);
        EXPECT_EQ(Text(row.field), "") << row.button;
        EXPECT_EQ(FocusName(), row.field) << row.button;
    }
    EXPECT_EQ(Text("Text6"), ""); // not set back to "83"
}

TEST_F(Buttons, ClearingTheRuntimeResetsItsDisplay)
{
    Type("Text1", "100");
    Type("Text2", "3.4");
    Type("Text3", "3.6");
    Type("Text4", "9000");
    Field("Text6")->setText("90");
    Click("Command1");
    ASSERT_EQ(Text("Text7"), "3");
    ASSERT_EQ(Text("Text9"), "13:45:36");
    Click("Command9");
    EXPECT_EQ(Text("Text5"), "");
    EXPECT_EQ(Text("Text7"), "0");
    EXPECT_EQ(Text("Text9"), "00:00:00");
}

TEST_F(Buttons, CopyCarriesTheTextUnchangedAndKeepsTheFocus)
{
    const struct {
        const char* button;
        const char* from;
        const char* to;
        const char* text;
    } rows[] = {{"Command19", "Text1", "Text21", "750"}, {"Command20", "Text21", "Text1", "20"},
                {"Command21", "Text2", "Text22", "3.5"}, {"Command24", "Text22", "Text2", ""},
                {"Command22", "Text3", "Text23", "4.2"}, {"Command25", "Text23", "Text3", "."}};
    for (const auto& row : rows) {
        Field(row.from)->setText(row.text);
        Field(row.to)->setText("999");
        Field("Text4")->setFocus();
        Click(row.button);
        EXPECT_EQ(Text(row.to), row.text) << row.button;
        EXPECT_EQ(Text(row.from), row.text) << row.button;
        EXPECT_EQ(FocusName(), "Text4") << row.button;
    }
}

TEST_F(Buttons, RuntimeResetRestoresItsStartTextsOnly)
{
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text21", "Text24"})
        Field(name)->setText("7");
    Field("Text7")->setText("3");
    Field("Text9")->setText("01:02:03");
    Click("Command2");
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5"})
        EXPECT_EQ(Text(name), "") << name;
    EXPECT_EQ(Text("Text6"), "83");
    EXPECT_EQ(Text("Text7"), "0");
    EXPECT_EQ(Text("Text9"), "00:00:00");
    EXPECT_EQ(Text("Text21"), "7");
    EXPECT_EQ(Text("Text24"), "7");
    EXPECT_EQ(FocusName(), "Text1");
}

TEST_F(Buttons, ResistorResetKeepsTheWiringAndTheOtherCalculator)
{
    Control<QRadioButton>("Option2")->click();
    for (const char* name : {"Text21", "Text22", "Text23", "Text24", "Text13", "Text1", "Text6"})
        Field(name)->setText("7");
    Field("Text25")->setText("0.5");
    Click("Command14");
    for (const char* name : {"Text21", "Text22", "Text23", "Text24"})
        EXPECT_EQ(Text(name), "") << name;
    EXPECT_EQ(Text("Text25"), "0.00");
    EXPECT_EQ(Text("Text13"), "1");
    EXPECT_TRUE(Control<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(Text("Text1"), "7");
    EXPECT_EQ(Text("Text6"), "7");
    EXPECT_EQ(FocusName(), "Text21");
}

} // namespace
} // namespace lumora::ui::testing
