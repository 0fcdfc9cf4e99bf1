// SPDX-License-Identifier: MIT
#include "calc/request/build_changes.h"

#include "calc/light/battery_presets.h"
#include "calc/light/led_presets.h"
#include "calc/light/thermal.h"

#include <algorithm>
#include <array>

namespace lumora {

namespace {

// A builder's own cell's file: not an input row, but a way to give the cell.
constexpr std::string_view CellFileKey = "cell-file";

// What goes with a way of giving a thing, and leaves with it.
struct Companion {
    std::string_view Key, With;
};
constexpr std::array<Companion, 3> Companions = {
    {{"host-resistance", "host-heat-capacity"}, {"host-mass", "host-area"}, {"host-mass", "host-material"}}};

// Ways of giving one thing that no row's group ties together: a wanted
// output or a current, a flat battery or cells.
struct InPlace {
    std::string_view Key, Of;
};
constexpr std::array<InPlace, 7> InPlaceOf = {{{"output", "current"},
                                               {"current", "output"},
                                               {"battery", "cell"},
                                               {"battery", "pack"},
                                               {"battery", CellFileKey},
                                               {"cell", "battery"},
                                               {"cell", CellFileKey}}};

// The keys whose texts a change of 'key' drops: the other ways of its group
// and what goes with them, and those it is given in place of.
std::vector<std::string_view> Displaced(std::string_view key)
{
    std::vector<std::string_view> keys;
    const LightInputRow* changed = LightInputNamed(key);
    for (const LightInputRow& row : LightInputRows())
        if (changed && !changed->Group.empty() && row.Group == changed->Group && row.Key != key)
            keys.push_back(row.Key);
    for (const InPlace& pair : InPlaceOf)
        if (pair.Key == key)
            keys.push_back(pair.Of);
    if (key == CellFileKey)
        keys.insert(keys.end(), {"cell", "battery"});
    const std::size_t ways = keys.size();
    for (std::size_t i = 0; i < ways; ++i)
        for (const Companion& companion : Companions)
            if (companion.Key == keys[i])
                keys.push_back(companion.With);
    return keys;
}

void Drop(LightInputs& inputs, std::string_view key)
{
    if (key == CellFileKey)
        inputs.CellFile.reset();
    else
        inputs.Texts.erase(std::string(key));
}

// A choice's caption in a builder's words: the LED's or the cell's trade
// name, without the list's notes.
std::string ChoiceWords(const LightInputRow& row, const std::string& value)
{
    if (row.Key == "led")
        if (const LedPreset* preset = LedNamed(value))
            return std::string(preset->Name);
    if (row.Key == "cell")
        if (const std::optional<BatteryChoice> cell = BatteryNamed(value))
            return TradeName(*cell);
    if (row.Key == "host")
        if (const NamedHost* host = NamedHostNamed(value))
            return std::string(host->Name);
    for (const InputChoice& choice : row.Choices())
        if (choice.Value == value)
            return choice.Caption;
    return value;
}

// A caption inside a phrase: "Thermal limit" as "thermal limit", "LED" kept.
std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    const bool word = lowered.size() < 2 || (lowered[1] >= 'a' && lowered[1] <= 'z');
    if (word && !lowered.empty() && lowered[0] >= 'A' && lowered[0] <= 'Z')
        lowered[0] = static_cast<char>(lowered[0] - 'A' + 'a');
    return lowered;
}

} // namespace

std::variant<std::vector<InputChange>, std::string> ReadChanges(std::string_view text)
{
    std::vector<InputChange> changes;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos)
            return "\"" + std::string(part) + "\" changes nothing: write KEY=VALUE, for example led=sft-40";
        const std::string_view key = part.substr(0, equals);
        const LightInputRow* row = LightInputNamed(key);
        if (key != CellFileKey && (!row || row->SustainOnly))
            return "\"" + std::string(key) + "\" is no input of the graph: give an option's name without its dashes, " +
                   "for example led, cell, current or output";
        changes.push_back({std::string(key), std::string(part.substr(equals + 1)), std::nullopt});
    }
    if (changes.empty())
        return std::string("give what the build changes: KEY=VALUE, for example led=sft-40");
    return changes;
}

std::string ChangesText(const std::vector<InputChange>& changes)
{
    std::string text;
    for (const InputChange& change : changes)
        text += (text.empty() ? "" : ",") + change.Key + "=" + change.Text;
    return text;
}

LightInputs Changed(const LightInputs& inputs, const std::vector<InputChange>& changes)
{
    LightInputs changed = inputs;
    // Every text of a changed key goes first, so that a key changed twice
    // (two measured points) keeps both.
    for (const InputChange& change : changes) {
        Drop(changed, change.Key);
        for (std::string_view displaced : Displaced(change.Key))
            Drop(changed, displaced);
    }
    for (const InputChange& change : changes) {
        if (change.Key == CellFileKey)
            changed.CellFile = {change.Text, change.FileText.value_or("")};
        else if (!change.Text.empty())
            changed.Give(change.Key, change.Text);
    }
    LightInputs acting = ActingOnly(changed);
    acting.CellFile = changed.CellFile;
    return acting;
}

bool OtherWayGiven(const LightInputs& inputs, std::string_view key)
{
    for (const auto& [given, text] : inputs.Texts) {
        const std::vector<std::string_view> displaced = Displaced(given);
        if (given != key && std::find(displaced.begin(), displaced.end(), key) != displaced.end())
            return true;
    }
    return inputs.CellFile && key != CellFileKey && (key == "cell" || key == "battery");
}

std::vector<InputChange> ChangesBetween(const LightInputs& base, const LightInputs& other)
{
    std::vector<InputChange> changes;
    for (const LightInputRow& row : LightInputRows()) {
        const std::vector<std::string> was = base.All(row.Key), now = other.All(row.Key);
        if (was == now)
            continue;
        if (now.empty())
            changes.push_back({std::string(row.Key), "", std::nullopt});
        for (const std::string& text : now)
            changes.push_back({std::string(row.Key), text, std::nullopt});
    }
    return changes;
}

std::string ValueWords(const LightInputRow& row, const std::vector<std::string>& texts)
{
    if (texts.empty())
        return "no " + Lowered(row.Caption);
    const std::string& text = texts.front();
    if (row.ChoiceFlags)
        return "in " + Lowered(ChoiceWords(row, text));
    if (row.Kind == InputKind::Choice && row.Choices)
        return ChoiceWords(row, text);
    if (row.Kind == InputKind::Points)
        return std::to_string(texts.size()) + " measured points";
    if (row.Key == "leds")
        return text + (text == "1" ? " LED" : " LEDs");
    if (row.Key == "output")
        return text + " lm wanted";
    std::string words = row.Unit.empty() ? text : text + " " + std::string(row.Unit);
    // A current, a charge, an output or a resistor says what it is by its
    // unit; the rest by their captions too ("thermal limit 55 C").
    for (std::string_view plain : {"mA", "mAh", "lm", "ohm"})
        if (row.Unit == plain)
            return words;
    return Lowered(row.Caption) + " " + words;
}

} // namespace lumora
