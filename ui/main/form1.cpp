#include "ui/main/form1.h"

#include "calc/converter.h"
#include "calc/resistor.h"
#include "ui/common/classic_font.h"
#include "ui/common/program_icon.h"
#include "ui/common/twips.h"
#include "ui/dialogs/failure_window.h"
#include "ui/dialogs/form2.h"
#include "ui/dialogs/form3.h"
#include "ui/dialogs/form4.h"
#include "ui/dialogs/form5.h"
#include "ui/dialogs/form6.h"
#include "ui/dialogs/form7.h"
#include "ui/dialogs/form8.h"
#include "ui/main/failure_text.h"
#include "ui/main/form1_layout.h"
#include "ui/main/key_press_filter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>

#include <string>

namespace lumora::ui {

namespace {

constexpr int Dot = 46;
constexpr int Backspace = 8;
constexpr int Enter = 13;

bool IsDigitCode(int code) { return code >= '0' && code <= '9'; }

// The controls each view hides and shows, in this order.
const char* const ViewList[] = {"Command19", "Command21", "Command22", "Text21",  "Text22",    "Text23",
                                "Text24",    "Text13",    "Option1",   "Option2", "Command13", "Command14"};

// The Tab order; every other control is no tab stop.
const char* const TabOrder[] = {"Text12", "Text8",  "Text1",    "Text2",     "Text3",    "Text4",
                                "Text5",  "Text6",  "Command1", "Command2",  "Text21",   "Text22",
                                "Text23", "Text24", "Text13",   "Command13", "Command14"};

struct ToolTip {
    const char* field;
    const char* text;
};

const ToolTip ToolTips[] = {
    {"Text1", "Enter the desired mA to be sent to the LED.  Example: 1000 = 1 amp"},
    {"Text2", "Enter the Vf (forward voltage) of the LED you are planning to use.  Typically, 1W LED's are 3.5V, "
              "and 5W LED's are 6.8V."},
    {"Text3", "Enter the total voltage output of the batteries you plan to use."},
    {"Text4", "Enter the capasity of your battery type here, in mAh."},
    {"Text5", "Enter the runtime in decimal form that you wish to achieve.  1 = 1 Hour, 1.25 = 1 Hour 15 Minutes, "
              "etc."},
    {"Text6", "Enter the efficiency of the converter board you plan to use.  Default is 83%. This is typical for the "
              "Kestrel and Merlin converters."},
};

struct ClickHandler {
    const char* button;
    void (Form1::*handler)();
};

const ClickHandler ClickHandlers[] = {
    {"Command1", &Form1::Command1_Click},   {"Command2", &Form1::Command2_Click},
    {"Command13", &Form1::Command13_Click}, {"Command14", &Form1::Command14_Click},
    {"Command3", &Form1::Command3_Click},   {"Command6", &Form1::Command6_Click},
    {"Command7", &Form1::Command7_Click},   {"Command8", &Form1::Command8_Click},
    {"Command9", &Form1::Command9_Click},   {"Command10", &Form1::Command10_Click},
    {"Command15", &Form1::Command15_Click}, {"Command16", &Form1::Command16_Click},
    {"Command17", &Form1::Command17_Click}, {"Command18", &Form1::Command18_Click},
    {"Command19", &Form1::Command19_Click}, {"Command20", &Form1::Command20_Click},
    {"Command21", &Form1::Command21_Click}, {"Command24", &Form1::Command24_Click},
    {"Command22", &Form1::Command22_Click}, {"Command25", &Form1::Command25_Click},
};

struct KeyHandler {
    const char* field;
    void (Form1::*handler)(int&);
};

const KeyHandler KeyHandlers[] = {
    {"Text1", &Form1::Text1_KeyPress},   {"Text2", &Form1::Text2_KeyPress},   {"Text3", &Form1::Text3_KeyPress},
    {"Text4", &Form1::Text4_KeyPress},   {"Text5", &Form1::Text5_KeyPress},   {"Text6", &Form1::Text6_KeyPress},
    {"Text21", &Form1::Text21_KeyPress}, {"Text22", &Form1::Text22_KeyPress}, {"Text23", &Form1::Text23_KeyPress},
    {"Text24", &Form1::Text24_KeyPress}, {"Text13", &Form1::Text13_KeyPress},
};

// Which control holds which member of a calculator's record.
template <typename Record> struct Binding {
    const char* control;
    std::string Record::*member;
};

const Binding<ConverterFields> ConverterControls[] = {
    {"Text1", &ConverterFields::LedCurrent},     {"Text2", &ConverterFields::LedVf},
    {"Text3", &ConverterFields::BatteryVoltage}, {"Text4", &ConverterFields::Capacity},
    {"Text5", &ConverterFields::Runtime},        {"Text6", &ConverterFields::Efficiency},
    {"Text7", &ConverterFields::Days},           {"Text9", &ConverterFields::Clock},
};

const Binding<ResistorFields> ResistorControls[] = {
    {"Text23", &ResistorFields::BatteryVoltage}, {"Text22", &ResistorFields::LedVf},
    {"Text21", &ResistorFields::LedCurrent},     {"Text24", &ResistorFields::Resistance},
    {"Text25", &ResistorFields::Wattage},        {"Text13", &ResistorFields::LedCount},
};

} // namespace

Form1::Form1()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lumora 2.12"));
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed single border with a minimize box and no maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(ClassicFont(MsSansSerif, 8.25, false));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    m_controls = BuildForm1Controls(client);
    BuildMenus();
    ConnectControls();

