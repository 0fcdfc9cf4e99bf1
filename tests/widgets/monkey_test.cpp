// SPDX-License-Identifier: MIT
#include "form1_fixture.h"

#include "calc/text/field_text.h"

#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>

#include <random>

namespace lumora::ui::testing {
namespace {

const char* const InputFields[] = {"Text1",  "Text2",  "Text3",  "Text4",  "Text5", "Text6",
                                   "Text21", "Text22", "Text23", "Text24", "Text13"};

const char* const Buttons[] = {"Command1",  "Command2",  "Command13", "Command14", "Command3",  "Command6",
                               "Command7",  "Command8",  "Command9",  "Command10", "Command15", "Command16",
                               "Command17", "Command18", "Command19", "Command20", "Command21", "Command24",
                               "Command22", "Command25", "Command4",  "Command5",  "Command11", "Command12"};

const char* const MenuItems[] = {"basic", "resistors", "help", "about"};

const char* const SecondaryWindowNames[] = {"Form2", "Form3", "Form4", "Form5",
                                            "Form6", "Form7", "Form8", "FailureWindow"};

// Texts a user might paste: none of them reaches a field by typing.
const QString HostileTexts[] = {QString(300, '9'),
                                QString::fromUtf8("\xd9\xa3\xd9\xa4"),
                                "1e308",
                                "-",
                                "  ",
                                QString::fromUtf8("\xf0\x9f\x94\xa6"),
                                "12,5",
                                "-0",
                                "0.",
                                ".",
                                "",
                                "\t\n",
                                "<b>1</b>",
                                QString("7") + QChar(0),
                                "3.4999",
                                "-25",
                                "1.2.3",
                                "+5"};

// Characters a keyboard can type, control characters and Enter included.
const QString Keys = QString("0123456789....-+eE ,abcxyz") + QChar(8) + QChar(8) + QChar(13) + QChar(1) + QChar(3) +
                     QChar(22) + QChar(26) + QChar(27) + QString::fromUtf8("\xc3\xa9\xd9\xa3");

// Copy buttons: which field each one carries into which.
const std::pair<const char*, std::pair<const char*, const char*>> Copies[] = {
    {"Command19", {"Text1", "Text21"}}, {"Command20", {"Text21", "Text1"}}, {"Command21", {"Text2", "Text22"}},
    {"Command24", {"Text22", "Text2"}}, {"Command22", {"Text3", "Text23"}}, {"Command25", {"Text23", "Text3"}}};

class Monkey : public Form1Test, public ::testing::WithParamInterface<unsigned> {
  protected:
    template <typename T> const T& Pick(const T* items, std::size_t count)
    {
        return items[std::uniform_int_distribution<std::size_t>(0, count - 1)(random)];
    }

    // Fields that were only ever typed into, copied from such fields or written
    // by the calculators; a paste taints a field until it is cleared.
    void Untaint(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            tainted.remove(name);
    }

    void Click(const char* button)
    {
        QWidget* target = Control(button);
        if (!target->isVisible())
            return; // hidden by the view
        for (const auto& [copy, fields] : Copies) {
            if (button == std::string(copy)) {
                if (tainted.contains(fields.first))
                    tainted.insert(fields.second);
                else
                    tainted.remove(fields.second);
            }
        }
        const std::pair<const char*, const char*> clears[] = {
            {"Command3", "Text1"},   {"Command6", "Text2"},  {"Command7", "Text3"},   {"Command8", "Text4"},
            {"Command9", "Text5"},   {"Command10", "Text6"}, {"Command15", "Text21"}, {"Command17", "Text22"},
            {"Command16", "Text23"}, {"Command18", "Text24"}};
        for (const auto& [clear, field] : clears) {
            if (button == std::string(clear))
                Untaint({field});
        }
        if (button == std::string("Command2"))
            Untaint({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"});
        if (button == std::string("Command14"))
            Untaint({"Text21", "Text22", "Text23", "Text24", "Text13"});
        QTest::mouseClick(target, Qt::LeftButton);
    }

    void DismissSomeWindow()
    {
        const QString name = QString::fromLatin1(Pick(SecondaryWindowNames, std::size(SecondaryWindowNames)));
        QWidget* window = TopLevel(name);
        if (!window || !window->isVisible())
            return;
        if (random() % 2 == 0)
            window->findChild<QPushButton*>("Command1")->click();
        else
            window->close();
        FlushDeletes();
    }

    void OneEvent()
    {
        switch (random() % 9) {
        case 0:
        case 1:
        case 2:
        case 3: TypeCharacter(Field(Pick(InputFields, std::size(InputFields))), Keys[random() % Keys.size()]); break;
        case 4: {
            const char* field = Pick(InputFields, std::size(InputFields));
            Field(field)->insert(Pick(HostileTexts, std::size(HostileTexts))); // as a paste does
            tainted.insert(field);
            break;
        }
        case 5:
        case 6: Click(Pick(Buttons, std::size(Buttons))); break;
        case 7: {
            if (random() % 3 == 0)
                Control<QRadioButton>(random() % 2 ? "Option1" : "Option2")->click();
            else
                Choose(Pick(MenuItems, std::size(MenuItems)));
            break;
        }
        case 8: DismissSomeWindow(); break;
        }
    }

    void CheckInvariants(int step)
    {
        SCOPED_TRACE(::testing::Message() << "seed " << GetParam() << ", event " << step);
        for (const char* name : SecondaryWindowNames)
            ASSERT_LE(TopLevels(name).size(), 1) << name;
        for (const char* name : InputFields) {
            if (tainted.contains(name))
                continue;
            const std::string text = Text(name).toStdString();
            ASSERT_TRUE(text.empty() || text == "." || IsNumberText(text)) << name << " holds \"" << text << "\"";
            if (name == std::string("Text13")) {
                ASSERT_EQ(text.find('.'), std::string::npos) << text;
            }
        }
        static const QRegularExpression days("^[0-9]+$");
        static const QRegularExpression clock("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$");
        ASSERT_TRUE(days.match(Text("Text7")).hasMatch()) << Text("Text7").toStdString();
        ASSERT_TRUE(clock.match(Text("Text9")).hasMatch()) << Text("Text9").toStdString();
        const std::string wattage = Text("Text25").toStdString();
        ASSERT_TRUE(IsNumberText(wattage)) << wattage;
    }

    std::mt19937 random;
    QSet<QString> tainted;
};

TEST_P(Monkey, SurvivesThousandsOfRandomEvents)
{
    random.seed(GetParam());
    constexpr int Events = 2500;
    for (int step = 0; step < Events; ++step) {
        OneEvent();
        ASSERT_FALSE(form.isNull());
        CheckInvariants(step);
        if (HasFatalFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(FixedSeeds, Monkey, ::testing::Values(1u, 2u, 3u, 2026u));

} // namespace
} // namespace lumora::ui::testing
