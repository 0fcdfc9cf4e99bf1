// SPDX-License-Identifier: MIT
#pragma once

#include "calc/request/light_inputs.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumora {

// Builds side by side: a light's inputs, and each other build as what it
// changes of them, written as lumora-cli graph --vs takes it and the page's
// link carries a kept build: "led=sft-40,current=3000". A key is an input's
// (its option's name without the dashes), or cell-file; an empty value
// gives the input no text ("host=": no host).

// The most builds compared at once, the first among them: as many as the
// runtime graph's lines can be told apart by.
inline constexpr std::size_t MostBuilds = 8;

struct InputChange {
    std::string Key, Text;
    std::optional<std::string> FileText; // cell-file's: the file's text, Text its name
};

// "KEY=VALUE,KEY=VALUE" read into changes; why not, naming the part at
// fault, otherwise (no "=", a key that names no input of the graph).
std::variant<std::vector<InputChange>, std::string> ReadChanges(std::string_view text);

// The changes as they are written: "led=sft-40,current=3000".
std::string ChangesText(const std::vector<InputChange>& changes);

// The inputs with the changes made: each key's texts replaced, and those of
// the inputs it is given in place of dropped (another way of giving the
// LED, the host or the start, with what goes with it; the current for a
// wanted output and back; a flat battery for a preset or one's own cell);
// then, as the page drops the fields it hides, those that no longer act on
// the build (a thermal limit once there is no host).
LightInputs Changed(const LightInputs& inputs, const std::vector<InputChange>& changes);

// Whether the inputs give another way of giving what 'key' gives (a
// current where a wanted output is not given, a host by name).
bool OtherWayGiven(const LightInputs& inputs, std::string_view key);

// The changes that make 'other' of 'base', in the rows' order (a builder's
// own cell's file apart: it has no place in a link).
std::vector<InputChange> ChangesBetween(const LightInputs& base, const LightInputs& other);

// An input's value in a builder's words, for a build's name: a preset by its
// trade name, a number with its unit, "no host" for none.
std::string ValueWords(const LightInputRow& row, const std::vector<std::string>& texts);

} // namespace lumora
