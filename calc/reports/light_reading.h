// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/discharge.h"
#include "calc/light/led_choice.h"
#include "calc/reports/light_inputs.h"
#include "calc/reports/light_run.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// How a light's texts are read, shared by its run (RunLight) and its
// sustained output (SustainLight): the numbers by their rows, the LED, the
// cut-off and charge, the host; each with its refusals.

// The numbers of the texts given, read by the window's typing rules, each
// refusal kept; an input not given takes its row's default, if any.
class Reader {
  public:
    explicit Reader(const LightInputs& inputs) : m_inputs(inputs)
    {
        for (const LightInputRow& row : LightInputRows()) {
            if (row.Kind == InputKind::Decimal || row.Kind == InputKind::Whole || row.Kind == InputKind::Signed)
                Read(row);
        }
    }

    // The number given for a key, nullopt when none was.
    std::optional<double> Given(std::string_view key) const
    {
        const auto found = m_given.find(key);
        return found == m_given.end() ? std::nullopt : std::optional<double>(found->second);
    }
    // The number given, or the row's default.
    std::optional<double> Value(std::string_view key) const
    {
        if (const std::optional<double> given = Given(key))
            return given;
        const LightInputRow* row = LightInputNamed(key);
        return row && !row->Default.empty() ? ReadNumber(row->Default) : std::nullopt;
    }

    std::vector<RunRefusal> refusals;

  private:
    void Read(const LightInputRow& row);

    const LightInputs& m_inputs;
    std::map<std::string, double, std::less<>> m_given;
};

// A choice or pack given that names none, or an input no row has: the first
// such refusal.
std::optional<RunRefusal> UnknownChoice(const LightInputs& inputs);

// The LED the texts name: a preset, measured points or a SPICE diode;
// nullopt when none of them is given.
std::optional<LedOutcome> NamedLed(const LightInputs& inputs);

// A run that is only a refusal.
LightRun Refused(std::string input, std::string text, bool usage = false);

// The cut-off and the charge at switch-on, given per cell, set on the pack
// of 'series' cells; a refusal for those no cell can have.
std::optional<LightRun> SetCutOffAndCharge(const Reader& reader, int series, DischargeRequest& request);

// The host, ambient, limit and step-down the texts give, on the request;
// a refusal for those no light can have. Without a host, none of them acts
// and the request stays without heat. 'hostName' says what the host is.
std::optional<LightRun> SetHeat(const Reader& reader, const LightInputs& inputs, const LedChoice& led,
                                DischargeRequest& request, std::string& hostName);

} // namespace lumora
