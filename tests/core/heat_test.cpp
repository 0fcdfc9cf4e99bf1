// SPDX-License-Identifier: MIT
// The light's heat against the first-order network's own laws: the steady
// rise, the time constant, the limit held and the heat it sheds, steps
// that do not matter; and the hosts made from their materials.
#include "calc/light/battery_presets.h"
#include "calc/light/discharge.h"
#include "calc/light/discharge_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace lumora {
namespace {

// An LED that does not follow its temperature, on a converter from a flat
// cell: a constant heat, so that the host is a plain RC step.
DischargeRequest ConstantHeat(double kPerW, double jPerK)
{
    DischargeRequest request;
    request.Battery = FlatCell(4.0, 50.0);
    request.Leds.Curve = FittedCurve(*LedNamed("xp-g"));
    request.Driver = {DriverKind::Converter, 1.0, 0.15, 0.9};
    request.Heat.Host = {kPerW, jPerK, true};
    request.Heat.Led = {LedThermal::Reference::SolderPoint, 25.0, 4.0, 0.0, 0.0, 0.3};
    return request;
}

double HostAt(const std::vector<DischargeRow>& rows, double hours)
{
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].Hours >= hours && rows[k].Hours > rows[k - 1].Hours)
            return rows[k - 1].HostC + (rows[k].HostC - rows[k - 1].HostC) * (hours - rows[k - 1].Hours) /
                                           (rows[k].Hours - rows[k - 1].Hours);
    }
    return rows.back().HostC;
}

// At constant heat the host rises to heat times resistance, and by 63.2 %
// of that rise at one time constant.
TEST(Heat, RisesAsAFirstOrderStep)
{
    for (const auto& [kPerW, jPerK] : {std::pair{8.0, 60.0}, std::pair{3.0, 400.0}}) {
        const Discharge run = RunDischarge(ConstantHeat(kPerW, jPerK));
        const DischargeRow& late = run.Rows[run.Rows.size() / 2];
        ASSERT_GT(late.Hours, 10.0 * kPerW * jPerK / 3600.0);
        const double rise = late.HeatW * kPerW;
        EXPECT_NEAR(late.HostC - 25.0, rise, 0.005 * rise);
        const double tau = kPerW * jPerK / 3600.0;
        EXPECT_NEAR(HostAt(run.Rows, tau) - 25.0, (1.0 - std::exp(-1.0)) * rise, 0.005 * rise);
    }
}

DischargeRequest Lh351dInTube(std::optional<double> limit)
{
    DischargeRequest request;
    request.Battery = ModelOf(*BatteryNamed("18650"), Pack{});
    request.Battery.CutOffVolts = 0.0;
    const LedPreset& preset = *LedNamed("lh351d");
    request.Leds.Curve = FittedCurve(preset);
    request.Flux.assign(preset.Flux.begin(), preset.Flux.end());
    request.Heat.Host = HostOf(*NamedHostNamed("18650-tube"));
    request.Heat.Led = preset.Thermal;
    request.Heat.LimitC = limit;
    return request;
}

// Held at a limit, the host never passes it by more than 0.5 K and sheds
// (limit - ambient) / resistance, within 1 %, for a direct (PWM) and a
// regulated driver.
TEST(Heat, LimitHoldsTheHostAndShedsWhatItCan)
{
    DischargeRequest direct = Lh351dInTube(55.0);
    DischargeRequest linear = Lh351dInTube(50.0);
    linear.Driver = {DriverKind::Linear, 4.0, 0.15, 1.0};
    for (const DischargeRequest& request : {direct, linear}) {
        const Discharge run = RunDischarge(request);
        const double limit = *request.Heat.LimitC;
        for (const DischargeRow& row : run.Rows)
            EXPECT_LE(row.HostC, limit + 0.5);
        ASSERT_TRUE(run.Summary.LimitHours);
        const double shed = (limit - 25.0) / request.Heat.Host.KelvinPerWatt;
        EXPECT_NEAR(run.Summary.SustainedHeatW, shed, 0.01 * shed);
        EXPECT_NEAR(run.Summary.PeakHostC, limit, 0.5);
    }
}

