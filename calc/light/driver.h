// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/operating_point.h"

#include <optional>
#include <string_view>

namespace lumora {

// The circuits between cell and LEDs that builders use.
enum class DriverKind {
    Direct,    // FET or direct drive, with the optional series resistor
    Linear,    // a linear current regulator; in dropout it falls to direct drive
    Converter, // a buck or boost constant-current converter
};

// A driver by the name it is chosen by: "direct", "linear" or "converter".
std::optional<DriverKind> DriverNamed(std::string_view name);
std::string_view DriverKindName(DriverKind kind);

struct Driver {
    DriverKind Kind = DriverKind::Direct;
    double RegulatedAmps = 0.0; // per LED (linear, converter)
    // The run's defaults for these are its inputs' (calc/reports/light_inputs.cpp).
    double DropoutVolts = 0.0; // linear: what the regulator needs across it at its current
    double Efficiency = 1.0;   // converter: output power over input power
};

// The circuit at one open-circuit voltage of the cell.
struct DriverPoint {
    OperatingPoint Point;       // LEDs, resistor, battery current and terminal voltage
    bool Regulated = false;     // holds its regulated current
    bool Running = true;        // false once a converter has stopped
    double DriverWatts = 0.0;   // lost in the regulator or converter
    double InternalWatts = 0.0; // lost in the cell's internal resistance
};

// Direct: the operating point. Linear: the regulated current while the cell
// can give it with the dropout to spare; below, the regulator's pass element
// is fully on, a resistance of dropout over regulated current. Converter:
// the regulated current, drawing P_out/η from the cell, whose terminal
// voltage V − I·R_internal then solves a quadratic; it stops where the cell
// cannot give that power at all. Every driver stops where the terminal
// voltage falls below the cut-off (0 for none).
DriverPoint Operate(const Driver& driver, const LedString& leds, double openCircuitVolts, double internalOhms,
                    double cutOffVolts);

} // namespace lumora
