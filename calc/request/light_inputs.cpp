// SPDX-License-Identifier: MIT
#include "calc/request/light_inputs.h"

#include "calc/calculators/quantities.h"
#include "calc/light/battery_presets.h"
#include "calc/light/led_choice.h"
#include "calc/light/led_presets.h"
#include "calc/light/optics.h"
#include "calc/light/thermal.h"
#include "calc/text/field_text.h"
#include "calc/text/mentions.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <array>

namespace lumora {

namespace {

std::vector<InputChoice> DriverChoices()
{
    return {{"direct", "Direct drive (FET), with the series resistor", ""},
            {"linear", "Linear regulator", ""},
            {"converter", "Constant-current converter", ""}};
}

std::vector<InputChoice> LedChoices()
{
    std::vector<InputChoice> choices;
    for (const LedPreset& preset : LedPresets()) {
        // "Cree XLamp XM-L2, in lumens, rated 3000 mA": its output's unit and its maker's limit.
        const std::string rating =
            preset.MaxAmps > 0.0 ? "rated " + DoubleText(preset.MaxAmps * 1000.0) + " mA" : std::string(NoRatingText);
        choices.push_back({preset.Id, preset.Name + (preset.Flux.empty() ? "" : ", in lumens") + ", " + rating, ""});
    }
    return choices;
}

std::vector<InputChoice> CellChoices()
{
    std::vector<InputChoice> choices;
    for (const BatteryChoice& preset : BatteryPresets()) {
        // Each by the name it is sold by: "Samsung INR18650-30Q", "NiMH AA".
        const PackTexts texts = TextsOf(preset, Pack{});
        std::string rating;
        if (preset.named)
            rating = preset.named->MaxAmps > 0.0 ? ", rated " + DoubleText(preset.named->MaxAmps) + " A"
                                                 : ", " + std::string(NoRatingText);
        choices.push_back({PresetName(preset),
                           TradeName(preset) + (texts.CapacityMah ? ", " + *texts.CapacityMah + " mAh" : "") + rating,
                           ""});
    }
    return choices;
}

std::vector<InputChoice> HostChoices()
{
    std::vector<InputChoice> choices;
    for (const NamedHost& host : NamedHosts())
        choices.push_back({std::string(host.Id), std::string(host.Name), ""});
    return choices;
}

std::vector<InputChoice> MaterialChoices()
{
    std::vector<InputChoice> choices;
    for (const HostMaterial& material : HostMaterials()) {
        std::string caption(material.Id);
        caption[0] = static_cast<char>(caption[0] - 'a' + 'A');
        choices.push_back({std::string(material.Id), caption, ""});
    }
    return choices;
}

std::vector<InputChoice> WiringChoices()
{
    return {{"series", "Series", "The LEDs in series (the default)."},
            {"parallel", "Parallel", "The LEDs in parallel behind the one resistor."}};
}

// "no driver "x"; known: direct, linear, converter", from a row's choices.
std::string NotAmong(std::string_view what, std::string_view text, const std::vector<InputChoice>& choices)
{
    std::string known;
    for (const InputChoice& choice : choices) {
        if (choice.Value == text)
            return {};
        known += (known.empty() ? "" : ", ") + choice.Value;
    }
    return "no " + std::string(what) + " \"" + std::string(text) + "\"; known: " + known;
}

std::string CheckDriver(std::string_view text) { return NotAmong("driver", text, DriverChoices()); }
std::string CheckWiring(std::string_view text) { return NotAmong("wiring", text, WiringChoices()); }
std::string CheckLed(std::string_view text) { return LedNamed(text) ? std::string() : UnknownLedText(text); }
std::string CheckCell(std::string_view text) { return BatteryNamed(text) ? std::string() : UnknownBatteryText(text); }
std::string CheckPack(std::string_view text) { return PackNamed(text) ? std::string() : PackRefusal(text); }
std::string CheckHost(std::string_view text) { return NotAmong("host", text, HostChoices()); }
std::string CheckMaterial(std::string_view text) { return NotAmong("material", text, MaterialChoices()); }
// The form alone: the minutes and share themselves are the run's to refuse.
std::string CheckStepDown(std::string_view text)
{
    const std::size_t colon = text.find(':');
    return colon != std::string_view::npos && IsNumberText(text.substr(0, colon)) &&
                   IsNumberText(text.substr(colon + 1))
               ? std::string()
               : "\"" + std::string(text) + "\" is no step-down; write it MIN:PCT, for example 3:50";
}

bool Regulates(const RunShape& s) { return s.Driver != DriverKind::Direct || !s.LedNamed; }
bool TypicalLed(const RunShape& s) { return !s.LedNamed; }
bool LedGiven(const RunShape& s) { return s.LedNamed; }
bool PresetCell(const RunShape& s) { return s.CellNamed; }
bool FlatCell(const RunShape& s) { return !s.CellNamed; }
bool Converts(const RunShape& s) { return s.Driver == DriverKind::Converter; }
bool Linear(const RunShape& s) { return s.Driver == DriverKind::Linear; }
bool Hosted(const RunShape& s) { return s.HostGiven; }
// A host of one's own by its resistance and heat capacity, or by its mass,
// material and surface: each way's fields where no host is named and the
// other way is not taken.
bool HostByResistance(const RunShape& s) { return !s.HostNamed && !s.HostByMass; }
bool HostByMass(const RunShape& s) { return !s.HostNamed && !s.HostByResistance; }

using K = InputKind;

// clang-format off
// Each help is whole sentences, as the page shows it beside its field and
// lumora-cli --help prints it; a default is said after it.
const std::array<LightInputRow, 34> Rows = {{
    {.Key = "driver", .Field = &LightRequest::Driver, .Caption = "Driver", .Phrase = "the driver", .ValueName = "NAME", .Kind = K::Choice,
     .Default = "direct",
     .Help = "How the driver feeds the LEDs: direct drive (a FET, with {resistance}), a linear regulator or a "
             "constant-current converter.",
     .Choices = DriverChoices, .Check = CheckDriver},
    {.Key = "led", .Field = &LightRequest::Led, .Caption = "LED", .Phrase = "an LED preset", .ValueName = "NAME", .Kind = K::Choice,
     .Help = "An LED by its maker's name, with its measured curve, flux and rating, in place of {vf}.",
     .CommandLineNote = " 'lumora-cli leds' lists them.", .Group = "led",
     .Sustains = true, .Choices = LedChoices, .NoChoice = "Typical white LED through the Vf at the current", .Check = CheckLed},
    {.Key = "led-point", .Field = &LightRequest::LedPoints, .Caption = "LED point", .Phrase = "measured points", .ValueName = "MA=V[:LM]",
     .Kind = K::Points,
     .Help = "A point measured on your LED, MA=V, or MA=V:LM with its flux in lumens; give two or more, and the flux "
             "of every point for a graph in lumens.",
     .Group = "led", .CommandLineOnly = true, .Sustains = true},
    {.Key = "led-spice", .Field = &LightRequest::LedSpice, .Caption = "SPICE diode", .Phrase = "a SPICE diode", .ValueName = "'IS= N= RS='",
     .Kind = K::Line, .Help = "Your LED as a SPICE diode, for example 'IS=4.4e-9 N=8.39 RS=7.8'.", .Group = "led",
     .CommandLineOnly = true, .Sustains = true},
    {.Key = "led-max", .Field = &LightRequest::LedMax, .Caption = "LED maximum", .Phrase = "the LED's rated maximum", .Unit = "mA",
     .ValueName = "MA", .DefaultNote = "the LED's data sheet's",
     .Help = "The most current the LED is rated for, in mA: a run that drives it harder says so.", .Section = "Advanced"},
    {.Key = "optics", .Field = &LightRequest::Optics, .Caption = "Optics", .Phrase = "the optics' share",
     .Unit = "%", .ValueName = "PCT", .Default = TypicalOpticsPercent,
     .Help = "The share of the LEDs' light that leaves the light through its reflector or optic and lens, in %: 87 for "
             "an aluminium reflector behind an uncoated glass lens, 100 for the bare emitter.",
     .Sustains = true},
    {.Key = "current", .Field = &LightRequest::Current, .Caption = "LED Current", .Phrase = "the LED current", .Unit = "mA", .ValueName = "MA",
     .Help = "The current the driver holds in each LED, in mA; for a typical LED, also the current its Vf is given at.",
     .Sustains = true, .Acts = Regulates},
    {.Key = "output", .Field = &LightRequest::Output, .Caption = "Wanted output", .Phrase = "the wanted output", .Unit = "lm",
     .ValueName = "LM",
     .Help = "The light you want 30 s after switch-on, in lumens out the front of the whole light, in place of "
             "{current}: the driver's current is solved for it (on direct drive, the series resistance).",
     .Acts = LedGiven},
    {.Key = "vf", .Field = &LightRequest::Vf, .Caption = "LED Vf Voltage", .Phrase = "the LED Vf", .Unit = "V", .ValueName = "V",
     .Help = "The forward voltage of one LED at {current}, in V, for a typical white LED through it.", .Group = "led",
     .Sustains = true, .Acts = TypicalLed},
    {.Key = "resistance", .Field = &LightRequest::Resistance, .Caption = "Resistance", .Phrase = "the series resistance", .Unit = "ohm",
     .ValueName = "OHM", .Default = "0", .Help = "A resistor in series with the LEDs, in ohms.", .Section = "Advanced"},
    {.Key = "leds", .Field = &LightRequest::Leds, .Caption = "# of LEDs", .Phrase = "the number of LEDs", .ValueName = "N", .Kind = K::Whole,
     .Default = "1", .Help = "How many LEDs the light has.", .Sustains = true},
    {.Key = "wiring", .Field = &LightRequest::Wiring, .Caption = "Wiring", .Phrase = "the wiring", .Kind = K::Choice, .Default = "series",
     .Help = "Whether the LEDs are in series or in parallel behind the one resistor.", .ChoiceFlags = true,
     .Choices = WiringChoices, .Check = CheckWiring},
    {.Key = "cell", .Field = &LightRequest::Cell, .Caption = "Battery", .Phrase = "the battery preset", .ValueName = "NAME", .Kind = K::Choice,
     .Help = "The battery: a cell by its maker's name, a cell format (18650) or a chemistry (Li-ion).",
     .CommandLineNote = " 'lumora-cli cells' lists them.", .Choices = CellChoices,
     .NoChoice = "Flat battery at the voltage below", .Check = CheckCell},
    {.Key = "pack", .Field = &LightRequest::Pack, .Caption = "Pack", .Phrase = "the pack", .ValueName = "2S1P", .Kind = K::Pack,
     .Default = "1S1P", .Help = "The cells in series and in parallel, for example 2S, 2P or 2S2P.", .Check = CheckPack,
     .Acts = PresetCell},
    {.Key = "battery", .Field = &LightRequest::FlatBattery, .Caption = "Battery Input Voltage", .Phrase = "the battery voltage", .Unit = "V",
     .ValueName = "V",
     .Help = "A flat battery of this voltage, in V, without internal resistance: the runtime calculator's assumption.",
     .Acts = FlatCell},
    {.Key = "capacity", .Field = &LightRequest::Capacity, .Caption = "Battery mAh Capacity", .Phrase = "the capacity", .Unit = "mAh",
     .ValueName = "MAH", .DefaultNote = "the battery's own", .Help = "The battery's capacity, in mAh.", .Section = "Cell details"},
    {.Key = "internal-resistance", .Field = &LightRequest::InternalResistance, .Caption = "Internal resistance", .Phrase = "the internal resistance",
     .Unit = "mohm", .ValueName = "MOHM", .DefaultNote = "the battery's own",
     .Help = "The battery's internal resistance, in milliohms.", .Section = "Cell details"},
    {.Key = "cutoff", .Field = &LightRequest::CutOff, .Caption = "Cut-off", .Phrase = "the cut-off", .Unit = "V", .ValueName = "V",
     .DefaultNote = "none for direct and linear drive, the chemistry's empty voltage for a converter",
     .Help = "The voltage of each cell at which the light stops, as a protected cell or a driver's low-voltage "
             "protection stops it, in V.",
     .Acts = PresetCell, .Section = "Cell details"},
    {.Key = "start", .Field = &LightRequest::Start, .Caption = "Start voltage", .Phrase = "the start voltage", .Unit = "V", .ValueName = "V",
     .Help = "The rest voltage of each cell at switch-on, in V, for a cell not fully charged.", .Group = "start",
     .Acts = PresetCell, .Section = "Cell details"},
    {.Key = "charge", .Field = &LightRequest::Charge, .Caption = "Charge", .Phrase = "the charge", .Unit = "%", .ValueName = "PCT",
     .Default = "100", .Help = "The charge left at switch-on, in % of full.", .Group = "start", .Section = "Cell details"},
    {.Key = "efficiency", .Field = &LightRequest::Efficiency, .Caption = "Converter Efficiency", .Phrase = "the converter efficiency", .Unit = "%",
     .ValueName = "PCT", .Default = TypicalEfficiency, .Help = "The converter's efficiency, in %.", .Sustains = true, .Acts = Converts, .Section = "Advanced"},
    // What the common AMC7135-type regulators and FET-and-sense-resistor
    // drivers of flashlights need across them at their regulated current.
    {.Key = "dropout", .Field = &LightRequest::Dropout, .Caption = "Dropout", .Phrase = "the dropout", .Unit = "V", .ValueName = "V",
     .Default = "0.15", .Help = "What the linear regulator needs across it, in V.", .Acts = Linear, .Section = "Advanced"},
    {.Key = "host", .Field = &LightRequest::Host, .Caption = "Host", .Phrase = "a host", .ValueName = "NAME", .Kind = K::Choice,
     .Help = "A typical host the light is built in, whose heat the LEDs and driver warm.", .Group = "host",
     .Sustains = true, .Choices = HostChoices, .NoChoice = "No host: the LEDs at their points' temperatures", .Check = CheckHost},
    {.Key = "host-resistance", .Field = &LightRequest::HostResistance, .Caption = "Host to air", .Phrase = "the host's resistance to the air", .Unit = "K/W",
     .ValueName = "K/W", .Help = "In place of {host}: the host's thermal resistance to still air, in K/W, with {host-heat-capacity}.",
     .Group = "host", .Sustains = true, .Acts = HostByResistance, .Section = "Heat"},
    {.Key = "host-heat-capacity", .Field = &LightRequest::HostHeatCapacity, .Caption = "Host heat capacity", .Phrase = "the host's heat capacity",
     .Unit = "J/K", .ValueName = "J/K", .Help = "The heat capacity of the host with its cells, in J/K.", .Sustains = true,
     .Acts = HostByResistance, .Section = "Heat"},
    {.Key = "host-mass", .Field = &LightRequest::HostMass, .Caption = "Host mass", .Phrase = "the host's mass", .Unit = "g", .ValueName = "G",
     .Help = "In place of {host}: the light's mass without its cells, in g, with {host-area}.", .Group = "host", .Sustains = true,
     .Acts = HostByMass, .Section = "Heat"},
    {.Key = "host-material", .Field = &LightRequest::HostMaterial, .Caption = "Host material", .Phrase = "the host's material", .ValueName = "NAME",
     .Kind = K::Choice, .Default = "aluminium", .Help = "What the host of that mass is made of.", .Sustains = true,
     .Choices = MaterialChoices, .Check = CheckMaterial, .Acts = HostByMass, .Section = "Heat"},
    {.Key = "host-area", .Field = &LightRequest::HostArea, .Caption = "Host surface", .Phrase = "the host's surface", .Unit = "cm²",
     .ValueName = "CM2", .Help = "The host's outer surface, in cm².", .Sustains = true, .Acts = HostByMass, .Section = "Heat"},
    {.Key = "ambient", .Field = &LightRequest::Ambient, .Caption = "Ambient", .Phrase = "the ambient", .Unit = "°C", .ValueName = "C",
     .Kind = K::Signed, .Default = "25", .Help = "The still air around the light, in °C.", .Sustains = true, .Acts = Hosted, .Section = "Heat"},
    {.Key = "thermal-limit", .Field = &LightRequest::ThermalLimit, .Caption = "Thermal limit", .Phrase = "the thermal limit", .Unit = "°C",
     .ValueName = "C", .Kind = K::Signed,
     .Help = "The hottest the driver lets the host get, in °C, lowering its current (a direct driver by PWM).",
     .Sustains = true, .Acts = Hosted, .Section = "Heat"},
    {.Key = "sensor-offset", .Field = &LightRequest::SensorOffset, .Caption = "Sensor offset", .Phrase = "the sensor offset",
     .Unit = "K",
     .ValueName = "K", .Default = "0",
     .Help = "How much hotter the driver's temperature sensor runs than the host's surface, in K: the driver holds its "
             "sensor at the thermal limit and the surface that much below it. A sensor on the driver board runs a few "
             "K hotter, for example 5.",
     .Sustains = true, .Acts = Hosted, .Section = "Heat"},
    {.Key = "step-down", .Field = &LightRequest::StepDown, .Caption = "Step-down", .Phrase = "the step-down", .Unit = "min:%",
     .ValueName = "MIN:PCT", .Kind = K::Line,
     .Help = "A timed step-down: after MIN minutes the current (a direct driver's duty) falls to PCT %, for "
             "example 3:50.",
     .Check = CheckStepDown, .Section = "Step-down"},
    {.Key = "want", .Field = &LightRequest::Want, .Caption = "Output to sustain", .Phrase = "the output to sustain", .Unit = "lm", .ValueName = "LM",
     .Help = "An output the host should hold at its limit, in lumens: the host it needs is worked out.", .SustainOnly = true},
    {.Key = "step", .Field = &LightRequest::Step, .Caption = "Step", .Phrase = "the step", .Unit = "%", .ValueName = "PCT", .Default = "1",
     .Help = "The most charge one row draws, in % of the capacity.", .CommandLineOnly = true, .Section = "Advanced"},
}};
// clang-format on

// What a field left empty stands for, as a sentence after its help:
// " Left empty: 87 %." on the page, " When not given: 87 %." on the command line.
std::string StandsFor(const LightInputRow& row)
{
    const std::string_view stands = row.Default.empty() ? row.DefaultNote : row.Default;
    if (stands.empty())
        return "";
    std::string text(stands);
    if (!row.Default.empty() && !row.Unit.empty() && row.Kind != InputKind::Line)
        text += " " + std::string(row.Unit);
    return text;
}

} // namespace

std::span<const LightInputRow> LightInputRows() { return Rows; }

std::span<const std::string_view> LightInputSections()
{
    static constexpr std::array<std::string_view, 4> Sections = {"Cell details", "Heat", "Step-down", "Advanced"};
    return Sections;
}

const LightInputRow* LightInputNamed(std::string_view key)
{
    const auto found = std::find_if(Rows.begin(), Rows.end(), [&](const LightInputRow& row) { return row.Key == key; });
    return found == Rows.end() ? nullptr : &*found;
}

std::optional<std::string> LightInputs::Text(std::string_view key) const
{
    const auto found = Texts.find(key);
    return found == Texts.end() ? std::nullopt : std::optional<std::string>(found->second);
}

std::vector<std::string> LightInputs::All(std::string_view key) const
{
    std::vector<std::string> all;
    for (auto [at, end] = Texts.equal_range(key); at != end; ++at)
        all.push_back(at->second);
    return all;
}

const LightInputRow& RowOf(LightField field)
{
    return *std::find_if(Rows.begin(), Rows.end(), [&](const LightInputRow& row) { return row.Field == field; });
}

std::string MentionOf(LightField field) { return "{" + std::string(RowOf(field).Key) + "}"; }

std::string MentionOf(LightField field, std::string_view detail)
{
    return "{" + std::string(RowOf(field).Key) + " " + std::string(detail) + "}";
}

RunRefusal RefusalOf(LightField field, std::string text) { return {std::string(RowOf(field).Key), std::move(text)}; }

LightInputs ExampleLight()
{
    using R = LightRequest;
    LightInputs example;
    // An LH351D within its rating on a linear driver, in a 1x18650 tube
    // that holds 55 °C: the turbo, the step-down the heat forces and the
    // level the light sustains.
    for (const auto& [field, text] : {std::pair<LightField, const char*>{&R::Driver, "linear"},
                                      {&R::Led, "lh351d"},
                                      {&R::Current, "2800"},
                                      {&R::Vf, "3.1"},
                                      {&R::Cell, "18650"},
                                      {&R::FlatBattery, "3.7"},
                                      {&R::Host, "18650-tube"},
                                      {&R::ThermalLimit, "55"}})
        example.Give(field, text);
    return example;
}

RunShape ShapeOf(const LightRequest& request)
{
    RunShape shape;
    shape.Driver = DriverNamed(request.Driver.value_or("direct")).value_or(DriverKind::Direct);
    shape.LedNamed = request.Led || !request.LedPoints.empty() || request.LedSpice;
    shape.CellNamed = request.Cell.has_value() || request.Own.has_value();
    shape.HostNamed = request.Host.has_value();
    shape.HostByResistance = request.HostResistance.has_value();
    shape.HostByMass = request.HostMass.has_value();
    shape.HostGiven = shape.HostNamed || shape.HostByResistance || shape.HostByMass;
    return shape;
}

bool PlaceText(LightRequest& request, const LightInputRow& row, const std::string& text)
{
    if (const TextField* field = std::get_if<TextField>(&row.Field)) {
        if (!(request.**field))
            request.** field = text;
        return true;
    }
    if (const TextsField* many = std::get_if<TextsField>(&row.Field)) {
        (request.**many).push_back(text);
        return true;
    }
    return false;
}

// Whatever their texts hold: a shape is asked of inputs still being typed,
// so a number given counts whatever it reads.
RunShape ShapeOf(const LightInputs& inputs)
{
    LightRequest given;
    for (const auto& [key, text] : inputs.Texts) {
        const LightInputRow* row = LightInputNamed(key);
        if (row && !PlaceText(given, *row, text))
            given.*std::get<NumberField>(row->Field) = 0.0;
    }
    if (inputs.CellFile)
        given.Own = LightRequest::OwnCell{};
    return ShapeOf(given);
}

bool IsTypeableInto(InputKind kind, std::string_view text)
{
    switch (kind) {
    case InputKind::Decimal: return IsTypeableText(text, NumberKind::Decimal);
    case InputKind::Whole: return IsTypeableText(text, NumberKind::Whole);
    case InputKind::Signed: return IsTypeableText(text.substr(text.rfind('-', 0) == 0 ? 1 : 0), NumberKind::Decimal);
    case InputKind::Choice:
    case InputKind::Pack:
    case InputKind::Points:
    case InputKind::Line: break;
    }
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c != '\x7f'; });
}

