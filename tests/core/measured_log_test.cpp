// SPDX-License-Identifier: MIT
// A light meter's log beside the prediction: read as a builder's meter
// writes it, refused where no light could have made it, and its figures
// against a log made from the prediction itself.
#include "calc/reports/light_run.h"
#include "calc/reports/measured_log.h"
#include "calc/request/light_inputs.h"

#include <gtest/gtest.h>

#include <string>

namespace lumora {
namespace {

struct RefusedLog {
    const char* name;
    const char* text;
    const char* words; // in the refusal
};

void PrintTo(const RefusedLog& row, std::ostream* os) { *os << row.name; }

class RefusedLogs : public testing::TestWithParam<RefusedLog> {};

TEST_P(RefusedLogs, NameTheirLine)
{
    const auto read = ReadMeasuredLog(GetParam().text);
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_NE(std::get<std::string>(read).find(GetParam().words), std::string::npos) << std::get<std::string>(read);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedLogs,
    testing::Values(RefusedLog{"Empty", "", "empty"}, RefusedLog{"OnlyComments", "# a meter\n\n", "empty"},
                    RefusedLog{"NoTime", "minutes,lm\n0,9\n1,8\n", "line 1: the header has no column time_min"},
                    RefusedLog{"NoOutput", "time_min,lux\n0,9\n1,8\n", "line 1: the header has no column lm or pct"},
                    RefusedLog{"BothOutputs", "time_min,lm,pct\n0,9,100\n", "both lm and pct"},
                    RefusedLog{"Backwards", "time_min,lm\n0,900\n2,890\n1,880\n", "line 4: time runs backwards"},
                    RefusedLog{"BeforeTheStart", "time_min,lm\n-1,900\n2,890\n", "line 2: a time before the start"},
                    RefusedLog{"Negative", "# meter\ntime_min,lm\n0,900\n1,-3\n", "line 4: a negative output"},
                    RefusedLog{"NoNumber", "time_min,lm\n0,900\n1,bright\n", "line 3: a time or an output"},
                    RefusedLog{"MissingCell", "time_min,lm\n0,900\n1\n", "line 3: a time or an output"},
                    RefusedLog{"Infinite", "time_min,lm\n0,900\n1,1e999\n", "line 3: a time or an output"},
                    RefusedLog{"OpenQuote", "time_min,lm\n0,\"900\n", "line 2: a quote left open"},
                    RefusedLog{"OneReading", "time_min,lm\n0,900\n", "fewer than two readings"},
                    RefusedLog{"OneTime", "time_min,lm\n0,900\n0,800\n", "fewer than two readings"}),
    [](const auto& info) { return std::string(info.param.name); });

// A meter's export as it comes: CRLF, a comment, blank lines, a quoted
// header, columns of its own; the FL1 runtime where the output crosses 10 %
// of its 30-s value, straight between readings, or the log's end.
TEST(MeasuredLogs, ReadAsAMeterWritesThem)
{
    const auto read =
        ReadMeasuredLog("# meter\r\n\r\n\"Time_min\",note,LM\r\n0,on,120\r\n0.5,,100\r\n10,,50\r\n20,,0\r\n");
    ASSERT_TRUE(std::holds_alternative<MeasuredLog>(read)) << std::get<std::string>(read);
    const MeasuredLog& log = std::get<MeasuredLog>(read);
    EXPECT_TRUE(log.InLumens);
    ASSERT_EQ(log.Points.size(), 4u);
    const MeasuredFigures figures = FiguresOf(log);
    EXPECT_DOUBLE_EQ(figures.Output30s, 100.0);
    EXPECT_TRUE(figures.Reached);
    EXPECT_NEAR(figures.Fl1Hours * 60.0, 18.0, 1e-9); // 50 to 0 between 10 and 20 min crosses 10 at 18
    const MeasuredLog endless = std::get<MeasuredLog>(ReadMeasuredLog("time_min,pct\n0,100\n30,95\n"));
    EXPECT_FALSE(endless.InLumens);
    EXPECT_FALSE(FiguresOf(endless).Reached);
    EXPECT_DOUBLE_EQ(FiguresOf(endless).Fl1Hours, 0.5);
}

LightRun Predicted()
{
    LightInputs inputs;
    for (const auto& [key, text] : {std::pair{"led", "lh351d"},
                                    {"cell", "samsung-30q"},
                                    {"driver", "converter"},
                                    {"current", "3000"},
                                    {"step-down", "3:45"}})
        inputs.Give(key, text);
    return RunLight(inputs);
}

std::string FigureOf(const LightRun& run, const std::string& key)
{
    for (const RunField& field : run.Figures)
        if (field.Key == key)
            return field.Text;
    return "none";
}

// A log made from the prediction itself, its time stretched and its output
// scaled by known factors, gives those factors as its ratios.
TEST(MeasuredLogs, GiveTheFactorsTheyWereStretchedBy)
{
    for (const auto& [time, output] : {std::pair{1.0, 1.0}, {1.25, 0.9}, {0.8, 1.1}}) {
        LightRun run = Predicted();
        ASSERT_TRUE(run.Refusals.empty());
        MeasuredLog log;
        for (const DischargeRow& row : run.Run.Rows)
            log.Points.push_back({row.Hours * 60.0 * time, row.Output * output});
        const PlotLine line = CompareMeasured(run, log, "stretched.csv");
        EXPECT_NEAR(std::stod(FigureOf(run, "measured_fl1_ratio")), time, 0.01) << time;
        EXPECT_NEAR(std::stod(FigureOf(run, "measured_output_30s_ratio")), output, 0.01) << output;
        EXPECT_EQ(FigureOf(run, "measured_fl1_reached"), "true");
        EXPECT_EQ(line.Label, "measured: stretched.csv");
        // Drawn against the prediction's 30-s lumens.
        EXPECT_NEAR(line.Points.front().second,
                    100.0 * output * run.Run.Rows.front().Output / run.Run.Summary.Output30s, 1e-9);
    }
}

// A lumen log beside a prediction in LED current (an LED with no flux) has
// no ratio at 30 s: lumens are never held against milliamps. It is drawn in
// percent of its own output at 30 s.
TEST(MeasuredLogs, InLumensAreNotHeldAgainstACurrent)
{
    LightInputs inputs;
    for (const auto& [key, text] : {std::pair{"led", "5mm"}, {"cell", "AA"}, {"pack", "2S"}, {"current", "20"}})
        inputs.Give(key, text);
    LightRun run = RunLight(inputs);
    ASSERT_TRUE(run.Refusals.empty()) << run.Refusals.front().Text;
    ASSERT_FALSE(run.Run.Summary.InLumens);
    MeasuredLog log;
    log.InLumens = true;
    for (const double minutes : {0.0, 0.5, 60.0, 120.0})
        log.Points.push_back({minutes, 6.0 - minutes / 30.0});
    const PlotLine line = CompareMeasured(run, log, "meter.csv");
    EXPECT_EQ(FigureOf(run, "measured_output_30s"), "6");
    EXPECT_EQ(FigureOf(run, "measured_output_30s_ratio"), "");
    EXPECT_NEAR(line.Points.front().second, 100.0 * 6.0 / (6.0 - 0.5 / 30.0), 1e-9);
}

} // namespace
} // namespace lumora
