// SPDX-License-Identifier: MIT
#include "form1_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QSignalSpy>

namespace lumora::ui::testing {
namespace {

using KeyFilter = Form1Test;

struct TypingRow {
    const char* name;
    const char* field;
    QString start;  // text before typing
    QString typed;  // characters typed, one key each
    QString result; // text afterwards
};

void PrintTo(const TypingRow& row, std::ostream* os) { *os << row.name; }

class Typing : public Form1Test, public ::testing::WithParamInterface<TypingRow> {};

TEST_P(Typing, LetsOnlyNumberCharactersThrough)
{
    const TypingRow& row = GetParam();
    Field(row.field)->setText(row.start);
    Field(row.field)->setFocus();
    Type(row.field, row.typed);
    EXPECT_EQ(Text(row.field), row.result);
}

INSTANTIATE_TEST_SUITE_P(Rows, Typing,
                         ::testing::Values(TypingRow{"DigitsAndOnePoint", "Text3", "", "12.5", "12.5"},
                                           TypingRow{"SecondPointSwallowed", "Text3", "", "12.5.", "12.5"},
                                           TypingRow{"LonePointAccepted", "Text1", "", ".", "."},
                                           TypingRow{"PointAfterPointAnywhere", "Text21", "", "1.2.3", "1.23"},
                                           TypingRow{"MinusSwallowed", "Text2", "", "-5", "5"},
                                           TypingRow{"LettersSwallowed", "Text4", "", "1e3E4", "134"},
                                           TypingRow{"CommaPlusSpaceSwallowed", "Text24", "", "1, +2", "12"},
                                           TypingRow{"NonAsciiDigitsSwallowed", "Text5", "",
                                                     QString::fromUtf8("\xd9\xa3\xef\xbc\x95"
                                                                       "7"),
                                                     "7"},
                                           TypingRow{"ControlCharactersSwallowed", "Text22", "",
                                                     QString("4") + QChar(2) + QChar(26) + QChar(22), "4"},
                                           TypingRow{"CountTakesNoPoint", "Text13", "", "1.5", "15"},
                                           TypingRow{"CountTakesZero", "Text13", "1", "0", "10"},
                                           TypingRow{"EfficiencyHoldsFiveCharacters", "Text6", "", "83.251", "83.25"},
                                           TypingRow{"FullEfficiencyRefusesMore", "Text6", "83.25", "9", "83.25"},
                                           TypingRow{"BackspaceDeletes", "Text23", "12.5", QString(QChar(8)) + QChar(8),
                                                     "12"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyFilter, PointIsRefusedEvenWhenItWouldReplaceTheSelection)
{
    Field("Text2")->setText("1.5");
    Field("Text2")->setFocus();
    Field("Text2")->selectAll();
    Type("Text2", ".");
    EXPECT_EQ(Text("Text2"), "1.5");
    Type("Text2", "7");
    EXPECT_EQ(Text("Text2"), "7");
}

TEST_F(KeyFilter, HasDotMinusLooksForAPointAnywhere)
{
    const struct {
        QString text;
        int code;
        bool refused;
    } rows[] = {{"", '.', false},    {"12", '.', false}, {".5", '.', true}, {"5.", '.', true},
                {"1.5", '7', false}, {"1.5", 8, false},  {"-", '.', false}};
    for (const auto& row : rows) {
        const int code = row.code;
        EXPECT_EQ(form->HasDotMinus(row.text, code), row.refused) << row.text.toStdString() << " " << row.code;
    }
}

struct EnterRow {
    const char* field;
    QString runtime;    // Text5 afterwards: the runtime calculator ran
    QString resistance; // Text24 afterwards: the resistor calculator ran
};

void PrintTo(const EnterRow& row, std::ostream* os) { *os << row.field; }

class Enter : public Form1Test, public ::testing::WithParamInterface<EnterRow> {};

// Return and the keypad's Enter run the field's own calculator; the key
// inserts nothing and the focus stays in the field.
TEST_P(Enter, RunsTheFieldsCalculatorAndKeepsTheFocus)
{
    const EnterRow& row = GetParam();
    for (const auto& [key, modifiers] :
         {std::pair(Qt::Key_Return, Qt::NoModifier), std::pair(Qt::Key_Enter, Qt::KeypadModifier)}) {
        Click("Command2");
        Click("Command14");
        TypeRuntimeExample();
        Type("Text23", "9");
        Type("Text22", "3.5");
        Type("Text21", "20");
        Field(row.field)->setFocus();
        PressKey(Field(row.field), key, modifiers);
        EXPECT_EQ(Text("Text5"), row.runtime) << key;
        EXPECT_EQ(Text("Text24"), row.resistance) << key;
        EXPECT_EQ(FocusName(), row.field) << key;
        EXPECT_FALSE(Text(row.field).contains('\r'));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Enter,
                         ::testing::Values(EnterRow{"Text1", "2.66", ""}, EnterRow{"Text2", "2.66", ""},
                                           EnterRow{"Text3", "2.66", ""}, EnterRow{"Text4", "2.66", ""},
                                           EnterRow{"Text5", "2.66", ""}, EnterRow{"Text6", "2.66", ""},
                                           EnterRow{"Text21", "", "275"}, EnterRow{"Text22", "", "275"},
                                           EnterRow{"Text23", "", "275"}, EnterRow{"Text24", "", "275"},
                                           EnterRow{"Text13", "", "275"}),
                         [](const auto& info) { return std::string(info.param.field); });

TEST_F(KeyFilter, ReturnAndEnterPressAFocusedButton)
{
    for (const char* name : {"Command1", "Command2", "Command13", "Command14"}) {
        auto* button = Control<QPushButton>(name);
        QSignalSpy clicks(button, &QPushButton::clicked);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            form->activateWindow(); // a Calculate may have opened an error window
            ASSERT_TRUE(QTest::qWaitForWindowActive(form));
            button->setFocus(Qt::TabFocusReason);
            ASSERT_EQ(FocusName(), name);
            PressKey(button, key);
        }
        EXPECT_EQ(clicks.count(), 2) << name;
    }
}

TEST_F(KeyFilter, EnterInAnEmptyFieldStillCalculates)
{
    Field("Text21")->setFocus();
    PressKey(Field("Text21"), Qt::Key_Return);
    EXPECT_TRUE(IsShown("Form3"));
    EXPECT_FALSE(IsShown("Form2"));
}

// Text an input method commits passes the key filter: a compose sequence
// or an IME cannot bring in a letter.
TEST_F(KeyFilter, TextFromAnInputMethodIsFilteredToo)
{
    QLineEdit* field = Field("Text1");
    field->setText("1");
    field->setFocus();
    for (const auto& [committed, result] : {std::pair{"e", "1"}, {"5", "15"}, {".e", "15"}}) {
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromLatin1(committed));
        QApplication::sendEvent(field, &commit);
        EXPECT_EQ(field->text(), result) << committed;
    }
}

// Keys typing no character, and copy and select-all, keep their usual effect
// with the text X11 gives them; Ctrl+V typed as a key pastes nothing.
TEST_F(KeyFilter, NavigationAndCopyKeysKeepTheirUsualEffect)
{
    QGuiApplication::clipboard()->setText("5");
    QLineEdit* field = Field("Text1");
    field->setText("123");
    field->setFocus();
    PressKey(field, Qt::Key_Left);
    PressKey(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), "12");
    PressKey(field, Qt::Key_Home);
    Type("Text1", "9");
    EXPECT_EQ(field->text(), "912");
    PressKey(field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), "912");
    PressKey(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "912");
    PressKey(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "912");
}

} // namespace
} // namespace lumora::ui::testing
