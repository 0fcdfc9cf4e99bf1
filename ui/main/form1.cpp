// SPDX-License-Identifier: MIT
#include "ui/main/form1.h"

#include "calc/calculators/messages.h"
#include "calc/calculators/resistor_calculator.h"
#include "calc/calculators/runtime_calculator.h"
#include "calc/text/field_text.h"
#include "ui/common/accessibility.h"
#include "ui/common/announcement.h"
#include "ui/common/look.h"
#include "ui/common/program_version.h"
#include "ui/common/twips.h"
#include "ui/dialogs/error_dialog.h"
#include "ui/dialogs/error_windows.h"
#include "ui/dialogs/failure_window.h"
#include "ui/dialogs/form4.h"
#include "ui/dialogs/form5.h"
#include "ui/main/key_press_filter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <iterator>
#include <string>

namespace lumora::ui {

namespace {

constexpr int Dot = 46;
constexpr int Backspace = 8;
constexpr int Enter = 13;

bool IsDigitCode(int code) { return code >= '0' && code <= '9'; }

using C = Form1Controls;

// The controls each view hides and shows, in this order.
std::array<QWidget*, 12> ViewList(const C& c)
{
    return {c.Command19, c.Command21, c.Command22, c.Text21,  c.Text22,    c.Text23,
            c.Text24,    c.Text13,    c.Option1,   c.Option2, c.Command13, c.Command14};
}

struct ClickHandler {
    QPushButton* C::*button;
    void (Form1::*handler)();
};

const ClickHandler ClickHandlers[] = {
    {&C::Command1, &Form1::Command1_Click},   {&C::Command2, &Form1::Command2_Click},
    {&C::Command13, &Form1::Command13_Click}, {&C::Command14, &Form1::Command14_Click},
    {&C::Command3, &Form1::Command3_Click},   {&C::Command6, &Form1::Command6_Click},
    {&C::Command7, &Form1::Command7_Click},   {&C::Command8, &Form1::Command8_Click},
    {&C::Command9, &Form1::Command9_Click},   {&C::Command10, &Form1::Command10_Click},
    {&C::Command15, &Form1::Command15_Click}, {&C::Command16, &Form1::Command16_Click},
    {&C::Command17, &Form1::Command17_Click}, {&C::Command18, &Form1::Command18_Click},
    {&C::Command19, &Form1::Command19_Click}, {&C::Command20, &Form1::Command20_Click},
    {&C::Command21, &Form1::Command21_Click}, {&C::Command24, &Form1::Command24_Click},
    {&C::Command22, &Form1::Command22_Click}, {&C::Command25, &Form1::Command25_Click},
};

// The input fields: the handler that sees each typed character, the
// "Calculate" that Enter presses, and what the field takes.
struct Entry {
    QLineEdit* C::*field;
    void (Form1::*handler)(int&);
    void (Form1::*calculate)();
    NumberKind takes;
};

constexpr auto Decimal = NumberKind::Decimal;

const Entry Entries[] = {
    {&C::Text1, &Form1::Text1_KeyPress, &Form1::Command1_Click, Decimal},
    {&C::Text2, &Form1::Text2_KeyPress, &Form1::Command1_Click, Decimal},
    {&C::Text3, &Form1::Text3_KeyPress, &Form1::Command1_Click, Decimal},
    {&C::Text4, &Form1::Text4_KeyPress, &Form1::Command1_Click, Decimal},
    {&C::Text5, &Form1::Text5_KeyPress, &Form1::Command1_Click, Decimal},
    {&C::Text6, &Form1::Text6_KeyPress, &Form1::Command1_Click, Decimal},
    {&C::Text21, &Form1::Text21_KeyPress, &Form1::Command13_Click, Decimal},
    {&C::Text22, &Form1::Text22_KeyPress, &Form1::Command13_Click, Decimal},
    {&C::Text23, &Form1::Text23_KeyPress, &Form1::Command13_Click, Decimal},
    {&C::Text24, &Form1::Text24_KeyPress, &Form1::Command13_Click, Decimal},
    {&C::Text13, &Form1::Text13_KeyPress, &Form1::Command13_Click, NumberKind::Whole},
};

// The "C" buttons and the field each empties; the runtime's also puts the
// days and clock display back.
struct Clear {
    QPushButton* C::*button;
    QLineEdit* C::*field;
    bool runtimeDisplay = false;
};

const Clear Clears[] = {
    {&C::Command3, &C::Text1},   {&C::Command6, &C::Text2},       {&C::Command7, &C::Text3},
    {&C::Command8, &C::Text4},   {&C::Command9, &C::Text5, true}, {&C::Command10, &C::Text6},
    {&C::Command15, &C::Text21}, {&C::Command17, &C::Text22},     {&C::Command16, &C::Text23},
    {&C::Command18, &C::Text24},
};

// The copy buttons: ">>" into the resistor calculator, "<<" back.
struct Copy {
    QPushButton* C::*button;
    QLineEdit* C::*from;
    QLineEdit* C::*to;
};

const Copy Copies[] = {
    {&C::Command19, &C::Text1, &C::Text21}, {&C::Command20, &C::Text21, &C::Text1},
    {&C::Command21, &C::Text2, &C::Text22}, {&C::Command24, &C::Text22, &C::Text2},
    {&C::Command22, &C::Text3, &C::Text23}, {&C::Command25, &C::Text23, &C::Text3},
};

// What each calculator's "Reset" puts back to its start text, and the field
// that gets the focus.
using Fields = std::initializer_list<QLineEdit * C::*>;
const Fields RuntimeFields = {&C::Text1, &C::Text2, &C::Text3, &C::Text4, &C::Text5, &C::Text6, &C::Text7, &C::Text9};
const Fields ResistorFieldsToReset = {&C::Text21, &C::Text22, &C::Text23, &C::Text24, &C::Text25, &C::Text13};

template <typename Row, typename Member, std::size_t N>
const Row& RowOf(const Row (&rows)[N], Member Row::*key, Member value)
{
    return *std::find_if(std::begin(rows), std::end(rows), [&](const Row& row) { return row.*key == value; });
}

// Which control holds which member of a calculator's record.
template <typename Record> struct Binding {
    QLineEdit* C::*control;
    std::string Record::*member;
};

const Binding<ConverterFields> ConverterControls[] = {
    {&C::Text1, &ConverterFields::LedCurrent},     {&C::Text2, &ConverterFields::LedVf},
    {&C::Text3, &ConverterFields::BatteryVoltage}, {&C::Text4, &ConverterFields::Capacity},
    {&C::Text5, &ConverterFields::Runtime},        {&C::Text6, &ConverterFields::Efficiency},
    {&C::Text7, &ConverterFields::Days},           {&C::Text9, &ConverterFields::Clock},
};

const Binding<ResistorFields> ResistorControls[] = {
    {&C::Text23, &ResistorFields::BatteryVoltage}, {&C::Text22, &ResistorFields::LedVf},
    {&C::Text21, &ResistorFields::LedCurrent},     {&C::Text24, &ResistorFields::Resistance},
    {&C::Text25, &ResistorFields::Wattage},        {&C::Text13, &ResistorFields::LedCount},
};

template <typename Record, std::size_t N> Record ReadRecord(const Binding<Record> (&bindings)[N], const C& controls)
{
    Record record;
    for (const auto& binding : bindings)
        record.*binding.member = (controls.*binding.control)->text().toStdString();
    return record;
}

// Writes back only the members the calculator changed.
template <typename Record, std::size_t N>
void WriteChanges(const Binding<Record> (&bindings)[N], const Record& before, const Record& after, const C& controls)
{
    for (const auto& binding : bindings) {
        if (after.*binding.member != before.*binding.member)
            (controls.*binding.control)->setText(QString::fromStdString(after.*binding.member));
    }
}

// Alt+S and Alt+P choose the wiring while the main window is active. Seen
// as key presses, after the menu bar has seen them, so that releasing Alt
// afterwards does not open the menus as a lone Alt would; a shortcut would
// take the key away before the menu bar saw it.
class WiringKeys : public QObject {
  public:
    WiringKeys(QWidget* window, QRadioButton* series, QRadioButton* parallel)
        : QObject(window), m_window(window), m_series(series), m_parallel(parallel)
    {
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || QApplication::activeWindow() != m_window)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
            return false;
        QRadioButton* option = key->key() == Qt::Key_S ? m_series : key->key() == Qt::Key_P ? m_parallel : nullptr;
        if (!option)
            return false;
        if (option->isVisible()) { // out of the Basic view the resistor calculator is not there
            option->setChecked(true);
            Announce(option->text());
        }
        return true;
    }

