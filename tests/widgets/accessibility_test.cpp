// SPDX-License-Identifier: MIT
#include "form1_fixture.h"
#include "shown_window_log.h"

#include "ui/common/look.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>

namespace lumora::ui::testing {
namespace {

using Accessibility = Form1Test;

// A control the user can reach with the keyboard or type into.
bool NeedsAName(const QWidget* w)
{
    return w->focusPolicy() != Qt::NoFocus || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractScrollArea*>(w);
}

// Every control of one window that needs a name has one, and no two share it.
void ExpectUniqueNames(QWidget* window)
{
    SCOPED_TRACE(window->objectName().toStdString());
    QSet<QString> seen;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!NeedsAName(w) || w->inherits("QScrollBar") || w->inherits("QMenu") || !w->isVisibleTo(window))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(accessible, nullptr) << w->objectName().toStdString();
        const QString name = accessible->text(QAccessible::Name);
        EXPECT_FALSE(name.trimmed().isEmpty()) << w->objectName().toStdString() << " has no accessible name";
        EXPECT_FALSE(seen.contains(name))
            << w->objectName().toStdString() << " repeats \"" << name.toStdString() << "\"";
        seen.insert(name);
    }
}

TEST_F(Accessibility, EveryControlOfEveryWindowHasItsOwnName)
{
    Field("Text13")->setText("");
    Field("Text23")->setText(".");
    Click("Command13"); // Form8, Form7, Form3
    Click("Command1");  // Form3 again
    Field("Text6")->setText("150");
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5"})
        Field(name)->setText("1");
    Click("Command1"); // Form6, Form2
    Field("Text6")->setText("0");
    Field("Text5")->setText("");
    Click("Command1"); // a failure
    Choose("help");
    Choose("about");
    QStringList windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        const QString name = window->objectName();
        windows << name;
        ExpectUniqueNames(window);
        // What each window is, as assistive tools are told.
        EXPECT_EQ(QAccessible::queryAccessibleInterface(window)->role(), name == "Form1" ? QAccessible::Window
                                                                         : name == "Form4" || name == "Form5"
                                                                             ? QAccessible::Dialog
                                                                             : QAccessible::AlertMessage)
            << name.toStdString();
    }
    windows.sort();
    EXPECT_EQ(windows,
              QStringList({"FailureWindow", "Form1", "Form2", "Form3", "Form4", "Form5", "Form6", "Form7", "Form8"}));
}

// The names of the controls an assistive tool finds showing below a node.
void CollectShowing(QAccessibleInterface* node, QStringList& names)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child || child->state().invisible || child->state().offscreen)
            continue;
        names << child->object()->objectName();
        CollectShowing(child, names);
    }
}

TEST_F(Accessibility, DecorationsAreNotThereToReadAndTheBasicViewShowsNothingBeyondTheWindow)
{
    for (const char* name : {"Command4", "Command5", "Command11", "Command12", "Text11"}) {
        QAccessibleInterface* decoration = QAccessible::queryAccessibleInterface(Control(name));
        EXPECT_TRUE(decoration->state().invisible && decoration->role() == QAccessible::Pane) << name;
        EXPECT_TRUE(!decoration->textInterface() && decoration->actionInterface()->actionNames().isEmpty()) << name;
    }
    // What "Basic" leaves in place beyond the narrowed window (and Command11, Command12).
    const QStringList beyond = {"Text8",     "Frame9",  "Frame8",    "Frame7",    "Frame10",
                                "Frame12",   "Frame11", "Command15", "Command17", "Command16",
                                "Command18", "Text25",  "Command20", "Command24", "Command25"};
    for (const char* view : {"basic", "resistors"}) {
        Choose(view);
        QStringList showing;
        CollectShowing(QAccessible::queryAccessibleInterface(form), showing);
        EXPECT_TRUE(showing.contains("Text1")) << view;
        for (const QString& name : beyond)
            EXPECT_EQ(showing.contains(name), QString(view) == "resistors") << view << " " << name.toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(Control("Command11"))->state().offscreen,
                  QString(view) == "basic");
    }
}

