// SPDX-License-Identifier: MIT
#include "calc/calculators/runtime_calculator.h"
#include "calc/light/battery_presets.h"
#include "calc/light/discharge.h"
#include "calc/light/driver.h"
#include "calc/light/operating_point.h"
#include "calc/text/field_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace lumora {
namespace {

DischargeRequest Build(const char* cell, Pack pack, const char* led, DriverKind kind, double amps, double count = 1,
                       Wiring wiring = Wiring::Series, double ohms = 0.0)
{
    DischargeRequest request;
    request.Battery = ModelOf(*BatteryNamed(cell), pack);
    const LedPreset& preset = *LedNamed(led);
    request.Leds = {FittedCurve(preset), count, wiring, ohms};
    request.Flux.assign(preset.Flux.begin(), preset.Flux.end());
    request.Driver = {kind, amps, 0.15, 0.83}; // the run's default dropout and efficiency
    if (kind != DriverKind::Converter)
        request.Battery.CutOffVolts = 0.0; // as a run has it without --cutoff
    return request;
}

struct BuildRow {
    const char* name;
    DischargeRequest request;
};

void PrintTo(const BuildRow& row, std::ostream* os) { *os << row.name; }

class Builds : public testing::TestWithParam<BuildRow> {};

// Energy drawn from the cell is what the LEDs, the resistor, the internal
// resistance and the driver take, within 0.1 %.
TEST_P(Builds, BalanceTheirEnergy)
{
    const DischargeSummary s = RunDischarge(GetParam().request).Summary;
    ASSERT_EQ(s.Start, DischargeStart::Lit);
    EXPECT_NEAR(s.DeliveredWh + s.ResistorWh + s.InternalWh + s.DriverWh, s.DrawnWh, 1e-3 * s.DrawnWh);
    EXPECT_GT(s.DeliveredWh, 0.0);
}

// Halving the step changes the FL1 runtime by under 0.5 %.
TEST_P(Builds, KeepTheirRuntimeWhenTheStepIsHalved)
{
    DischargeRequest request = GetParam().request;
    const double coarse = RunDischarge(request).Summary.Fl1Hours;
    request.StepFraction /= 2.0;
    const double fine = RunDischarge(request).Summary.Fl1Hours;
    EXPECT_NEAR(fine, coarse, 0.005 * fine);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Builds,
    testing::Values(BuildRow{"Li18650DirectLh351d", Build("18650", {}, "lh351d", DriverKind::Direct, 0)},
                    BuildRow{"Li18650Linear2800XpG", Build("18650", {}, "xp-g", DriverKind::Linear, 2.8)},
                    // The resistor's power is its own, not the regulator's too.
                    BuildRow{"Li18650LinearWithAResistor",
                             Build("18650", {}, "xp-g", DriverKind::Linear, 1.0, 1, Wiring::Series, 0.3)},
                    BuildRow{"Aaa3HeadlampThree5mmParallel",
                             Build("AAA", {3, 1}, "5mm", DriverKind::Direct, 0, 3, Wiring::Parallel, 4.7)},
                    BuildRow{"TwoS21700Converter3AXmL2", Build("21700", {2, 1}, "xm-l2", DriverKind::Converter, 3)},
                    BuildRow{"NimhBoostTwoInSeries", Build("AA-nimh", {2, 1}, "219", DriverKind::Converter, 1, 2)},
                    // A cell with a polarisation that warms by its own losses.
                    BuildRow{"Vtc6DirectLh351d", Build("sony-vtc6", {}, "lh351d", DriverKind::Direct, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

// Lumens only where flux was measured: a direct-driven LH351D stays within
// its flux points (to 7.2 A) and is counted in lumens; with the points cut
// at 2 A the same run reaches beyond them and is the run without flux,
// counted in LED current throughout.
TEST(Discharge, CountsLumensOnlyWithinTheMeasuredFlux)
{
    DischargeRequest request = Build("18650", {}, "lh351d", DriverKind::Direct, 0);
    const Discharge measured = RunDischarge(request);
    EXPECT_TRUE(measured.Summary.InLumens);
    EXPECT_EQ(measured.Summary.BeyondFluxAmps, 0.0);

    std::erase_if(request.Flux, [](const FluxPoint& p) { return p.Amps > 2.0; });
    const Discharge beyond = RunDischarge(request);
    request.Flux.clear();
    const Discharge inCurrent = RunDischarge(request);
    EXPECT_FALSE(beyond.Summary.InLumens);
    EXPECT_DOUBLE_EQ(beyond.Summary.BeyondFluxAmps, beyond.Rows.front().LedAmps);
    EXPECT_EQ(beyond.Summary.Fl1Hours, inCurrent.Summary.Fl1Hours);
    EXPECT_EQ(beyond.Summary.Output30s, inCurrent.Summary.Output30s);
}

// A flat cell without internal resistance on a converter is the runtime
// calculator's own model: the same runtime, to its rounding.
TEST(Discharge, FlatCellOnAConverterGivesTheWindowsRuntime)
{
    const struct {
        const char *current, *vf, *battery, *capacity, *efficiency;
    } rows[] = {
        {"750", "3.5", "4.2", "2000", "83"}, {"100", "3.4", "3.6", "9000", "90"}, {"3000", "6.2", "7.4", "4000", "87"}};
    for (const auto& row : rows) {
        const ConverterOutcome window =
            CalculateConverter({row.current, row.vf, row.battery, row.capacity, "", row.efficiency, "0", "00:00:00"});
        DischargeRequest request;
        request.Battery = FlatCell(*ReadNumber(row.battery), *ReadNumber(row.capacity) / 1000.0);
        const double amps = *ReadNumber(row.current) / 1000.0;
        request.Leds.Curve = CurveThrough({amps, *ReadNumber(row.vf)});
        request.Driver = {DriverKind::Converter, amps, 0.15, *ReadNumber(row.efficiency) / 100.0};
        const DischargeSummary s = RunDischarge(request).Summary;
        EXPECT_NEAR(s.Fl1Hours, *ReadNumber(window.Fields.Runtime), 0.005 + 1e-9) << row.current << " mA";
        EXPECT_EQ(s.End, DischargeEnd::Empty);
    }
}

// A linear regulator holds its current, then falls to direct drive without
// a step; a direct drive has no regulation at all.
TEST(Discharge, LinearLeavesRegulationWithoutACliff)
{
    const Discharge run = RunDischarge(Build("18650", {}, "xp-g", DriverKind::Linear, 2.8));
    ASSERT_GT(run.Summary.RegulatedHours, 0.0);
    EXPECT_LT(run.Summary.RegulatedHours, run.Summary.Fl1Hours);
    for (std::size_t k = 1; k < run.Rows.size(); ++k) {
        if (run.Rows[k].Lit) {
            EXPECT_LT(run.Rows[k - 1].LedAmps - run.Rows[k].LedAmps, 0.1 * 2.8) << run.Rows[k].Hours;
        }
    }
    EXPECT_EQ(RunDischarge(Build("18650", {}, "lh351d", DriverKind::Direct, 0)).Summary.RegulatedHours, 0.0);
}

} // namespace
} // namespace lumora

namespace lumora {
namespace {

// The optics scale the output and nothing electrical: every row's currents
// and voltages as with the bare emitter, its lumens in proportion.
// A linear regulator holds its current exactly where the string's own
// operating point, with the pass element fully on, would reach it: in
// series or parallel, behind a resistor and a cell's resistance, on either
// side of the edge.
TEST(Linear, RegulatesExactlyWhereTheOperatingPointReachesItsCurrent)
{
    const LedCurve curve = FittedCurve(*LedNamed("lh351d"));
    const Driver driver{DriverKind::Linear, 1.5, 0.15, 1.0};
    for (const auto& [count, wiring, ohms] : {std::tuple{1.0, Wiring::Series, 0.0},
                                              {2.0, Wiring::Series, 0.2},
                                              {3.0, Wiring::Parallel, 0.1},
                                              {2.0, Wiring::Parallel, 0.0}}) {
        const LedString leds{curve, count, wiring, ohms};
        const double internal = 0.05, pass = driver.DropoutVolts / (leds.InParallel() * driver.RegulatedAmps);
        // The open-circuit voltage at which the fully-on string carries the current.
        double low = 0.0, high = 40.0;
        for (int i = 0; i < 200; ++i) {
            const double middle = (low + high) / 2.0;
            (SolveOperatingPoint(leds, middle, internal + pass).LedAmps < driver.RegulatedAmps ? low : high) = middle;
        }
        for (const double volts : {low * (1.0 - 1e-6), high * (1.0 + 1e-6)}) {
            const DriverPoint at = Operate(driver, leds, volts, internal, 0.0);
            EXPECT_EQ(at.Regulated, volts > high) << count << " LEDs at " << volts << " V";
            EXPECT_NEAR(at.Point.LedAmps,
                        volts > high ? driver.RegulatedAmps : SolveOperatingPoint(leds, volts, internal + pass).LedAmps,
                        1e-9);
        }
    }
}

TEST(Optics, ScaleTheOutputAndNothingElectrical)
{
    DischargeRequest bare = Build("18650", {}, "lh351d", DriverKind::Linear, 1.5);
    DischargeRequest behind = bare;
    behind.OpticsShare = 0.8;
    const Discharge a = RunDischarge(bare), b = RunDischarge(behind);
    ASSERT_TRUE(a.Summary.InLumens);
    ASSERT_EQ(a.Rows.size(), b.Rows.size());
    for (std::size_t i = 0; i < a.Rows.size(); ++i) {
        EXPECT_DOUBLE_EQ(a.Rows[i].BatteryAmps, b.Rows[i].BatteryAmps) << i;
        EXPECT_DOUBLE_EQ(a.Rows[i].LedVolts, b.Rows[i].LedVolts) << i;
        EXPECT_NEAR(b.Rows[i].Output, 0.8 * a.Rows[i].Output, 1e-9 * a.Rows[i].Output) << i;
        EXPECT_DOUBLE_EQ(a.Rows[i].OutputPercent, b.Rows[i].OutputPercent) << i;
    }
    EXPECT_DOUBLE_EQ(a.Summary.Fl1Hours, b.Summary.Fl1Hours);
}

// What the optics keep warms the head: in a host, the light behind optics
// heats more than the bare emitter, by the light's power the optics keep.
TEST(Optics, WarmTheHostWithTheLightTheyKeep)
{
    DischargeRequest bare = Build("18650", {}, "lh351d", DriverKind::Converter, 1.5);
    bare.Heat.Host = {6.0, 100.0, true};
    DischargeRequest behind = bare;
    behind.OpticsShare = 0.5;
    const Discharge a = RunDischarge(bare), b = RunDischarge(behind);
    // At switch-on, the host still at the ambient: the same electrical
    // point, half the light's power more heat.
    const double light = a.Rows.front().LedWatts - (a.Rows.front().HeatW - a.Rows.front().LossWatts);
    EXPECT_NEAR(b.Rows.front().HeatW - a.Rows.front().HeatW, 0.5 * light, 1e-6);
    EXPECT_GT(b.Summary.PeakHostC, a.Summary.PeakHostC);
}

} // namespace
} // namespace lumora