std::string TypingNoteText(std::string_view caption, std::string_view dropped, bool comma, InputKind kind)
{
    std::string left;
    for (std::size_t i = 0; i < dropped.size(); ++i)
        if (dropped.find(dropped[i]) == i)
            left += (left.empty() ? "\"" : ", \"") + std::string(1, dropped[i]) + "\"";
    const char* takes = kind == InputKind::Whole    ? "digits only"
                        : kind == InputKind::Signed ? "digits, one decimal point and a minus in front"
                                                    : "digits and one decimal point";
    std::string note;
    if (!left.empty())
        note = "left out " + left + ", which it does not take (" + takes + ")";
    if (comma)
        note += std::string(note.empty() ? "" : "; ") + "took the comma as the decimal point";
    return note.empty() ? note : std::string(caption) + ": " + note;
}

bool Acts(const LightInputRow& row, const RunShape& shape) { return !row.Acts || row.Acts(shape); }

LightInputs ActingOnly(const LightInputs& inputs)
{
    const RunShape shape = ShapeOf(inputs);
    LightInputs acting;
    for (const auto& [key, text] : inputs.Texts) {
        const LightInputRow* row = LightInputNamed(key);
        if (!row || Acts(*row, shape))
            acting.Give(key, text);
    }
    return acting;
}

std::string PageWords(std::string_view text)
{
    return WithMentions(text, [](std::string_view key, std::string_view) {
        const LightInputRow* row = LightInputNamed(key);
        return row ? std::string(row->Phrase) : std::string(key);
    });
}

std::string PageHelp(const LightInputRow& row)
{
    const std::string stands = StandsFor(row);
    return PageWords(row.Help) + (stands.empty() ? "" : " Left empty: " + stands + ".");
}

std::string CommandLineHelp(const LightInputRow& row)
{
    const std::string stands = StandsFor(row);
    return AsOptions(row.Help) + (stands.empty() ? "" : " When not given: " + stands + ".") +
           std::string(row.CommandLineNote);
}

} // namespace lumora
