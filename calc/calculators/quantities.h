// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/resistor_calculator.h"
#include "calc/calculators/runtime_calculator.h"
#include "calc/text/field_text.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace lumora {

// Each quantity of the two calculators described once: what the window's
// field is captioned, what it takes and starts with, and how every face
// names it: lumora-cli's options, columns and help, the page's fields,
// links and tooltips, the sentences a screen reader hears.
struct QuantityRow {
    std::string_view Key{};     // "current": the option, the sweep's and the link's name
    std::string_view Caption{}; // "Desired LED Current", as the field is captioned
    std::string_view Phrase{};  // "the LED current", inside a sentence
    std::string_view Unit{};    // "mA", after a value
    std::string_view Spoken{};  // "milliamps", as a result is said
    NumberKind Kind = NumberKind::Decimal;
    std::string_view Start{};   // the field's text at start and after Reset
    std::size_t MaxLength = 0;  // characters the field holds; 0 for no limit
    bool Solvable = true;       // may be left blank to be solved
    bool Written = false;       // written by the calculator only, never typed
    std::string_view Column{};  // "current_ma": the CSV and JSON name
    std::string_view Heading{}; // "Current mA": the text table's heading
    std::string_view Help{};    // "LED current, mA": what to give
    std::string_view Tip{};     // the window's tooltip; "" where it has none
};

// The runtime calculator's quantities in record order (RuntimeQuantity).
std::span<const QuantityRow> RuntimeQuantities();
// The resistor calculator's, in record order (ResistorQuantity).
std::span<const QuantityRow> ResistorQuantities();

const QuantityRow& RowOf(RuntimeQuantity quantity);
const QuantityRow& RowOf(ResistorQuantity quantity);

// A typical converter board's efficiency, the runtime calculator's start
// text: the Kestrel and Merlin boards' (the window's tooltip says so).
inline constexpr std::string_view TypicalEfficiency = "83";

} // namespace lumora
