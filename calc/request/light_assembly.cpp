// SPDX-License-Identifier: MIT
#include "calc/request/light_assembly.h"

#include "calc/calculators/messages.h"
#include "calc/request/drive_solution.h"
#include "calc/request/light_reading.h"
#include "calc/text/number_text.h"

namespace lumora {

namespace {

using R = LightRequest;

// The most rows a run may give.
constexpr double LargestRunRows = 100000;
// No flashlight's battery gives more.
constexpr double LargestBatteryVolts = 1000;
// Absolute zero, °C.
constexpr double AbsoluteZeroC = -273.15;

using Step = std::optional<RequestRefusal>;

// The driver and its current; a refusal for those no driver can have. A
// wanted output leaves the current to be solved.
Step SetDriver(const LightRequest& request, Driver& driver)
{
    driver.Kind = ShapeOf(request).Driver;
    const std::optional<double> current = request.Current;
    if (request.Output && !ShapeOf(request).LedNamed)
        return RefusalAbout(&R::Output, "a typical LED through its Vf has no measured flux, so no drive can be found "
                                        "for lumens: choose an LED preset measured in lumens, or give its flux with " +
                                            MentionOf(&R::LedPoints, "MA=V:LM") + " twice or more");
    if (request.Output && current)
        return RefusalAbout(&R::Output, "give " + MentionOf(&R::Output) + " or " + MentionOf(&R::Current) +
                                            ", not both: the wanted output sets the current");
    if (driver.Kind != DriverKind::Direct && !current && !request.Output)
        return RefusalAbout(&R::Current,
                            std::string("the ") + (driver.Kind == DriverKind::Linear ? "linear" : "converter") +
                                " driver regulates a current; give it in mA, or " + MentionOf(&R::Output),
                            true);
    if (request.Vf && !current)
        return RefusalAbout(
            &R::Vf, "give " + MentionOf(&R::Current) + " too, the current at which the LED has this forward voltage",
            true);
    if (current && !(*current > 0.0))
        return RefusalAbout(&R::Current, "the LED current must be above 0 mA");
    if (current)
        driver.RegulatedAmps = *current / 1000.0;
    driver.DropoutVolts = *ValueOf(request, &R::Dropout);
    driver.Efficiency = *ValueOf(request, &R::Efficiency) / 100.0;
    return std::nullopt;
}

// The LEDs' string and the driver's own limits, once the LED is known.
Step SetString(const LightRequest& request, const LedChoice& led, DischargeRequest& discharge)
{
    discharge.Leds.Curve = led.Curve;
    discharge.Flux = led.Flux;
    if (Step refused = SetOptics(request, discharge))
        return refused;
    discharge.Leds.Count = *ValueOf(request, &R::Leds);
    if (!(discharge.Leds.Count >= 1.0))
        return RefusalAbout(&R::Leds, std::string(ErrorMessage(ErrorWindow::Form8)));
    discharge.Leds.Wiring = ValueOf(request, &R::Wiring) == "parallel" ? Wiring::Parallel : Wiring::Series;
    discharge.Leds.ResistorOhms = *ValueOf(request, &R::Resistance);
    const Driver& driver = discharge.Driver;
    if (!(driver.Efficiency > 0.0) || driver.Efficiency > 1.0)
        return RefusalAbout(&R::Efficiency, std::string(ErrorMessage(ErrorWindow::Form6)) + ", and above 0");
    if (driver.Kind == DriverKind::Linear && !(driver.DropoutVolts > 0.0))
        return RefusalAbout(&R::Dropout, "a linear regulator needs a dropout above 0 V");
    return std::nullopt;
}

// A builder's own cell in a pack: voltages add in series, charge in
// parallel, and the resistance as resistances do.
CellModel OwnCellPack(CellModel cell, Pack pack)
{
    for (double& volts : cell.OpenCircuitVolts)
        volts *= pack.Series;
    cell.CutOffVolts *= pack.Series;
    cell.CapacityAh *= pack.Parallel;
    cell.InternalOhms *= static_cast<double>(pack.Series) / pack.Parallel;
    return cell;
}

// Which battery: one only, and a pack only of cells.
Step CheckBatteryGiven(const LightRequest& request, const AssembledLight& light)
{
    const std::optional<double> battery = request.FlatBattery;
    if (battery && light.Cell)
        return RunRefused(MentionOf(&R::FlatBattery) + " and " + MentionOf(&R::Cell) +
                              ": give one battery, a preset or a flat voltage",
                          true);
    if (request.Own && (battery || light.Cell))
        return RunRefused("your own cell's file and " + (battery ? MentionOf(&R::FlatBattery) : MentionOf(&R::Cell)) +
                              ": give one battery",
                          true);
    if (request.Pack && !light.Cell && !request.Own)
        return RunRefused(MentionOf(&R::Pack) + " needs the cells: give " + MentionOf(&R::Cell, "NAME") +
                              ", or your own cell's file",
                          true);
    return std::nullopt;
}

// The battery: a preset in its pack, one's own cell or a flat voltage.
Step SetCells(const LightRequest& request, AssembledLight& light)
{
    DischargeRequest& discharge = light.Discharge;
    if (request.Own) {
        discharge.Battery = OwnCellPack(request.Own->Model, light.CellPack);
        light.BatteryName = request.Own->Name + " (" + request.Own->File + "), " + DoubleText(light.CellPack.Series) +
                            "S" + DoubleText(light.CellPack.Parallel) + "P";
    } else if (const std::optional<double> battery = request.FlatBattery) {
        if (!(*battery > 0.0) || *battery > LargestBatteryVolts)
            return RefusalAbout(&R::FlatBattery, DoubleText(*battery) + " V is no flashlight battery; give 0 to " +
                                                     DoubleText(LargestBatteryVolts) + " V");
        discharge.Battery = FlatCell(*battery, 0.0);
        light.BatteryName = "flat " + DoubleText(*battery) + " V";
    } else if (light.Cell) {
        discharge.Battery = ModelOf(*light.Cell, light.CellPack);
        light.BatteryName = PackName(*light.Cell, light.CellPack);
    } else {
        return RunRefused("give the battery: " + MentionOf(&R::Cell, "NAME") + " (and " + MentionOf(&R::Pack) +
                              "), or " + MentionOf(&R::FlatBattery, "V") + " for a flat cell",
                          true);
    }
    return std::nullopt;
}

// The battery, its capacity and resistance.
Step SetBattery(const LightRequest& request, AssembledLight& light)
{
    light.Cell = request.Cell ? BatteryNamed(*request.Cell) : std::nullopt;
    light.CellPack = *PackNamed(ValueOf(request, &R::Pack));
    light.OwnCell = request.Own.has_value();
    if (Step refused = CheckBatteryGiven(request, light))
        return refused;
    if (Step refused = SetCells(request, light))
        return refused;
    CellModel& battery = light.Discharge.Battery;
    // Only a converter stops at the chemistry's end of discharge unless a
    // cut-off is given: a direct or linear driver runs until the light fades.
    if (light.Discharge.Driver.Kind != DriverKind::Converter)
        battery.CutOffVolts = 0.0;
    if (request.Capacity)
        battery.CapacityAh = *request.Capacity / 1000.0;
    if (!request.Capacity && !(battery.CapacityAh > 0.0))
        return RefusalAbout(&R::Capacity, light.BatteryName + " names no cell format; give the capacity in mAh", true);
    if (!(battery.CapacityAh > 0.0))
        return RefusalAbout(&R::Capacity, "a capacity of 0 mAh gives no light at all");
    if (request.InternalResistance)
        battery.InternalOhms = *request.InternalResistance / 1000.0;
    return std::nullopt;
}

// The rest voltage or charge at switch-on, as charge already drawn.
Step SetCharge(const LightRequest& request, int series, double full, double empty, DischargeRequest& discharge)
{
    const CellModel& cell = discharge.Battery;
    if (request.Start && request.Charge)
        return RunRefused(MentionOf(&R::Start) + " and " + MentionOf(&R::Charge) +
                              ": give one, the rest voltage or the charge at switch-on",
                          true);
    if (const std::optional<double> start = request.Start) {
        if (*start > full)
            return RefusalAbout(&R::Start, "a start of " + DoubleText(*start) +
                                               " V per cell is above the full cell's " + DoubleText(full) + " V");
        if (*start <= empty)
            return RefusalAbout(&R::Start, "a cell resting at " + DoubleText(*start) +
                                               " V is empty: its charge ends at " + DoubleText(empty) + " V");
        discharge.StartDrawnAh = DrawnAtRestVoltage(cell, *start * series);
    }
    if (const std::optional<double> charge = request.Charge) {
        if (!(*charge > 0.0))
            return RefusalAbout(&R::Charge, "a charge of 0 % gives no light at all");
        if (*charge > 100.0)
            return RefusalAbout(&R::Charge, "a charge of " + DoubleText(*charge) +
                                                " % is more than a cell holds; give 100 % at most");
        discharge.StartDrawnAh = (1.0 - *charge / 100.0) * cell.CapacityAh;
    }
    return std::nullopt;
}

// The cut-off and the charge at switch-on, given per cell, set on the pack
// of 'series' cells; a refusal for those no cell can have.
Step SetCutOffAndCharge(const LightRequest& request, int series, DischargeRequest& discharge)
{
    CellModel& cell = discharge.Battery;
    const double full = OpenCircuitVoltage(cell, 0.0) / series;
    const double empty = OpenCircuitVoltage(cell, cell.CapacityAh) / series;
    if (const std::optional<double> cutoff = request.CutOff) {
        if (*cutoff >= full)
            return RefusalAbout(&R::CutOff, "a cut-off of " + DoubleText(*cutoff) +
                                                " V per cell is at or above the full cell's " + DoubleText(full) +
                                                " V: the light would never come on");
        cell.CutOffVolts = *cutoff * series;
    }
    return SetCharge(request, series, full, empty, discharge);
}

// The host by its name, its resistance and capacity, or its mass and surface.
Step SetHost(const LightRequest& request, Host& host, std::string& hostName)
{
    if (request.Host) {
        const NamedHost& named = *NamedHostNamed(*request.Host);
        host = HostOf(named);
        hostName = std::string(named.Name);
    } else if (const std::optional<double> resistance = request.HostResistance) {
        const std::optional<double> capacity = request.HostHeatCapacity;
        if (!capacity)
            return RefusalAbout(&R::HostHeatCapacity,
                                "give " + MentionOf(&R::HostHeatCapacity) + " with " + MentionOf(&R::HostResistance),
                                true);
        if (!(*resistance > 0.0))
            return RefusalAbout(&R::HostResistance, "a host sheds its heat through a resistance above 0 K/W");
        if (!(*capacity > 0.0))
            return RefusalAbout(&R::HostHeatCapacity, "a host's heat capacity must be above 0 J/K");
        host.KelvinPerWatt = *resistance;
        host.JoulesPerKelvin = *capacity;
        hostName = "host";
    } else {
        const double mass = *request.HostMass;
        const std::optional<double> area = request.HostArea;
        if (!area)
            return RefusalAbout(&R::HostArea, "give " + MentionOf(&R::HostArea) + " with " + MentionOf(&R::HostMass),
                                true);
        if (!(mass > 0.0))
            return RefusalAbout(&R::HostMass, "a host of 0 g holds no heat; give its mass above 0 g");
        if (!(*area > 0.0))
            return RefusalAbout(&R::HostArea, "a host of 0 cm² sheds no heat; give its surface above 0 cm²");
        const std::string material = ValueOf(request, &R::HostMaterial);
        host = HostOf(mass, *HostMaterialNamed(material), *area);
        hostName = DoubleText(mass) + " g of " + material + ", " + DoubleText(*area) + " cm²";
    }
    return std::nullopt;
}

// The driver's timed step-down, with or without a host.
Step SetStepDown(const LightRequest& request, Heat& heat)
{
    if (!request.StepDown)
        return std::nullopt;
    std::variant<StepDown, std::string> read = ReadStepDown(*request.StepDown);
    if (const std::string* refusal = std::get_if<std::string>(&read))
        return RefusalAbout(&R::StepDown, *refusal);
    heat.TimedStepDown = std::get<StepDown>(read);
    return std::nullopt;
}

// The limit and step-down the driver keeps, over an ambient already read.
Step SetDriverHeat(const LightRequest& request, Heat& heat)
{
    // An offset of 0, the field's start, needs no limit.
    if (request.SensorOffset && *request.SensorOffset != 0.0 && !request.ThermalLimit)
        return RefusalAbout(&R::SensorOffset,
                            "a sensor offset needs " + MentionOf(&R::ThermalLimit) +
                                ", the temperature the driver holds its sensor at",
                            true);
    if (const std::optional<double> limit = request.ThermalLimit) {
        const double offset = *ValueOf(request, &R::SensorOffset);
        if (!(*limit > heat.AmbientC))
            return RefusalAbout(&R::ThermalLimit, "a limit of " + DoubleText(*limit) + " °C is not above the ambient " +
                                                      DoubleText(heat.AmbientC) + " °C: the light could never come on");
        if (!(*limit - offset > heat.AmbientC))
            return RefusalAbout(&R::SensorOffset, "with the sensor " + DoubleText(offset) +
                                                      " K above the host, the host is held at " +
                                                      DoubleText(*limit - offset) + " °C, not above the ambient " +
                                                      DoubleText(heat.AmbientC) + " °C: the light could never come on");
        heat.LimitC = *limit - offset;
        heat.SensorOffsetK = offset;
    }
    return SetStepDown(request, heat);
}

// The most charge a step draws.
Step SetStep(const LightRequest& request, DischargeRequest& discharge)
{
    const double stepPercent = *ValueOf(request, &R::Step);
    if (!(stepPercent > 0.0) || stepPercent > 1.0)
        return RefusalAbout(&R::Step, "a step draws more than 0 and at most 1 % of the capacity");
    if (100.0 / stepPercent > LargestRunRows)
        return RefusalAbout(&R::Step, DoubleText(stepPercent) + " % would give more than " +
                                          DoubleText(LargestRunRows) + " rows");
    discharge.StepFraction = stepPercent / 100.0;
    return std::nullopt;
}

// The LED the request names (a preset, measured points or a SPICE diode),
// or its refusal blamed on the input it was read from; nullopt when none of
// them is given.
using NamedLedOutcome = std::variant<LedChoice, RequestRefusal>;
std::optional<NamedLedOutcome> NamedLed(const LightRequest& request)
{
    const auto from = [](LightField field, LedOutcome outcome) -> NamedLedOutcome {
        if (auto* refusal = std::get_if<LedRefusal>(&outcome))
            return RequestRefusal{{std::string(RowOf(field).Key), std::move(refusal->Text)}};
        return std::get<LedChoice>(std::move(outcome));
    };
    if (request.Led)
        return from(&R::Led, LedFromPreset(*request.Led));
    if (!request.LedPoints.empty())
        return from(&R::LedPoints, LedFromPoints(request.LedPoints));
    if (request.LedSpice)
        return from(&R::LedSpice, LedFromSpice(*request.LedSpice));
    return std::nullopt;
}

// Every part but the drive solved for a wanted output.
Step Assemble(const LightRequest& request, AssembledLight& light)
{
    DischargeRequest& discharge = light.Discharge;
    if (Step refused = SetDriver(request, discharge.Driver))
        return refused;
    std::variant<LedChoice, RequestRefusal> led = ChosenLed(request);
    if (RequestRefusal* refusal = std::get_if<RequestRefusal>(&led))
        return std::move(*refusal);
    light.Led = std::get<LedChoice>(std::move(led));
    light.CountGiven = request.Leds.has_value();
    light.LedMaxMilliamps = request.LedMax;
    if (Step refused = SetString(request, light.Led, discharge))
        return refused;
    if (Step refused = SetBattery(request, light))
        return refused;
    if (Step refused = SetCutOffAndCharge(request, light.Cell || request.Own ? light.CellPack.Series : 1, discharge))
        return refused;
    if (Step refused = SetHeat(request, light.Led, discharge, light.HostName))
        return refused;
    return SetStep(request, discharge);
}

// What a wanted output needs: lumens to be had, and on direct drive the
// series resistance left to be solved.
Step CheckWanted(const LightRequest& request, const AssembledLight& light)
{
    if (!(*request.Output > 0.0))
        return RefusalAbout(&R::Output, "give the wanted output above 0 lm");
    if (light.Led.Flux.empty())
        return RefusalAbout(&R::Output, light.Led.Name +
                                            " has no measured flux, so no drive can be found for lumens: choose an LED "
                                            "measured in lumens, or give its flux with " +
                                            MentionOf(&R::LedPoints, "MA=V:LM") + " twice or more");
    if (light.Discharge.Driver.Kind == DriverKind::Direct && request.Resistance)
        return RefusalAbout(&R::Output, "on direct drive the series resistance sets the output: give " +
                                            MentionOf(&R::Output) + " or " + MentionOf(&R::Resistance) + ", not both");
    return std::nullopt;
}

} // namespace

RequestRefusal RefusalAbout(LightField field, std::string text, bool usage)
{
    return {RefusalOf(field, std::move(text)), usage};
}

RequestRefusal RunRefused(std::string text, bool usage) { return {RunRefusal{"", std::move(text)}, usage}; }

std::variant<LedChoice, RequestRefusal> ChosenLed(const LightRequest& request)
{
    if (std::optional<NamedLedOutcome> named = NamedLed(request))
        return std::move(*named);
    if (request.Vf && request.Current) {
        if (!(*request.Vf > 0.0))
            return RefusalAbout(&R::Vf, "the forward voltage must be above 0 V");
        return TypicalThrough(*request.Current, *request.Vf);
    }
    // No LED given at all: a usage error.
    return RunRefused("give the LED: " + MentionOf(&R::Led, "NAME ('lumora-cli leds' lists them)") + ", " +
                          MentionOf(&R::LedPoints, "MA=V") + " twice or more, " + MentionOf(&R::LedSpice) + ", or " +
                          MentionOf(&R::Vf) + " with " + MentionOf(&R::Current),
                      true);
}

std::optional<RequestRefusal> SetOptics(const LightRequest& request, DischargeRequest& discharge)
{
    const double optics = *ValueOf(request, &R::Optics);
    if (!(optics > 0.0) || optics > 100.0)
        return RefusalAbout(&R::Optics, "optics pass more than 0 and at most 100 % of the light; give 100 for the bare "
                                        "emitter");
    discharge.OpticsShare = optics / 100.0;
    return std::nullopt;
}

std::string HostWays()
{
    return MentionOf(&R::Host, "NAME") + ", " + MentionOf(&R::HostResistance) + " with " +
           MentionOf(&R::HostHeatCapacity) + ", or " + MentionOf(&R::HostMass) + " with " + MentionOf(&R::HostArea);
}

std::optional<RequestRefusal> SetHeat(const LightRequest& request, const LedChoice& led, DischargeRequest& discharge,
                                      std::string& hostName)
{
    // No air is below absolute zero, whether a host is given or not.
    const double ambient = *ValueOf(request, &R::Ambient);
    if (ambient < AbsoluteZeroC)
        return RefusalAbout(&R::Ambient,
                            DoubleText(ambient) + " °C is below absolute zero (" + DoubleText(AbsoluteZeroC) + " °C)");
    const int ways = (request.Host ? 1 : 0) + (request.HostResistance ? 1 : 0) + (request.HostMass ? 1 : 0);
    if (ways > 1)
        return RunRefused(MentionOf(&R::Host) + ", " + MentionOf(&R::HostResistance) + " and " +
                              MentionOf(&R::HostMass) + " are three ways to give the host; give one",
                          true);
    if (ways == 0) {
        for (const NumberField field : {&R::HostHeatCapacity, &R::HostArea, &R::ThermalLimit, &R::SensorOffset})
            if (request.*field)
                return RefusalAbout(field, "give the host too: " + HostWays(), true);
        // A timed step-down needs no heat model: the driver's clock.
        return SetStepDown(request, discharge.Heat);
    }
    Heat& heat = discharge.Heat;
    heat.Led = led.Thermal;
    if (Step refused = SetHost(request, heat.Host, hostName))
        return refused;
    heat.AmbientC = ambient;
    return SetDriverHeat(request, heat);
}

Assembly AssembleLight(const LightRequest& request)
{
    AssembledLight light;
    if (Step refused = Assemble(request, light))
        return std::move(*refused);
    if (!request.Output)
        return light;
    if (Step refused = CheckWanted(request, light))
        return std::move(*refused);
    return SolveDrive(std::move(light), *request.Output);
}

} // namespace lumora
