// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/error_window.h"
#include "calc/calculators/failure.h"

#include <optional>
#include <string>
#include <vector>

namespace lumora {

// The runtime calculator: an energy balance between battery and LED through a
// constant-current converter. Current is in mA, capacity in mAh, voltages in
// V, runtime in decimal hours, efficiency in percent.

// The converter's field texts, as the window holds them.
struct ConverterFields {
    std::string LedCurrent;     // I, mA
    std::string LedVf;          // Vf, V
    std::string BatteryVoltage; // Vb, V
    std::string Capacity;       // C, mAh
    std::string Runtime;        // T, hours
    std::string Efficiency;     // E, percent
    std::string Days;           // display: whole days of the runtime
    std::string Clock;          // display: rest of the runtime as "HH:mm:ss"

    bool operator==(const ConverterFields&) const = default;
};

// The six input quantities, in record order.
enum class RuntimeQuantity { LedCurrent, LedVf, BatteryVoltage, Capacity, Runtime, Efficiency };

std::string& FieldText(ConverterFields& fields, RuntimeQuantity quantity);
const std::string& FieldText(const ConverterFields& fields, RuntimeQuantity quantity);

struct ConverterOutcome {
    std::vector<ErrorWindow> Windows;                // to open, in order; empty when the checks passed
    ConverterFields Fields;                          // the texts after the operation
    lumora::Failure Failure = lumora::Failure::None; // why the solve stopped, if it did
    // The quantity being solved for (set whenever the checks passed).
    std::optional<RuntimeQuantity> Target;
    // The input behind a failure: the unreadable or out-of-range text, or the
    // zero that left a divisor zero; nullopt when no single input is to blame.
    std::optional<RuntimeQuantity> Culprit;
};

// The four input checks, always all four, in order: efficiency above 100
// (Form6), a lone "." (Form7), nothing blank (Form2), more than one blank (Form3).
std::vector<ErrorWindow> CheckConverterFields(const ConverterFields& fields);

// Solves the one blank quantity of checked fields, rounds it to two decimals
// in single precision and refreshes the days and clock display. On failure
// the fields come back unchanged.
ConverterOutcome SolveConverter(const ConverterFields& fields);

// One press of "Calculate": sets the day count to "0", runs the checks and,
// when they pass, solves.
ConverterOutcome CalculateConverter(const ConverterFields& fields);

} // namespace lumora
