// SPDX-License-Identifier: MIT
#include "calc/light/led_model.h"
#include "calc/light/led_presets.h"
#include "calc/light/named_cells.h"
#include "calc/reports/resistor_to_buy.h"
#include "calc/text/field_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace lumora {
namespace {

// Every preset meets its own published or stated points within 35 mV.
TEST(LedPresets, ReproduceTheirPoints)
{
    for (const LedPreset& preset : LedPresets()) {
        const LedCurve curve = FittedCurve(preset);
        for (const LedPoint& point : preset.Points)
            EXPECT_NEAR(ForwardVoltage(curve, point.Amps), point.Volts, 0.035) << preset.Id << " " << point.Amps;
    }
}

// Every LED preset and named cell carries its maker's maximum current with
// the sheet, or says no rating is published and why; the white power LEDs
// all have flux, so a graph of any of them is in lumens.
TEST(LedPresets, EachHasARatingOrSaysNoneIsPublished)
{
    for (const LedPreset& preset : LedPresets()) {
        EXPECT_FALSE(preset.MaxSource.empty()) << preset.Id;
        if (!(preset.MaxAmps > 0.0)) {
            EXPECT_EQ(preset.MaxSource.rfind(NoRatingText, 0), 0u) << preset.Id << ": " << preset.MaxSource;
        }
        const bool indicator = preset.Points.back().Amps <= 0.03;
        EXPECT_EQ(preset.Flux.empty(), indicator) << preset.Id;
    }
    for (const NamedCell& cell : NamedCells())
        EXPECT_FALSE(cell.MaxSource.empty()) << cell.Id;
}

// Published figures of LEDs against the presets' curves, which were fitted
// to other measurements: a Samsung LH351D direct-driven through 0.1 ohm
// draws about 4.5 A at 4.2 V and still about 1 A at 3.1 V ("about": within
// 10 %).
TEST(LedPresets, MeetPublishedOperatingPoints)
{
    const struct {
        const char* name;
        const char* led;
        double volts, ohms, amps;
    } rows[] = {
        {"Lh351dFullCell", "lh351d", 4.2, 0.1, 4.5},
        {"Lh351dEmptyCell", "lh351d", 3.1, 0.1, 1.0},
    };
    for (const auto& row : rows)
        EXPECT_NEAR(CurrentAt(FittedCurve(*LedNamed(row.led)), row.volts, row.ohms), row.amps, 0.1 * row.amps)
            << row.name;
}

// The inverse meets the curve from the dark end to far beyond a power LED,
// with and without resistance in series; never negative, never NaN.
TEST(LedModel, CurrentAtInvertsTheCurve)
{
    const LedCurve curves[] = {FittedCurve(*LedNamed("xm-l2")), FittedCurve(*LedNamed("5mm")), {2.9, 0.09, 0.0}};
    for (const LedCurve& curve : curves) {
        for (double amps : {1e-9, 1e-4, 0.02, 0.35, 3.0, 30.0}) {
            for (double extra : {0.0, 0.1, 47.0}) {
                const double volts = ForwardVoltage(curve, amps) + extra * amps;
                EXPECT_NEAR(CurrentAt(curve, volts, extra), amps, 1e-12 * amps + 1e-15) << amps << " A, " << extra;
            }
        }
        for (double volts : {-1e6, 0.0, 1e6}) {
            const double amps = CurrentAt(curve, volts, 1.0);
            EXPECT_TRUE(amps >= 0.0 && std::isfinite(amps)) << volts;
        }
    }
}

struct FitRow {
    const char* name;
    std::vector<LedPoint> points;
    const char* refusal; // a word of the refusal; nullptr when the fit is taken
};

void PrintTo(const FitRow& row, std::ostream* os) { *os << row.name; }

class Fit : public testing::TestWithParam<FitRow> {};

TEST_P(Fit, RefusesOrMeetsThePoints)
{
    const FitRow& row = GetParam();
    const auto fitted = FitCurve(row.points);
    if (row.refusal) {
        ASSERT_TRUE(std::holds_alternative<std::string>(fitted));
        EXPECT_NE(std::get<std::string>(fitted).find(row.refusal), std::string::npos) << std::get<std::string>(fitted);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<LedCurve>(fitted)) << std::get<std::string>(fitted);
    const LedCurve curve = std::get<LedCurve>(fitted);
    EXPECT_GE(curve.Rs, 0.0);
    EXPECT_GE(curve.B, ThermalVoltage * 0.999);
    for (const LedPoint& point : row.points)
        EXPECT_NEAR(ForwardVoltage(curve, point.Amps), point.Volts, row.points.size() == 2 ? 1e-9 : LargestFitMiss);
}

INSTANTIATE_TEST_SUITE_P(Rows, Fit,
                         testing::Values(
                             // A published table of a 1 W white LED.
                             FitRow{"OneWattTable", {{0.046, 2.8}, {0.115, 3.0}, {0.157, 3.1}}, nullptr},
                             FitRow{"TwoPointsExactly", {{0.35, 2.9}, {1.0, 3.1}}, nullptr},
                             // Too steep for the typical slope with a resistance: the slope gives way.
                             FitRow{"TwoPointsSteep", {{0.01, 2.5}, {0.02, 2.9}}, nullptr},
                             // Bending the wrong way for any resistance: held at Rs = 0.
                             FitRow{"CurvingDown", {{0.1, 2.7}, {0.5, 3.05}, {1.0, 3.15}, {2.0, 3.22}}, nullptr},
                             FitRow{"NotRising", {{0.35, 3.0}, {0.7, 2.9}}, "must rise"},
                             FitRow{"SameCurrentTwice", {{0.35, 3.0}, {0.35, 3.1}}, "current of its own"},
                             FitRow{"ZeroCurrent", {{0.0, 2.5}, {0.35, 3.0}}, "above 0"},
                             FitRow{"ZeroVolts", {{0.1, 0.0}, {0.35, 3.0}}, "above 0"},
                             FitRow{"OnePoint", {{0.35, 3.0}}, "two points"},
                             FitRow{"NoSuchCurve", {{0.1, 2.7}, {0.2, 2.71}, {0.3, 3.4}, {0.4, 3.41}}, "within 50 mV"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SpiceRow {
    const char* name;
    const char* text;
    SpiceDiode diode; // expected when no refusal
    const char* refusal;
};

void PrintTo(const SpiceRow& row, std::ostream* os) { *os << row.name; }

class Spice : public testing::TestWithParam<SpiceRow> {};

TEST_P(Spice, ReadsTheDiodeLine)
{
    const SpiceRow& row = GetParam();
    const auto read = ReadSpiceDiode(row.text);
    if (row.refusal) {
        ASSERT_TRUE(std::holds_alternative<std::string>(read));
        EXPECT_NE(std::get<std::string>(read).find(row.refusal), std::string::npos) << std::get<std::string>(read);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<SpiceDiode>(read)) << std::get<std::string>(read);
    EXPECT_EQ(std::get<SpiceDiode>(read).Is, row.diode.Is);
    EXPECT_EQ(std::get<SpiceDiode>(read).N, row.diode.N);
    EXPECT_EQ(std::get<SpiceDiode>(read).Rs, row.diode.Rs);
    // And back through the curve.
    const SpiceDiode back = SpiceOf(DiodeCurve(row.diode));
    EXPECT_NEAR(back.Is / row.diode.Is, 1.0, 1e-9);
    EXPECT_NEAR(back.N, row.diode.N, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Spice,
    testing::Values(SpiceRow{"Plain", "IS=4.4e-9 N=8.39 RS=7.8", {4.4e-9, 8.39, 7.8}, nullptr},
                    SpiceRow{"ModelLineWithOthers",
                             ".model LFXH D(IS=1.553E-29 N=1.642E+00 RS=8.712E-02 XTI=-7.000E+00 TNOM=25)",
                             {1.553e-29, 1.642, 0.08712},
                             nullptr},
                    SpiceRow{"ScaleSuffixAndSpaces", "is = 4.4n n=3 rs=100m", {4.4e-9, 3, 0.1}, nullptr},
                    SpiceRow{"NoSeriesResistance", "IS=1e-20 N=2", {1e-20, 2, 0}, nullptr},
                    SpiceRow{"NoN", "IS=4.4e-9 RS=7.8", {}, "needs IS and N"},
                    SpiceRow{"NotANumber", "IS=abc N=2", {}, "no number"},
                    SpiceRow{"NegativeN", "IS=1e-9 N=-2", {}, "N must be above 0"},
                    SpiceRow{"NegativeRs", "IS=1e-9 N=2 RS=-1", {}, "RS must be 0 or above"}),
    [](const auto& info) { return std::string(info.param.name); });

// Discharge rows at the edges: a battery at the LED's rated Vf, just below
// and far below. Each row is a point of the curve (battery = Vf + R·I) and
// dark only below 0.1 mA.
TEST(ResistorChoices, DischargeRowsFollowTheCurveAndDarkOnlyBelowATenthOfAMilliamp)
{
    ResistorFields fields{"4.2", "3.1", "350", "", "0.00", "1"};
    const ResistorOutcome solved = CalculateResistor(fields, Wiring::Series);
    const LedCurve curve = CurveThrough({0.35, 3.1});
    const std::vector<BatteryPoint> points = {
        {"full", "4.2"}, {"rated", "3.1"}, {"below", "3"}, {"dim", "2.05"}, {"far", "1.6"}};
    const ChoiceTable table = ChoiceRows(solved, Wiring::Series, {{"solved", solved.Fields.Resistance}}, points, curve);
    ASSERT_EQ(table.Rows.size(), points.size());
    for (std::size_t p = 1; p < points.size(); ++p) {
        const ResistorFields& row = table.Rows[p].Outcome.Fields;
        const double amps = *ReadNumber(row.LedCurrent) / 1000.0;
        const double exact = CurrentAt(curve, *ReadNumber(points[p].Volts), *ReadNumber(row.Resistance));
        EXPECT_NEAR(amps, exact, 0.005e-3) << points[p].Label;
        EXPECT_NEAR(ForwardVoltage(curve, exact) + exact * *ReadNumber(row.Resistance), *ReadNumber(points[p].Volts),
                    1e-9);
        EXPECT_EQ(table.Rows[p].Dark, exact < DarkLedAmps) << points[p].Label;
    }
    EXPECT_FALSE(table.Rows[1].Dark); // at the rated Vf the LED still carries its curve's current
    EXPECT_TRUE(table.Rows[3].Dark);  // 0.05 mA: dark, though it shows
    EXPECT_EQ(table.Rows[3].Outcome.Fields.LedCurrent, "0.05");
    EXPECT_TRUE(table.Rows[4].Dark);
}

} // namespace
} // namespace lumora
