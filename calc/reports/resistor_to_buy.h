// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/resistor_calculator.h"
#include "calc/light/led_choice.h"
#include "calc/light/led_model.h"
#include "calc/light/standard_resistors.h"

#include <optional>
#include <string>
#include <vector>

namespace lumora {

// Which resistor to buy and what it gives as the battery runs down: the
// standard values beside a resistance, and the LED current of each at each
// battery voltage, on the LED's curve.

// The resistor calculator with the LED's forward voltage taken from its
// curve: Vf is the curve's at the given current, or, when the current is
// the one left blank, at the operating point of battery, resistor and LEDs.
// The fields' LedVf text is not read; it comes back as the curve's, rounded
// to two decimals. Otherwise the window's checks, formulas, rounding and
// failures.
ResistorOutcome CalculateResistorOnCurve(const ResistorFields& fields, Wiring wiring, const LedCurve& curve);

// A resistor looked at: the one solved or given ("solved", "given"), or a
// standard one ("E24 below").
struct ResistorChoice {
    std::string Label;
    std::string Ohms; // as a field text
};

// The standard values of a series next to a resistance, after it in the
// list: below and above, or one alone when it is itself standard. Warnings
// name a side where the stock ends.
std::vector<ResistorChoice> WithStandardNeighbours(const ResistorChoice& resistor, ESeries series,
                                                   std::vector<std::string>& warnings);

// A battery voltage at which the resistors are looked at.
struct BatteryPoint {
    std::string Label; // "full", "nominal", "empty"; empty for the one voltage given
    std::string Volts; // as a field text
};

struct ChoiceRow {
    std::string Resistor;              // the choice's label
    std::string Battery;               // the point's label
    ResistorOutcome Outcome;           // the fields at this resistor and voltage, the current solved
    std::optional<double> RatingWatts; // the part to buy; nullopt beyond the common ratings or for no resistance
    bool Dark = false;
    bool Buy = false; // the value to buy, at the first battery point
};

struct ChoiceTable {
    std::vector<ChoiceRow> Rows;
    std::vector<std::string> Warnings;
};

// Every choice at every point. The first choice at the first point is
// 'solved' as it stands; each other row is the LED current at that voltage
// and resistance: on the curve when one is given (the window's own line
// otherwise, which knows no current below the forward voltage). A row is
// dark below DarkLedAmps. Each resistor's rating covers the most it
// dissipates at any point.
ChoiceTable ChoiceRows(const ResistorOutcome& solved, Wiring wiring, const std::vector<ResistorChoice>& choices,
                       const std::vector<BatteryPoint>& points, const std::optional<LedCurve>& curve);

// What to buy for a solved resistor calculation: the resistor solved or
// given and, with a series, its standard neighbours, each at every battery
// point; the rows beyond the solved one follow the LED's curve (the one
// chosen, or a typical white LED's through the solved point), with every
// warning: stock ends, dark rows, no common rating, LEDs in parallel sharing
// one resistor, a negative result. With a series and the resistance solved,
// the value to buy is marked: the nearest standard value that keeps the
// current at or below the desired one (the one above, or the solved one
// when it is standard).
struct ResistorToBuyRequest {
    ResistorOutcome Solved; // the window's outcome, solved
    lumora::Wiring Wiring = lumora::Wiring::Series;
    std::optional<ESeries> Series;
    std::vector<BatteryPoint> Points; // the battery over its discharge; empty: the solved voltage alone
    std::optional<LedChoice> Led;     // the LED's own curve, when one was chosen
};

struct ResistorToBuy {
    std::vector<ChoiceRow> Rows;
    std::vector<std::string> Warnings;
    std::optional<LedChoice> Curve; // the curve the rows beyond follow
    bool RowsBeyond = false;        // more than the solved row
};

ResistorToBuy BuyResistor(const ResistorToBuyRequest& request);

// "one resistor feeds 3 LEDs in parallel: how the current shares ...", for
// a count text of 2 or more.
std::string SharingWarning(std::string_view count);

} // namespace lumora
