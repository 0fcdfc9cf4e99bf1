// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace lumora {

// The five modeless error windows, named by their forms. Both calculators
// return them in the order the user should see them.
enum class ErrorWindow {
    Form2, // no field left blank
    Form3, // more than one field blank
    Form6, // efficiency above 100
    Form7, // a field holds only "."
    Form8, // LED count blank or below 1
};

// "Form2": the window's name, as the page names its boxes.
constexpr std::string_view FormName(ErrorWindow window)
{
    switch (window) {
    case ErrorWindow::Form2: return "Form2";
    case ErrorWindow::Form3: return "Form3";
    case ErrorWindow::Form6: return "Form6";
    case ErrorWindow::Form7: return "Form7";
    case ErrorWindow::Form8: break;
    }
    return "Form8";
}

} // namespace lumora
