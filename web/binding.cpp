// SPDX-License-Identifier: MIT
// The core as the web page sees it: each function takes and returns plain
// JavaScript values (strings, numbers, objects, arrays), so that the page
// never holds a C++ object it would have to free. Every record crosses by a
// table of its members; the inputs of both calculators and of a light's run
// are keyed by their rows (QuantityRow, LightInputRow), so that a new input
// needs no line here.
#include "calc/calculators/messages.h"
#include "calc/calculators/quantities.h"
#include "calc/light/battery_presets.h"
#include "calc/light/standard_resistors.h"
#include "calc/reports/build_choice.h"
#include "calc/reports/build_comparison.h"
#include "calc/reports/cell_comparison.h"
#include "calc/reports/cell_picture.h"
#include "calc/reports/csv_text.h"
#include "calc/reports/light_run.h"
#include "calc/reports/measured_log.h"
#include "calc/reports/resistor_picture.h"
#include "calc/reports/resistor_to_buy.h"
#include "calc/reports/runtime_plot.h"
#include "calc/reports/sustained_output.h"
#include "calc/request/light_inputs.h"
#include "calc/request/light_reading.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"
#include "web/js_values.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <vector>

namespace lumora::web {

namespace {

const Member<QuantityRow> QuantityMembers[] = {
    {"key", &QuantityRow::Key},
    {"caption", &QuantityRow::Caption},
    {"start", &QuantityRow::Start},
    {"maxLength", &QuantityRow::MaxLength},
    {"written", &QuantityRow::Written},
    {"tip", &QuantityRow::Tip},
    {"kind", [](const QuantityRow& r) { return val(r.Kind == NumberKind::Whole ? "whole" : "decimal"); }}};
const Member<InputChoice> ChoiceMembers[] = {{"value", &InputChoice::Value}, {"caption", &InputChoice::Caption}};
const char* const InputKindNames[] = {"decimal", "whole", "choice", "pack", "points", "line", "signed"};
const Member<LightInputRow> LightInputMembers[] = {
    {"key", &LightInputRow::Key},
    {"caption", &LightInputRow::Caption},
    {"unit", &LightInputRow::Unit},
    {"noChoice", &LightInputRow::NoChoice},
    {"kind", [](const LightInputRow& r) { return val(InputKindNames[static_cast<int>(r.Kind)]); }},
    {"start", [](const LightInputRow& r) { return Js(ExampleLight().Text(r.Key).value_or(std::string(r.Default))); }},
    {"default", &LightInputRow::Default},
    {"help", [](const LightInputRow& r) { return Js(PageHelp(r)); }},
    {"field", [](const LightInputRow& r) { return val(!r.CommandLineOnly); }},
    {"sustainOnly", &LightInputRow::SustainOnly},
    {"section", &LightInputRow::Section},
    {"choices", [](const LightInputRow& r) { return r.Choices ? ArrayOf(r.Choices(), ChoiceMembers) : val::array(); }}};
const Member<RunRefusal> RefusalMembers[] = {{"input", &RunRefusal::Input},
                                             {"message", [](const RunRefusal& r) { return Js(PageWords(r.Text)); }}};
const Member<RunLine> FigureMembers[] = {
    {"label", &RunLine::Label}, {"value", &RunLine::Value}, {"unit", &RunLine::Unit}, {"mark", &RunLine::Mark}};
const Member<RunColumn> ColumnMembers[] = {
    {"key", &RunColumn::Key}, {"heading", &RunColumn::Heading}, {"numeric", &RunColumn::Numeric}};
const Member<ChoiceRow> ChoiceRowMembers[] = {
    {"label", &ChoiceRow::Resistor},
    {"dark", &ChoiceRow::Dark},
    {"buy", &ChoiceRow::Buy},
    {"ohms", [](const ChoiceRow& r) { return Js(r.Outcome.Fields.Resistance); }},
    {"ledCurrent", [](const ChoiceRow& r) { return Js(r.Outcome.Fields.LedCurrent); }},
    {"wattage", [](const ChoiceRow& r) { return Js(r.Outcome.Fields.Wattage); }},
    {"rating", [](const ChoiceRow& r) { return Js(r.RatingWatts ? DoubleText(*r.RatingWatts) : std::string()); }}};
const Member<PackTexts> PackMembers[] = {
    {"full", &PackTexts::Full},
    {"nominal", &PackTexts::Nominal},
    {"empty", &PackTexts::Empty},
    {"capacity", [](const PackTexts& t) { return Js(t.CapacityMah.value_or("")); }}};

std::span<const QuantityRow> RowsOf(const ConverterFields&) { return RuntimeQuantities(); }
std::span<const QuantityRow> RowsOf(const ResistorFields&) { return ResistorQuantities(); }

// A calculator's texts by key: its quantities' (by their rows, in record
// order), and the runtime's days and clock.
template <typename Fields> std::vector<std::pair<std::string, std::string*>> TextsOf(Fields& fields)
{
    using Q = std::conditional_t<std::is_same_v<Fields, ConverterFields>, RuntimeQuantity, ResistorQuantity>;
    std::vector<std::pair<std::string, std::string*>> texts;
    const std::span<const QuantityRow> rows = RowsOf(fields);
    for (std::size_t i = 0; i < rows.size(); ++i)
        texts.emplace_back(rows[i].Key, &FieldText(fields, static_cast<Q>(i)));
    if constexpr (std::is_same_v<Fields, ConverterFields>) {
        texts.emplace_back("days", &fields.Days);
        texts.emplace_back("clock", &fields.Clock);
    }
    return texts;
}

template <typename Fields> Fields FieldsFrom(const val& object)
{
    Fields fields;
    for (auto& [key, text] : TextsOf(fields)) {
        if (object[key].isString())
            *text = object[key].template as<std::string>();
    }
    return fields;
}

// One press of Calculate, as the window's would come to: {fields, changed
// (keys), windows: [{form, message}], failures (plain words), result (the
// solved result in words), solved (its key, or "")}. A text the key filter
// would not have let in can only have been pasted: it is refused, field by
// field, and nothing is calculated.
template <typename Fields, typename Calculate> val Press(const val& object, Calculate calculate)
{
    Fields before = FieldsFrom<Fields>(object);
    const auto was = TextsOf(before);
    std::vector<std::string> failures;
    for (std::size_t i = 0; i < RowsOf(before).size(); ++i) {
        const QuantityRow& row = RowsOf(before)[i];
        if (!row.Written && !IsTypeableText(*was[i].second, row.Kind))
            failures.push_back(NotANumberSentence(row.Caption, *was[i].second, row.Kind));
    }
    decltype(calculate(before)) outcome;
    outcome.Fields = before;
    if (failures.empty())
        outcome = calculate(before);
    if (std::string failure = FailureText(outcome); !failure.empty())
        failures.push_back(std::move(failure));
    val fields = val::object(), changed = val::array(), windows = val::array();
    const auto now = TextsOf(outcome.Fields);
    for (std::size_t i = 0; i < now.size(); ++i) {
        fields.set(now[i].first, *now[i].second);
        if (*now[i].second != *was[i].second)
            changed.call<void>("push", now[i].first);
    }
    for (ErrorWindow window : outcome.Windows) {
        val shown = val::object();
        shown.set("form", Text(FormName(window)));
        shown.set("message", Text(ErrorMessage(window)));
        windows.call<void>("push", shown);
    }
    const bool solved = outcome.Target && outcome.Windows.empty() && outcome.Failure == Failure::None;
    val result = val::object();
    result.set("fields", fields);
    result.set("changed", changed);
    result.set("windows", windows);
    result.set("failures", Strings(failures));
    result.set("result", ResultSentence(outcome));
    result.set("solved", solved ? Text(RowOf(*outcome.Target).Key) : val(std::string()));
    return result;
}

Wiring WiringNamed(const std::string& name) { return name == "parallel" ? Wiring::Parallel : Wiring::Series; }

// "runtime" or "resistor": the calculator's rows, and one press of it.
val QuantitiesJs(const std::string& calculator)
{
    return ArrayOf(calculator == "resistor" ? ResistorQuantities() : RuntimeQuantities(), QuantityMembers);
}

val CalculateJs(const std::string& calculator, const val& fields, const std::string& wiring)
{
    if (calculator == "resistor")
        return Press<ResistorFields>(
            fields, [&](const ResistorFields& f) { return CalculateResistor(f, WiringNamed(wiring)); });
    return Press<ConverterFields>(fields, CalculateConverter);
}

// The key filter's rule for a field of a kind named as the rows name them
// (IsTypeableInto): "decimal" (digits and one "."), "whole" (digits),
// "signed" (a decimal that may start with "-"), "line" ("3:50") and the rest.
bool IsTypeableJs(const std::string& text, const std::string& kind)
{
    const auto named = std::find(std::begin(InputKindNames), std::end(InputKindNames), kind);
    return IsTypeableInto(named == std::end(InputKindNames)
                              ? InputKind::Decimal
                              : static_cast<InputKind>(named - std::begin(InputKindNames)),
                          text);
}

// What a field says when its typing was reshaped (TypingNoteText).
std::string TypingNoteJs(const std::string& caption, const std::string& dropped, bool comma, const std::string& kind)
{
    const auto named = std::find(std::begin(InputKindNames), std::end(InputKindNames), kind);
    return TypingNoteText(caption, dropped, comma,
                          named == std::end(InputKindNames)
                              ? InputKind::Decimal
                              : static_cast<InputKind>(named - std::begin(InputKindNames)));
}

val ESeriesJs()
{
    std::vector<std::string> names;
    for (ESeries series : AllESeries())
        names.emplace_back(SeriesName(series));
    return Strings(names);
}

// The resistor to buy for a solved resistor calculation's fields, as
// lumora-cli resistor gives it: {rows: [{label, ohms, ledCurrent, wattage,
// rating, dark}], warnings, rowsBeyond: more than the solved row, as where
// there is a part to buy, svg: its colour bands and the LEDs as wired, in
// the page's theme};
// null when 'solvedKey' names no quantity.
val ResistorToBuyJs(const val& object, const std::string& wiring, const std::string& series,
                    const std::string& solvedKey, const std::string& ledId)
{
    ResistorOutcome solved;
    solved.Fields = FieldsFrom<ResistorFields>(object);
    for (std::size_t i = 0; i < ResistorQuantities().size(); ++i) {
        if (ResistorQuantities()[i].Key == solvedKey)
            solved.Target = static_cast<ResistorQuantity>(i);
    }
    if (!solved.Target)
        return val::null();
    // The LED chosen beside the calculator, whose curve and rating the rows follow.
    std::optional<LedChoice> led;
    if (!ledId.empty())
        if (LedOutcome chosen = LedFromPreset(ledId); std::holds_alternative<LedChoice>(chosen))
            led = std::move(std::get<LedChoice>(chosen));
    const ResistorToBuy bought = BuyResistor({solved, WiringNamed(wiring), ESeriesNamed(series), {}, led});
    val result = val::object();
    result.set("rows", ArrayOf(bought.Rows, ChoiceRowMembers));
    result.set("warnings", Strings(bought.Warnings));
    result.set("rowsBeyond", bought.RowsBeyond);
    ResistorPicture picture = PictureToBuy(bought, ESeriesNamed(series), WiringNamed(wiring));
    picture.Themed = true;
    result.set("svg", ResistorPictureSvg(picture));
    return result;
}

// An LED preset's forward voltage at the desired current's text: {volts,
// said}, or {refusal}.
val LedVoltageJs(const std::string& ledId, const std::string& milliamps)
{
    val result = val::object();
    const LedOutcome led = LedFromPreset(ledId);
    if (const LedRefusal* refusal = std::get_if<LedRefusal>(&led)) {
        result.set("refusal", refusal->Text);
        return result;
    }
    const LedVoltage voltage = LedVoltageAt(std::get<LedChoice>(led), milliamps);
    result.set("volts", voltage.Volts);
    result.set("said", voltage.Said);
    return result;
}

// A pack of a preset's cells ("2S1P") as texts {full, nominal, empty,
// capacity}, or {refusal}.
val PackTextsJs(const std::string& name, const std::string& packName)
{
    const std::optional<BatteryChoice> choice = BatteryNamed(name);
    const std::optional<Pack> pack = PackNamed(packName);
    if (choice && pack)
        return ToJs(TextsOf(*choice, *pack), PackMembers);
    val refused = val::object();
    refused.set("refusal", choice ? PackRefusal(packName) : UnknownBatteryText(name));
    return refused;
}

val LightInputsJs() { return ArrayOf(LightInputRows(), LightInputMembers); }

// The folded groups of a light's form, in their order.
val InputSectionsJs()
{
    const std::span<const std::string_view> sections = LightInputSections();
    return Strings(std::vector<std::string>(sections.begin(), sections.end()));
}

// The run's texts by their rows' keys; a blank one is not given.
LightInputs InputsFrom(const val& object)
{
    LightInputs inputs;
    for (const LightInputRow& row : LightInputRows()) {
        const val text = object[std::string(row.Key)];
        if (text.isString() && !text.as<std::string>().empty())
            inputs.Give(row.Key, text.as<std::string>());
    }
    // A builder's own cell's file, by "cellFile" (its text) and "cellFileName".
    if (const val file = object["cellFile"]; file.isString())
        inputs.CellFile = {object["cellFileName"].as<std::string>(), file.as<std::string>()};
    return inputs;
}

// The keys of the inputs that act on a run of these texts' shape.
val ActingInputsJs(const val& object)
{
    const RunShape shape = ShapeOf(InputsFrom(object));
    std::vector<std::string> keys;
    for (const LightInputRow& row : LightInputRows()) {
        if (Acts(row, shape))
            keys.emplace_back(row.Key);
    }
    return Strings(keys);
}

// Rows of texts as one string, a line per row ending in "\n" and tabs
// between its cells (no text holds either): one string crosses into
// JavaScript far faster than thousands.
std::string RowLines(const std::vector<std::vector<std::string>>& rows)
{
    std::string lines;
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            lines += (c ? "\t" : "") + row[c];
        lines += '\n';
    }
    return lines;
}

// The light's run for the runtime graph, of the texts by key and "narrow"
// for a phone's layout: {refusals: [{input, message}], summary: [{label,
// value, unit, mark}], warnings, columns: [{key, heading, numeric}], rows
// (RowLines), svgPage (in the page's colours), title, subtitle, headline},
// and with "files" the files to download as lumora-cli writes them: svg,
// csv. With "measured", a light meter's log's text, and "measuredName",
// its file's name, the log is laid beside the run (its
// figures in the summary, its line in both pictures), or refused in
// measuredRefusal while the run is drawn alone.
// Kept builds, each its texts as the graph's fields gave them, as what
// each changes of the current build's ('inputs'): the inputs that differ,
// and its own cell's file where that differs.
std::vector<std::vector<InputChange>> KeptChanges(const LightInputs& inputs, const val& kept)
{
    std::vector<std::vector<InputChange>> changes;
    for (unsigned i = 0; i < kept["length"].as<unsigned>(); ++i) {
        const LightInputs build = InputsFrom(kept[i]);
        std::vector<InputChange> change = ChangesBetween(inputs, build);
        if (build.CellFile != inputs.CellFile)
            change.push_back(build.CellFile ? InputChange{"cell-file", build.CellFile->first, build.CellFile->second}
                                            : InputChange{"cell", "", std::nullopt});
        changes.push_back(std::move(change));
    }
    return changes;
}

const Member<ComparedCell> ComparedCellMembers[] = {{"value", &ComparedCell::Value},
                                                    {"difference", &ComparedCell::Difference}};
const Member<ComparedRow> ComparedRowMembers[] = {
    {"label", &ComparedRow::Label},
    {"cells", [](const ComparedRow& r) { return ArrayOf(r.Cells, ComparedCellMembers); }}};
const Member<ComparedBuild> ComparedBuildMembers[] = {{"name", &ComparedBuild::Name},
                                                      {"changes", &ComparedBuild::Changes}};

// The inputs as the run understood them, by their keys: {current_ma, ...}.
val UnderstoodJs(const LightRun& run)
{
    val understood = val::object();
    for (const RunField& field : run.Understood)
        understood.set(field.Key, field.Text);
    return understood;
}

// The light's run for the runtime graph, of the texts by key and "narrow"
// for a phone's layout: {refusals: [{input, message}], summary: [{label,
// value, unit, mark}], understood: {key: text}, warnings, columns: [{key,
// heading, numeric}], rows (RowLines), svgPage (in the page's colours),
// title, subtitle, headline}, and with "files" the files to download as
// lumora-cli writes them: svg, csv. With "measured", a light meter's log's
// text, and "measuredName", its file's name, the log is laid beside the
// run (its figures in the summary, its line in both pictures), or refused
// in measuredRefusal while the run is drawn alone. With "kept", builds kept
// (each its texts), they are compared with this one: builds: [{name,
// changes}], compared: [{label, cells: [{value, difference}]}], their
// outputs beside this one's in the pictures; or keptRefusals.
val RuntimeGraphJs(const val& object)
{
    const LightInputs inputs = InputsFrom(object);
    BuildComparison comparison;
    const bool kept = object["kept"].isArray() && object["kept"]["length"].as<unsigned>() > 0;
    if (kept) {
        comparison = CompareBuilds(inputs, KeptChanges(inputs, object["kept"]));
        if (!comparison.Refusals.empty() && !comparison.Builds.empty())
            comparison.Builds.clear();
    }
    val result = val::object();
    const bool compared = kept && comparison.Refusals.empty();
    if (kept && !compared)
        result.set("keptRefusals", ArrayOf(comparison.Refusals, RefusalMembers));
    if (!compared) {
        comparison = {};
        comparison.Builds.push_back({"", "", inputs, RunLight(inputs)});
    }
    LightRun& run = comparison.Builds.front().Run;
    result.set("refusals", ArrayOf(run.Refusals, RefusalMembers));
    if (!run.Refusals.empty())
        return result;
    std::optional<PlotLine> measured;
    if (const val text = object["measured"]; text.isString()) {
        const std::string name = object["measuredName"].as<std::string>();
        std::variant<MeasuredLog, std::string> log = ReadMeasuredLog(text.as<std::string>());
        if (const std::string* refusal = std::get_if<std::string>(&log))
            result.set("measuredRefusal", name + ", " + *refusal);
        else
            measured = CompareMeasured(run, std::get<MeasuredLog>(log), name);
    }
    const PlotLine* line = measured ? &*measured : nullptr;
    std::vector<std::string> keys;
    for (const RunColumn& column : run.Columns)
        keys.emplace_back(column.Key);
    result.set("summary", ArrayOf(run.Summary, FigureMembers));
    result.set("understood", UnderstoodJs(run));
    result.set("warnings", Strings(run.Warnings));
    result.set("columns", ArrayOf(run.Columns, ColumnMembers));
    result.set("rows", RowLines(run.Rows));
    const PlotLayout page{object["narrow"].as<bool>(), true};
    result.set("svgPage",
               compared ? ComparisonPlotSvg(comparison, page, line) : RuntimePlotSvg(run.Run, run.Labels, page, line));
    if (compared) {
        result.set("builds", ArrayOf(comparison.Builds, ComparedBuildMembers));
        result.set("compared", ArrayOf(comparison.Rows, ComparedRowMembers));
    }
    // The files to download only when asked: a keystroke needs the picture alone.
    if (object["files"].isTrue()) {
        result.set("svg",
                   compared ? ComparisonPlotSvg(comparison, {}, line) : RuntimePlotSvg(run.Run, run.Labels, {}, line));
        result.set("csv", CsvText(keys, run.Rows));
    }
    result.set("title", run.Labels.Title);
    result.set("subtitle", run.Labels.Subtitle);
    result.set("headline", run.Headline);
    return result;
}

// What a kept build changes of the current one, as a link carries it:
// "led=sft-40,current=3000".
std::string ChangesBetweenJs(const val& base, const val& other)
{
    return ChangesText(ChangesBetween(InputsFrom(base), InputsFrom(other)));
}

// A kept build from the current one's texts and what it changes, as a link
// carries it: {texts} by key, or {refusal}.
val ChangedJs(const val& base, const std::string& changes)
{
    val result = val::object();
    std::variant<std::vector<InputChange>, std::string> read = ReadChanges(changes);
    if (const std::string* refusal = std::get_if<std::string>(&read)) {
        result.set("refusal", *refusal);
        return result;
    }
    const LightInputs changed = Changed(InputsFrom(base), std::get<std::vector<InputChange>>(read));
    // A value its field would not take, or a choice that names none.
    if (const ReadLight checked = ReadLightInputs(changed); !checked.Refusals.empty()) {
        result.set("refusal", PageWords(checked.Refusals.front().Text));
        return result;
    }
    val texts = val::object();
    for (const auto& [key, text] : changed.Texts)
        texts.set(key, text);
    result.set("texts", texts);
    return result;
}

// The battery test of {cells: [names], kind: "current" or "power", loads:
// "1, 3, 10", cutoff: "" for each chemistry's}: {refusals, columns, rows,
// svg, csv}, the rows as for the runtime graph.
val CellComparisonJs(const val& object)
{
    CellComparisonRequest request;
    const val cells = object["cells"];
    for (unsigned i = 0; i < cells["length"].as<unsigned>(); ++i)
        request.Cells.push_back(cells[i].as<std::string>());
    request.Kind = object["kind"].as<std::string>() == "power" ? LoadKind::Power : LoadKind::Current;
    request.Loads = ListItems(object["loads"].as<std::string>());
    if (const std::string cutOff = object["cutoff"].as<std::string>(); !cutOff.empty())
        request.CutOff = cutOff;
    // Builders' own cells: [{name, text}], each a file cells --fit wrote.
    if (const val files = object["cellFiles"]; files.isArray())
        for (unsigned i = 0; i < files["length"].as<unsigned>(); ++i)
            request.CellFiles.emplace_back(files[i]["name"].as<std::string>(), files[i]["text"].as<std::string>());
    const CellComparison comparison = CompareCells(request);
    val result = val::object();
    result.set("refusals", ArrayOf(comparison.Refusals, RefusalMembers));
    if (!comparison.Refusals.empty())
        return result;
    std::vector<std::string> keys;
    for (const RunColumn& column : CellComparisonColumns())
        keys.emplace_back(column.Key);
    result.set("columns", ArrayOf(CellComparisonColumns(), ColumnMembers));
    result.set("rows", RowLines(comparison.Rows));
    result.set("svg", CellComparisonSvg(comparison));
    result.set("svgPage", CellComparisonSvg(comparison, {object["narrow"].as<bool>(), true}));
    result.set("warnings", Strings(comparison.Warnings));
    result.set("csv", CsvText(keys, comparison.Rows));
    return result;
}

// The keys of the sustained output's inputs, in the rows' order.
val SustainKeysJs()
{
    std::vector<std::string> keys;
    for (const LightInputRow& row : LightInputRows()) {
        const std::span<const std::string_view> chosen = SustainInputKeys();
        if (std::find(chosen.begin(), chosen.end(), row.Key) != chosen.end())
            keys.emplace_back(row.Key);
    }
    return Strings(keys);
}

// The keys of the sustained output's inputs that act on these texts.
val SustainActingJs(const val& object)
{
    const LightInputs inputs = InputsFrom(object);
    std::vector<std::string> keys;
    for (const std::string_view key : SustainInputKeys()) {
        if (ActsOnSustain(key, inputs))
            keys.emplace_back(key);
    }
    return Strings(keys);
}

// What a host sustains, for texts by key: {refusals, summary}.
val SustainedOutputJs(const val& object)
{
    const SustainedOutput sustained = SustainLight(InputsFrom(object));
    val result = val::object();
    result.set("refusals", ArrayOf(sustained.Refusals, RefusalMembers));
    result.set("summary", ArrayOf(sustained.Summary, FigureMembers));
    return result;
}

// The battery list's cells rather than chemistries, as it words them: the
// named cells first, or the formats first: [{value, caption}].
val CellChoices(bool namedFirst)
{
    std::vector<InputChoice> named, formats;
    for (const InputChoice& choice : RowOf(&LightRequest::Cell).Choices()) {
        const BatteryChoice cell = *BatteryNamed(choice.Value);
        if (cell.cell)
            (cell.named ? named : formats).push_back(choice);
    }
    std::vector<InputChoice>& first = namedFirst ? named : formats;
    const std::vector<InputChoice>& then = namedFirst ? formats : named;
    first.insert(first.end(), then.begin(), then.end());
    return ArrayOf(first, ChoiceMembers);
}

// The presets a battery test takes, the named cells first.
val TestCellsJs() { return CellChoices(true); }

// The question of "Choose a build", from the section's texts: {output,
// runtime, maxLeds, by, allowOverRating} and the light's inputs held (cell,
// host, ambient, ...) by their rows' keys.
BuildQuestion QuestionFrom(const val& object)
{
    BuildQuestion question;
    question.Held = InputsFrom(object);
    question.Held.Texts.erase("output");
    const auto text = [&](const char* key) { return object[key].isString() ? object[key].as<std::string>() : ""; };
    question.Lumens = ReadNumber(text("output")).value_or(NAN);
    question.RuntimeHours = ReadDuration(text("runtime")).value_or(NAN);
    question.MostLeds = static_cast<int>(ReadNumber(text("maxLeds")).value_or(4.0));
    question.By = ChoiceRankNamed(text("by")).value_or(ChoiceRank::Runtime);
    question.AllowOverRating = object["allowOverRating"].isTrue();
    return question;
}

val TextsJs(const BuildTexts& texts)
{
    val object = val::object();
    for (const auto& [key, text] : texts)
        object.set(key, text);
    return object;
}

BuildTexts TextsFrom(const val& object)
{
    BuildTexts texts;
    const val keys = val::global("Object").call<val>("keys", object);
    for (unsigned k = 0; k < keys["length"].as<unsigned>(); ++k) {
        const std::string key = keys[k].as<std::string>();
        texts.emplace_back(key, object[key].as<std::string>());
    }
    return texts;
}

const Member<ChosenRow> ChosenRowMembers[] = {{"led", &ChosenRow::Led},
                                              {"leds", &ChosenRow::Leds},
                                              {"cell", &ChosenRow::Cell},
                                              {"pack", &ChosenRow::Pack},
                                              {"driver", &ChosenRow::Driver},
                                              {"currentMa", &ChosenRow::CurrentMa},
                                              {"output30s", &ChosenRow::Output30s},
                                              {"fl1Hours", &ChosenRow::Fl1Hours},
                                              {"fl1Clock", &ChosenRow::Fl1Clock},
                                              {"sustained", &ChosenRow::Sustained},
                                              {"peakHostC", &ChosenRow::PeakHostC},
                                              {"peakJunctionC", &ChosenRow::PeakJunctionC},
                                              {"warnings", &ChosenRow::Warnings},
                                              {"misses", &ChosenRow::Misses}};

val ChosenJs(const std::vector<ChosenBuild>& builds)
{
    val array = val::array();
    for (const ChosenBuild& build : builds) {
        val one = ToJs(RowOf(build), ChosenRowMembers);
        one.set("texts", TextsJs(build.Texts));
        one.set("warningTexts", Strings(build.Run.Warnings));
        array.call<void>("push", one);
    }
    return array;
}

// Every candidate of the question, each its texts: {refusals, candidates}.
val ChooseCandidatesJs(const val& object)
{
    std::vector<RunRefusal> refusals;
    const std::vector<BuildTexts> candidates = CandidatesOf(QuestionFrom(object), refusals);
    val result = val::object();
    result.set("refusals", ArrayOf(refusals, RefusalMembers));
    val array = val::array();
    for (const BuildTexts& texts : candidates)
        array.call<void>("push", TextsJs(texts));
    result.set("candidates", array);
    return result;
}

// The search among some candidates (ChooseAmong): {searched, met,
// overRating, builds, nearest, nothing}, each build its row and texts.
val ChooseAmongJs(const val& object, const val& candidates)
{
    std::vector<BuildTexts> texts;
    for (unsigned k = 0; k < candidates["length"].as<unsigned>(); ++k)
        texts.push_back(TextsFrom(candidates[k]));
    const BuildChoice choice = ChooseAmong(QuestionFrom(object), texts);
    val result = val::object();
    result.set("searched", choice.Searched);
    result.set("met", choice.Met);
    result.set("overRating", choice.OverRating);
    result.set("builds", ChosenJs(choice.Builds));
    result.set("nearest", ChosenJs(choice.Nearest));
    result.set("nothing", PageWords(choice.Nothing));
    return result;
}

// The cells a search takes, formats first (each searches its named cells).
val ChooseCellsJs() { return CellChoices(false); }

std::string VersionJs() { return LUMORA_VERSION; }

} // namespace

