// SPDX-License-Identifier: MIT
#include "ui/main/form1_controls.h"

#include "calc/field_text.h"
#include "ui/common/classic_font.h"
#include "ui/common/twips.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <variant>
#include <vector>

namespace lumora::ui {

namespace {

using C = Form1Controls;

enum class Kind {
    Backdrop, // disabled, captionless button face drawn as a raised panel behind a calculator
    Title,    // read-only title box
    Frame,    // captioned group box
    Input,    // input field
    Clear,    // "C" button
    Display,  // read-only, borderless box the program writes
    Legend,   // read-only, borderless, left-aligned text that never changes
    Blank,    // read-only, borderless box that is never written
    Button,   // "Calculate" and "Reset"
    Copy,     // ">>" and "<<" between the calculators
    Option,   // "Series" / "Parallel"
};

using Slot = std::variant<QPushButton * C::*, QLineEdit * C::*, QGroupBox * C::*, QRadioButton * C::*>;

struct Row {
    Kind kind;
    Slot slot;
    const char* name;
    QGroupBox* C::*frame;       // the frame it sits in, or nullptr for the window
    QRect twips;                // left, top, width, height from the frame's or the window's corner
    const char* text;           // caption or start text
    int tab;                    // place in the Tab order, from 1; 0 for no tab stop
    const char* accessibleName; // begins with what a sighted user sees
    const char* toolTip = nullptr;
    const QString* face = nullptr; // nullptr: the kind's usual font
    qreal points = 0;
    std::size_t maxLength = 0; // characters an input field holds; 0 for no limit
};

// The member and its name.
#define CONTROL(name) &C::name, #name

const char* const CurrentTip = "Enter the desired mA to be sent to the LED.  Example: 1000 = 1 amp";
const char* const VfTip = "Enter the Vf (forward voltage) of the LED you are planning to use.  Typically, 1W LED's "
                          "are 3.5V, and 5W LED's are 6.8V.";
const char* const BatteryTip = "Enter the total voltage output of the batteries you plan to use.";
const char* const CapacityTip = "Enter the capasity of your battery type here, in mAh.";
const char* const RuntimeTip = "Enter the runtime in decimal form that you wish to achieve.  1 = 1 Hour, 1.25 = 1 "
                               "Hour 15 Minutes, etc.";
const char* const EfficiencyTip = "Enter the efficiency of the converter board you plan to use.  Default is 83%. "
                                  "This is typical for the Kestrel and Merlin converters.";

// Backdrops first, so that every other control lies in front of them.
// clang-format off
const Row Rows[] = {
    {Kind::Backdrop, CONTROL(Command4), nullptr, {117, 0, 2704, 5746}, "", 0, "Runtime calculator panel"},
    {Kind::Backdrop, CONTROL(Command5), nullptr, {117, 5850, 2704, 1300}, "", 0, "Runtime calculator buttons panel"},
    {Kind::Backdrop, CONTROL(Command11), nullptr, {3627, 0, 2704, 5746}, "", 0, "Resistor calculator panel"},
    {Kind::Backdrop, CONTROL(Command12), nullptr, {3627, 5850, 2704, 1300}, "", 0, "Resistor calculator buttons panel"},

    // Runtime calculator.
    {Kind::Title, CONTROL(Text12), nullptr, {234, 117, 2470, 312}, "LED Converter Calculator", 1, "LED Converter Calculator"},
    {Kind::Frame, CONTROL(Frame1), nullptr, {234, 468, 2470, 715}, "Desired LED Current  -  mA", 0, "Desired LED Current - mA, runtime calculator"},
    {Kind::Input, CONTROL(Text1), &C::Frame1, {117, 234, 1768, 364}, "", 3, "Desired LED Current - mA, runtime calculator", CurrentTip},
    {Kind::Clear, CONTROL(Command3), &C::Frame1, {1989, 234, 364, 364}, "C", 0, "C: clear LED current, runtime calculator"},
    {Kind::Frame, CONTROL(Frame2), nullptr, {234, 1287, 2470, 715}, "LED Vf Voltage", 0, "LED Vf Voltage, runtime calculator"},
    {Kind::Input, CONTROL(Text2), &C::Frame2, {117, 234, 1768, 364}, "", 4, "LED Vf Voltage, runtime calculator", VfTip},
    {Kind::Clear, CONTROL(Command6), &C::Frame2, {1989, 234, 364, 364}, "C", 0, "C: clear LED Vf voltage, runtime calculator"},
    {Kind::Frame, CONTROL(Frame3), nullptr, {234, 2106, 2470, 715}, "Battery Input Voltage", 0, "Battery Input Voltage, runtime calculator"},
    {Kind::Input, CONTROL(Text3), &C::Frame3, {117, 234, 1768, 364}, "", 5, "Battery Input Voltage, runtime calculator", BatteryTip},
    {Kind::Clear, CONTROL(Command7), &C::Frame3, {1989, 234, 364, 364}, "C", 0, "C: clear battery input voltage, runtime calculator"},
    {Kind::Frame, CONTROL(Frame4), nullptr, {234, 2925, 2470, 715}, "Battery mAh Capacity", 0, "Battery mAh Capacity, runtime calculator"},
    {Kind::Input, CONTROL(Text4), &C::Frame4, {117, 234, 1768, 364}, "", 6, "Battery mAh Capacity, runtime calculator", CapacityTip},
    {Kind::Clear, CONTROL(Command8), &C::Frame4, {1989, 234, 364, 364}, "C", 0, "C: clear battery capacity, runtime calculator"},
    {Kind::Frame, CONTROL(Frame5), nullptr, {234, 3744, 2470, 1092}, "Runtime in Hours", 0, "Runtime in Hours, runtime calculator"},
    {Kind::Input, CONTROL(Text5), &C::Frame5, {117, 234, 1768, 364}, "", 7, "Runtime in Hours, runtime calculator", RuntimeTip},
    {Kind::Clear, CONTROL(Command9), &C::Frame5, {1989, 234, 364, 364}, "C", 0, "C: clear runtime, runtime calculator"},
    {Kind::Blank, CONTROL(Text11), &C::Frame5, {1638, 585, 364, 247}, "", 0, "Runtime display backdrop"},
    {Kind::Display, CONTROL(Text7), &C::Frame5, {117, 585, 481, 247}, "0", 0, "Runtime in Hours: whole days", nullptr, &Arial, 11.89},
    {Kind::Display, CONTROL(Text9), &C::Frame5, {585, 585, 1066, 247}, "00:00:00", 0, "Runtime in Hours: hours, minutes and seconds", nullptr, &Arial, 11.89},
    {Kind::Legend, CONTROL(Text10), &C::Frame5, {234, 819, 1651, 247}, "Days     H     M      S", 0, "Days H M S: legend of the runtime display", nullptr, &Arial, 7.69},
    {Kind::Frame, CONTROL(Frame6), nullptr, {234, 4914, 2470, 715}, "Converter Efficiency  %", 0, "Converter Efficiency %, runtime calculator"},
    {Kind::Input, CONTROL(Text6), &C::Frame6, {702, 234, 598, 364}, "83", 8, "Converter Efficiency %, runtime calculator", EfficiencyTip, nullptr, 0, EfficiencyMaxLength},
    {Kind::Clear, CONTROL(Command10), &C::Frame6, {1989, 234, 364, 364}, "C", 0, "C: clear converter efficiency, runtime calculator"},
    {Kind::Button, CONTROL(Command1), nullptr, {234, 5967, 2470, 481}, "Calculate", 9, "Calculate, runtime calculator"},
    {Kind::Button, CONTROL(Command2), nullptr, {234, 6552, 2470, 481}, "Reset", 10, "Reset, runtime calculator"},

    // Resistor calculator.
    {Kind::Title, CONTROL(Text8), nullptr, {3744, 117, 2470, 312}, "LED Resistor Calculator", 2, "LED Resistor Calculator"},
    {Kind::Frame, CONTROL(Frame9), nullptr, {3744, 468, 2470, 715}, "Desired LED Current - mA", 0, "Desired LED Current - mA, resistor calculator"},
    {Kind::Input, CONTROL(Text21), &C::Frame9, {117, 234, 1768, 364}, "", 11, "Desired LED Current - mA, resistor calculator"},
    {Kind::Clear, CONTROL(Command15), &C::Frame9, {1989, 234, 364, 364}, "C", 0, "C: clear LED current, resistor calculator"},
    {Kind::Frame, CONTROL(Frame8), nullptr, {3744, 1287, 2470, 715}, "LED VF Voltage", 0, "LED VF Voltage, resistor calculator"},
    {Kind::Input, CONTROL(Text22), &C::Frame8, {117, 234, 1768, 364}, "", 12, "LED VF Voltage, resistor calculator"},
    {Kind::Clear, CONTROL(Command17), &C::Frame8, {1989, 234, 364, 364}, "C", 0, "C: clear LED VF voltage, resistor calculator"},
    {Kind::Frame, CONTROL(Frame7), nullptr, {3744, 2106, 2470, 715}, "Battery Input Voltage", 0, "Battery Input Voltage, resistor calculator"},
    {Kind::Input, CONTROL(Text23), &C::Frame7, {117, 234, 1768, 364}, "", 13, "Battery Input Voltage, resistor calculator"},

    // On the window, in front of Frame7, at the spot of the other "C" buttons in their frames.
    {Kind::Clear, CONTROL(Command16), nullptr, {5733, 2340, 364, 364}, "C", 0, "C: clear battery input voltage, resistor calculator"},
    {Kind::Frame, CONTROL(Frame10), nullptr, {3744, 2925, 2470, 715}, "Resistance in Ohms", 0, "Resistance in Ohms, resistor calculator"},
    {Kind::Input, CONTROL(Text24), &C::Frame10, {117, 234, 1768, 364}, "", 14, "Resistance in Ohms, resistor calculator"},
    {Kind::Clear, CONTROL(Command18), &C::Frame10, {1989, 234, 364, 364}, "C", 0, "C: clear resistance, resistor calculator"},
    {Kind::Frame, CONTROL(Frame12), nullptr, {3744, 3744, 2470, 1066}, "# of LEDs", 0, "# of LEDs, resistor calculator"},
    {Kind::Input, CONTROL(Text13), &C::Frame12, {117, 351, 715, 364}, "1", 15, "# of LEDs, resistor calculator"},
    {Kind::Option, CONTROL(Option1), &C::Frame12, {1053, 234, 1183, 247}, "Series", 0, "Series: LEDs wired in series, resistor calculator"},
    {Kind::Option, CONTROL(Option2), &C::Frame12, {1053, 702, 1183, 247}, "Parallel", 0, "Parallel: LEDs wired in parallel, resistor calculator"},
    {Kind::Frame, CONTROL(Frame11), nullptr, {3744, 4914, 2470, 715}, "Resistor Wattage", 0, "Resistor Wattage, resistor calculator"},
    {Kind::Display, CONTROL(Text25), &C::Frame11, {351, 234, 1768, 247}, "0.00", 0, "Resistor Wattage: watts, resistor calculator", nullptr, &MsSansSerif, 11.18},
    {Kind::Button, CONTROL(Command13), nullptr, {3744, 5967, 2470, 481}, "Calculate", 16, "Calculate, resistor calculator"},
    {Kind::Button, CONTROL(Command14), nullptr, {3744, 6552, 2470, 481}, "Reset", 17, "Reset, resistor calculator"},

    // Copy column, level with the first three rows of input fields.
    {Kind::Copy, CONTROL(Command19), nullptr, {2830, 702, 364, 364}, ">>", 0, ">> copy LED current to the resistor calculator"},
    {Kind::Copy, CONTROL(Command20), nullptr, {3250, 702, 364, 364}, "<<", 0, "<< copy LED current to the runtime calculator"},
    {Kind::Copy, CONTROL(Command21), nullptr, {2830, 1521, 364, 364}, ">>", 0, ">> copy LED Vf voltage to the resistor calculator"},
    {Kind::Copy, CONTROL(Command24), nullptr, {3250, 1521, 364, 364}, "<<", 0, "<< copy LED Vf voltage to the runtime calculator"},
    {Kind::Copy, CONTROL(Command22), nullptr, {2830, 2340, 364, 364}, ">>", 0, ">> copy battery input voltage to the resistor calculator"},
    {Kind::Copy, CONTROL(Command25), nullptr, {3250, 2340, 364, 364}, "<<", 0, "<< copy battery input voltage to the runtime calculator"},
};
// clang-format on

#undef CONTROL

// A read-only box without a border. It paints no background of its own, so
// the button face behind it shows through and a frame edge it touches stays
// whole.
QLineEdit* MakeDisplayBox(const Row& row, QWidget* parent)
{
    auto* box = new QLineEdit(QString::fromUtf8(row.text), parent);
    box->setReadOnly(true);
    box->setFrame(false);
    box->setTextMargins(0, 0, 0, 0);
    box->setAlignment(row.kind == Kind::Legend ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    // A click can select and copy what it shows; the empty box has nothing to give.
    box->setFocusPolicy(row.kind == Kind::Blank ? Qt::NoFocus : Qt::ClickFocus);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    box->setPalette(palette);
    if (row.kind == Kind::Title)
        box->setFont(ClassicFont(Arial, 9.79));
    return box;
}

QPushButton* MakeButton(const Row& row, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(row.text), parent);
    switch (row.kind) {
    case Kind::Backdrop:
        button->setEnabled(false);
        button->setFocusPolicy(Qt::NoFocus);
        break;
    case Kind::Clear:
        button->setFont(ClassicFont(MsSansSerif, 8.25, false)); // the window's own font
        button->setFocusPolicy(Qt::NoFocus);
        break;
    case Kind::Copy:
        button->setFont(ClassicFont(MsSansSerif, 9.09));
        button->setFocusPolicy(Qt::NoFocus); // copying leaves the focus where it was
        break;
    case Kind::Button:
    default:
        button->setFont(ClassicFont(Tahoma, 11.89));
        button->setAutoDefault(true); // Return and Enter press it while it has the focus, as Space does
        break;
    }
    return button;
}

QWidget* Make(const Row& row, QWidget* parent)
{
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case Kind::Backdrop:
    case Kind::Clear:
    case Kind::Button:
    case Kind::Copy: return MakeButton(row, parent);
    case Kind::Title:
    case Kind::Display:
    case Kind::Legend:
    case Kind::Blank: return MakeDisplayBox(row, parent);
    case Kind::Frame: {
        auto* frame = new QGroupBox(text, parent);
        frame->setFont(ClassicFont(Arial, 9.09));
        return frame;
    }
    case Kind::Input: {
        auto* field = new QLineEdit(text, parent);
        field->setAlignment(Qt::AlignCenter);
        field->setFont(ClassicFont(MsSansSerif, 9.09));
        // Every character must arrive as a key press, where the key filter sees it.
        field->setAttribute(Qt::WA_InputMethodEnabled, false);
        if (row.maxLength > 0)
            field->setMaxLength(static_cast<int>(row.maxLength));
        return field;
    }
    case Kind::Option: {
        auto* option = new QRadioButton(text, parent);
        option->setFont(ClassicFont(MsSansSerif, 9.09));
        option->setFocusPolicy(Qt::NoFocus);
        return option;
    }
    }
    return nullptr;
}

// Stores the widget in its member; a row whose kind makes another class of
// widget than its member holds is a fault in the table above.
void Store(C& controls, const Row& row, QWidget* widget)
{
    std::visit(
        [&](auto member) {
            using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(controls.*member)>>;
            controls.*member = qobject_cast<Widget*>(widget);
            if (!(controls.*member))
                qFatal("Main window control %s has the wrong kind", row.name);
        },
        row.slot);
}

} // namespace

