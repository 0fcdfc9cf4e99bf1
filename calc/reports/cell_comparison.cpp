// SPDX-License-Identifier: MIT
#include "calc/reports/cell_comparison.h"

#include "calc/calculators/messages.h"
#include "calc/calculators/runtime_display.h"
#include "calc/light/battery_presets.h"
#include "calc/reports/svg_picture.h"
#include "calc/request/cell_file.h"
#include "calc/request/light_inputs.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora {

namespace {

constexpr std::array<RunColumn, 10> Columns = {{{"cell", "Preset", false},
                                                {"trade_name", "Cell", false},
                                                {"load", "Load", false},
                                                {"cutoff_v", "Cut-off V"},
                                                {"mah", "mAh"},
                                                {"wh", "Wh"},
                                                {"time_h", "Time h"},
                                                {"clock", "Clock", false},
                                                {"mid_v", "Mid V"},
                                                {"end", "End", false}}};

// A number typed as the window's fields take them, above 0; a refusal of
// the input 'key' otherwise.
std::optional<double> Positive(std::string_view key, std::string_view caption, std::string_view unit,
                               const std::string& text, std::vector<RunRefusal>& refusals)
{
    if (!IsTypeableText(text, NumberKind::Decimal) || IsBlank(text) || IsLonePoint(text)) {
        refusals.push_back({std::string(key), NotANumberSentence(caption, text)});
        return std::nullopt;
    }
    const double value = *ReadNumber(text);
    if (!(value > 0.0)) {
        refusals.push_back({std::string(key), "a test " + std::string(key) + " of " + text + " " + std::string(unit) +
                                                  " draws nothing; give more than 0"});
        return std::nullopt;
    }
    return value;
}

std::string EndText(CellTestEnd end)
{
    switch (end) {
    case CellTestEnd::CutOff: return "cut-off";
    case CellTestEnd::Exhausted: return "charge spent";
    case CellTestEnd::NeverStarted: break;
    }
    return "cannot start: below the cut-off under this load";
}

std::vector<std::string> RowOf(const ComparedTest& compared)
{
    const CellTest& test = compared.Test;
    std::vector<std::string> row = {compared.Cell, compared.TradeName, LoadText(compared.Load),
                                    RoundedText(compared.CutOffVolts, 3)};
    if (test.End == CellTestEnd::NeverStarted) {
        row.insert(row.end(), {"", "", "", "", "", EndText(test.End)});
        return row;
    }
    const RuntimeDisplayText display = RuntimeDisplay(test.Hours);
    const std::string days = display.Days && *display.Days != "0" ? *display.Days + " d " : "";
    row.insert(row.end(),
               {RoundedText(test.DeliveredAh * 1000.0, 0), RoundedText(test.DeliveredWh, 2), RoundedText(test.Hours, 3),
                days + display.Clock, RoundedText(test.MidVolts, 3), EndText(test.End)});
    return row;
}

} // namespace

std::string LoadText(const CellLoad& load)
{
    return DoubleText(load.Value) + (load.Kind == LoadKind::Current ? " A" : " W");
}

std::span<const RunColumn> CellComparisonColumns() { return Columns; }

namespace {

constexpr std::array<RunColumn, 8> CurveColumns = {{{"cell", "Preset", false},
                                                    {"load", "Load", false},
                                                    {"time_s", "Time s"},
                                                    {"voltage_v", "Voltage V"},
                                                    {"current_a", "Current A"},
                                                    {"mah", "mAh"},
                                                    {"wh", "Wh"},
                                                    {"cell_c", "Cell °C"}}};

} // namespace

std::span<const RunColumn> CellCurveColumns() { return CurveColumns; }

std::vector<std::vector<std::string>> CellCurveRows(const CellComparison& comparison)
{
    std::vector<std::vector<std::string>> rows;
    for (const ComparedTest& test : comparison.Tests)
        for (const CellTestPoint& point : test.Test.Curve)
            rows.push_back({test.Cell, LoadText(test.Load), RoundedText(point.Hours * 3600.0, 1),
                            RoundedText(point.TerminalVolts, 3), RoundedText(point.Amps, 3),
                            RoundedText(point.DeliveredAh * 1000.0, 1), RoundedText(point.DeliveredWh, 3),
                            RoundedText(point.Celsius, 1)});
    return rows;
}

