// SPDX-License-Identifier: MIT
#include "ui/main/form1.h"

#include "calc/converter.h"
#include "calc/messages.h"
#include "calc/resistor.h"
#include "ui/common/accessible_factory.h"
#include "ui/common/classic_font.h"
#include "ui/common/program_icon.h"
#include "ui/common/program_version.h"
#include "ui/common/twips.h"
#include "ui/dialogs/failure_window.h"
#include "ui/dialogs/form2.h"
#include "ui/dialogs/form3.h"
#include "ui/dialogs/form4.h"
#include "ui/dialogs/form5.h"
#include "ui/dialogs/form6.h"
#include "ui/dialogs/form7.h"
#include "ui/dialogs/form8.h"
#include "ui/main/key_press_filter.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include <array>
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

struct KeyHandler {
    QLineEdit* C::*field;
    void (Form1::*handler)(int&);
};

const KeyHandler KeyHandlers[] = {
    {&C::Text1, &Form1::Text1_KeyPress},   {&C::Text2, &Form1::Text2_KeyPress},   {&C::Text3, &Form1::Text3_KeyPress},
    {&C::Text4, &Form1::Text4_KeyPress},   {&C::Text5, &Form1::Text5_KeyPress},   {&C::Text6, &Form1::Text6_KeyPress},
    {&C::Text21, &Form1::Text21_KeyPress}, {&C::Text22, &Form1::Text22_KeyPress}, {&C::Text23, &Form1::Text23_KeyPress},
    {&C::Text24, &Form1::Text24_KeyPress}, {&C::Text13, &Form1::Text13_KeyPress},
};

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

} // namespace

