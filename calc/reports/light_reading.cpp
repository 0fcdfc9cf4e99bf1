// SPDX-License-Identifier: MIT
#include "calc/reports/light_reading.h"

#include "calc/calculators/messages.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <cmath>

namespace lumora {

void Reader::Read(const LightInputRow& row)
{
    const std::optional<std::string> given = m_inputs.Text(row.Key);
    if (!given)
        return;
    const NumberKind kind = row.Kind == InputKind::Whole ? NumberKind::Whole : NumberKind::Decimal;
    // A temperature may be below 0: its "-" aside, the window's rule.
    const std::string_view digits =
        row.Kind == InputKind::Signed && given->rfind('-', 0) == 0 ? std::string_view(*given).substr(1) : *given;
    if (!IsTypeableText(digits, kind)) {
        refusals.push_back({std::string(row.Key), NotANumberSentence(row.Caption, *given, kind)});
        return;
    }
    if (IsLonePoint(digits) || IsBlank(digits)) {
        refusals.push_back({std::string(row.Key), std::string(ErrorMessage(ErrorWindow::Form7))});
        return;
    }
    // As the calculators refuse it: a number no double holds.
    if (!std::isfinite(*ReadNumber(*given))) {
        refusals.push_back(
            {std::string(row.Key), std::string(row.Caption) + " holds a number too large to calculate with"});
        return;
    }
    m_given.emplace(std::string(row.Key), *ReadNumber(*given));
}

// A choice or pack given that names none, or an input no row has: the first
// such refusal.
std::optional<RunRefusal> UnknownChoice(const LightInputs& inputs)
{
    for (const auto& [key, text] : inputs.Texts) {
        const LightInputRow* row = LightInputNamed(key);
        if (!row)
            return RunRefusal{"", "there is no input \"" + key + "\""};
        if (row->Check) {
            if (std::string refusal = row->Check(text); !refusal.empty())
                return RunRefusal{key, std::move(refusal)};
        }
    }
    return std::nullopt;
}

// The LED the texts name: a preset, measured points or a SPICE diode;
// nullopt when none of them is given.
std::optional<LedOutcome> NamedLed(const LightInputs& inputs)
{
    if (const std::optional<std::string> preset = inputs.Text("led"))
        return LedFromPreset(*preset);
    if (const std::vector<std::string> points = inputs.All("led-point"); !points.empty())
        return LedFromPoints(points);
    if (const std::optional<std::string> spice = inputs.Text("led-spice"))
        return LedFromSpice(*spice);
    return std::nullopt;
}

LightRun Refused(std::string input, std::string text, bool usage)
{
    LightRun run;
    run.Refusals.push_back({std::move(input), std::move(text)});
    run.Usage = usage;
    return run;
}

// The cut-off and the charge at switch-on, given per cell, set on the pack
// of 'series' cells; a refusal for those no cell can have.
std::optional<LightRun> SetCutOffAndCharge(const Reader& reader, int series, DischargeRequest& request)
{
    CellModel& cell = request.Cell;
    const double full = OpenCircuitVoltage(cell, 0.0) / series;
    const double empty = OpenCircuitVoltage(cell, cell.CapacityAh) / series;
    if (const std::optional<double> cutoff = reader.Given("cutoff")) {
        if (*cutoff >= full)
            return Refused("cutoff", "a cut-off of " + DoubleText(*cutoff) +
                                         " V per cell is at or above the full "
                                         "cell's " +
                                         DoubleText(full) + " V: the light would never come on");
        cell.CutOffVolts = *cutoff * series;
    }
    const std::optional<double> start = reader.Given("start");
    const std::optional<double> charge = reader.Given("charge");
    if (start && charge)
        return Refused("", "{start} and {charge}: give one, the rest voltage or the charge at switch-on", true);
    if (start) {
        if (*start > full)
            return Refused("start", "a start of " + DoubleText(*start) + " V per cell is above the full cell's " +
                                        DoubleText(full) + " V");
        if (*start <= empty)
            return Refused("start", "a cell resting at " + DoubleText(*start) + " V is empty: its charge ends at " +
                                        DoubleText(empty) + " V");
        request.StartDrawnAh = DrawnAtRestVoltage(cell, *start * series);
    }
    if (charge) {
        if (!(*charge > 0.0))
            return Refused("charge", "a charge of 0 % gives no light at all");
        if (*charge > 100.0)
            return Refused("charge",
                           "a charge of " + DoubleText(*charge) + " % is more than a cell holds; give 100 % at most");
        request.StartDrawnAh = (1.0 - *charge / 100.0) * cell.CapacityAh;
    }
    return std::nullopt;
}

namespace {

// Absolute zero, °C.
constexpr double AbsoluteZeroC = -273.15;

} // namespace

// The host, ambient, limit and step-down the texts give, on the request;
// a refusal for those no light can have. Without a host, none of them acts
// and the request stays without heat.
std::optional<LightRun> SetHeat(const Reader& reader, const LightInputs& inputs, const LedChoice& led,
                                DischargeRequest& request, std::string& hostName)
{
    const std::optional<std::string> named = inputs.Text("host");
    const std::optional<double> resistance = reader.Given("host-resistance");
    const std::optional<double> capacity = reader.Given("host-heat-capacity");
    const std::optional<double> mass = reader.Given("host-mass");
    const std::optional<double> area = reader.Given("host-area");
    const int ways = (named ? 1 : 0) + (resistance ? 1 : 0) + (mass ? 1 : 0);
    if (ways > 1)
        return Refused("", "{host}, {host-resistance} and {host-mass} are three ways to give the host; give one", true);
    if (ways == 0) {
        for (const char* key : {"host-heat-capacity", "host-area", "thermal-limit", "step-down"}) {
            if (inputs.Text(key))
                return Refused(key,
                               "give the host too: {host NAME}, {host-resistance} with {host-heat-capacity}, "
                               "or {host-mass} with {host-area}",
                               true);
        }
        return std::nullopt;
    }
    Heat& heat = request.Heat;
    heat.Led = led.Thermal;
    if (named) {
        const NamedHost& host = *NamedHostNamed(*named);
        heat.Light = HostOf(host);
        hostName = std::string(host.Name);
    } else if (resistance) {
        if (!capacity)
            return Refused("host-heat-capacity", "give {host-heat-capacity} with {host-resistance}", true);
        if (!(*resistance > 0.0))
            return Refused("host-resistance", "a host sheds its heat through a resistance above 0 K/W");
        if (!(*capacity > 0.0))
            return Refused("host-heat-capacity", "a host's heat capacity must be above 0 J/K");
        heat.Light.KelvinPerWatt = *resistance;
        heat.Light.JoulesPerKelvin = *capacity;
        hostName = "host";
    } else {
        if (!area)
            return Refused("host-area", "give {host-area} with {host-mass}", true);
        if (!(*mass > 0.0))
            return Refused("host-mass", "a host of 0 g holds no heat; give its mass above 0 g");
        if (!(*area > 0.0))
            return Refused("host-area", "a host of 0 cm2 sheds no heat; give its surface above 0 cm2");
        const std::string material = inputs.Text("host-material").value_or("aluminium");
        heat.Light = HostOf(*mass, *HostMaterialNamed(material), *area);
        hostName = DoubleText(*mass) + " g of " + material + ", " + DoubleText(*area) + " cm2";
    }
    heat.AmbientC = *reader.Value("ambient");
    if (heat.AmbientC < AbsoluteZeroC)
        return Refused("ambient",
                       DoubleText(heat.AmbientC) + " C is below absolute zero (" + DoubleText(AbsoluteZeroC) + " C)");
    if (const std::optional<double> limit = reader.Given("thermal-limit")) {
        if (!(*limit > heat.AmbientC))
            return Refused("thermal-limit", "a limit of " + DoubleText(*limit) + " C is not above the ambient " +
                                                DoubleText(heat.AmbientC) + " C: the light could never come on");
        heat.LimitC = *limit;
    }
    if (const std::optional<std::string> text = inputs.Text("step-down")) {
        std::variant<StepDown, std::string> read = ReadStepDown(*text);
        if (const std::string* refusal = std::get_if<std::string>(&read))
            return Refused("step-down", *refusal);
        heat.TimedStepDown = std::get<StepDown>(read);
    }
    return std::nullopt;
}

} // namespace lumora
