// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/cell_model.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lumora {

// A light's inputs as read from their texts: each given number or text in
// a field of its own, nothing where none was given (a row's default is the
// reading's to supply: ValueOf). Every input row (LightInputRow) names its
// field, so that the run, the sustained output and their refusals name an
// input by its field, never by a string.
struct LightRequest {
    // The LED: a preset, measured points "MA=V", a SPICE diode, or a
    // typical LED through Vf (V) at the current (mA); its rating, mA.
    std::optional<std::string> Led;
    std::vector<std::string> LedPoints;
    std::optional<std::string> LedSpice;
    std::optional<double> LedMax, Current, Vf;
    // The share of the LEDs' light the optics pass, %; the output wanted
    // 30 s after switch-on, lm, in place of a current.
    std::optional<double> Optics, Output;
    // The driver and the LEDs' circuit: ohms, a count, %, V.
    std::optional<std::string> Driver, Wiring;
    std::optional<double> Resistance, Leds, Efficiency, Dropout;
    // The battery: a cell preset in a pack, or a flat battery's voltage (V); mAh,
    // milliohms, and per cell the cut-off and start (V) or the charge (%).
    std::optional<std::string> Cell, Pack;
    std::optional<double> FlatBattery, Capacity, InternalResistance, CutOff, Start, Charge;
    // The host and its heat: K/W, J/K, g, cm2, °C; a step-down "MIN:PCT".
    std::optional<std::string> Host, HostMaterial, StepDown;
    std::optional<double> HostResistance, HostHeatCapacity, HostMass, HostArea, Ambient, ThermalLimit, SensorOffset;
    // The sustained output wanted, lm; the most charge a row draws, %.
    std::optional<double> Want, Step;
    // A builder's own cell, fitted to logs and read from its file (not an
    // input row: a file's text, never in a link): the file's name, the
    // cell's name and the cell.
    struct OwnCell {
        std::string File, Name;
        CellModel Model;
    };
    std::optional<OwnCell> Own;
};

using NumberField = std::optional<double> LightRequest::*;
using TextField = std::optional<std::string> LightRequest::*;
using TextsField = std::vector<std::string> LightRequest::*;
// The field an input row is read into.
using LightField = std::variant<NumberField, TextField, TextsField>;

} // namespace lumora
