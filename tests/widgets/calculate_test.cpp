// SPDX-License-Identifier: MIT
#include "form1_fixture.h"

#include "ui/dialogs/failure_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>

namespace lumora::ui::testing {
namespace {

using Calculate = Form1Test;

TEST_F(Calculate, RuntimeCalculatorSolvesTheBlankFieldThroughTheWindow)
{
    TypeRuntimeExample();
    Click("Command1");
    EXPECT_EQ(Text("Text5"), "2.66");
    EXPECT_EQ(Text("Text7"), "0");
    EXPECT_EQ(Text("Text9"), "02:39:36");
    EXPECT_TRUE(TopLevels("Form2").isEmpty());

    Click("Command1"); // nothing blank now
    EXPECT_TRUE(IsShown("Form2"));
    EXPECT_EQ(Text("Text5"), "2.66");
    EXPECT_EQ(Text("Text9"), "02:39:36");
}

TEST_F(Calculate, ResistorCalculatorSolvesTheBlankFieldForTheChosenWiring)
{
    Type("Text23", "5");
    Type("Text22", "3.2");
    Type("Text21", "20");
    Field("Text13")->setText("");
    Type("Text13", "3");
    Control<QRadioButton>("Option2")->click();
    Click("Command13");
    EXPECT_EQ(Text("Text24"), "30");
    EXPECT_EQ(Text("Text25"), "0.11");
    EXPECT_TRUE(Control<QRadioButton>("Option2")->isChecked());
}

TEST_F(Calculate, ErrorWindowsOpenInTheCalculatorsOrderWithoutBlocking)
{
    Field("Text6")->setText("150");
    Field("Text5")->setText("");
    Field("Text1")->setText("");
    Field("Text7")->setText("4");
    Click("Command1");
    EXPECT_TRUE(IsShown("Form6"));
    EXPECT_TRUE(IsShown("Form3"));
    EXPECT_TRUE(WaitUntilActive("Form3")); // the last one opened
    EXPECT_EQ(Text("Text7"), "0");         // reset on every press

    // The main window stays usable with the error windows open.
    Field("Text6")->setText("83");
    TypeRuntimeExample();
    Click("Command1");
    EXPECT_EQ(Text("Text5"), "2.66");
    EXPECT_TRUE(IsShown("Form6")); // correcting a field closes no window
}

TEST_F(Calculate, RepeatedPressesKeepOneWindowOfEachKind)
{
    Field("Text13")->setText("");
    Click("Command13");
    Click("Command13");
    EXPECT_EQ(TopLevels("Form8").size(), 1);
    EXPECT_EQ(TopLevels("Form3").size(), 1);
    EXPECT_EQ(Text("Text25"), "0.00");
}

TEST_F(Calculate, ResistorErrorsChangeNoText)
{
    Type("Text23", ".");
    Click("Command13");
    EXPECT_TRUE(IsShown("Form7"));
    EXPECT_TRUE(IsShown("Form3"));
    EXPECT_EQ(Text("Text23"), ".");
    EXPECT_EQ(Text("Text25"), "0.00");
    EXPECT_EQ(Text("Text13"), "1");
}

struct FailureRow {
    const char* name;
    const char* button;
    std::vector<std::pair<const char*, QString>> texts;
    QString message;
};

void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class Failures : public Form1Test, public ::testing::WithParamInterface<FailureRow> {};

// A failed Calculate is told in plain words; the fields stay as they were
// (but for the day count every runtime press sets to "0").
TEST_P(Failures, AreToldInPlainWordsAndLeaveTheFields)
{
    const FailureRow& row = GetParam();
    for (const auto& [field, text] : row.texts)
        Field(field)->setText(text);
    Field("Text9")->setText("01:00:00");
    Click(row.button);
    ASSERT_TRUE(IsShown("FailureWindow"));
    EXPECT_EQ(static_cast<FailureWindow*>(TopLevel("FailureWindow"))->Message(), row.message);
    auto* label = TopLevel("FailureWindow")->findChild<QLabel*>("Label1");
    label->setSelection(0, static_cast<int>(row.message.size()));
    EXPECT_EQ(label->selectedText().toStdString(), row.message.toStdString()); // shown as typed, never as markup
    for (const auto& [field, text] : row.texts)
        EXPECT_EQ(Text(field), text) << field;
    EXPECT_EQ(Text("Text9"), "01:00:00");
    EXPECT_EQ(Text("Text25"), "0.00");
    EXPECT_EQ(Text("Text5"), "");
    EXPECT_TRUE(TopLevels("Form2").isEmpty());

    // The window stays usable and the message window is reused.
    Click(row.button);
    EXPECT_EQ(TopLevels("FailureWindow").size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Failures,
    ::testing::Values(
        FailureRow{"ZeroCurrent",
                   "Command1",
                   {{"Text1", "0"}, {"Text2", "3.5"}, {"Text3", "4.2"}, {"Text4", "2000"}},
                   "The LED current is 0, so the runtime cannot be calculated."},
        FailureRow{"ZeroEfficiency",
                   "Command1",
                   {{"Text1", "750"}, {"Text2", "3.5"}, {"Text3", "4.2"}, {"Text4", "2000"}, {"Text6", "0"}},
                   "The converter efficiency is 0, so the runtime cannot be calculated."},
        FailureRow{"PastedComma",
                   "Command13",
                   {{"Text23", "12,5"}, {"Text22", "3.5"}, {"Text21", "20"}},
                   "Battery Input Voltage holds \"12,5\", which is not a number. Please correct it and press "
                   "Calculate again."},
        FailureRow{"ZeroCurrentForResistance",
                   "Command13",
                   {{"Text23", "9"}, {"Text22", "3.5"}, {"Text21", "0"}},
                   "The LED current is 0, so the resistance cannot be calculated."},
        FailureRow{"LongPasteCutAfter40Characters",
                   "Command13",
                   {{"Text23", "1234567890123456789012345678901234567890abc"}, {"Text22", "3.5"}, {"Text21", "20"}},
                   QString("Battery Input Voltage holds \"1234567890123456789012345678901234567890") + QChar(0x2026) +
                       "\", which is not a number. Please correct it and press Calculate again."},
        FailureRow{"HugePaste",
                   "Command13",
                   {{"Text23", QString(400, '9')}, {"Text22", "3.5"}, {"Text21", "20"}},
                   "Battery Input Voltage holds a number too large to calculate with, so the resistance cannot be "
                   "calculated."},
        FailureRow{"ControlCharactersAndTagsShownAsTyped",
                   "Command1",
                   {{"Text1", "7\a<b>1</b>"}, {"Text2", "3.5"}, {"Text3", "4.2"}, {"Text4", "1"}},
                   QString("Desired LED Current holds \"7") + QChar(0xFFFD) +
                       "<b>1</b>\", which is not a number. Please correct it and press Calculate again."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Calculate, PastedTextReachesTheFieldUnfilteredButIsNeverSolvedWith)
{
    QGuiApplication::clipboard()->setText("1e3");
    Field("Text3")->setFocus();
    Field("Text3")->paste();
    if (Text("Text3").isEmpty())
        GTEST_SKIP() << "this platform has no clipboard";
    EXPECT_EQ(Text("Text3"), "1e3");
    Type("Text1", "750");
    Type("Text2", "3.5");
    Type("Text4", "2000");
    Click("Command1");
    EXPECT_EQ(Text("Text5"), "");
    EXPECT_TRUE(IsShown("FailureWindow"));
}

} // namespace
} // namespace lumora::ui::testing