  private:
    QWidget* m_window;
    QRadioButton* m_series;
    QRadioButton* m_parallel;
};

} // namespace

Form1::Form1()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lumora ") + ProgramVersion());
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed single border with a minimize box and no maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(ClassicFont(MsSansSerif, 8.25, false));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedHeight(Pixels(ClientHeightTwips));
    setCentralWidget(client);
    m_c = BuildForm1Controls(client);
    RenewAccessibleInterfaces(client); // the backdrops are marked decorative only once built
    BuildMenus();
    ConnectControls();

    Form_Load();
    m_c.Text1->setFocus(Qt::OtherFocusReason); // the user can type at once
}

Form1::~Form1() { m_windows.DestroyAll(); }

void Form1::BuildMenus()
{
    const auto add = [this](QMenu* menu, const char* name, const QString& caption, void (Form1::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("file"));
    add(file, "exit", QStringLiteral("Exit"), &Form1::exit_Click);
    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("view"));
    add(view, "basic", QStringLiteral("Basic"), &Form1::basic_Click);
    add(view, "resistors", QStringLiteral("Resistor Calculator"), &Form1::resistors_Click);
    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("helptop"));
    add(help, "help", QStringLiteral("Help"), &Form1::help_Click);
    add(help, "about", QStringLiteral("About"), &Form1::about_Click);
}

