// SPDX-License-Identifier: MIT
#pragma once

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

} // namespace lumora
