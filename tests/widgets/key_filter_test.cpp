#include "form1_fixture.h"

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
                                                     QString("4") + QChar(1) + QChar(22) + QChar(31), "4"},
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

TEST_F(KeyFilter, EnterPressesTheCalculatorsButtonAndKeepsTheFocus)
{
    const struct {
        const char* field;
        const char* changed; // the field a successful Calculate writes
    } rows[] = {{"Text6", "Text5"}, {"Text24", "Text24"}, {"Text13", "Text24"}};
    for (const auto& row : rows) {
        Click("Command2");
        Click("Command14");
        TypeRuntimeExample();
        Type("Text23", "9");
        Type("Text22", "3.5");
        Type("Text21", "20");
        Field(row.field)->setFocus();
        PressEnter(row.field);
        EXPECT_FALSE(Text(row.changed).isEmpty()) << row.field;
        EXPECT_EQ(FocusName(), row.field);
        EXPECT_FALSE(Text(row.field).contains(QChar('\r'))) << row.field;
    }
}

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
            QTest::keyClick(button, key);
        }
        EXPECT_EQ(clicks.count(), 2) << name;
    }
}

TEST_F(KeyFilter, EnterInAnEmptyFieldStillCalculates)
{
    Field("Text21")->setFocus();
    PressEnter("Text21");
    EXPECT_TRUE(IsShown("Form3"));
    EXPECT_FALSE(IsShown("Form2"));
}

TEST_F(KeyFilter, NavigationAndCopyKeysKeepTheirUsualEffect)
{
    Field("Text1")->setText("123");
    Field("Text1")->setFocus();
    Field("Text1")->setCursorPosition(3);
    QTest::keyClick(Field("Text1"), Qt::Key_Left);
    QTest::keyClick(Field("Text1"), Qt::Key_Delete);
    EXPECT_EQ(Text("Text1"), "12");
    QTest::keyClick(Field("Text1"), Qt::Key_Home);
    Type("Text1", "9");
    EXPECT_EQ(Text("Text1"), "912");
}

} // namespace
} // namespace lumora::ui::testing
