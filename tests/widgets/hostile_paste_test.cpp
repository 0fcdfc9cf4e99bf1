// SPDX-License-Identifier: MIT
#include "form1_fixture.h"

#include "calc/text/field_text.h"
#include "ui/dialogs/failure_window.h"

#include <QAccessible>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>

#include <memory>

namespace lumora::ui::testing {
namespace {

// Texts that reach a field only without typing, and never read as a number.
const QString HostileTexts[] = {QString(400, '9'),
                                QString::fromUtf8("\xd9\xa3\xd9\xa4"), // Arabic-Indic digits
                                QString::fromUtf8("\xef\xbc\x95"),     // a full-width digit
                                "1e308",
                                "-",
                                "  ",
                                QString::fromUtf8("\xf0\x9f\x94\xa6"),
                                "12,5",
                                "1,000",
                                "<b>1</b>",
                                QString("7") + QChar(0),
                                "1.2.3",
                                "+5",
                                "\t",
                                "inf",
                                "0x10",
                                "5 "};

struct Calculator {
    const char* button;
    std::vector<std::pair<const char*, const char*>> texts;    // a solvable set: one quantity left blank
    std::vector<std::pair<const char*, const char*>> captions; // input fields and how the message names them
};

const Calculator Calculators[] = {
    {"Command1",
     {{"Text1", "750"}, {"Text2", "3.5"}, {"Text3", "4.2"}, {"Text4", "2000"}, {"Text5", ""}, {"Text6", "83"}},
     {{"Text1", "Desired LED Current"},
      {"Text2", "LED Vf Voltage"},
      {"Text3", "Battery Input Voltage"},
      {"Text4", "Battery mAh Capacity"},
      {"Text6", "Converter Efficiency"}}},
    {"Command13",
     {{"Text23", "9"}, {"Text22", "3.5"}, {"Text21", "20"}, {"Text24", ""}, {"Text13", "2"}},
     {{"Text23", "Battery Input Voltage"},
      {"Text22", "LED VF Voltage"},
      {"Text21", "Desired LED Current"},
      {"Text13", "# of LEDs"}}},
};

// The ways text reaches a field without being typed, each as the platform
// or an assistive tool delivers it; the first, the context menu's Paste, is
// the one the others must match.
struct Route {
    const char* name;
    void (*put)(QLineEdit* field, const QString& text);
};

const Route Routes[] = {
    {"context menu Paste",
     [](QLineEdit* field, const QString& text) {
         QGuiApplication::clipboard()->setText(text);
         std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
         for (QAction* action : menu->actions())
             if (action->text().startsWith("&Paste"))
                 action->trigger();
     }},
    {"Shift+Insert",
     [](QLineEdit* field, const QString& text) {
         QGuiApplication::clipboard()->setText(text);
         PressKey(field, Qt::Key_Insert, Qt::ShiftModifier);
     }},
    {"EditableText write",
     [](QLineEdit* field, const QString& text) {
         QAccessibleEditableTextInterface* edit = QAccessible::queryAccessibleInterface(field)->editableTextInterface();
         ASSERT_NE(edit, nullptr);
         edit->replaceText(0, static_cast<int>(field->text().size()), text);
     }},
    {"drop",
     [](QLineEdit* field, const QString& text) {
         QMimeData data;
         data.setText(text);
         const QPointF at = field->rect().center();
         QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(field, &enter);
         QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(field, &drop);
     }},
};

using HostilePaste = Form1Test;

// Every hostile text in every input field of both calculators, by every
// route, is named in plain words and leaves every field as it was.
TEST_F(HostilePaste, IsToldInPlainWordsAndChangesNoField)
{
    int told = 0;
    for (const Calculator& calculator : Calculators) {
        for (const auto& [field, caption] : calculator.captions) {
            for (const QString& hostile : HostileTexts) {
                QString pastedByMenu;
                for (const Route& route : Routes) {
                    SCOPED_TRACE(::testing::Message()
                                 << field << " <- \"" << hostile.toStdString() << "\" by " << route.name);
                    for (const auto& [name, text] : calculator.texts)
                        Field(name)->setText(text);
                    Field(field)->clear();
                    route.put(Field(field), hostile);
                    const QString pasted = Text(field);
                    if (&route == Routes)
                        pastedByMenu = pasted;
                    EXPECT_EQ(pasted.toStdString(), pastedByMenu.toStdString()); // the length limit included
                    if (IsNumberText(pasted.toStdString()))
                        continue; // the efficiency box kept only five digits: an ordinary number
                    QMap<QString, QString> before;
                    for (QLineEdit* box : form->findChildren<QLineEdit*>())
                        before[box->objectName()] = box->text();
                    before["Text7"] = "0"; // every runtime press starts the day count afresh

                    Click(calculator.button);

                    auto* window = static_cast<FailureWindow*>(TopLevel("FailureWindow"));
                    ASSERT_NE(window, nullptr);
                    EXPECT_TRUE(window->isVisible());
                    EXPECT_TRUE(window->Message().startsWith(QString::fromUtf8(caption) + " holds"))
                        << window->Message().toStdString();
                    for (QLineEdit* box : form->findChildren<QLineEdit*>())
                        EXPECT_EQ(box->text(), before[box->objectName()]) << box->objectName().toStdString();
                    window->hide();
                    ++told;
                }
            }
        }
    }
    EXPECT_GT(told, 4 * 140);
}

} // namespace
} // namespace lumora::ui::testing
