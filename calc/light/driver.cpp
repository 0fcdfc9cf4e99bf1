// SPDX-License-Identifier: MIT
#include "calc/light/driver.h"

#include <cmath>

namespace lumora {

namespace {

// The string held at its regulated current; the battery side left to the caller.
OperatingPoint Held(const LedString& leds, double amps)
{
    OperatingPoint point;
    point.LedAmps = amps;
    point.LedVolts = ForwardVoltage(leds.Curve, amps);
    const double resistorAmps = leds.InParallel() * amps;
    point.ResistorWatts = resistorAmps * resistorAmps * leds.ResistorOhms;
    point.LedWatts = leds.Count * amps * point.LedVolts;
    return point;
}

DriverPoint Linear(const Driver& driver, const LedString& leds, double openCircuitVolts, double internalOhms)
{
    const double heldBatteryAmps = leds.InParallel() * driver.RegulatedAmps;
    const double passOhms = driver.DropoutVolts / heldBatteryAmps;
    DriverPoint result;
    // The regulator holds its current where the cell gives what the string
    // needs at it with the dropout to spare (the operating point's current
    // rises with the voltage): only below that is the point solved.
    const double needed = leds.InSeries() * ForwardVoltage(leds.Curve, driver.RegulatedAmps) +
                          heldBatteryAmps * (leds.ResistorOhms + internalOhms + passOhms);
    if (!(openCircuitVolts >= needed))
        result.Point = SolveOperatingPoint(leds, openCircuitVolts, internalOhms + passOhms);
    if (!(openCircuitVolts >= needed) && result.Point.LedAmps < driver.RegulatedAmps) {
        result.InternalWatts = result.Point.BatteryAmps * result.Point.BatteryAmps * internalOhms;
        result.DriverWatts = result.Point.SourceWatts - result.InternalWatts;
        result.Point.TerminalVolts = openCircuitVolts - result.Point.BatteryAmps * internalOhms;
        result.Point.SourceWatts = result.InternalWatts;
        return result;
    }
    result.Regulated = true;
    result.Point = Held(leds, driver.RegulatedAmps);
    result.Point.BatteryAmps = heldBatteryAmps;
    result.Point.TerminalVolts = openCircuitVolts - heldBatteryAmps * internalOhms;
    result.InternalWatts = heldBatteryAmps * heldBatteryAmps * internalOhms;
    result.Point.SourceWatts = result.InternalWatts;
    result.DriverWatts =
        result.Point.TerminalVolts * heldBatteryAmps - result.Point.ResistorWatts - result.Point.LedWatts;
    return result;
}

DriverPoint Converter(const Driver& driver, const LedString& leds, double openCircuitVolts, double internalOhms,
                      double cutOffVolts)
{
    DriverPoint result;
    result.Point = Held(leds, driver.RegulatedAmps);
    const double output = result.Point.LedWatts + result.Point.ResistorWatts;
    const double input = output / driver.Efficiency;
    // E·I − R·I² = P_in, the smaller root, written so that R = 0 needs no case.
    const double discriminant = openCircuitVolts * openCircuitVolts - 4.0 * internalOhms * input;
    const auto stopped = [&] {
        result = DriverPoint{};
        result.Running = false;
        result.Point.TerminalVolts = openCircuitVolts;
        return result;
    };
    if (!(openCircuitVolts > 0.0) || discriminant < 0.0)
        return stopped();
    const double amps = 2.0 * input / (openCircuitVolts + std::sqrt(discriminant));
    result.Point.BatteryAmps = amps;
    result.Point.TerminalVolts = openCircuitVolts - amps * internalOhms;
    if (result.Point.TerminalVolts < cutOffVolts)
        return stopped();
    result.Regulated = true;
    result.InternalWatts = amps * amps * internalOhms;
    result.Point.SourceWatts = result.InternalWatts;
    result.DriverWatts = input - output;
    return result;
}

} // namespace

DriverPoint Operate(const Driver& driver, const LedString& leds, double openCircuitVolts, double internalOhms,
                    double cutOffVolts)
{
    DriverPoint result;
    switch (driver.Kind) {
    case DriverKind::Linear: result = Linear(driver, leds, openCircuitVolts, internalOhms); break;
    case DriverKind::Converter: return Converter(driver, leds, openCircuitVolts, internalOhms, cutOffVolts);
    case DriverKind::Direct:
        result.Point = SolveOperatingPoint(leds, openCircuitVolts, internalOhms);
        result.InternalWatts = result.Point.SourceWatts;
        break;
    }
    // A protected cell's circuit or a driver's low-voltage protection.
    if (result.Point.TerminalVolts < cutOffVolts) {
        result = DriverPoint{};
        result.Running = false;
        result.Point.TerminalVolts = openCircuitVolts;
    }
    return result;
}

std::string_view DriverKindName(DriverKind kind)
{
    switch (kind) {
    case DriverKind::Linear: return "linear";
    case DriverKind::Converter: return "converter";
    case DriverKind::Direct: break;
    }
    return "direct";
}

std::optional<DriverKind> DriverNamed(std::string_view name)
{
    for (DriverKind kind : {DriverKind::Direct, DriverKind::Linear, DriverKind::Converter}) {
        if (DriverKindName(kind) == name)
            return kind;
    }
    return std::nullopt;
}

} // namespace lumora
