// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/battery_presets.h"
#include "calc/light/discharge.h"
#include "calc/light/led_choice.h"
#include "calc/request/light_inputs.h"

#include <optional>
#include <string>
#include <variant>

namespace lumora {

// A light's typed request (LightRequest) made into the physics' records in
// one pass: the driver, the LED and its string, the battery, the cut-off and
// charge, the host and the step, each with its refusals in a fixed order;
// and, for a wanted output, the drive solved (drive_solution). The run, the
// sustained output and the builds compared all start from what it hands
// over, and read the request no more.

// Why a request cannot be assembled: the input to blame ("" for the run as
// a whole) and whether it is a usage error (inputs missing or at odds)
// rather than a value out of range.
struct RequestRefusal {
    RunRefusal Refusal;
    bool Usage = false;
};

// What a drive solved for a wanted output set, and to what.
enum class SolvedFor { Nothing, Current, Resistance };

// The light as assembled: the discharge's request and what it is built of,
// in the words its summary, picture and warnings give.
struct AssembledLight {
    DischargeRequest Discharge;
    LedChoice Led;
    std::optional<BatteryChoice> Cell; // a battery preset; none for a flat battery or one's own cell
    Pack CellPack;
    bool OwnCell = false;
    std::string BatteryName, HostName;
    bool CountGiven = false;               // the LED count was given, not the default (a shared resistor's warning)
    std::optional<double> LedMaxMilliamps; // the LED's rating as given, in place of its own
    // The output wanted at 30 s (lm) and what was solved for it.
    std::optional<double> WantedLumens;
    SolvedFor Solved = SolvedFor::Nothing;
};

using Assembly = std::variant<AssembledLight, RequestRefusal>;

// The request assembled, the drive solved where an output is wanted; the
// first refusal otherwise.
Assembly AssembleLight(const LightRequest& request);

// A refusal about one input, or about the run as a whole.
RequestRefusal RefusalAbout(LightField field, std::string text, bool usage = false);
RequestRefusal RunRefused(std::string text, bool usage = false);

// The pieces the sustained output assembles its own light from.

// The LED the request names, or a typical LED through its Vf at the
// current; a refusal when it gives neither (a usage error when no LED is
// given at all).
std::variant<LedChoice, RequestRefusal> ChosenLed(const LightRequest& request);

// The share of their light the optics pass; a refusal for none or more
// than all of it.
std::optional<RequestRefusal> SetOptics(const LightRequest& request, DischargeRequest& discharge);

// The ways to give a host, as mentions: "{host NAME}, ...".
std::string HostWays();

// The host, ambient, limit and step-down the request gives, on the
// discharge's heat; a refusal for those no light can have. Without a host,
// none of them acts and the discharge stays without heat. 'hostName' says
// what the host is.
std::optional<RequestRefusal> SetHeat(const LightRequest& request, const LedChoice& led, DischargeRequest& discharge,
                                      std::string& hostName);

} // namespace lumora
