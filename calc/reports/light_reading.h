// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/discharge.h"
#include "calc/light/led_choice.h"
#include "calc/reports/light_inputs.h"
#include "calc/reports/light_run.h"

#include <optional>
#include <string>

namespace lumora {

// How a light's request becomes the physics' records, shared by its run
// (RunLight) and its sustained output (SustainLight): the LED, the cut-off
// and charge, the host; each with its refusals.

// The texts read into a request and made into an answer by 'make'; the
// reading's refusals, when there are any, as an answer of their own.
template <typename Answer, typename Make> Answer FromInputs(const LightInputs& inputs, Make make)
{
    ReadLight read = ReadLightInputs(inputs);
    if (read.Refusals.empty())
        return make(read.Request);
    Answer refused;
    refused.Refusals = std::move(read.Refusals);
    refused.Usage = read.Usage;
    return refused;
}

// The LED the request names: a preset, measured points or a SPICE diode;
// nullopt when none of them is given.
std::optional<LedOutcome> NamedLed(const LightRequest& request);

// The LED the request names, or a typical LED through its Vf at the
// current; a refusal when it gives neither.
std::variant<LedChoice, RunRefusal> ChosenLed(const LightRequest& request);

// A run that is only a refusal.
LightRun Refused(RunRefusal refusal, bool usage = false);
LightRun Refused(LightField field, std::string text, bool usage = false);
// A refusal of the run as a whole, or of inputs at odds.
LightRun RefusedRun(std::string text, bool usage = false);

// The share of their light the optics pass; a refusal for none or more
// than all of it.
std::optional<LightRun> SetOptics(const LightRequest& request, DischargeRequest& discharge);

// The ways to give a host, as mentions: "{host NAME}, ...".
std::string HostWays();

// The cut-off and the charge at switch-on, given per cell, set on the pack
// of 'series' cells; a refusal for those no cell can have.
std::optional<LightRun> SetCutOffAndCharge(const LightRequest& request, int series, DischargeRequest& discharge);

// The host, ambient, limit and step-down the request gives, on the
// discharge's heat; a refusal for those no light can have. Without a host,
// none of them acts and the discharge stays without heat. 'hostName' says
// what the host is.
std::optional<LightRun> SetHeat(const LightRequest& request, const LedChoice& led, DischargeRequest& discharge,
                                std::string& hostName);

} // namespace lumora
