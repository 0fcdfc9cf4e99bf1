// SPDX-License-Identifier: MIT
#include "ui/main/form1_controls.h"

#include "calc/calculators/quantities.h"
#include "calc/text/field_text.h"
#include "ui/common/accessibility.h"
#include "ui/common/look.h"
#include "ui/common/twips.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <optional>
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
    QGroupBox* C::*frame = nullptr; // the frame it sits in, or nullptr for the window
    QRect twips;                    // left, top, width, height from the frame's or the window's corner
    const char* text = "";          // caption or start text
    int tab = 0;                    // place in the Tab order, from 1; 0 for no tab stop
    const char* accessibleName;     // begins with what a sighted user sees
    const char* toolTip = nullptr;
    const QString* face = nullptr; // nullptr: the kind's usual font
    qreal points = 0;
    std::size_t maxLength = 0; // characters an input field holds; 0 for no limit
};

// The member and its name, as the first two designators of a row.
#define CONTROL(member) .slot = &C::member, .name = #member

// The tooltips and start texts the calculators' quantities hold: each
// written once, in the core. Their views span whole literals, so their
// data ends in a NUL.
const char* TipOf(RuntimeQuantity quantity) { return RowOf(quantity).Tip.data(); }
const char* StartOf(RuntimeQuantity quantity) { return RowOf(quantity).Start.data(); }
const char* StartOf(ResistorQuantity quantity) { return RowOf(quantity).Start.data(); }

