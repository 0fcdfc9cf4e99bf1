// SPDX-License-Identifier: MIT
#include "calc/reports/light_reading.h"

#include "calc/reports/cell_file.h"

#include "calc/calculators/messages.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <cmath>

namespace lumora {

namespace {

using R = LightRequest;

// A number's text read by the window's typing rules into its field; the
// refusal in words otherwise.
std::optional<std::string> ReadNumberText(const LightInputRow& row, const std::string& text, LightRequest& request,
                                          NumberField field)
{
    const NumberKind kind = row.Kind == InputKind::Whole ? NumberKind::Whole : NumberKind::Decimal;
    // A temperature may be below 0: its "-" aside, the window's rule.
    const std::string_view digits =
        row.Kind == InputKind::Signed && text.rfind('-', 0) == 0 ? std::string_view(text).substr(1) : text;
    if (!IsTypeableText(digits, kind))
        return NotANumberSentence(row.Caption, text, kind);
    if (IsLonePoint(digits) || IsBlank(digits))
        return std::string(ErrorMessage(ErrorWindow::Form7));
    // As the calculators refuse it: a number no double holds.
    const double value = *ReadNumber(text);
    if (!std::isfinite(value))
        return std::string(row.Caption) + " holds a number too large to calculate with";
    request.*field = value;
    return std::nullopt;
}

// Absolute zero, °C.
constexpr double AbsoluteZeroC = -273.15;

} // namespace

ReadLight ReadLightInputs(const LightInputs& inputs)
{
    ReadLight read;
    // Every number first, in the rows' order, each refusal kept.
    for (const LightInputRow& row : LightInputRows()) {
        const NumberField* field = std::get_if<NumberField>(&row.Field);
        const std::optional<std::string> text = inputs.Text(row.Key);
        if (!field || !text)
            continue;
        if (std::optional<std::string> refusal = ReadNumberText(row, *text, read.Request, *field))
            read.Refusals.push_back({std::string(row.Key), std::move(*refusal)});
    }
    if (inputs.CellFile) {
        const auto& [name, text] = *inputs.CellFile;
        std::variant<CellFile, std::string> file = ReadCellFile(text);
        if (const std::string* refusal = std::get_if<std::string>(&file))
            read.Refusals.push_back({"cell-file", name + ": " + *refusal});
        else
            read.Request.Own =
                LightRequest::OwnCell{name, std::get<CellFile>(file).Name, std::get<CellFile>(file).Model};
    }
    if (!read.Refusals.empty())
        return read;
    // Then the texts: the first that names no choice or pack, or no input.
    for (const auto& [key, text] : inputs.Texts) {
        const LightInputRow* row = LightInputNamed(key);
        std::string refusal = !row ? "there is no input \"" + key + "\"" : row->Check ? row->Check(text) : "";
        if (!refusal.empty()) {
            read.Refusals.push_back({row ? key : "", std::move(refusal)});
            read.Usage = true;
            return read;
        }
        PlaceText(read.Request, *row, text);
    }
    return read;
}

std::optional<double> ValueOf(const LightRequest& request, NumberField field)
{
    if (request.*field)
        return request.*field;
    const LightInputRow& row = RowOf(field);
    return row.Default.empty() ? std::nullopt : ReadNumber(row.Default);
}

std::string ValueOf(const LightRequest& request, TextField field)
{
    return (request.*field).value_or(std::string(RowOf(field).Default));
}

std::optional<LedOutcome> NamedLed(const LightRequest& request)
{
    const auto from = [](LightField field, LedOutcome outcome) -> LedOutcome {
        if (auto* refusal = std::get_if<LedRefusal>(&outcome))
            refusal->Input = RowOf(field).Key;
        return outcome;
    };
    if (request.Led)
        return from(&R::Led, LedFromPreset(*request.Led));
    if (!request.LedPoints.empty())
        return from(&R::LedPoints, LedFromPoints(request.LedPoints));
    if (request.LedSpice)
        return from(&R::LedSpice, LedFromSpice(*request.LedSpice));
    return std::nullopt;
}

std::variant<LedChoice, RunRefusal> ChosenLed(const LightRequest& request)
{
    if (std::optional<LedOutcome> named = NamedLed(request)) {
        if (const auto* refusal = std::get_if<LedRefusal>(&*named))
            return RunRefusal{refusal->Input, refusal->Text};
        return std::get<LedChoice>(std::move(*named));
    }
    if (request.Vf && request.Current) {
        if (!(*request.Vf > 0.0))
            return RefusalOf(&R::Vf, "the forward voltage must be above 0 V");
        return TypicalThrough(*request.Current, *request.Vf);
    }
    return RunRefusal{"", "give the LED: " + MentionOf(&R::Led, "NAME ('lumora-cli leds' lists them)") + ", " +
                              MentionOf(&R::LedPoints, "MA=V") + " twice or more, " + MentionOf(&R::LedSpice) +
                              ", or " + MentionOf(&R::Vf) + " with " + MentionOf(&R::Current)};
}

LightRun Refused(RunRefusal refusal, bool usage)
{
    LightRun run;
    run.Refusals.push_back(std::move(refusal));
    run.Usage = usage;
    return run;
}

LightRun Refused(LightField field, std::string text, bool usage)
{
    return Refused(RefusalOf(field, std::move(text)), usage);
}

LightRun RefusedRun(std::string text, bool usage) { return Refused(RunRefusal{"", std::move(text)}, usage); }

namespace {

// The rest voltage or charge at switch-on, as charge already drawn.
std::optional<LightRun> SetCharge(const LightRequest& request, int series, double full, double empty,
                                  DischargeRequest& discharge)
{
    const CellModel& cell = discharge.Battery;
    if (request.Start && request.Charge)
        return RefusedRun(MentionOf(&R::Start) + " and " + MentionOf(&R::Charge) +
                              ": give one, the rest voltage or the charge at switch-on",
                          true);
    if (const std::optional<double> start = request.Start) {
        if (*start > full)
            return Refused(&R::Start, "a start of " + DoubleText(*start) + " V per cell is above the full cell's " +
                                          DoubleText(full) + " V");
        if (*start <= empty)
            return Refused(&R::Start, "a cell resting at " + DoubleText(*start) + " V is empty: its charge ends at " +
                                          DoubleText(empty) + " V");
        discharge.StartDrawnAh = DrawnAtRestVoltage(cell, *start * series);
    }
    if (const std::optional<double> charge = request.Charge) {
        if (!(*charge > 0.0))
            return Refused(&R::Charge, "a charge of 0 % gives no light at all");
        if (*charge > 100.0)
            return Refused(&R::Charge,
                           "a charge of " + DoubleText(*charge) + " % is more than a cell holds; give 100 % at most");
        discharge.StartDrawnAh = (1.0 - *charge / 100.0) * cell.CapacityAh;
    }
    return std::nullopt;
}

} // namespace

std::optional<LightRun> SetCutOffAndCharge(const LightRequest& request, int series, DischargeRequest& discharge)
{
    CellModel& cell = discharge.Battery;
    const double full = OpenCircuitVoltage(cell, 0.0) / series;
    const double empty = OpenCircuitVoltage(cell, cell.CapacityAh) / series;
    if (const std::optional<double> cutoff = request.CutOff) {
        if (*cutoff >= full)
            return Refused(&R::CutOff, "a cut-off of " + DoubleText(*cutoff) +
                                           " V per cell is at or above the full cell's " + DoubleText(full) +
                                           " V: the light would never come on");
        cell.CutOffVolts = *cutoff * series;
    }
    return SetCharge(request, series, full, empty, discharge);
}

std::optional<LightRun> SetOptics(const LightRequest& request, DischargeRequest& discharge)
{
    const double optics = *ValueOf(request, &R::Optics);
    if (!(optics > 0.0) || optics > 100.0)
        return Refused(&R::Optics, "optics pass more than 0 and at most 100 % of the light; give 100 for the bare "
                                   "emitter");
    discharge.OpticsShare = optics / 100.0;
    return std::nullopt;
}

std::string HostWays()
{
    return MentionOf(&R::Host, "NAME") + ", " + MentionOf(&R::HostResistance) + " with " +
           MentionOf(&R::HostHeatCapacity) + ", or " + MentionOf(&R::HostMass) + " with " + MentionOf(&R::HostArea);
}

namespace {

// The host by its name, its resistance and capacity, or its mass and surface.
std::optional<LightRun> SetHost(const LightRequest& request, Host& host, std::string& hostName)
{
    if (request.Host) {
        const NamedHost& named = *NamedHostNamed(*request.Host);
        host = HostOf(named);
        hostName = std::string(named.Name);
    } else if (const std::optional<double> resistance = request.HostResistance) {
        const std::optional<double> capacity = request.HostHeatCapacity;
        if (!capacity)
            return Refused(&R::HostHeatCapacity,
                           "give " + MentionOf(&R::HostHeatCapacity) + " with " + MentionOf(&R::HostResistance), true);
        if (!(*resistance > 0.0))
            return Refused(&R::HostResistance, "a host sheds its heat through a resistance above 0 K/W");
        if (!(*capacity > 0.0))
            return Refused(&R::HostHeatCapacity, "a host's heat capacity must be above 0 J/K");
        host.KelvinPerWatt = *resistance;
        host.JoulesPerKelvin = *capacity;
        hostName = "host";
    } else {
        const double mass = *request.HostMass;
        const std::optional<double> area = request.HostArea;
        if (!area)
            return Refused(&R::HostArea, "give " + MentionOf(&R::HostArea) + " with " + MentionOf(&R::HostMass), true);
        if (!(mass > 0.0))
            return Refused(&R::HostMass, "a host of 0 g holds no heat; give its mass above 0 g");
        if (!(*area > 0.0))
            return Refused(&R::HostArea, "a host of 0 cm2 sheds no heat; give its surface above 0 cm2");
        const std::string material = ValueOf(request, &R::HostMaterial);
        host = HostOf(mass, *HostMaterialNamed(material), *area);
        hostName = DoubleText(mass) + " g of " + material + ", " + DoubleText(*area) + " cm2";
    }
    return std::nullopt;
}

// The driver's timed step-down, with or without a host.
std::optional<LightRun> SetStepDown(const LightRequest& request, Heat& heat)
{
    if (!request.StepDown)
        return std::nullopt;
    std::variant<StepDown, std::string> read = ReadStepDown(*request.StepDown);
    if (const std::string* refusal = std::get_if<std::string>(&read))
        return Refused(&R::StepDown, *refusal);
    heat.TimedStepDown = std::get<StepDown>(read);
    return std::nullopt;
}

// The limit and step-down the driver keeps, over an ambient already read.
std::optional<LightRun> SetDriverHeat(const LightRequest& request, Heat& heat)
{
    // An offset of 0, the field's start, needs no limit.
    if (request.SensorOffset && *request.SensorOffset != 0.0 && !request.ThermalLimit)
        return Refused(&R::SensorOffset,
                       "a sensor offset needs " + MentionOf(&R::ThermalLimit) +
                           ", the temperature the driver holds its sensor at",
                       true);
    if (const std::optional<double> limit = request.ThermalLimit) {
        const double offset = *ValueOf(request, &R::SensorOffset);
        if (!(*limit > heat.AmbientC))
            return Refused(&R::ThermalLimit, "a limit of " + DoubleText(*limit) + " C is not above the ambient " +
                                                 DoubleText(heat.AmbientC) + " C: the light could never come on");
        if (!(*limit - offset > heat.AmbientC))
            return Refused(&R::SensorOffset, "with the sensor " + DoubleText(offset) +
                                                 " K above the host, the host is held at " +
                                                 DoubleText(*limit - offset) + " C, not above the ambient " +
                                                 DoubleText(heat.AmbientC) + " C: the light could never come on");
        heat.LimitC = *limit - offset;
        heat.SensorOffsetK = offset;
    }
    return SetStepDown(request, heat);
}

} // namespace

std::optional<LightRun> SetHeat(const LightRequest& request, const LedChoice& led, DischargeRequest& discharge,
                                std::string& hostName)
{
    // No air is below absolute zero, whether a host is given or not.
    const double ambient = *ValueOf(request, &R::Ambient);
    if (ambient < AbsoluteZeroC)
        return Refused(&R::Ambient,
                       DoubleText(ambient) + " C is below absolute zero (" + DoubleText(AbsoluteZeroC) + " C)");
    const int ways = (request.Host ? 1 : 0) + (request.HostResistance ? 1 : 0) + (request.HostMass ? 1 : 0);
    if (ways > 1)
        return RefusedRun(MentionOf(&R::Host) + ", " + MentionOf(&R::HostResistance) + " and " +
                              MentionOf(&R::HostMass) + " are three ways to give the host; give one",
                          true);
    if (ways == 0) {
        for (const NumberField field : {&R::HostHeatCapacity, &R::HostArea, &R::ThermalLimit, &R::SensorOffset})
            if (request.*field)
                return Refused(field, "give the host too: " + HostWays(), true);
        // A timed step-down needs no heat model: the driver's clock.
        return SetStepDown(request, discharge.Heat);
    }
    Heat& heat = discharge.Heat;
    heat.Led = led.Thermal;
    if (std::optional<LightRun> refused = SetHost(request, heat.Host, hostName))
        return refused;
    heat.AmbientC = ambient;
    return SetDriverHeat(request, heat);
}

} // namespace lumora
