// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/driver.h"
#include "calc/request/light_request.h"
#include "calc/text/field_text.h"

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// Each input of a light's run described once: lumora-cli graph makes its
// options from these rows, the web page its fields, links and hints, and
// ReadLight reads, checks and defaults every text by them into its field of
// a LightRequest. A new input is a field, a row here and its physics.

enum class InputKind {
    Decimal, // digits and one ".", as the window's fields take them
    Whole,   // digits only
    Choice,  // one of its choices' values
    Pack,    // cells in series and parallel: "2S1P"
    Points,  // measured points "MA=V", given twice or more
    Line,    // a line of its own syntax: a SPICE diode, a step-down
    Signed,  // a decimal that may start with "-": a temperature
};

struct InputChoice {
    std::string Value;   // "linear", "xp-g", "18650"
    std::string Caption; // "Linear regulator", "Cree XLamp XP-G2 (XP-G class), in lumens"
    std::string Help;    // for a choice that is a flag of its own ("the LEDs in series")
};

// What a run is built of, as far as it decides which inputs act.
struct RunShape {
    DriverKind Driver = DriverKind::Direct;
    bool LedNamed = false;  // a preset, points or a SPICE diode; else a typical LED through vf at current
    bool CellNamed = false; // a battery preset; else a flat battery
    bool HostGiven = false; // a host, by name, resistance and capacity, or mass and surface
    bool HostNamed = false, HostByResistance = false, HostByMass = false; // which way
};

struct LightInputRow {
    std::string_view Key{};       // "internal-resistance": option, page field, link and refusals
    LightField Field{};           // &LightRequest::InternalResistance: where the reading puts it
    std::string_view Caption{};   // "Internal resistance": the field's label, and refusals' name for it
    std::string_view Phrase{};    // "the internal resistance", inside a sentence
    std::string_view Unit{};      // "mohm"
    std::string_view ValueName{}; // "MOHM", as the command line shows the value
    InputKind Kind = InputKind::Decimal;
    std::string_view Default{};         // the text a run takes when none is given; "" for none
    std::string_view DefaultNote{};     // what none given means where no text stands for it ("the preset's")
    std::string_view Help{};            // what to give, mentioning other inputs as {key}
    std::string_view CommandLineNote{}; // added to the help on the command line only
    std::string_view Group{};           // "led": ways of naming one thing, of which one is given at most
    bool CommandLineOnly = false;       // not a field of the page
    bool SustainOnly = false;           // an input of the sustained output alone, not of a run
    bool Sustains = false;              // an input of the sustained output too
    bool ChoiceFlags = false;           // on the command line each choice is a flag ("--series")
    std::vector<InputChoice> (*Choices)() = nullptr;
    std::string_view NoChoice{}; // what giving no choice means ("Flat battery at the voltage below")
    // Why a text is no choice or pack ('no LED "xq-e"; known: ...'); "" when it is one.
    std::string (*Check)(std::string_view text) = nullptr;
    bool (*Acts)(const RunShape& shape) = nullptr; // nullptr: always
    // Where a form shows it: "" among the usual fields, first; else the
    // folded group it sits in ("Cell details", "Heat", "Step-down", "Advanced").
    std::string_view Section{};
};

std::span<const LightInputRow> LightInputRows();

// The folded groups a form shows the rows' sections in, in their order.
std::span<const std::string_view> LightInputSections();

// The row of a key; nullptr for none.
const LightInputRow* LightInputNamed(std::string_view key);

// The row of a field: every field has one.
const LightInputRow& RowOf(LightField field);

// "{key}": the input mentioned in a refusal's words (mentions.h).
std::string MentionOf(LightField field);
// "{key DETAIL}": with a detail the command line shows ("{cell NAME}").
std::string MentionOf(LightField field, std::string_view detail);

// A refusal, about the input of a key ("" for the run as a whole), its words
// mentioning other inputs as {key} for each face to name them its own way
// (AsOptions, PageWords).
struct RunRefusal {
    std::string Input;
    std::string Text;
};

// A refusal about the input of a field.
RunRefusal RefusalOf(LightField field, std::string text);

// The texts given for a run, by key; measured points may come several times.
struct LightInputs {
    std::multimap<std::string, std::string, std::less<>> Texts;
    // A builder's own cell's file (cell_file.h): its name and text.
    std::optional<std::pair<std::string, std::string>> CellFile;

    void Give(std::string_view key, std::string text) { Texts.emplace(std::string(key), std::move(text)); }
    void Give(LightField field, std::string text) { Give(RowOf(field).Key, std::move(text)); }
    // The first text given for a key.
    std::optional<std::string> Text(std::string_view key) const;
    std::optional<std::string> Text(LightField field) const { return Text(RowOf(field).Key); }
    // Every text given for a key, in order.
    std::vector<std::string> All(std::string_view key) const;
};

// A choice's or line's text into its field (the first given), or one more
// of the texts of a field that takes several; false for a number's field,
// which is read by its typing rules.
bool PlaceText(LightRequest& request, const LightInputRow& row, const std::string& text);

// A build to start from, as the page first shows it: an XP-G-class LED on
// one 18650 behind a 2.8 A linear regulator (the README's), with a typical
// LED's 3.1 V and a flat 3.7 V ready for when those are chosen.
LightInputs ExampleLight();

// The shape of the run the texts describe: an unknown driver is direct.
RunShape ShapeOf(const LightInputs& inputs);
RunShape ShapeOf(const LightRequest& request);

// Whether a key filter lets 'text' be typed into a field of this kind: the
// window's rule for a number (a signed one may start with "-"); any
// printable text for a choice, a pack, points or a line of its own syntax
// ("3:50"), whose check refuses what it cannot read.
bool IsTypeableInto(InputKind kind, std::string_view text);

// What a field said when typing or a paste was reshaped to fit it, so that
// nothing changes silently: the characters left out, in the order met and
// each once, and whether a comma was taken as the decimal point. "" when
// neither.
//   "Desired LED Current: left out "-", which it does not take (digits and
//    one decimal point)"
std::string TypingNoteText(std::string_view caption, std::string_view dropped, bool comma, InputKind kind);

// Whether an input acts on a run of this shape: a linear regulator's
// dropout does nothing for a converter.
bool Acts(const LightInputRow& row, const RunShape& shape);

// The texts of the inputs that act on their run's shape; the rest dropped,
// as the page drops the fields it hides.
LightInputs ActingOnly(const LightInputs& inputs);

// The help line with its mentions as the page words them, or, for the
// command line, as options and with its note.
std::string PageHelp(const LightInputRow& row);
std::string CommandLineHelp(const LightInputRow& row);

// Words that mention inputs as {key}, as the page says them: "give the LED
// current too".
std::string PageWords(std::string_view text);

} // namespace lumora