// Backdrops first, so that every other control lies in front of them.
// clang-format off
const Row Rows[] = {
    {.kind = Kind::Backdrop, CONTROL(Command4), .twips = {117, 0, 2704, 5746}, .accessibleName = "Runtime calculator panel"},
    {.kind = Kind::Backdrop, CONTROL(Command5), .twips = {117, 5850, 2704, 1300}, .accessibleName = "Runtime calculator buttons panel"},
    {.kind = Kind::Backdrop, CONTROL(Command11), .twips = {3627, 0, 2704, 5746}, .accessibleName = "Resistor calculator panel"},
    {.kind = Kind::Backdrop, CONTROL(Command12), .twips = {3627, 5850, 2704, 1300}, .accessibleName = "Resistor calculator buttons panel"},

    // Runtime calculator.
    {.kind = Kind::Title, CONTROL(Text12), .twips = {234, 117, 2470, 312}, .text = "LED Converter Calculator", .tab = 1, .accessibleName = "LED Converter Calculator"},
    {.kind = Kind::Frame, CONTROL(Frame1), .twips = {234, 468, 2470, 715}, .text = "Desired LED Current  -  mA", .accessibleName = "Desired LED Current - mA, runtime calculator"},
    {.kind = Kind::Input, CONTROL(Text1), .frame = &C::Frame1, .twips = {117, 234, 1768, 364}, .tab = 3, .accessibleName = "Desired LED Current - mA, runtime calculator", .toolTip = TipOf(RuntimeQuantity::LedCurrent)},
    {.kind = Kind::Clear, CONTROL(Command3), .frame = &C::Frame1, .twips = {1989, 234, 364, 364}, .text = "C", .accessibleName = "C: clear LED current, runtime calculator"},
    {.kind = Kind::Frame, CONTROL(Frame2), .twips = {234, 1287, 2470, 715}, .text = "LED Vf Voltage", .accessibleName = "LED Vf Voltage, runtime calculator"},
    {.kind = Kind::Input, CONTROL(Text2), .frame = &C::Frame2, .twips = {117, 234, 1768, 364}, .tab = 4, .accessibleName = "LED Vf Voltage, runtime calculator", .toolTip = TipOf(RuntimeQuantity::LedVf)},
    {.kind = Kind::Clear, CONTROL(Command6), .frame = &C::Frame2, .twips = {1989, 234, 364, 364}, .text = "C", .accessibleName = "C: clear LED Vf voltage, runtime calculator"},
    {.kind = Kind::Frame, CONTROL(Frame3), .twips = {234, 2106, 2470, 715}, .text = "Battery Input Voltage", .accessibleName = "Battery Input Voltage, runtime calculator"},
    {.kind = Kind::Input, CONTROL(Text3), .frame = &C::Frame3, .twips = {117, 234, 1768, 364}, .tab = 5, .accessibleName = "Battery Input Voltage, runtime calculator", .toolTip = TipOf(RuntimeQuantity::BatteryVoltage)},
    {.kind = Kind::Clear, CONTROL(Command7), .frame = &C::Frame3, .twips = {1989, 234, 364, 364}, .text = "C", .accessibleName = "C: clear battery input voltage, runtime calculator"},
    {.kind = Kind::Frame, CONTROL(Frame4), .twips = {234, 2925, 2470, 715}, .text = "Battery mAh Capacity", .accessibleName = "Battery mAh Capacity, runtime calculator"},
    {.kind = Kind::Input, CONTROL(Text4), .frame = &C::Frame4, .twips = {117, 234, 1768, 364}, .tab = 6, .accessibleName = "Battery mAh Capacity, runtime calculator", .toolTip = TipOf(RuntimeQuantity::Capacity)},
    {.kind = Kind::Clear, CONTROL(Command8), .frame = &C::Frame4, .twips = {1989, 234, 364, 364}, .text = "C", .accessibleName = "C: clear battery capacity, runtime calculator"},
    {.kind = Kind::Frame, CONTROL(Frame5), .twips = {234, 3744, 2470, 1092}, .text = "Runtime in Hours", .accessibleName = "Runtime in Hours, runtime calculator"},
    {.kind = Kind::Input, CONTROL(Text5), .frame = &C::Frame5, .twips = {117, 234, 1768, 364}, .tab = 7, .accessibleName = "Runtime in Hours, runtime calculator", .toolTip = TipOf(RuntimeQuantity::Runtime)},
    {.kind = Kind::Clear, CONTROL(Command9), .frame = &C::Frame5, .twips = {1989, 234, 364, 364}, .text = "C", .accessibleName = "C: clear runtime, runtime calculator"},
    {.kind = Kind::Blank, CONTROL(Text11), .frame = &C::Frame5, .twips = {1638, 585, 364, 247}, .accessibleName = "Runtime display backdrop"},
    {.kind = Kind::Display, CONTROL(Text7), .frame = &C::Frame5, .twips = {117, 585, 481, 247}, .text = "0", .accessibleName = "Runtime in Hours: whole days", .face = &Arial, .points = 11.89},
    {.kind = Kind::Display, CONTROL(Text9), .frame = &C::Frame5, .twips = {585, 585, 1066, 247}, .text = "00:00:00", .accessibleName = "Runtime in Hours: hours, minutes and seconds", .face = &Arial, .points = 11.89},
    {.kind = Kind::Legend, CONTROL(Text10), .frame = &C::Frame5, .twips = {234, 819, 1651, 247}, .text = "Days     H     M      S", .accessibleName = "Days H M S: legend of the runtime display", .face = &Arial, .points = 7.69},
    {.kind = Kind::Frame, CONTROL(Frame6), .twips = {234, 4914, 2470, 715}, .text = "Converter Efficiency  %", .accessibleName = "Converter Efficiency %, runtime calculator"},
    {.kind = Kind::Input, CONTROL(Text6), .frame = &C::Frame6, .twips = {702, 234, 598, 364}, .text = StartOf(RuntimeQuantity::Efficiency), .tab = 8, .accessibleName = "Converter Efficiency %, runtime calculator", .toolTip = TipOf(RuntimeQuantity::Efficiency), .maxLength = EfficiencyMaxLength},
    {.kind = Kind::Clear, CONTROL(Command10), .frame = &C::Frame6, .twips = {1989, 234, 364, 364}, .text = "C", .accessibleName = "C: clear converter efficiency, runtime calculator"},
    {.kind = Kind::Button, CONTROL(Command1), .twips = {234, 5967, 2470, 481}, .text = "Calculate", .tab = 9, .accessibleName = "Calculate, runtime calculator"},
    {.kind = Kind::Button, CONTROL(Command2), .twips = {234, 6552, 2470, 481}, .text = "Reset", .tab = 10, .accessibleName = "Reset, runtime calculator"},

    // Resistor calculator.
    {.kind = Kind::Title, CONTROL(Text8), .twips = {3744, 117, 2470, 312}, .text = "LED Resistor Calculator", .tab = 2, .accessibleName = "LED Resistor Calculator"},
    {.kind = Kind::Frame, CONTROL(Frame9), .twips = {3744, 468, 2470, 715}, .text = "Desired LED Current - mA", .accessibleName = "Desired LED Current - mA, resistor calculator"},
    {.kind = Kind::Input, CONTROL(Text21), .frame = &C::Frame9, .twips = {117, 234, 1768, 364}, .tab = 11, .accessibleName = "Desired LED Current - mA, resistor calculator"},
    {.kind = Kind::Clear, CONTROL(Command15), .frame = &C::Frame9, .twips = {1989, 234, 364, 364}, .text = "C", .accessibleName = "C: clear LED current, resistor calculator"},
    {.kind = Kind::Frame, CONTROL(Frame8), .twips = {3744, 1287, 2470, 715}, .text = "LED VF Voltage", .accessibleName = "LED VF Voltage, resistor calculator"},
    {.kind = Kind::Input, CONTROL(Text22), .frame = &C::Frame8, .twips = {117, 234, 1768, 364}, .tab = 12, .accessibleName = "LED VF Voltage, resistor calculator"},
    {.kind = Kind::Clear, CONTROL(Command17), .frame = &C::Frame8, .twips = {1989, 234, 364, 364}, .text = "C", .accessibleName = "C: clear LED VF voltage, resistor calculator"},
    {.kind = Kind::Frame, CONTROL(Frame7), .twips = {3744, 2106, 2470, 715}, .text = "Battery Input Voltage", .accessibleName = "Battery Input Voltage, resistor calculator"},
    {.kind = Kind::Input, CONTROL(Text23), .frame = &C::Frame7, .twips = {117, 234, 1768, 364}, .tab = 13, .accessibleName = "Battery Input Voltage, resistor calculator"},

    // On the window, in front of Frame7, at the spot of the other "C" buttons in their frames.
    {.kind = Kind::Clear, CONTROL(Command16), .twips = {5733, 2340, 364, 364}, .text = "C", .accessibleName = "C: clear battery input voltage, resistor calculator"},
    {.kind = Kind::Frame, CONTROL(Frame10), .twips = {3744, 2925, 2470, 715}, .text = "Resistance in Ohms", .accessibleName = "Resistance in Ohms, resistor calculator"},
    {.kind = Kind::Input, CONTROL(Text24), .frame = &C::Frame10, .twips = {117, 234, 1768, 364}, .tab = 14, .accessibleName = "Resistance in Ohms, resistor calculator"},
    {.kind = Kind::Clear, CONTROL(Command18), .frame = &C::Frame10, .twips = {1989, 234, 364, 364}, .text = "C", .accessibleName = "C: clear resistance, resistor calculator"},
    {.kind = Kind::Frame, CONTROL(Frame12), .twips = {3744, 3744, 2470, 1066}, .text = "# of LEDs", .accessibleName = "# of LEDs, resistor calculator"},
    {.kind = Kind::Input, CONTROL(Text13), .frame = &C::Frame12, .twips = {117, 351, 715, 364}, .text = StartOf(ResistorQuantity::LedCount), .tab = 15, .accessibleName = "# of LEDs, resistor calculator"},
    {.kind = Kind::Option, CONTROL(Option1), .frame = &C::Frame12, .twips = {1053, 234, 1183, 247}, .text = "Series", .accessibleName = "Series: LEDs wired in series, resistor calculator"},
    {.kind = Kind::Option, CONTROL(Option2), .frame = &C::Frame12, .twips = {1053, 702, 1183, 247}, .text = "Parallel", .accessibleName = "Parallel: LEDs wired in parallel, resistor calculator"},
    {.kind = Kind::Frame, CONTROL(Frame11), .twips = {3744, 4914, 2470, 715}, .text = "Resistor Wattage", .accessibleName = "Resistor Wattage, resistor calculator"},
    {.kind = Kind::Display, CONTROL(Text25), .frame = &C::Frame11, .twips = {351, 234, 1768, 247}, .text = StartOf(ResistorQuantity::Wattage), .accessibleName = "Resistor Wattage: watts, resistor calculator", .face = &MsSansSerif, .points = 11.18},
    {.kind = Kind::Button, CONTROL(Command13), .twips = {3744, 5967, 2470, 481}, .text = "Calculate", .tab = 16, .accessibleName = "Calculate, resistor calculator"},
    {.kind = Kind::Button, CONTROL(Command14), .twips = {3744, 6552, 2470, 481}, .text = "Reset", .tab = 17, .accessibleName = "Reset, resistor calculator"},

    // Copy column, level with the first three rows of input fields.
    {.kind = Kind::Copy, CONTROL(Command19), .twips = {2830, 702, 364, 364}, .text = ">>", .accessibleName = ">> copy LED current to the resistor calculator"},
    {.kind = Kind::Copy, CONTROL(Command20), .twips = {3250, 702, 364, 364}, .text = "<<", .accessibleName = "<< copy LED current to the runtime calculator"},
    {.kind = Kind::Copy, CONTROL(Command21), .twips = {2830, 1521, 364, 364}, .text = ">>", .accessibleName = ">> copy LED Vf voltage to the resistor calculator"},
    {.kind = Kind::Copy, CONTROL(Command24), .twips = {3250, 1521, 364, 364}, .text = "<<", .accessibleName = "<< copy LED Vf voltage to the runtime calculator"},
    {.kind = Kind::Copy, CONTROL(Command22), .twips = {2830, 2340, 364, 364}, .text = ">>", .accessibleName = ">> copy battery input voltage to the resistor calculator"},
    {.kind = Kind::Copy, CONTROL(Command25), .twips = {3250, 2340, 364, 364}, .text = "<<", .accessibleName = "<< copy battery input voltage to the runtime calculator"},
};
// clang-format on

