// SPDX-License-Identifier: MIT
#include "calc/calculators/quantities.h"

#include <array>

namespace lumora {

namespace {

constexpr auto Whole = NumberKind::Whole;

// The window's tooltips, word for word.
constexpr std::string_view CurrentTip = "Enter the desired mA to be sent to the LED.  Example: 1000 = 1 amp";
constexpr std::string_view VfTip = "Enter the Vf (forward voltage) of the LED you are planning to use.  Typically, "
                                   "1W LED's are 3.5V, and 5W LED's are 6.8V.";
constexpr std::string_view BatteryTip = "Enter the total voltage output of the batteries you plan to use.";
constexpr std::string_view CapacityTip = "Enter the capasity of your battery type here, in mAh.";
constexpr std::string_view RuntimeTip = "Enter the runtime in decimal form that you wish to achieve.  1 = 1 Hour, "
                                        "1.25 = 1 Hour 15 Minutes, etc.";
constexpr std::string_view EfficiencyTip = "Enter the efficiency of the converter board you plan to use.  Default "
                                           "is 83%. This is typical for the Kestrel and Merlin converters.";

// clang-format off
constexpr std::array<QuantityRow, 6> RuntimeRows = {{
    {.Key = "current", .Caption = "Desired LED Current", .Phrase = "the LED current", .Unit = "mA",
     .Spoken = "milliamps", .Column = "current_ma", .Heading = "Current mA", .Help = "LED current, mA",
     .Tip = CurrentTip},
    {.Key = "vf", .Caption = "LED Vf Voltage", .Phrase = "the LED Vf voltage", .Unit = "V", .Spoken = "volts",
     .Column = "vf_v", .Heading = "Vf V", .Help = "LED forward voltage, V", .Tip = VfTip},
    {.Key = "battery", .Caption = "Battery Input Voltage", .Phrase = "the battery input voltage", .Unit = "V",
     .Spoken = "volts", .Column = "battery_v", .Heading = "Battery V", .Help = "battery voltage, V",
     .Tip = BatteryTip},
    {.Key = "capacity", .Caption = "Battery mAh Capacity", .Phrase = "the battery capacity", .Unit = "mAh",
     .Spoken = "milliamp hours", .Column = "capacity_mah", .Heading = "Capacity mAh",
     .Help = "battery capacity, mAh", .Tip = CapacityTip},
    {.Key = "runtime", .Caption = "Runtime in Hours", .Phrase = "the runtime", .Unit = "h", .Spoken = "hours",
     .Column = "runtime_h", .Heading = "Runtime h", .Help = "runtime, decimal hours", .Tip = RuntimeTip},
    {.Key = "efficiency", .Caption = "Converter Efficiency", .Phrase = "the converter efficiency", .Unit = "%",
     .Spoken = "percent", .Start = TypicalEfficiency, .MaxLength = EfficiencyMaxLength, .Column = "efficiency_pct",
     .Heading = "Efficiency %", .Help = "converter efficiency, %", .Tip = EfficiencyTip},
}};

constexpr std::array<QuantityRow, 6> ResistorRows = {{
    {.Key = "battery", .Caption = "Battery Input Voltage", .Phrase = "the battery input voltage", .Unit = "V",
     .Spoken = "volts", .Column = "battery_v", .Heading = "Volts", .Help = "battery voltage, V"},
    {.Key = "vf", .Caption = "LED VF Voltage", .Phrase = "the LED VF voltage", .Unit = "V", .Spoken = "volts",
     .Column = "vf_v", .Heading = "Vf V", .Help = "forward voltage of one LED, V"},
    {.Key = "current", .Caption = "Desired LED Current", .Phrase = "the LED current", .Unit = "mA",
     .Spoken = "milliamps", .Column = "current_ma", .Heading = "LED mA", .Help = "current of one LED, mA"},
    {.Key = "resistance", .Caption = "Resistance in Ohms", .Phrase = "the resistance", .Unit = "ohm",
     .Spoken = "ohms", .Column = "resistance_ohm", .Heading = "Ohms", .Help = "resistance, ohms"},
    {.Key = "wattage", .Caption = "Resistor Wattage", .Phrase = "the resistor wattage", .Unit = "W",
     .Spoken = "watts", .Start = "0.00", .Solvable = false, .Written = true, .Column = "wattage_w",
     .Heading = "Power W", .Help = "the resistor's power, W"},
    {.Key = "leds", .Caption = "# of LEDs", .Phrase = "the number of LEDs", .Kind = Whole, .Start = "1",
     .Solvable = false, .Column = "leds", .Heading = "LEDs", .Help = "number of LEDs"},
}};
// clang-format on

} // namespace

std::span<const QuantityRow> RuntimeQuantities() { return RuntimeRows; }

std::span<const QuantityRow> ResistorQuantities() { return ResistorRows; }

const QuantityRow& RowOf(RuntimeQuantity quantity) { return RuntimeRows[static_cast<std::size_t>(quantity)]; }

const QuantityRow& RowOf(ResistorQuantity quantity) { return ResistorRows[static_cast<std::size_t>(quantity)]; }

} // namespace lumora
