// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/error_window.h"
#include "calc/calculators/failure.h"
#include "calc/light/wiring.h"

#include <optional>
#include <string>
#include <vector>

namespace lumora {

// The resistor calculator: one current-limiting resistor for n identical LEDs
// fed from a battery. Voltages in V, current in mA per LED, resistance in
// ohms, power in W.

// The resistor calculator's field texts, as the window holds them.
struct ResistorFields {
    std::string BatteryVoltage; // V
    std::string LedVf;          // F, per LED
    std::string LedCurrent;     // I, mA per LED
    std::string Resistance;     // R, ohms
    std::string Wattage;        // P, written only
    std::string LedCount;       // n, used as read (not rounded to a whole number)

    bool operator==(const ResistorFields&) const = default;
};

// The fields by role, in record order.
enum class ResistorQuantity { BatteryVoltage, LedVf, LedCurrent, Resistance, Wattage, LedCount };

std::string& FieldText(ResistorFields& fields, ResistorQuantity quantity);
const std::string& FieldText(const ResistorFields& fields, ResistorQuantity quantity);

struct ResistorOutcome {
    std::vector<ErrorWindow> Windows;                // to open, in order; empty when the checks passed
    ResistorFields Fields;                           // the texts after the operation
    lumora::Failure Failure = lumora::Failure::None; // why the solve stopped, if it did
    // The quantity being computed: the blank one, or Wattage when the power
    // step failed after the blank one was written. Set whenever the checks passed.
    std::optional<ResistorQuantity> Target;
    // The input behind a failure: the unreadable or out-of-range text, or the
    // zero that left a divisor zero; nullopt when no single input is to blame.
    std::optional<ResistorQuantity> Culprit;
};

// The five input checks, always all five, in order: LED count blank or below 1
// (Form8), a lone "." (Form7), two or more blank (Form3), none of the four
// quantities blank (Form2).
std::vector<ErrorWindow> CheckResistorFields(const ResistorFields& fields);

// Solves the blank quantity of checked fields, writes it rounded to two
// decimals, then the resistor's power from the texts as they now stand.
ResistorOutcome SolveResistor(const ResistorFields& fields, Wiring wiring);

// One press of "Calculate": the checks and, when they pass, the solve.
ResistorOutcome CalculateResistor(const ResistorFields& fields, Wiring wiring);

} // namespace lumora
