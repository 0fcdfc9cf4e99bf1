// SPDX-License-Identifier: MIT
// The core as the web page sees it: each function takes and returns plain
// JavaScript values (strings, numbers, objects with camelCase keys, arrays),
// so that the page never holds a C++ object it would have to free. A record
// of the core becomes an object whose keys are its members' names; a list
// becomes an array. New records join the same way: a table of members, a
// ToJs for the record, a function registered at the bottom.
#include "calc/calculators/messages.h"
#include "calc/calculators/resistor_calculator.h"
#include "calc/calculators/runtime_calculator.h"
#include "calc/light/battery_presets.h"
#include "calc/light/led_presets.h"
#include "calc/light/standard_resistors.h"
#include "calc/reports/csv_text.h"
#include "calc/reports/light_run.h"
#include "calc/reports/resistor_to_buy.h"
#include "calc/reports/runtime_plot.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace lumora::web {

namespace {

using emscripten::val;

// One member of a record of field texts: its key on the page, the quantity it
// holds and, for an input, the typing rule of its field.
template <typename Fields, typename Quantity> struct Member {
    const char* key;
    std::string Fields::*text;
    Quantity quantity;
    std::optional<NumberKind> typed; // nullopt: written by the calculator only
};

using ConverterMember = Member<ConverterFields, ConverterQuantity>;
using ResistorMember = Member<ResistorFields, ResistorQuantity>;

constexpr auto Decimal = NumberKind::Decimal;

// The runtime frame's days and clock are no quantities; they carry the
// runtime's for a name.
const ConverterMember ConverterMembers[] = {
    {"ledCurrent", &ConverterFields::LedCurrent, ConverterQuantity::LedCurrent, Decimal},
    {"ledVf", &ConverterFields::LedVf, ConverterQuantity::LedVf, Decimal},
    {"batteryVoltage", &ConverterFields::BatteryVoltage, ConverterQuantity::BatteryVoltage, Decimal},
    {"capacity", &ConverterFields::Capacity, ConverterQuantity::Capacity, Decimal},
    {"runtime", &ConverterFields::Runtime, ConverterQuantity::Runtime, Decimal},
    {"efficiency", &ConverterFields::Efficiency, ConverterQuantity::Efficiency, Decimal},
    {"days", &ConverterFields::Days, ConverterQuantity::Runtime, std::nullopt},
    {"clock", &ConverterFields::Clock, ConverterQuantity::Runtime, std::nullopt},
};

const ResistorMember ResistorMembers[] = {
    {"batteryVoltage", &ResistorFields::BatteryVoltage, ResistorQuantity::BatteryVoltage, Decimal},
    {"ledVf", &ResistorFields::LedVf, ResistorQuantity::LedVf, Decimal},
    {"ledCurrent", &ResistorFields::LedCurrent, ResistorQuantity::LedCurrent, Decimal},
    {"resistance", &ResistorFields::Resistance, ResistorQuantity::Resistance, Decimal},
    {"wattage", &ResistorFields::Wattage, ResistorQuantity::Wattage, std::nullopt},
    {"ledCount", &ResistorFields::LedCount, ResistorQuantity::LedCount, NumberKind::Whole},
};

val Strings(const std::vector<std::string>& items)
{
    val array = val::array();
    for (const std::string& item : items)
        array.call<void>("push", item);
    return array;
}

// A missing or non-string member reads as blank.
template <typename Fields, typename Table> Fields FieldsFrom(const val& object, const Table& members)
{
    Fields fields;
    for (const auto& m : members) {
        const val text = object[m.key];
        if (text.isString())
            fields.*m.text = text.template as<std::string>();
    }
    return fields;
}

template <typename Fields, typename Table> val ToJs(const Fields& fields, const Table& members)
{
    val object = val::object();
    for (const auto& m : members)
        object.set(m.key, fields.*m.text);
    return object;
}

template <typename Table, typename Quantity> const char* KeyOf(const Table& members, Quantity quantity)
{
    for (const auto& m : members) {
        if (m.quantity == quantity)
            return m.key;
    }
    return "";
}

const char* FormName(ErrorWindow window)
{
    switch (window) {
    case ErrorWindow::Form2: return "Form2";
    case ErrorWindow::Form3: return "Form3";
    case ErrorWindow::Form6: return "Form6";
    case ErrorWindow::Form7: return "Form7";
    case ErrorWindow::Form8: break;
    }
    return "Form8";
}

// Texts the key filter would not have let in, each in plain words; such a
// text can only have been pasted, and nothing is calculated with it.
template <typename Fields, typename Table>
std::vector<std::string> UntypeableTexts(const Fields& fields, const Table& members)
{
    std::vector<std::string> sentences;
    for (const auto& m : members) {
        if (m.typed && !IsTypeableText(fields.*m.text, *m.typed))
            sentences.push_back(NotANumberSentence(NameOf(m.quantity).Caption, fields.*m.text, *m.typed));
    }
    return sentences;
}

// What one press of Calculate came to:
//   fields    the texts after it          changed   keys of the texts it changed
//   windows   [{form, message}], in order  failures  plain-words sentences
//   result    the solved result in words  solved    key of the quantity solved, or ""
// 'failures' comes with the sentences given, then the outcome's own.
template <typename Fields, typename Table, typename Outcome>
val OutcomeToJs(const Fields& before, const Outcome& outcome, const Table& members,
                std::vector<std::string> failures = {})
{
    val changed = val::array();
    for (const auto& m : members) {
        if (before.*m.text != outcome.Fields.*m.text)
            changed.call<void>("push", std::string(m.key));
    }
    val windows = val::array();
    for (ErrorWindow window : outcome.Windows) {
        val shown = val::object();
        shown.set("form", std::string(FormName(window)));
        shown.set("message", std::string(ErrorMessage(window)));
        windows.call<void>("push", shown);
    }
    if (std::string failure = FailureText(outcome); !failure.empty())
        failures.push_back(std::move(failure));
    const bool solved = outcome.Target && outcome.Windows.empty() && outcome.Failure == Failure::None;
    val result = val::object();
    result.set("fields", ToJs(outcome.Fields, members));
    result.set("changed", changed);
    result.set("windows", windows);
    result.set("failures", Strings(failures));
    result.set("result", ResultSentence(outcome));
    result.set("solved", std::string(solved ? KeyOf(members, *outcome.Target) : ""));
    return result;
}

// One press of Calculate; texts the key filter would not have let in are
// refused first, and nothing changes.
template <typename Outcome, typename Fields, typename Table, typename Calculate>
val PressJs(const Fields& fields, const Table& members, Calculate calculate)
{
    if (std::vector<std::string> refused = UntypeableTexts(fields, members); !refused.empty()) {
        Outcome unchanged;
        unchanged.Fields = fields;
        return OutcomeToJs(fields, unchanged, members, std::move(refused));
    }
    return OutcomeToJs(fields, calculate(fields), members);
}

Wiring WiringNamed(const std::string& name) { return name == "parallel" ? Wiring::Parallel : Wiring::Series; }

val CalculateConverterJs(const val& object)
{
    return PressJs<ConverterOutcome>(FieldsFrom<ConverterFields>(object, ConverterMembers), ConverterMembers,
                                     [](const ConverterFields& fields) { return CalculateConverter(fields); });
}

val CalculateResistorJs(const val& object, const std::string& wiring)
{
    return PressJs<ResistorOutcome>(
        FieldsFrom<ResistorFields>(object, ResistorMembers), ResistorMembers,
        [&](const ResistorFields& fields) { return CalculateResistor(fields, WiringNamed(wiring)); });
}

// The key filter's rule: "decimal" (digits and one ".") or "whole" (digits).
bool IsTypeableJs(const std::string& text, const std::string& kind)
{
    return IsTypeableText(text, kind == "whole" ? NumberKind::Whole : NumberKind::Decimal);
}

val ESeriesJs()
{
    std::vector<std::string> names;
    for (ESeries series : AllESeries())
        names.emplace_back(NameOf(series));
    return Strings(names);
}

// The resistor to buy for solved fields, as lumora-cli's resistor command
// gives it: the resistor itself (labelled "solved" or "given"), then the
// series' standard values next to it ("E24 below", "E24 above", or "E24" when
// it is one), each with the LED current and power on the typical white LED's
// curve through the solved point, and the smallest common rating at least
// twice that power ("" when none or for no resistance).
val ResistorChoicesJs(const val& object, const std::string& wiring, const std::string& seriesName,
                      const std::string& label)
{
    ResistorOutcome solved;
    solved.Fields = FieldsFrom<ResistorFields>(object, ResistorMembers);
    std::vector<ResistorChoice> choices{{label, solved.Fields.Resistance}};
    std::vector<std::string> warnings;
    if (const std::optional<ESeries> series = ESeriesNamed(seriesName))
        choices = WithStandardNeighbours(choices.front(), *series, warnings);
    std::optional<LedCurve> curve;
    const double milliamps = ReadNumber(solved.Fields.LedCurrent).value_or(0.0);
    const double volts = ReadNumber(solved.Fields.LedVf).value_or(0.0);
    if (milliamps > 0.0 && volts > 0.0)
        curve = TypicalThrough(milliamps, volts).Curve;
    const ChoiceTable table =
        ChoiceRows(solved, WiringNamed(wiring), choices, {{"", solved.Fields.BatteryVoltage}}, curve);
    val rows = val::array();
    for (const ChoiceRow& choiceRow : table.Rows) {
        const ResistorFields& fields = choiceRow.Outcome.Fields;
        val row = val::object();
        row.set("label", choiceRow.Resistor);
        row.set("ohms", fields.Resistance);
        row.set("ledCurrent", fields.LedCurrent);
        row.set("wattage", fields.Wattage);
        row.set("rating", choiceRow.RatingWatts ? DoubleText(*choiceRow.RatingWatts) : std::string());
        row.set("dark", choiceRow.Dark);
        rows.call<void>("push", row);
    }
    return rows;
}

// Every battery preset by the name it is chosen by: the chemistries, then the
// cells; "capacity" in mAh is "" for a chemistry.
val BatteryPresetsJs()
{
    val presets = val::array();
    const auto add = [&](const BatteryChoice& choice) {
        val preset = val::object();
        preset.set("name", NameOf(choice));
        preset.set("chemistry", std::string(choice.chemistry->Id));
        preset.set("description", std::string(choice.chemistry->Description));
        preset.set("capacity", choice.cell ? std::to_string(choice.cell->CapacityMah) : std::string());
        presets.call<void>("push", preset);
    };
    for (const Chemistry& chemistry : Chemistries())
        add(*BatteryNamed(chemistry.Id));
    for (const Cell& cell : Cells())
        add(*BatteryNamed(NameOf(BatteryChoice{nullptr, &cell})));
    return presets;
}

// A pack of a preset's cells as field texts {full, nominal, empty, capacity};
// null for an unknown name or a count outside 1 to 99.
val PackTextsJs(const std::string& name, int series, int parallel)
{
    const std::optional<BatteryChoice> choice = BatteryNamed(name);
    const auto fits = [](int count) { return count >= 1 && count <= LargestPackCount; };
    if (!choice || !fits(series) || !fits(parallel))
        return val::null();
    const PackTexts texts = TextsOf(*choice, Pack{series, parallel});
    val pack = val::object();
    pack.set("full", texts.Full);
    pack.set("nominal", texts.Nominal);
    pack.set("empty", texts.Empty);
    pack.set("capacity", texts.CapacityMah.value_or(""));
    return pack;
}

// Every LED preset: {id, name, source, lumens}; lumens is true when the
// preset carries measured flux.
val LedPresetsJs()
{
    val presets = val::array();
    for (const LedPreset& preset : LedPresets()) {
        val shown = val::object();
        shown.set("id", std::string(preset.Id));
        shown.set("name", std::string(preset.Name));
        shown.set("source", std::string(preset.Source));
        shown.set("lumens", !preset.Flux.empty());
        presets.call<void>("push", shown);
    }
    return presets;
}

// A member's text, or nullopt when it is missing or blank: a field left
// empty is not given, and the run takes its default.
std::optional<std::string> Given(const val& object, const char* key)
{
    const val text = object[key];
    if (!text.isString() || text.as<std::string>().empty())
        return std::nullopt;
    return text.as<std::string>();
}

// The light's run for the runtime graph. 'inputs' holds texts by the names
// of lumora-cli graph's options, in camelCase: driver ("direct", "linear",
// "converter"), led (a preset's id; none for a typical LED through vf at
// current), current, vf, resistance, leds, wiring, cell (a battery preset's
// name; none for a flat battery), pack ("2S1P"), battery, capacity,
// internalResistance, efficiency, dropout. Returns
//   refusals  [{input, message}]: input is the option's name, or ""
//   summary   [{label, value, unit, mark}]     warnings  [text]
//   columns   [{key, heading, numeric}]
//   rows      the table's texts, a line per row ending in "\n", its cells
//             by columns between tabs (no text holds a tab or line break)
//   svg, csv, title, subtitle: the picture, the table and the picture's labels
val RuntimeGraphJs(const val& object)
{
    LightInputs inputs;
    inputs.Driver = DriverNamed(Given(object, "driver").value_or("direct")).value_or(DriverKind::Direct);
    inputs.Current = Given(object, "current");
    inputs.Vf = Given(object, "vf");
    inputs.Resistance = Given(object, "resistance");
    inputs.Leds = Given(object, "leds");
    inputs.Battery = Given(object, "battery");
    inputs.Capacity = Given(object, "capacity");
    inputs.InternalResistance = Given(object, "internalResistance");
    inputs.Efficiency = Given(object, "efficiency");
    inputs.Dropout = Given(object, "dropout");
    inputs.Wiring = WiringNamed(Given(object, "wiring").value_or("series"));
    if (const std::optional<std::string> led = Given(object, "led")) {
        const LedPreset* preset = LedNamed(*led);
        if (preset)
            inputs.Led = PresetChoice(*preset);
    }
    val result = val::object();
    val refusals = val::array();
    const auto refuse = [&](const std::string& input, const std::string& message) {
        val refusal = val::object();
        refusal.set("input", input);
        refusal.set("message", message);
        refusals.call<void>("push", refusal);
    };
    result.set("refusals", refusals);
    if (const std::optional<std::string> cell = Given(object, "cell")) {
        inputs.Cell = BatteryNamed(*cell);
        const std::optional<Pack> pack = PackNamed(Given(object, "pack").value_or("1S1P"));
        if (!pack) {
            refuse("pack", "each count of cells must be a whole number from 1 to " + std::to_string(LargestPackCount));
            return result;
        }
        inputs.CellPack = *pack;
    }

    LightRun run = RunLight(inputs);
    for (const RunRefusal& refusal : run.Refusals)
        refuse(refusal.Input, refusal.Text);
    if (!run.Refusals.empty())
        return result;
    val summary = val::array();
    for (const RunFigure& figure : run.Summary) {
        val line = val::object();
        line.set("label", figure.Label);
        line.set("value", figure.Value);
        line.set("unit", figure.Unit);
        line.set("mark", figure.Mark);
        summary.call<void>("push", line);
    }
    val columns = val::array();
    std::vector<std::string> keys;
    for (const RunColumn& column : RunColumns()) {
        val shown = val::object();
        shown.set("key", std::string(column.Key));
        shown.set("heading", std::string(column.Heading));
        shown.set("numeric", column.Numeric);
        columns.call<void>("push", shown);
        keys.emplace_back(column.Key);
    }
    // One string crosses into JavaScript far faster than a string per cell.
    std::string rows;
    for (const std::vector<std::string>& row : run.Rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            rows += (c ? "\t" : "") + row[c];
        rows += '\n';
    }
    result.set("summary", summary);
    result.set("warnings", Strings(run.Warnings));
    result.set("columns", columns);
    result.set("rows", rows);
    result.set("svg", RuntimePlotSvg(run.Run, run.Labels));
    result.set("csv", CsvText(keys, run.Rows));
    result.set("title", run.Labels.Title);
    result.set("subtitle", run.Labels.Subtitle);
    return result;
}

std::string VersionJs() { return LUMORA_VERSION; }

} // namespace

EMSCRIPTEN_BINDINGS(lumora)
{
    emscripten::function("calculateConverter", &CalculateConverterJs);
    emscripten::function("calculateResistor", &CalculateResistorJs);
    emscripten::function("isTypeable", &IsTypeableJs);
    emscripten::function("eSeries", &ESeriesJs);
    emscripten::function("resistorChoices", &ResistorChoicesJs);
    emscripten::function("batteryPresets", &BatteryPresetsJs);
    emscripten::function("packTexts", &PackTextsJs);
    emscripten::function("ledPresets", &LedPresetsJs);
    emscripten::function("runtimeGraph", &RuntimeGraphJs);
    emscripten::function("version", &VersionJs);
}

} // namespace lumora::web
