// SPDX-License-Identifier: MIT
#pragma once

#include "calc/request/light_inputs.h"

#include <optional>
#include <string>
#include <vector>

namespace lumora {

// A light's texts read into its typed request (LightRequest), each by its
// row: a number by the window's typing rules, a choice or pack checked by
// its row, a builder's own cell's file read; and a row's default for a field
// left empty.

// The inputs read into their fields: every refusal of a number (Refusals),
// else the first of a choice, pack or unknown input (then Usage).
struct ReadLight {
    LightRequest Request;
    std::vector<RunRefusal> Refusals;
    bool Usage = false;
};
ReadLight ReadLightInputs(const LightInputs& inputs);

// The number given, or its row's default; nullopt for neither.
std::optional<double> ValueOf(const LightRequest& request, NumberField field);
// The text given, or its row's default ("" for none).
std::string ValueOf(const LightRequest& request, TextField field);

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

} // namespace lumora
