#include "ui/main/form1_layout.h"

#include "ui/common/classic_font.h"
#include "ui/common/twips.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <utility>

namespace lumora::ui {

namespace {

enum class Kind {
    Backdrop, // disabled, captionless button face drawn as a raised panel behind a calculator
    Title,    // read-only title box; a tab stop
    Frame,    // captioned group box
    Input,    // input field
    Clear,    // "C" button
    Display,  // read-only, borderless box the program writes
    Button,   // "Calculate" and "Reset"
    Copy,     // ">>" and "<<" between the calculators
    Option,   // "Series" / "Parallel"
};

struct Row {
    const char* name;
    Kind kind;
    const char* parent;           // a frame's name, or nullptr for the window
    int left, top, width, height; // twips, from the parent's corner
    const char* text;
    const QString* face = nullptr; // nullptr: the kind's usual font
    qreal points = 0;
    Qt::Alignment align = Qt::AlignCenter;
};

// Backdrops first, so that every other control lies in front of them.
const Row Rows[] = {
    {"Command4", Kind::Backdrop, nullptr, 117, 0, 2704, 5746, ""},
    {"Command5", Kind::Backdrop, nullptr, 117, 5850, 2704, 1300, ""},
    {"Command11", Kind::Backdrop, nullptr, 3627, 0, 2704, 5746, ""},
    {"Command12", Kind::Backdrop, nullptr, 3627, 5850, 2704, 1300, ""},

    // Runtime calculator.
    {"Text12", Kind::Title, nullptr, 234, 117, 2470, 312, "LED Converter Calculator", &Arial, 9.79},
    {"Frame1", Kind::Frame, nullptr, 234, 468, 2470, 715, "Desired LED Current  -  mA"},
    {"Text1", Kind::Input, "Frame1", 117, 234, 1768, 364, ""},
    {"Command3", Kind::Clear, "Frame1", 1989, 234, 364, 364, "C"},
    {"Frame2", Kind::Frame, nullptr, 234, 1287, 2470, 715, "LED Vf Voltage"},
    {"Text2", Kind::Input, "Frame2", 117, 234, 1768, 364, ""},
    {"Command6", Kind::Clear, "Frame2", 1989, 234, 364, 364, "C"},
    {"Frame3", Kind::Frame, nullptr, 234, 2106, 2470, 715, "Battery Input Voltage"},
    {"Text3", Kind::Input, "Frame3", 117, 234, 1768, 364, ""},
    {"Command7", Kind::Clear, "Frame3", 1989, 234, 364, 364, "C"},
    {"Frame4", Kind::Frame, nullptr, 234, 2925, 2470, 715, "Battery mAh Capacity"},
    {"Text4", Kind::Input, "Frame4", 117, 234, 1768, 364, ""},
    {"Command8", Kind::Clear, "Frame4", 1989, 234, 364, 364, "C"},
    {"Frame5", Kind::Frame, nullptr, 234, 3744, 2470, 1092, "Runtime in Hours"},
    {"Text5", Kind::Input, "Frame5", 117, 234, 1768, 364, ""},
    {"Command9", Kind::Clear, "Frame5", 1989, 234, 364, 364, "C"},
    {"Text11", Kind::Display, "Frame5", 1638, 585, 364, 247, ""},
    {"Text7", Kind::Display, "Frame5", 117, 585, 481, 247, "0", &Arial, 11.89},
    {"Text9", Kind::Display, "Frame5", 585, 585, 1066, 247, "00:00:00", &Arial, 11.89},
    {"Text10", Kind::Display, "Frame5", 234, 819, 1651, 247, "Days     H     M      S", &Arial, 7.69,
     Qt::AlignLeft | Qt::AlignVCenter},
    {"Frame6", Kind::Frame, nullptr, 234, 4914, 2470, 715, "Converter Efficiency  %"},
    {"Text6", Kind::Input, "Frame6", 702, 234, 598, 364, "83"},
    {"Command10", Kind::Clear, "Frame6", 1989, 234, 364, 364, "C"},
    {"Command1", Kind::Button, nullptr, 234, 5967, 2470, 481, "Calculate"},
    {"Command2", Kind::Button, nullptr, 234, 6552, 2470, 481, "Reset"},

    // Resistor calculator.
    {"Text8", Kind::Title, nullptr, 3744, 117, 2470, 312, "LED Resistor Calculator", &Arial, 9.79},
    {"Frame9", Kind::Frame, nullptr, 3744, 468, 2470, 715, "Desired LED Current - mA"},
    {"Text21", Kind::Input, "Frame9", 117, 234, 1768, 364, ""},
    {"Command15", Kind::Clear, "Frame9", 1989, 234, 364, 364, "C"},
    {"Frame8", Kind::Frame, nullptr, 3744, 1287, 2470, 715, "LED VF Voltage"},
    {"Text22", Kind::Input, "Frame8", 117, 234, 1768, 364, ""},
    {"Command17", Kind::Clear, "Frame8", 1989, 234, 364, 364, "C"},
    {"Frame7", Kind::Frame, nullptr, 3744, 2106, 2470, 715, "Battery Input Voltage"},
    {"Text23", Kind::Input, "Frame7", 117, 234, 1768, 364, ""},
    {"Command16", Kind::Clear, nullptr, 5733, 2340, 364, 364, "C"}, // on the window, in front of Frame7
    {"Frame10", Kind::Frame, nullptr, 3744, 2925, 2470, 715, "Resistance in Ohms"},
    {"Text24", Kind::Input, "Frame10", 117, 234, 1768, 364, ""},
    {"Command18", Kind::Clear, "Frame10", 1989, 234, 364, 364, "C"},
    {"Frame12", Kind::Frame, nullptr, 3744, 3744, 2470, 1066, "# of LEDs"},
    {"Text13", Kind::Input, "Frame12", 117, 351, 715, 364, "1"},
    {"Option1", Kind::Option, "Frame12", 1053, 234, 1183, 247, "Series"},
    {"Option2", Kind::Option, "Frame12", 1053, 702, 1183, 247, "Parallel"},
    {"Frame11", Kind::Frame, nullptr, 3744, 4914, 2470, 715, "Resistor Wattage"},
    {"Text25", Kind::Display, "Frame11", 351, 234, 1768, 247, "0.00", &MsSansSerif, 11.18},
    {"Command13", Kind::Button, nullptr, 3744, 5967, 2470, 481, "Calculate"},
    {"Command14", Kind::Button, nullptr, 3744, 6552, 2470, 481, "Reset"},

    // Copy column, level with the first three rows of input fields.
    {"Command19", Kind::Copy, nullptr, 2830, 702, 364, 364, ">>"},
    {"Command20", Kind::Copy, nullptr, 3250, 702, 364, 364, "<<"},
    {"Command21", Kind::Copy, nullptr, 2830, 1521, 364, 364, ">>"},
    {"Command24", Kind::Copy, nullptr, 3250, 1521, 364, 364, "<<"},
    {"Command22", Kind::Copy, nullptr, 2830, 2340, 364, 364, ">>"},
    {"Command25", Kind::Copy, nullptr, 3250, 2340, 364, 364, "<<"},
};

// What a screen reader calls each control: the calculator and the quantity,
// so that the two "Battery Input Voltage" fields can be told apart.
const std::pair<const char*, const char*> AccessibleNames[] = {
    {"Command4", "Runtime calculator panel"},
    {"Command5", "Runtime calculator buttons panel"},
    {"Command11", "Resistor calculator panel"},
    {"Command12", "Resistor calculator buttons panel"},
    {"Text12", "LED Converter Calculator (runtime calculator)"},
    {"Text1", "Runtime calculator: desired LED current in mA"},
    {"Command3", "Clear the runtime calculator's LED current"},
    {"Text2", "Runtime calculator: LED Vf voltage"},
    {"Command6", "Clear the runtime calculator's LED Vf voltage"},
    {"Text3", "Runtime calculator: battery input voltage"},
    {"Command7", "Clear the runtime calculator's battery input voltage"},
    {"Text4", "Runtime calculator: battery capacity in mAh"},
    {"Command8", "Clear the runtime calculator's battery capacity"},
    {"Text5", "Runtime calculator: runtime in hours"},
    {"Command9", "Clear the runtime calculator's runtime"},
    {"Text7", "Runtime calculator: whole days of the runtime"},
    {"Text9", "Runtime calculator: rest of the runtime, hours, minutes and seconds"},
    {"Text10", "Runtime display legend"},
    {"Text11", "Runtime display backdrop"},
    {"Text6", "Runtime calculator: converter efficiency in percent"},
    {"Command10", "Clear the runtime calculator's converter efficiency"},
    {"Command1", "Calculate the runtime calculator"},
    {"Command2", "Reset the runtime calculator"},
    {"Text8", "LED Resistor Calculator (resistor calculator)"},
    {"Text21", "Resistor calculator: desired LED current in mA"},
    {"Command15", "Clear the resistor calculator's LED current"},
    {"Text22", "Resistor calculator: LED VF voltage"},
    {"Command17", "Clear the resistor calculator's LED VF voltage"},
    {"Text23", "Resistor calculator: battery input voltage"},
    {"Command16", "Clear the resistor calculator's battery input voltage"},
    {"Text24", "Resistor calculator: resistance in ohms"},
    {"Command18", "Clear the resistor calculator's resistance"},
    {"Text13", "Resistor calculator: number of LEDs"},
    {"Option1", "Resistor calculator: LEDs in series"},
    {"Option2", "Resistor calculator: LEDs in parallel"},
    {"Text25", "Resistor calculator: resistor wattage in watts"},
    {"Command13", "Calculate the resistor calculator"},
    {"Command14", "Reset the resistor calculator"},
    {"Command19", "Copy the LED current to the resistor calculator"},
    {"Command20", "Copy the LED current to the runtime calculator"},
    {"Command21", "Copy the LED Vf voltage to the resistor calculator"},
    {"Command24", "Copy the LED Vf voltage to the runtime calculator"},
    {"Command22", "Copy the battery input voltage to the resistor calculator"},
    {"Command25", "Copy the battery input voltage to the runtime calculator"},
};

// A read-only box without a border. It paints no background of its own, so
// the button face behind it shows through and a frame edge it touches stays
// whole.
QLineEdit* MakeDisplayBox(QWidget* parent, const Row& row)
{
    auto* box = new QLineEdit(QString::fromUtf8(row.text), parent);
    box->setReadOnly(true);
    box->setFrame(false);
    box->setTextMargins(0, 0, 0, 0);
    box->setAlignment(row.align);
    box->setFocusPolicy(row.kind == Kind::Title ? Qt::StrongFocus : Qt::ClickFocus);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    box->setPalette(palette);
    return box;
}

QWidget* Make(QWidget* parent, const Row& row)
{
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case Kind::Backdrop: {
        auto* backdrop = new QPushButton(parent);
        backdrop->setEnabled(false);
        backdrop->setFocusPolicy(Qt::NoFocus);
        return backdrop;
    }
    case Kind::Title:
    case Kind::Display: return MakeDisplayBox(parent, row);
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
        return field;
    }
    case Kind::Clear: {
        auto* button = new QPushButton(text, parent);
        button->setFont(ClassicFont(MsSansSerif, 8.25, false)); // the window's own font
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    }
    case Kind::Button: {
        auto* button = new QPushButton(text, parent);
        button->setFont(ClassicFont(Tahoma, 11.89));
        return button;
    }
    case Kind::Copy: {
        auto* button = new QPushButton(text, parent);
        button->setFont(ClassicFont(MsSansSerif, 9.09));
        button->setFocusPolicy(Qt::NoFocus); // copying leaves the focus where it was
        return button;
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

} // namespace

QHash<QString, QWidget*> BuildForm1Controls(QWidget* client)
{
    QHash<QString, QWidget*> controls;
    QHash<QString, QPoint> origins; // each control's corner on the window, in twips
    for (const Row& row : Rows) {
        const QString parentName = QString::fromLatin1(row.parent ? row.parent : "");
        QWidget* parent = row.parent ? controls.value(parentName) : client;
        QWidget* control = Make(parent, row);
        control->setObjectName(QString::fromLatin1(row.name));
        if (row.face)
            control->setFont(ClassicFont(*row.face, row.points));
        // Rounded on the window's grid, so that a control inside a frame lands
        // on the same pixel as one at the same spot on the window.
        const QPoint parentOrigin = origins.value(parentName);
        const QPoint origin = parentOrigin + QPoint(row.left, row.top);
        const QRect onWindow = TwipRect(origin.x(), origin.y(), row.width, row.height);
        control->setGeometry(onWindow.translated(-Pixels(parentOrigin.x()), -Pixels(parentOrigin.y())));
        origins.insert(control->objectName(), origin);
        controls.insert(control->objectName(), control);
    }
    for (const auto& [name, accessibleName] : AccessibleNames)
        controls.value(QString::fromLatin1(name))->setAccessibleName(QString::fromUtf8(accessibleName));
    return controls;
}

} // namespace lumora::ui