void Form1::ConnectControls()
{
    // F10 opens the menus, as on other Linux desktops; Alt opens them too.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    // Series and Parallel from the keyboard, wherever the focus is; the
    // options are no tab stops.
    m_c.Option1->setAccessibleDescription(QKeySequence(Qt::ALT | Qt::Key_S).toString(QKeySequence::NativeText));
    m_c.Option2->setAccessibleDescription(QKeySequence(Qt::ALT | Qt::Key_P).toString(QKeySequence::NativeText));
    qApp->installEventFilter(new WiringKeys(this, m_c.Option1, m_c.Option2));
    for (const ClickHandler& click : ClickHandlers)
        connect(m_c.*click.button, &QPushButton::clicked, this, click.handler);
    for (const Entry& entry : Entries) {
        const auto handler = entry.handler;
        new KeyPressFilter(m_c.*entry.field, [this, handler](int& keyAscii) { (this->*handler)(keyAscii); });
    }
}

// Start-up, views and shutdown

void Form1::Form_Load() { resistors_Click(); }

void Form1::SetOuterWidth(int twips)
{
    m_outerWidthTwips = twips;
    const int width = Pixels(twips - BorderTwips);
    // The menu bar is as high as it is laid out at this width; the client
    // area below it keeps its height.
    setFixedSize(width, menuBar()->heightForWidth(width) + Pixels(ClientHeightTwips));
}

void Form1::basic_Click()
{
    for (QWidget* control : ViewList(m_c))
        control->hide();
    SetOuterWidth(BasicViewWidthTwips);
}

void Form1::resistors_Click()
{
    SetOuterWidth(ResistorViewWidthTwips);
    for (QWidget* control : ViewList(m_c))
        control->show();
}

void Form1::Form_Unload(bool& cancel)
{
    m_windows.DestroyAll();
    cancel = false;
}

bool Form1::event(QEvent* event)
{
    if (event->type() == QEvent::Paint && !m_iconShown) {
        m_iconShown = true;
        QTimer::singleShot(0, this, [this] { ShowProgramIcon(this); }); // once this frame is on the screen
    }
    return QMainWindow::event(event);
}