// The sustained output is the level the rows settle at: after a timed
// step-down, every lit row of the next ten minutes within 2 % of it.
TEST(Heat, SustainedOutputIsTheSettledRowsLevel)
{
    DischargeRequest request = Lh351dInTube(std::nullopt);
    request.Driver = {DriverKind::Converter, 3.0, 0.15, 0.85};
    request.Heat.TimedStepDown = StepDown{3.0, 0.3};
    const Discharge run = RunDischarge(request);
    ASSERT_TRUE(run.Summary.SettledHours);
    EXPECT_GE(*run.Summary.SettledHours, 3.0 / 60.0 - 1e-9);
    int rows = 0;
    for (const DischargeRow& row : run.Rows) {
        if (row.Lit && row.Hours >= *run.Summary.SettledHours && row.Hours <= *run.Summary.SettledHours + 1.0 / 6.0) {
            EXPECT_NEAR(row.Output, run.Summary.SustainedOutput, 0.02 * run.Summary.SustainedOutput) << row.Hours;
            ++rows;
        }
    }
    EXPECT_GE(rows, 3);
    EXPECT_NEAR(*run.Summary.TurboHours, 3.0 / 60.0, 1e-9);
}

// Rows of a hosted light, still at 40 °C, stepped down at 3 min, its output
// then falling by 'fallPerTenMinutes' of itself every ten minutes.
Discharge Falling(double lumens, double fallPerTenMinutes)
{
    Discharge run;
    for (int minute = 0; minute <= 120; ++minute) {
        DischargeRow row;
        row.Hours = minute / 60.0;
        row.HostC = 40.0;
        row.SteppedDown = minute == 3;
        row.Output = minute < 3 ? 2.0 * lumens : lumens * (1.0 - fallPerTenMinutes * (minute - 3) / 10.0);
        run.Rows.push_back(row);
    }
    return run;
}

// The output counts as settled when it moves by under 2 % of itself over ten
// minutes, whatever its size: a 1,000 lm light falling 1 % per ten minutes
// has settled at its step-down, one falling 3 % has not.
TEST(Heat, SettledIsAShareOfTheOutput)
{
    for (const double lumens : {1000.0, 0.5}) {
        Discharge slow = Falling(lumens, 0.01);
        discharge_step::Summarise(slow, true);
        ASSERT_TRUE(slow.Summary.SettledHours) << lumens;
        EXPECT_NEAR(*slow.Summary.SettledHours, 3.0 / 60.0, 1e-9) << lumens;
        EXPECT_NEAR(slow.Summary.SustainedOutput, lumens, 1e-9 * lumens);
        Discharge fast = Falling(lumens, 0.03);
        discharge_step::Summarise(fast, true);
        EXPECT_FALSE(fast.Summary.SettledHours) << lumens;
    }
}

// Halving the steps changes the FL1 runtime, the 30-s output and the
// sustained output by under 0.5 %, with a host and with a limit.
TEST(Heat, StepsDoNotMatter)
{
    DischargeRequest stepped = Lh351dInTube(std::nullopt);
    stepped.Heat.TimedStepDown = StepDown{3.0, 0.5};
    for (DischargeRequest request : {Lh351dInTube(std::nullopt), Lh351dInTube(55.0), stepped}) {
        const DischargeSummary coarse = RunDischarge(request).Summary;
        request.StepFraction /= 2.0;
        const DischargeSummary fine = RunDischarge(request).Summary;
        EXPECT_NEAR(coarse.Fl1Hours, fine.Fl1Hours, 0.005 * fine.Fl1Hours);
        EXPECT_NEAR(coarse.Output30s, fine.Output30s, 0.005 * fine.Output30s);
        EXPECT_NEAR(coarse.SustainedOutput, fine.SustainedOutput, 0.005 * fine.SustainedOutput);
    }
}