std::vector<std::string> ListItems(std::string_view text)
{
    std::vector<std::string> items;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    for (;;) {
        const std::size_t comma = text.find(',');
        std::string_view item = text.substr(0, comma);
        while (!item.empty() && blank(item.front()))
            item.remove_prefix(1);
        while (!item.empty() && blank(item.back()))
            item.remove_suffix(1);
        items.emplace_back(item);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    if (items.size() == 1 && items.front().empty())
        items.clear();
    return items;
}

namespace {

// The loads and the cut-off read from their texts; each refusal kept.
std::vector<CellLoad> LoadsOf(const CellComparisonRequest& request, std::optional<double>& cutOff,
                              std::vector<RunRefusal>& refusals)
{
    const bool current = request.Kind == LoadKind::Current;
    const std::string loadKey = current ? "current" : "power";
    std::vector<CellLoad> loads;
    for (const std::string& text : request.Loads) {
        if (const std::optional<double> value =
                Positive(loadKey, current ? "Test current" : "Test power", current ? "A" : "W", text, refusals))
            loads.push_back({request.Kind, *value});
    }
    if (request.CutOff) {
        if (!IsTypeableText(*request.CutOff, NumberKind::Decimal) || IsBlank(*request.CutOff) ||
            IsLonePoint(*request.CutOff))
            refusals.push_back({"cutoff", NotANumberSentence("Cut-off", *request.CutOff)});
        else
            cutOff = *ReadNumber(*request.CutOff);
    }
    return loads;
}

// The air around the cell, °C: a number, above absolute zero, and no
// hotter than a cell is ever tested at.
double AmbientOf(const CellComparisonRequest& request, std::vector<RunRefusal>& refusals)
{
    constexpr double AbsoluteZeroC = -273.15, HottestC = 100.0;
    if (!request.Ambient)
        return CellReferenceC;
    const std::string& text = *request.Ambient;
    if (!IsTypeableInto(InputKind::Signed, text) || IsBlank(text) || !ReadNumber(text)) {
        refusals.push_back({"ambient", NotANumberSentence("Ambient", text)});
        return CellReferenceC;
    }
    const double celsius = *ReadNumber(text);
    if (!(celsius > AbsoluteZeroC) || celsius > HottestC)
        refusals.push_back({"ambient", "an ambient of " + text + " °C is outside what a cell can be tested at; give " +
                                           "more than -273.15 and at most 100"});
    return celsius;
}

// The cells named, each a cell whose full voltage is above the cut-off.
std::vector<BatteryChoice> CellsOf(const CellComparisonRequest& request, std::optional<double> cutOff,
                                   std::vector<RunRefusal>& refusals)
{
    std::vector<BatteryChoice> cells;
    for (const std::string& name : request.Cells) {
        const std::optional<BatteryChoice> choice = BatteryNamed(name);
        if (!choice) {
            refusals.push_back({"cell", UnknownBatteryText(name)});
            continue;
        }
        if (!choice->cell) {
            refusals.push_back({"cell", name + " is a chemistry, not a cell; give a format (18650) or a named cell"});
            continue;
        }
        const double full = OpenCircuitVoltage(ModelOf(*choice, Pack{}), 0.0);
        if (cutOff && *cutOff >= full)
            refusals.push_back({"cutoff", "a cut-off of " + DoubleText(*cutOff) + " V is at or above the full " + name +
                                              "'s " + DoubleText(full) + " V"});
        else
            cells.push_back(*choice);
    }
    return cells;
}

// Too many cells or loads for one comparison, or none.
bool SizeRefused(const CellComparisonRequest& request, CellComparison& comparison)
{
    std::vector<RunRefusal>& refusals = comparison.Refusals;
    const std::string loadKey = request.Kind == LoadKind::Current ? "current" : "power";
    if ((request.Cells.empty() && request.CellFiles.empty()) || request.Loads.empty()) {
        comparison.Usage = true;
        refusals.push_back({"", "give the cells ({cell NAME}, once for each) and the test's " +
                                    std::string(request.Kind == LoadKind::Current ? "{current A}" : "{power W}") +
                                    ", a list such as 1,3,10"});
        return true;
    }
    if (request.Cells.size() > MostComparedCells)
        refusals.push_back({"cell", DoubleText(static_cast<double>(request.Cells.size())) +
                                        " cells are more than one comparison takes; give " +
                                        DoubleText(MostComparedCells) + " at most"});
    if (request.Loads.size() > MostComparedLoads)
        refusals.push_back({loadKey, DoubleText(static_cast<double>(request.Loads.size())) +
                                         " loads are more than one comparison takes; give " +
                                         DoubleText(MostComparedLoads) + " at most"});
    return !refusals.empty();
}

} // namespace

namespace {

// A test that draws more than its named cell's maximum continuous
// discharge, at its highest current (a constant power's at its end); ""
// for none.
std::string RatingWarning(const BatteryChoice& choice, const ComparedTest& test)
{
    if (!choice.named || !(choice.named->MaxAmps > 0.0) || test.Test.Curve.empty())
        return {};
    double mostAmps = 0.0;
    for (const CellTestPoint& point : test.Test.Curve)
        mostAmps = std::max(mostAmps, point.Amps);
    const NamedCell& cell = *choice.named;
    if (!(mostAmps > cell.MaxAmps))
        return {};
    return test.TradeName + " at " + LoadText(test.Load) + " draws up to " + RoundedText(mostAmps, 1) +
           " A, above its maximum continuous " + DoubleText(cell.MaxAmps) + " A (" + std::string(cell.MaxSource) + ")";
}

} // namespace

CellComparison CompareCells(const CellComparisonRequest& request)
{
    CellComparison comparison;
    if (SizeRefused(request, comparison))
        return comparison;
    std::optional<double> cutOff;
    const std::vector<CellLoad> loads = LoadsOf(request, cutOff, comparison.Refusals);
    const std::vector<BatteryChoice> cells = CellsOf(request, cutOff, comparison.Refusals);
    const double ambientC = AmbientOf(request, comparison.Refusals);
    std::vector<CellFile> files;
    for (const auto& [name, text] : request.CellFiles) {
        std::variant<CellFile, std::string> file = ReadCellFile(text);
        if (const std::string* refusal = std::get_if<std::string>(&file))
            comparison.Refusals.push_back({"cell-file", name + ": " + *refusal});
        else if (cutOff && *cutOff >= OpenCircuitVoltage(std::get<CellFile>(file).Model, 0.0))
            comparison.Refusals.push_back(
                {"cutoff", "a cut-off of " + DoubleText(*cutOff) + " V is at or above the full " + name + "'s"});
        else
            files.push_back(std::move(std::get<CellFile>(file)));
    }
    if (!comparison.Refusals.empty())
        return comparison;
    for (const BatteryChoice& choice : cells) {
        const CellModel model = ModelOf(choice, Pack{});
        const double volts = cutOff.value_or(model.CutOffVolts);
        for (const CellLoad& load : loads) {
            comparison.Tests.push_back(
                {PresetName(choice), TradeName(choice), load, volts, RunCellTest(model, load, volts, 0.005, ambientC)});
            comparison.Rows.push_back(RowOf(comparison.Tests.back()));
            if (std::string warning = RatingWarning(choice, comparison.Tests.back()); !warning.empty())
                comparison.Warnings.push_back(std::move(warning));
        }
    }
    for (std::size_t f = 0; f < files.size(); ++f) {
        const CellModel& model = files[f].Model;
        const double volts = cutOff.value_or(model.CutOffVolts);
        for (const CellLoad& load : loads) {
            comparison.Tests.push_back({request.CellFiles[f].first, files[f].Name, load, volts,
                                        RunCellTest(model, load, volts, 0.005, ambientC)});
            comparison.Rows.push_back(RowOf(comparison.Tests.back()));
        }
    }
    return comparison;
}

} // namespace lumora