void Form1::closeEvent(QCloseEvent* event)
{
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void Form1::exit_Click()
{
    close();                // runs Form_Unload, which destroys the other windows
    m_windows.DestroyAll(); // nothing is normally left by now
}

// Key filter

bool Form1::HasDotMinus(const QString& text, const int& keyAscii) const
{
    return keyAscii == Dot && text.contains(QLatin1Char('.'));
}

void Form1::KeyPress(QLineEdit* C::*field, int& keyAscii)
{
    const Entry& entry = RowOf(Entries, &Entry::field, field);
    if (keyAscii == Enter) {
        (this->*entry.calculate)(); // runs to completion now; the focus stays in the field
        keyAscii = 0;
    }
    const bool point = keyAscii == Dot && entry.takes == NumberKind::Decimal;
    if (!IsDigitCode(keyAscii) && !point && keyAscii != Backspace)
        keyAscii = 0; // in the LED count "." is swallowed too: whole numbers only
    if (HasDotMinus((m_c.*field)->text(), keyAscii))
        keyAscii = 0;
}

void Form1::Text1_KeyPress(int& keyAscii) { KeyPress(&C::Text1, keyAscii); }
void Form1::Text2_KeyPress(int& keyAscii) { KeyPress(&C::Text2, keyAscii); }
void Form1::Text3_KeyPress(int& keyAscii) { KeyPress(&C::Text3, keyAscii); }
void Form1::Text4_KeyPress(int& keyAscii) { KeyPress(&C::Text4, keyAscii); }
void Form1::Text5_KeyPress(int& keyAscii) { KeyPress(&C::Text5, keyAscii); }
void Form1::Text6_KeyPress(int& keyAscii) { KeyPress(&C::Text6, keyAscii); }
void Form1::Text21_KeyPress(int& keyAscii) { KeyPress(&C::Text21, keyAscii); }
void Form1::Text22_KeyPress(int& keyAscii) { KeyPress(&C::Text22, keyAscii); }
void Form1::Text23_KeyPress(int& keyAscii) { KeyPress(&C::Text23, keyAscii); }
void Form1::Text24_KeyPress(int& keyAscii) { KeyPress(&C::Text24, keyAscii); }
void Form1::Text13_KeyPress(int& keyAscii) { KeyPress(&C::Text13, keyAscii); }

// Clear, copy and reset

void Form1::ClearWith(QPushButton* C::*button)
{
    const Clear& clear = RowOf(Clears, &Clear::button, button);
    (m_c.*clear.field)->clear();
    (m_c.*clear.field)->setFocus(Qt::OtherFocusReason);
    if (clear.runtimeDisplay) {
        for (QLineEdit* C::*display : {&C::Text7, &C::Text9})
            (m_c.*display)->setText(StartText(display));
    }
}

void Form1::Command3_Click() { ClearWith(&C::Command3); }
void Form1::Command6_Click() { ClearWith(&C::Command6); }
void Form1::Command7_Click() { ClearWith(&C::Command7); }
void Form1::Command8_Click() { ClearWith(&C::Command8); }
void Form1::Command9_Click() { ClearWith(&C::Command9); }
void Form1::Command10_Click() { ClearWith(&C::Command10); }
void Form1::Command15_Click() { ClearWith(&C::Command15); }
void Form1::Command16_Click() { ClearWith(&C::Command16); }
void Form1::Command17_Click() { ClearWith(&C::Command17); }
void Form1::Command18_Click() { ClearWith(&C::Command18); }

// Copies carry the text unchanged, unchecked and unfiltered.
void Form1::CopyWith(QPushButton* C::*button)
{
    const Copy& copy = RowOf(Copies, &Copy::button, button);
    (m_c.*copy.to)->setText((m_c.*copy.from)->text());
}

void Form1::Command19_Click() { CopyWith(&C::Command19); }
void Form1::Command20_Click() { CopyWith(&C::Command20); }
void Form1::Command21_Click() { CopyWith(&C::Command21); }
void Form1::Command24_Click() { CopyWith(&C::Command24); }
void Form1::Command22_Click() { CopyWith(&C::Command22); }
void Form1::Command25_Click() { CopyWith(&C::Command25); }

void Form1::ResetToStart(std::initializer_list<QLineEdit * C::*> fields)
{
    for (QLineEdit* C::*field : fields)
        (m_c.*field)->setText(StartText(field));
    (m_c.**fields.begin())->setFocus(Qt::OtherFocusReason);
}

void Form1::Command2_Click() { ResetToStart(RuntimeFields); }

void Form1::Command14_Click() { ResetToStart(ResistorFieldsToReset); }

// Calculate

void Form1::Command1_Click()
{
    const ConverterFields before = ReadRecord(ConverterControls, m_c);
    const ConverterOutcome outcome = CalculateConverter(before);
    ShowErrorWindows(outcome.Windows);
    WriteChanges(ConverterControls, before, outcome.Fields, m_c);
    ShowFailure(QString::fromStdString(FailureText(outcome)));
    Announce(QString::fromStdString(ResultSentence(outcome)));
}

void Form1::Command13_Click()
{
    const ResistorFields before = ReadRecord(ResistorControls, m_c);
    const Wiring wiring = m_c.Option1->isChecked() ? Wiring::Series : Wiring::Parallel;
    const ResistorOutcome outcome = CalculateResistor(before, wiring);
    ShowErrorWindows(outcome.Windows);
    WriteChanges(ResistorControls, before, outcome.Fields, m_c);
    ShowFailure(QString::fromStdString(FailureText(outcome)));
    Announce(QString::fromStdString(ResultSentence(outcome)));
}

void Form1::ShowErrorWindows(const std::vector<ErrorWindow>& windows)
{
    // A screen reader follows the window that is active when it gets to it:
    // of several shown at once, only the last. So the others appear without
    // taking the focus, and the last one's OK says their messages too.
    QStringList others;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const ErrorWindow window = windows[i];
        SecondaryWindow* shown = m_windows.Ensure(NameOf(window), [window] { return NewErrorWindow(window); });
        if (i + 1 < windows.size()) {
            shown->ShowInactive();
            others << QString::fromUtf8(ErrorMessage(window));
        } else {
            shown->ShowActive(others.join(QLatin1Char(' ')));
        }
    }
}

void Form1::ShowFailure(const QString& message)
{
    if (message.isEmpty())
        return;
    // The message is in place before the window shows, so that the first
    // thing a screen reader announces is this message, not the last one.
    m_windows.Ensure<FailureWindow>()->SetMessage(message);
    m_windows.Show<FailureWindow>();
}

// Help menu

void Form1::help_Click() { m_windows.Show<Form4>(); }

void Form1::about_Click() { m_windows.Show<Form5>(); }

} // namespace lumora::ui