#undef CONTROL

// The font a row's control is drawn in: its own, its kind's, or none of its
// own (the window's).
std::optional<QFont> FontOf(const Row& row)
{
    if (row.face)
        return ClassicFont(*row.face, row.points);
    switch (row.kind) {
    case Kind::Title: return ClassicFont(Arial, 9.79);
    case Kind::Frame: return ClassicFont(Arial, 9.09);
    case Kind::Clear: return ClassicFont(MsSansSerif, 8.25, false); // the window's own font
    case Kind::Copy:
    case Kind::Input:
    case Kind::Option: return ClassicFont(MsSansSerif, 9.09);
    case Kind::Button: return ClassicFont(Tahoma, 11.89);
    case Kind::Backdrop:
    case Kind::Display:
    case Kind::Legend:
    case Kind::Blank: break;
    }
    return std::nullopt;
}

// A read-only box without a border. It paints no background of its own, so
// the button face behind it shows through and a frame edge it touches stays
// whole.
QLineEdit* MakeDisplayBox(const Row& row, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setFrame(false);
    box->setTextMargins(0, 0, 0, 0);
    box->setAlignment(row.kind == Kind::Legend ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    // A click can select and copy what it shows; the empty box has nothing to give.
    box->setFocusPolicy(row.kind == Kind::Blank ? Qt::NoFocus : Qt::ClickFocus);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    box->setPalette(palette);
    return box;
}

QPushButton* MakeButton(const Row& row, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    switch (row.kind) {
    case Kind::Backdrop:
        button->setEnabled(false);
        button->setFocusPolicy(Qt::NoFocus);
        break;
    case Kind::Clear:
    case Kind::Copy:
        button->setFocusPolicy(Qt::NoFocus); // clearing or copying leaves the focus where it was
        break;
    case Kind::Button:
    default:
        button->setAutoDefault(true); // Return and Enter press it while it has the focus, as Space does
        break;
    }
    return button;
}

// The control of a row, in its font and then with its text, so that it is
// laid out once.
QWidget* Make(const Row& row, QWidget* parent)
{
    const QString text = QString::fromUtf8(row.text);
    QWidget* control = nullptr;
    switch (row.kind) {
    case Kind::Backdrop:
    case Kind::Clear:
    case Kind::Button:
    case Kind::Copy: control = MakeButton(row, parent); break;
    case Kind::Title:
    case Kind::Display:
    case Kind::Legend:
    case Kind::Blank: control = MakeDisplayBox(row, parent); break;
    case Kind::Frame: control = new QGroupBox(parent); break;
    case Kind::Input: {
        auto* field = new QLineEdit(parent);
        field->setAlignment(Qt::AlignCenter);
        // No input method is wanted for digits; Qt 6's line edit asks for one
        // all the same, so the key filter also checks what one commits.
        field->setAttribute(Qt::WA_InputMethodEnabled, false);
        if (row.maxLength > 0)
            field->setMaxLength(static_cast<int>(row.maxLength));
        control = field;
        break;
    }
    case Kind::Option: {
        auto* option = new QRadioButton(parent);
        option->setFocusPolicy(Qt::NoFocus);
        control = option;
        break;
    }
    }
    if (const std::optional<QFont> font = FontOf(row))
        control->setFont(*font);
    if (auto* box = qobject_cast<QLineEdit*>(control))
        box->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(text);
    return control;
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

QString StartText(QLineEdit* Form1Controls::*field)
{
    for (const Row& row : Rows) {
        if (const auto* member = std::get_if<QLineEdit * C::*>(&row.slot); member && *member == field)
            return QString::fromUtf8(row.text);
    }
    return {};
}

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
        if (row.kind == Kind::Backdrop || row.kind == Kind::Blank)
            control->setProperty(mark::Decorative, true); // drawn for the look; nothing to read or press
        if (row.kind == Kind::Frame)
            control->setProperty(mark::CaptionOfItsField, true); // its fields' names begin with its caption
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