Form1Controls BuildForm1Controls(QWidget* client)
{
    Form1Controls controls{};
    QMap<QGroupBox*, QPoint> origins; // each frame's corner on the window, in twips
    std::vector<std::pair<int, QWidget*>> tabStops;
    for (const Row& row : Rows) {
        QGroupBox* frame = row.frame ? controls.*row.frame : nullptr;
        QWidget* control = Make(row, frame ? static_cast<QWidget*>(frame) : client);
        Store(controls, row, control);
        control->setObjectName(QString::fromLatin1(row.name));
        control->setAccessibleName(QString::fromUtf8(row.accessibleName));
        if (row.toolTip) {
            control->setToolTip(QString::fromUtf8(row.toolTip));
            control->setAccessibleDescription(control->toolTip());
        }
        if (row.face)
            control->setFont(ClassicFont(*row.face, row.points));
        if (row.kind == Kind::Backdrop || row.kind == Kind::Blank)
            control->setProperty("decorative", true); // drawn for the look; nothing to read or press
        if (row.tab > 0) {
            control->setFocusPolicy(Qt::StrongFocus);
            tabStops.emplace_back(row.tab, control);
        }
        // Rounded on the window's grid, so that a control inside a frame lands
        // on the same pixel as one at the same spot on the window.
        const QPoint frameOrigin = origins.value(frame);
        const QPoint origin = frameOrigin + row.twips.topLeft();
        const QRect onWindow = TwipRect(QRect(origin, row.twips.size()));
        control->setGeometry(onWindow.translated(-Pixels(frameOrigin.x()), -Pixels(frameOrigin.y())));
        if (auto* group = qobject_cast<QGroupBox*>(control))
            origins.insert(group, origin);
    }
    std::sort(tabStops.begin(), tabStops.end());
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        QWidget::setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    controls.Option1->setChecked(true);
    return controls;
}

} // namespace lumora::ui