    for (const ToolTip& tip : ToolTips) {
        Field(tip.field)->setToolTip(QString::fromUtf8(tip.text));
        Field(tip.field)->setAccessibleDescription(QString::fromUtf8(tip.text));
    }
    Field("Text6")->setMaxLength(5);
    static_cast<QRadioButton*>(m_controls.value(QStringLiteral("Option1")))->setChecked(true);
    for (std::size_t i = 1; i < std::size(TabOrder); ++i)
        setTabOrder(m_controls.value(TabOrder[i - 1]), m_controls.value(TabOrder[i]));

    setFixedHeight(menuBar()->sizeHint().height() + Pixels(ClientHeightTwips));
    Form_Load();
    Field("Text1")->setFocus(Qt::OtherFocusReason); // the user can type at once
}

Form1::~Form1()
{
    m_windows.DestroyAll();
}

void Form1::ApplyClassicLook(QApplication& app)
{
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(style);
        QApplication::setPalette(style->standardPalette());
    }
    app.setWindowIcon(ProgramIcon());
}

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
        connect(static_cast<QPushButton*>(m_controls.value(click.button)), &QPushButton::clicked, this, click.handler);
    for (const KeyHandler& key : KeyHandlers) {
        const auto handler = key.handler;
        new KeyPressFilter(Field(key.field), [this, handler](int& keyAscii) { (this->*handler)(keyAscii); });
    }
}

QLineEdit* Form1::Field(const char* name) const
{
    return static_cast<QLineEdit*>(m_controls.value(QString::fromLatin1(name)));
}

// Start-up, views and shutdown

void Form1::Form_Load() { resistors_Click(); }

void Form1::SetOuterWidth(int twips)
{
    m_outerWidthTwips = twips;
    setFixedWidth(Pixels(twips - BorderTwips));
}

void Form1::basic_Click()
{
    for (const char* name : ViewList)
        m_controls.value(name)->hide();
    SetOuterWidth(BasicViewWidthTwips);
}