// A screen reader speaks a window when it appears: the failure window must
// hold this failure's message by then, the first time and every time after.
TEST_F(Accessibility, TheFailureWindowAppearsWithItsMessage)
{
    ShownWindowLog log;
    const struct {
        const char* current;
        const char* message;
    } rows[] = {{"0", "The LED current is 0, so the runtime cannot be calculated."},
                {"7x", "Desired LED Current holds \"7x\", which is not a number. Please correct it and press "
                       "Calculate again."}};
    for (const auto& row : rows) {
        for (const auto& [field, text] :
             {std::pair{"Text1", row.current}, {"Text2", "3.5"}, {"Text3", "4.2"}, {"Text4", "2000"}, {"Text5", ""}})
            Field(field)->setText(text);
        Click("Command1");
        TopLevel("FailureWindow")->hide();
    }
    const QList<ShownWindowLog::Entry> shown = log.Of("FailureWindow");
    ASSERT_EQ(shown.size(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(shown[i].inside.contains(rows[i].message)) << shown[i].inside.join(" | ").toStdString();
}

// What a screen reader is given to say as a user works by keyboard alone,
// the focus staying where it was: a result, however Calculate was pressed,
// and the wiring chosen by its keys.
struct SaidRow {
    const char* name;
    std::vector<std::pair<const char*, const char*>> texts;
    const char* focus;
    QKeyCombination keys;
    const char* said;
};

void PrintTo(const SaidRow& row, std::ostream* os) { *os << row.name; }

class Said : public Form1Test, public ::testing::WithParamInterface<SaidRow> {};

TEST_P(Said, AsANotificationWithTheFocusKept)
{
    const SaidRow& row = GetParam();
    for (const auto& [field, text] : row.texts)
        Field(field)->setText(text);
    Control(row.focus)->setFocus();
    PressKey(Control(row.focus), row.keys.key(), row.keys.keyboardModifiers());
    EXPECT_EQ(FocusName(), row.focus);
    auto* notification = form->findChild<QWidget*>(QStringLiteral("Announcement"));
    ASSERT_NE(notification, nullptr);
    EXPECT_TRUE(notification->isVisible());
    EXPECT_EQ(notification->accessibleName(), row.said);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(notification)->role(), QAccessible::Notification);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Said,
    ::testing::Values(SaidRow{"RuntimeByReturnOnCalculate",
                              {{"Text1", "750"}, {"Text2", "3.5"}, {"Text3", "4.2"}, {"Text4", "2000"}},
                              "Command1",
                              Qt::Key_Return,
                              "Runtime 2.66 hours: 0 days, 02:39:36"},
                      SaidRow{"CurrentByEnterInAField",
                              {{"Text2", "3.5"}, {"Text3", "4.2"}, {"Text4", "2000"}, {"Text5", "2.66"}},
                              "Text5",
                              Qt::KeypadModifier | Qt::Key_Enter,
                              "LED current 748.87 milliamps"},
                      SaidRow{"CapacityByReturnInAField",
                              {{"Text1", "750"}, {"Text2", "3.5"}, {"Text3", "4.2"}, {"Text5", "2.66"}},
                              "Text4",
                              Qt::Key_Return,
                              "Battery capacity 2003.01 milliamp hours"},
                      SaidRow{"ResistanceBySpaceOnCalculate",
                              {{"Text23", "9"}, {"Text22", "3.5"}, {"Text21", "20"}, {"Text13", "2"}},
                              "Command13",
                              Qt::Key_Space,
                              "Resistance 100 ohms, resistor power 0.04 watts"},
                      SaidRow{"BatteryVoltageByReturnInAField",
                              {{"Text22", "3.5"}, {"Text21", "20"}, {"Text24", "100"}, {"Text13", "2"}},
                              "Text13",
                              Qt::Key_Return,
                              "Battery input voltage 9 volts, resistor power 0.04 watts"},
                      SaidRow{"ParallelByAltP", {}, "Text1", Qt::ALT | Qt::Key_P, "Parallel"}),
    [](const auto& info) { return std::string(info.param.name); });

// A screen reader follows the one window active when it gets to it: of
// several opened at once, the last says the others' messages with its OK,
// its own message being read with it; every message box reads as text.
TEST_F(Accessibility, SeveralErrorWindowsAtOnceSayEveryMessageOnce)
{
    for (const auto& [field, text] : {std::pair{"Text1", "750"},
                                      {"Text2", "3.5"},
                                      {"Text3", "4.2"},
                                      {"Text4", "2000"},
                                      {"Text5", "3"},
                                      {"Text6", "150"}})
        Field(field)->setText(text);
    Click("Command1"); // Form6, then Form2
    ASSERT_TRUE(IsShown("Form6"));
    ASSERT_TRUE(WaitUntilActive("Form2"));
    auto* ok = TopLevel("Form2")->findChild<QPushButton*>("Command1");
    EXPECT_EQ(ok->accessibleDescription(), "Efficiency must be between 0 and 100%");
    for (const char* window : {"Form6", "Form2"}) {
        QWidget* message = TopLevel(window)->findChild<QWidget*>(window == QString("Form6") ? "Text1" : "Label1");
        EXPECT_EQ(QAccessible::queryAccessibleInterface(message)->role(), QAccessible::StaticText) << window;
    }
}

TEST_F(Accessibility, KeysReachTheMenusAndTheWiring)
{
    PressKey(Field("Text1"), Qt::Key_F10);
    ASSERT_NE(form->menuBar()->activeAction(), nullptr);
    EXPECT_EQ(form->menuBar()->activeAction()->menu()->objectName(), "file");
    ASSERT_NE(QApplication::activePopupWidget(), nullptr); // the menu is open
    PressKey(QApplication::activePopupWidget(), Qt::Key_Escape);
    PressKey(form->menuBar(), Qt::Key_Escape);

    auto* series = Control<QRadioButton>("Option1");
    auto* parallel = Control<QRadioButton>("Option2");
    EXPECT_EQ(series->accessibleDescription(), "Alt+S");
    EXPECT_EQ(parallel->accessibleDescription(), "Alt+P");
    Field("Text1")->setFocus();
    PressKey(Field("Text1"), Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(parallel->isChecked());
    PressKey(Field("Text1"), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(series->isChecked());
    Choose("basic"); // out of view, the options keep their choice
    PressKey(Field("Text1"), Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(series->isChecked());
}

// A field gives its whole text as one run, and its frame no name of its own
// for a screen reader to say before the field's.
TEST_F(Accessibility, FieldsAreReadWholeAndTheirFramesNotTwice)
{
    Field("Text4")->setText("2000");
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(Field("Text4"))->textInterface();
    ASSERT_NE(text, nullptr);
    int start = -1, end = -1;
    text->attributes(3, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 4));
    EXPECT_EQ(text->text(0, text->characterCount()), "2000");
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(Control("Frame4"))->text(QAccessible::Name).isEmpty());
}

// A tool that writes for the user (dictation, an on-screen keyboard) edits a
// field as a person does: the edit can be undone, the cursor follows it and
// the maximum length holds. Read-only boxes refuse it, as they do a person.
TEST_F(Accessibility, FieldsTakeWritesAsAPersonsEditAndReadOnlyBoxesRefuseThem)
{
    Choose("help");
    Choose("about");
    QList<QWidget*> boxes;
    for (const char* window : {"Form1", "Form4", "Form5"}) {
        for (QWidget* w : TopLevel(window)->findChildren<QWidget*>())
            if (QAccessibleInterface* box = QAccessible::queryAccessibleInterface(w); box && box->textInterface())
                boxes << w;
    }
    int editable = 0;
    for (QWidget* w : boxes) {
        SCOPED_TRACE(w->objectName().toStdString() + " of " + w->window()->objectName().toStdString());
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(w);
        auto* field = qobject_cast<QLineEdit*>(w);
        QAccessibleEditableTextInterface* edit = box->editableTextInterface();
        if (!field || field->isReadOnly()) {
            const QString before = box->text(QAccessible::Value);
            box->setText(QAccessible::Value, "9");
            EXPECT_EQ(box->text(QAccessible::Value).toStdString(), before.toStdString());
            EXPECT_EQ(edit, nullptr);
            continue;
        }
        ++editable;
        ASSERT_NE(edit, nullptr);
        field->setText("12");
        QSignalSpy edited(field, &QLineEdit::textEdited);
        edit->insertText(1, "5");
        EXPECT_EQ(std::pair(field->text(), field->cursorPosition()), std::pair(QString("152"), 2));
        edit->deleteText(0, 1);
        box->setText(QAccessible::Value, "3.5");
        EXPECT_EQ(field->text(), "3.5");
        EXPECT_EQ(edited.count(), 3);
        edit->replaceText(0, 3, QString(400, '9'));
        EXPECT_EQ(field->text().size(), std::min(400, field->maxLength()));
        field->undo();
        EXPECT_EQ(field->text(), "3.5");
    }
    EXPECT_EQ(editable, 11);
}

TEST_F(Accessibility, FocusedTextBoxesShowAClearMark)
{
    ClassicStyle style;
    // An input field's frame turns to the highlight colour; a borderless title gets a dotted mark.
    for (const char* name : {"Text1", "Text12"}) {
        QLineEdit* box = Field(name);
        box->setStyle(&style);
        Field("Text2")->setFocus();
        const QImage plain = box->grab().toImage();
        box->setFocus();
        const QImage focused = box->grab().toImage();
        EXPECT_NE(focused, plain) << name;
        const QColor edge = focused.pixel(1, box->height() / 2);
        EXPECT_EQ(edge == box->palette().color(QPalette::Highlight), box->hasFrame()) << name;
        box->setStyle(nullptr);
    }
}

TEST_F(Accessibility, NamesBeginWithWhatIsSeenAndFieldsCarryTheirToolTip)
{
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Field(name));
        EXPECT_EQ(accessible->text(QAccessible::Description), Field(name)->toolTip()) << name;
    }
    // A field says its frame's caption first, a button its caption.
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        auto* frame = qobject_cast<QGroupBox*>(w->parentWidget());
        if (auto* field = qobject_cast<QLineEdit*>(w); field && frame && !field->isReadOnly()) {
            EXPECT_TRUE(name.startsWith(frame->title().simplified())) << name.toStdString();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty()) {
            EXPECT_TRUE(name.startsWith(button->text())) << name.toStdString();
        }
    }
}

} // namespace
} // namespace lumora::ui::testing