Form1::Form1()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lumora ") + ProgramVersion());
    setWindowIcon(ProgramIcon());
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
    for (const ClickHandler& click : ClickHandlers)
        connect(m_c.*click.button, &QPushButton::clicked, this, click.handler);
    for (const KeyHandler& key : KeyHandlers) {
        const auto handler = key.handler;
        new KeyPressFilter(m_c.*key.field, [this, handler](int& keyAscii) { (this->*handler)(keyAscii); });
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

void Form1::DecimalKeyPress(QLineEdit* field, void (Form1::*press)(), int& keyAscii)
{
    if (keyAscii == Enter) {
        (this->*press)(); // runs to completion now; the focus stays in the field
        keyAscii = 0;
    }
    if (!IsDigitCode(keyAscii) && keyAscii != Dot && keyAscii != Backspace)
        keyAscii = 0;
    if (HasDotMinus(field->text(), keyAscii))
        keyAscii = 0;
}

void Form1::Text1_KeyPress(int& keyAscii) { DecimalKeyPress(m_c.Text1, &Form1::Command1_Click, keyAscii); }
void Form1::Text2_KeyPress(int& keyAscii) { DecimalKeyPress(m_c.Text2, &Form1::Command1_Click, keyAscii); }
void Form1::Text3_KeyPress(int& keyAscii) { DecimalKeyPress(m_c.Text3, &Form1::Command1_Click, keyAscii); }
void Form1::Text4_KeyPress(int& keyAscii) { DecimalKeyPress(m_c.Text4, &Form1::Command1_Click, keyAscii); }
void Form1::Text5_KeyPress(int& keyAscii) { DecimalKeyPress(m_c.Text5, &Form1::Command1_Click, keyAscii); }
void Form1::Text6_KeyPress(int& keyAscii) { DecimalKeyPress(m_c.Text6, &Form1::Command1_Click, keyAscii); }
void Form1::Text21_KeyPress(int& keyAscii) { DecimalKeyPress(m_c.Text21, &Form1::Command13_Click, keyAscii); }
void Form1::Text22_KeyPress(int& keyAscii) { DecimalKeyPress(m_c.Text22, &Form1::Command13_Click, keyAscii); }
void Form1::Text23_KeyPress(int& keyAscii) { DecimalKeyPress(m_c.Text23, &Form1::Command13_Click, keyAscii); }
void Form1::Text24_KeyPress(int& keyAscii) { DecimalKeyPress(m_c.Text24, &Form1::Command13_Click, keyAscii); }

void Form1::Text13_KeyPress(int& keyAscii)
{
    if (keyAscii == Enter) {
        Command13_Click();
        keyAscii = 0;
    }
    if (!IsDigitCode(keyAscii) && keyAscii != Backspace)
        keyAscii = 0; // whole numbers only: "." is swallowed too
}

// Clear, copy and reset

void Form1::ClearField(QLineEdit* field)
{
    field->clear();
    field->setFocus(Qt::OtherFocusReason);
}

void Form1::Command3_Click() { ClearField(m_c.Text1); }
void Form1::Command6_Click() { ClearField(m_c.Text2); }
void Form1::Command7_Click() { ClearField(m_c.Text3); }
void Form1::Command8_Click() { ClearField(m_c.Text4); }
void Form1::Command10_Click() { ClearField(m_c.Text6); }
void Form1::Command15_Click() { ClearField(m_c.Text21); }
void Form1::Command16_Click() { ClearField(m_c.Text23); }
void Form1::Command17_Click() { ClearField(m_c.Text22); }
void Form1::Command18_Click() { ClearField(m_c.Text24); }

void Form1::Command9_Click()
{
    ClearField(m_c.Text5);
    m_c.Text7->setText(QStringLiteral("0"));
    m_c.Text9->setText(QStringLiteral("00:00:00"));
}

// Copies carry the text unchanged, unchecked and unfiltered.
void Form1::Command19_Click() { m_c.Text21->setText(m_c.Text1->text()); }
void Form1::Command20_Click() { m_c.Text1->setText(m_c.Text21->text()); }
void Form1::Command21_Click() { m_c.Text22->setText(m_c.Text2->text()); }
void Form1::Command24_Click() { m_c.Text2->setText(m_c.Text22->text()); }
void Form1::Command22_Click() { m_c.Text23->setText(m_c.Text3->text()); }
void Form1::Command25_Click() { m_c.Text3->setText(m_c.Text23->text()); }

void Form1::Command2_Click()
{
    for (QLineEdit* field : {m_c.Text1, m_c.Text2, m_c.Text3, m_c.Text4, m_c.Text5})
        field->clear();
    m_c.Text6->setText(QStringLiteral("83"));
    m_c.Text7->setText(QStringLiteral("0"));
    m_c.Text9->setText(QStringLiteral("00:00:00"));
    m_c.Text1->setFocus(Qt::OtherFocusReason);
}

void Form1::Command14_Click()
{
    for (QLineEdit* field : {m_c.Text21, m_c.Text22, m_c.Text23, m_c.Text24})
        field->clear();
    m_c.Text25->setText(QStringLiteral("0.00"));
    m_c.Text21->setFocus(Qt::OtherFocusReason);
    m_c.Text13->setText(QStringLiteral("1"));
}

// Calculate

void Form1::Command1_Click()
{
    const ConverterFields before = ReadRecord(ConverterControls, m_c);
    const ConverterOutcome outcome = CalculateConverter(before);
    ShowErrorWindows(outcome.Windows);
    WriteChanges(ConverterControls, before, outcome.Fields, m_c);
    ShowFailure(QString::fromStdString(FailureText(outcome)));
}

void Form1::Command13_Click()
{
    const ResistorFields before = ReadRecord(ResistorControls, m_c);
    const Wiring wiring = m_c.Option1->isChecked() ? Wiring::Series : Wiring::Parallel;
    const ResistorOutcome outcome = CalculateResistor(before, wiring);
    ShowErrorWindows(outcome.Windows);
    WriteChanges(ResistorControls, before, outcome.Fields, m_c);
    ShowFailure(QString::fromStdString(FailureText(outcome)));
}

void Form1::ShowErrorWindows(const std::vector<ErrorWindow>& windows)
{
    for (ErrorWindow window : windows) {
        switch (window) {
        case ErrorWindow::Form2: m_windows.Show<Form2>(); break;
        case ErrorWindow::Form3: m_windows.Show<Form3>(); break;
        case ErrorWindow::Form6: m_windows.Show<Form6>(); break;
        case ErrorWindow::Form7: m_windows.Show<Form7>(); break;
        case ErrorWindow::Form8: m_windows.Show<Form8>(); break;
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
