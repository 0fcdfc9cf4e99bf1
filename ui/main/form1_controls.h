// SPDX-License-Identifier: MIT
#pragma once

class QGroupBox;
class QString;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace lumora::ui {

// The main window's geometry in twips.
constexpr int ClientWidthTwips = 6435; // client area below the menu bar
constexpr int ClientHeightTwips = 7215;
constexpr int BorderTwips = 78;              // outer width less client width
constexpr int ResistorViewWidthTwips = 6513; // outer width showing both calculators
constexpr int BasicViewWidthTwips = 3029;    // outer width showing the runtime calculator only

// Every control of the main window's client area, by its name. Each is also
// the widget's object name.
struct Form1Controls {
    // Raised panels behind the calculators: disabled, captionless, no tab stops.
    QPushButton *Command4, *Command5, *Command11, *Command12;

    // Runtime calculator.
    QLineEdit* Text12; // title
    QGroupBox *Frame1, *Frame2, *Frame3, *Frame4, *Frame5, *Frame6;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6; // LED mA, Vf, battery V, mAh, hours, efficiency %
    QPushButton *Command3, *Command6, *Command7, *Command8, *Command9, *Command10; // "C" of Text1 ... Text6
    QLineEdit *Text7, *Text9, *Text10, *Text11; // days, clock, legend, empty box beside the clock
    QPushButton *Command1, *Command2;           // "Calculate", "Reset"

    // Resistor calculator.
    QLineEdit* Text8; // title
    QGroupBox *Frame9, *Frame8, *Frame7, *Frame10, *Frame12, *Frame11;
    QLineEdit *Text21, *Text22, *Text23, *Text24, *Text13;      // LED mA, Vf, battery V, ohms, LED count
    QPushButton *Command15, *Command17, *Command16, *Command18; // "C" of Text21 ... Text24
    QRadioButton *Option1, *Option2;                            // "Series", "Parallel"
    QLineEdit* Text25;                                          // wattage
    QPushButton *Command13, *Command14;                         // "Calculate", "Reset"

    // Copy column: ">>" to the resistor calculator, "<<" back.
    QPushButton *Command19, *Command20, *Command21, *Command24, *Command22, *Command25;
};

// Creates every control of the client area as the layout draws it: place,
// size, caption or start text, font, tooltip, accessible name, focus and the
// Tab order.
Form1Controls BuildForm1Controls(QWidget* client);

// The text a box of the table starts with, and gets back on Reset.
QString StartText(QLineEdit* Form1Controls::*field);

} // namespace lumora::ui