void Form1::resistors_Click()
{
    SetOuterWidth(ResistorViewWidthTwips);
    for (const char* name : ViewList)
        m_controls.value(name)->show();
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

void Form1::DecimalKeyPress(const char* field, void (Form1::*press)(), int& keyAscii)
{
    if (keyAscii == Enter) {
        (this->*press)(); // runs to completion now; the focus stays in the field
        keyAscii = 0;
    }
    if (!IsDigitCode(keyAscii) && keyAscii != Dot && keyAscii != Backspace)
        keyAscii = 0;
    if (HasDotMinus(Field(field)->text(), keyAscii))
        keyAscii = 0;
}

void Form1::Text1_KeyPress(int& keyAscii) { DecimalKeyPress("Text1", &Form1::Command1_Click, keyAscii); }
void Form1::Text2_KeyPress(int& keyAscii) { DecimalKeyPress("Text2", &Form1::Command1_Click, keyAscii); }
void Form1::Text3_KeyPress(int& keyAscii) { DecimalKeyPress("Text3", &Form1::Command1_Click, keyAscii); }
void Form1::Text4_KeyPress(int& keyAscii) { DecimalKeyPress("Text4", &Form1::Command1_Click, keyAscii); }
void Form1::Text5_KeyPress(int& keyAscii) { DecimalKeyPress("Text5", &Form1::Command1_Click, keyAscii); }
void Form1::Text6_KeyPress(int& keyAscii) { DecimalKeyPress("Text6", &Form1::Command1_Click, keyAscii); }
void Form1::Text21_KeyPress(int& keyAscii) { DecimalKeyPress("Text21", &Form1::Command13_Click, keyAscii); }
void Form1::Text22_KeyPress(int& keyAscii) { DecimalKeyPress("Text22", &Form1::Command13_Click, keyAscii); }
void Form1::Text23_KeyPress(int& keyAscii) { DecimalKeyPress("Text23", &Form1::Command13_Click, keyAscii); }
void Form1::Text24_KeyPress(int& keyAscii) { DecimalKeyPress("Text24", &Form1::Command13_Click, keyAscii); }

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

void Form1::ClearField(const char* name)
{
    Field(name)->setText(QString());
    Field(name)->setFocus(Qt::OtherFocusReason);
}

void Form1::CopyField(const char* from, const char* to) { Field(to)->setText(Field(from)->text()); }

void Form1::Command3_Click() { ClearField("Text1"); }
void Form1::Command6_Click() { ClearField("Text2"); }
void Form1::Command7_Click() { ClearField("Text3"); }
void Form1::Command8_Click() { ClearField("Text4"); }
void Form1::Command10_Click() { ClearField("Text6"); }
void Form1::Command15_Click() { ClearField("Text21"); }
void Form1::Command16_Click() { ClearField("Text23"); }
void Form1::Command17_Click() { ClearField("Text22"); }
void Form1::Command18_Click() { ClearField("Text24"); }

void Form1::Command9_Click()
{
    ClearField("Text5");
    Field("Text7")->setText(QStringLiteral("0"));
    Field("Text9")->setText(QStringLiteral("00:00:00"));
}

void Form1::Command19_Click() { CopyField("Text1", "Text21"); }
void Form1::Command20_Click() { CopyField("Text21", "Text1"); }
void Form1::Command21_Click() { CopyField("Text2", "Text22"); }
void Form1::Command24_Click() { CopyField("Text22", "Text2"); }
void Form1::Command22_Click() { CopyField("Text3", "Text23"); }
void Form1::Command25_Click() { CopyField("Text23", "Text3"); }

void Form1::Command2_Click()
{
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5"})
        Field(name)->setText(QString());
    Field("Text6")->setText(QStringLiteral("83"));
    Field("Text7")->setText(QStringLiteral("0"));
    Field("Text9")->setText(QStringLiteral("00:00:00"));
    Field("Text1")->setFocus(Qt::OtherFocusReason);
}

void Form1::Command14_Click()
{
    for (const char* name : {"Text21", "Text22", "Text23", "Text24"})
        Field(name)->setText(QString());
    Field("Text25")->setText(QStringLiteral("0.00"));
    Field("Text21")->setFocus(Qt::OtherFocusReason);
    Field("Text13")->setText(QStringLiteral("1"));
}

// Calculate

namespace {

template <typename Record, std::size_t N>
Record ReadRecord(const Binding<Record> (&bindings)[N], const QHash<QString, QWidget*>& controls)
{
    Record record;
    for (const auto& binding : bindings)
        record.*binding.member = static_cast<QLineEdit*>(controls.value(binding.control))->text().toStdString();
    return record;
}

// Writes back only the members the calculator changed.
template <typename Record, std::size_t N>
void WriteChanges(const Binding<Record> (&bindings)[N], const Record& before, const Record& after,
                  const QHash<QString, QWidget*>& controls)
{
    for (const auto& binding : bindings) {
        if (after.*binding.member != before.*binding.member)
            static_cast<QLineEdit*>(controls.value(binding.control))
                ->setText(QString::fromStdString(after.*binding.member));
    }
}

} // namespace

void Form1::Command1_Click()
{
    const ConverterFields before = ReadRecord(ConverterControls, m_controls);
    const ConverterOutcome outcome = CalculateConverter(before);
    ShowErrorWindows(outcome.Windows);
    WriteChanges(ConverterControls, before, outcome.Fields, m_controls);
    ShowFailure(FailureText(outcome));
}

void Form1::Command13_Click()
{
    const ResistorFields before = ReadRecord(ResistorControls, m_controls);
    const bool series = static_cast<QRadioButton*>(m_controls.value(QStringLiteral("Option1")))->isChecked();
    const ResistorOutcome outcome = CalculateResistor(before, series ? Wiring::Series : Wiring::Parallel);
    ShowErrorWindows(outcome.Windows);
    WriteChanges(ResistorControls, before, outcome.Fields, m_controls);
    ShowFailure(FailureText(outcome));
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
    // The text is set before the window is shown, so a reader sees it at once.
    m_windows.Show<FailureWindow>()->SetMessage(message);
}

// Help menu

void Form1::help_Click() { m_windows.Show<Form4>(); }

void Form1::about_Click() { m_windows.Show<Form5>(); }

} // namespace lumora::ui