EMSCRIPTEN_BINDINGS(lumora)
{
    emscripten::function("quantities", &QuantitiesJs);
    emscripten::function("calculate", &CalculateJs);
    emscripten::function("isTypeable", &IsTypeableJs);
    emscripten::function("typingNote", &TypingNoteJs);
    emscripten::function("eSeries", &ESeriesJs);
    emscripten::function("resistorToBuy", &ResistorToBuyJs);
    emscripten::function("packTexts", &PackTextsJs);
    emscripten::function("ledVoltage", &LedVoltageJs);
    emscripten::function("lightInputs", &LightInputsJs);
    emscripten::function("inputSections", &InputSectionsJs);
    emscripten::function("actingInputs", &ActingInputsJs);
    emscripten::function("runtimeGraph", &RuntimeGraphJs);
    emscripten::function("changesBetween", &ChangesBetweenJs);
    emscripten::function("changed", &ChangedJs);
    emscripten::function("cellComparison", &CellComparisonJs);
    emscripten::function("testCells", &TestCellsJs);
    emscripten::function("sustainKeys", &SustainKeysJs);
    emscripten::function("sustainActing", &SustainActingJs);
    emscripten::function("sustainedOutput", &SustainedOutputJs);
    emscripten::function("chooseCells", &ChooseCellsJs);
    emscripten::function("chooseCandidates", &ChooseCandidatesJs);
    emscripten::function("chooseAmong", &ChooseAmongJs);
    emscripten::function("version", &VersionJs);
}

} // namespace lumora::web