// Energy drawn is what the LEDs and the losses take, with a host warming
// and a limit throttling; a hot LED gives less light than a cold one.
TEST(Heat, KeepsTheEnergyBalanceAndDimsTheLed)
{
    for (const std::optional<double> limit : {std::optional<double>(), std::optional<double>(50.0)}) {
        const DischargeSummary s = RunDischarge(Lh351dInTube(limit)).Summary;
        EXPECT_NEAR(s.DeliveredWh + s.ResistorWh + s.InternalWh + s.DriverWh, s.DrawnWh, 1e-3 * s.DrawnWh);
    }
    DischargeRequest linear = Lh351dInTube(std::nullopt);
    linear.Driver = {DriverKind::Linear, 2.0, 0.15, 1.0};
    const Discharge run = RunDischarge(linear);
    // A quarter of the way through the run, still regulated, the LED warm.
    const auto quarter = std::find_if(run.Rows.begin(), run.Rows.end(),
                                      [&](const DischargeRow& row) { return row.Hours >= run.Summary.EndHours / 4.0; });
    ASSERT_TRUE(quarter->Regulated);
    EXPECT_LT(quarter->Output, 0.95 * run.Summary.StartOutput);
}

// A timed step-down takes the current to its share at its time.
TEST(Heat, StepsDownOnTime)
{
    DischargeRequest request = ConstantHeat(8.0, 60.0);
    request.Heat.TimedStepDown = StepDown{3.0, 0.5};
    const Discharge run = RunDischarge(request);
    const auto after =
        std::find_if(run.Rows.begin(), run.Rows.end(), [](const DischargeRow& row) { return row.Throttle < 1.0; });
    ASSERT_NE(after, run.Rows.end());
    EXPECT_NEAR(after->Hours * 60.0, 3.0, 1e-6);
    EXPECT_NEAR(after->LedAmps, 0.5, 1e-9);
}

// A host's resistance is its surface's: still-air convection and radiation
// at the stated coefficients; its capacity its mass's.
TEST(Heat, HostsFromTheirMaterials)
{
    const HostMaterial& aluminium = *HostMaterialNamed("aluminium");
    const Host host = HostOf(100.0, aluminium, 100.0);
    EXPECT_NEAR(host.JoulesPerKelvin, 90.3, 1e-9);
    // 1.32 (30 / 0.025)^0.25 + 4 ε σ (313.15 K)³ W/(m² K), on 0.01 m².
    const double h = 1.32 * std::pow(1200.0, 0.25) + 4.0 * 0.82 * 5.670374e-8 * std::pow(313.15, 3);
    EXPECT_NEAR(host.KelvinPerWatt, 1.0 / (h * 0.01), 1e-9);
    EXPECT_GT(HostOf(100.0, *HostMaterialNamed("plastic"), 100.0).JoulesPerKelvin, host.JoulesPerKelvin);
}

} // namespace
} // namespace lumora

namespace lumora {
namespace {

// A data sheet's typical point and a bench test of the same LED, brought to
// the sheet's junction temperature, agree within 100 mV: the bench preset's
// curve at the solder-point temperature that puts its junction there.
// Luminus SST-20-WxS data sheet: 3.0 V typical at 1.5 A, Tj 85 °C (as
// quoted in the preset's source); koef3's SST-25 G2 bench test (sst-20
// preset) at a 25 °C solder point. The only such pair at hand, and of
// sibling LEDs: the SST-25's larger die sits lower.
TEST(LedTemperatures, BringSheetAndBenchTogether)
{
    struct Row {
        const char* bench;
        double amps, sheetVolts, sheetJunctionC;
    };
    for (const Row row : {Row{"sst-20", 1.5, 3.0, 85.0}}) {
        const LedPreset& preset = *LedNamed(row.bench);
        const LedCurve curve = FittedCurve(preset);
        // The LED's own heat, at the bench's efficacy and 300 lm per optical watt.
        const double electric = ForwardVoltage(curve, row.amps) * row.amps;
        const double heat = electric - *LumensAt(preset.Flux, row.amps) / WhiteLumensPerWatt;
        const double solderC = row.sheetJunctionC - preset.Thermal.JunctionSolderKPerW * heat;
        const double volts = ForwardVoltage(curve, row.amps) + VoltShift(preset.Thermal, solderC, heat);
        EXPECT_NEAR(volts, row.sheetVolts, 0.1) << row.bench;
    }
}

} // namespace
} // namespace lumora
