// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/error_window.h"
#include "ui/common/secondary_windows.h"
#include "ui/main/form1_controls.h"

#include <QMainWindow>

#include <initializer_list>
#include <vector>

namespace lumora::ui {

// The main window: the runtime calculator on the left, the resistor
// calculator on the right, the copy column between them, and the menus.
// It only moves texts between its controls and the calculators.
class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    Form1();
    // Destroys the secondary windows too, should the window go without closing.
    ~Form1() override;

    // The outer width the current view asked for, border included, in twips.
    int OuterWidthTwips() const { return m_outerWidthTwips; }

    // True when the code is "." and the text already holds a "." anywhere:
    // the character must be refused.
    bool HasDotMinus(const QString& text, const int& keyAscii) const;

    // Start-up: the "Resistor Calculator" view, before the window is first shown.
    void Form_Load();
    // The window is closing: every other window of the program is destroyed.
    // Closing is never refused, so 'cancel' stays false.
    void Form_Unload(bool& cancel);

    // Key filters of the input fields: each sees a typed character before it
    // is inserted and may swallow it (code 0); Enter presses the calculator's
    // "Calculate".
    void Text1_KeyPress(int& keyAscii);
    void Text2_KeyPress(int& keyAscii);
    void Text3_KeyPress(int& keyAscii);
    void Text4_KeyPress(int& keyAscii);
    void Text5_KeyPress(int& keyAscii);
    void Text6_KeyPress(int& keyAscii);
    void Text21_KeyPress(int& keyAscii);
    void Text22_KeyPress(int& keyAscii);
    void Text23_KeyPress(int& keyAscii);
    void Text24_KeyPress(int& keyAscii);
    void Text13_KeyPress(int& keyAscii);

  public slots:
    void exit_Click();
    void basic_Click();
    void resistors_Click();
    void help_Click();
    void about_Click();

    void Command1_Click();  // runtime calculator's "Calculate"
    void Command13_Click(); // resistor calculator's "Calculate"
    void Command2_Click();  // runtime calculator's "Reset"
    void Command14_Click(); // resistor calculator's "Reset"

    // "C": empty one field and put the focus into it.
    void Command3_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command15_Click();
    void Command16_Click();
    void Command17_Click();
    void Command18_Click();

    // ">>" copies a runtime field into the resistor calculator, "<<" back.
    void Command19_Click();
    void Command20_Click();
    void Command21_Click();
    void Command24_Click();
    void Command22_Click();
    void Command25_Click();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // What the tables of the key filter, the "C" and copy buttons and Reset
    // say for one control.
    void KeyPress(QLineEdit* Form1Controls::*field, int& keyAscii);
    void ClearWith(QPushButton* Form1Controls::*button);
    void CopyWith(QPushButton* Form1Controls::*button);
    void ResetToStart(std::initializer_list<QLineEdit * Form1Controls::*> fields);
    void SetOuterWidth(int twips);
    void ShowErrorWindows(const std::vector<ErrorWindow>& windows);
    void ShowFailure(const QString& message);
    void BuildMenus();
    void ConnectControls();

    Form1Controls m_c;
    SecondaryWindows m_windows;
    int m_outerWidthTwips = 0;
    bool m_iconShown = false; // the icon is given after the first frame
};

} // namespace lumora::ui
