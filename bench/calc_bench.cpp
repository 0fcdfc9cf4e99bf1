// SPDX-License-Identifier: MIT
// One press of "Calculate" in the calculation core, without any window: the
// checks, the solve and the texts written back.
#include "target_reporter.h"

#include "calc/calculators/resistor_calculator.h"
#include "calc/calculators/runtime_calculator.h"
#include "calc/light/battery_presets.h"
#include "calc/light/cell_test.h"
#include "calc/light/discharge.h"
#include "calc/light/log_fit.h"
#include "calc/reports/build_choice.h"
#include "calc/reports/build_comparison.h"
#include "calc/reports/cell_comparison.h"
#include "calc/request/drive_solution.h"
#include "calc/request/light_reading.h"

#include <benchmark/benchmark.h>

namespace lumora::bench {
namespace {

constexpr double CoreTargetMicros = 2.0;

// I, Vf, Vb, C, T, E with the display at its start texts.
ConverterFields Converter(const char* i, const char* vf, const char* vb, const char* c, const char* t, const char* e)
{
    return {i, vf, vb, c, t, e, "0", "00:00:00"};
}

// V, F, I, R, n with the wattage at its start text.
ResistorFields Resistor(const char* v, const char* f, const char* i, const char* r, const char* n)
{
    return {v, f, i, r, "0.00", n};
}

void BM_CalculateConverter(benchmark::State& state, const ConverterFields& fields)
{
    const ConverterOutcome first = CalculateConverter(fields);
    if (!first.Windows.empty() || first.Failure != Failure::None || !first.Target) {
        state.SkipWithError("the inputs do not reach a solve");
        return;
    }
    for (auto _ : state) {
        ConverterOutcome outcome = CalculateConverter(fields);
        benchmark::DoNotOptimize(outcome);
    }
    SetTarget(state, CoreTargetMicros);
}

void BM_CalculateResistor(benchmark::State& state, const ResistorFields& fields, Wiring wiring)
{
    const ResistorOutcome first = CalculateResistor(fields, wiring);
    if (!first.Windows.empty() || first.Failure != Failure::None || !first.Target) {
        state.SkipWithError("the inputs do not reach a solve");
        return;
    }
    for (auto _ : state) {
        ResistorOutcome outcome = CalculateResistor(fields, wiring);
        benchmark::DoNotOptimize(outcome);
    }
    SetTarget(state, CoreTargetMicros);
}

// Runtime blank: the common question, "how long will it run?".
BENCHMARK_CAPTURE(BM_CalculateConverter, runtime, Converter("750", "3.5", "4.2", "2000", "", "83"));
// Efficiency blank: the one solve that divides by the runtime.
BENCHMARK_CAPTURE(BM_CalculateConverter, efficiency, Converter("750", "3.5", "4.2", "2000", "2.66", ""));
// Long texts are read in full, whatever their length.
BENCHMARK_CAPTURE(BM_CalculateConverter, capacity_long_texts,
                  Converter("750.000000000", "3.50000000", "4.20000000", "", "2.66000000", "83.0000000"));

BENCHMARK_CAPTURE(BM_CalculateResistor, series_resistance, Resistor("9", "3.5", "20", "", "2"), Wiring::Series);
BENCHMARK_CAPTURE(BM_CalculateResistor, parallel_current, Resistor("4.2", "3.6", "", "2", "4"), Wiring::Parallel);

// One operating point: a direct-driven LH351D through 0.1 ohm on a cell of
// 20 milliohms, the equation solved afresh at each call.
void BM_OperatingPoint(benchmark::State& state)
{
    const LedString leds{FittedCurve(*LedNamed("lh351d")), 1, Wiring::Series, 0.1};
    double volts = 4.2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(volts);
        OperatingPoint point = SolveOperatingPoint(leds, volts, 0.02);
        benchmark::DoNotOptimize(point);
    }
    SetTarget(state, 1.0);
}
BENCHMARK(BM_OperatingPoint);

// Times whole discharges of the request against a target per run.
void TimeDischarge(benchmark::State& state, const DischargeRequest& request, double targetMicros)
{
    for (auto _ : state) {
        Discharge run = RunDischarge(request);
        benchmark::DoNotOptimize(run);
    }
    SetTarget(state, targetMicros);
}

// A whole runtime graph: a full 18650 Li-ion discharge at 1 % steps.
void BM_LiIonGraph(benchmark::State& state)
{
    DischargeRequest request;
    request.Battery = ModelOf(*BatteryNamed("18650"), Pack{});
    request.Leds.Curve = FittedCurve(*LedNamed("lh351d"));
    TimeDischarge(state, request, 2000.0);
}
BENCHMARK(BM_LiIonGraph);

// An alkaline graph, where the two wells matter most: three AAA cells on a
// 300 mA linear regulator.
void BM_AlkalineGraph(benchmark::State& state)
{
    DischargeRequest request;
    request.Battery = ModelOf(*BatteryNamed("AAA"), Pack{3, 1});
    request.Leds.Curve = FittedCurve(*LedNamed("xp-g"));
    request.Driver = {DriverKind::Linear, 0.3, 0.15, 1.0};
    TimeDischarge(state, request, 2000.0);
}
BENCHMARK(BM_AlkalineGraph);

// An LH351D on direct drive in a 1x18650 tube, from a full cell of a
// preset, held at a limit when one is given.
DischargeRequest InTube(const char* cell, std::optional<double> limitC)
{
    DischargeRequest request;
    request.Battery = ModelOf(*BatteryNamed(cell), Pack{});
    request.Battery.CutOffVolts = 0.0;
    const LedPreset& preset = *LedNamed("lh351d");
    request.Leds.Curve = FittedCurve(preset);
    request.Flux.assign(preset.Flux.begin(), preset.Flux.end());
    request.Heat.Host = HostOf(*NamedHostNamed("18650-tube"));
    request.Heat.Led = preset.Thermal;
    request.Heat.LimitC = limitC;
    return request;
}

// A graph with heat, free or held at 55 °C.
void BM_HeatedGraph(benchmark::State& state)
{
    TimeDischarge(state, InTube("18650", state.range(0) ? std::optional<double>(55.0) : std::nullopt), 5000.0);
}
BENCHMARK(BM_HeatedGraph)->Arg(0)->Arg(1);

// The same with the new cell model at work: a Sony VTC6, its polarisation
// and its own temperature, held at 55 °C.
void BM_HighDrainGraph(benchmark::State& state) { TimeDischarge(state, InTube("sony-vtc6", 55.0), 5000.0); }
BENCHMARK(BM_HighDrainGraph);

// A cell fitted to two logs of about 200 readings each (1 A and 5 A).
void BM_FitTwoLogs(benchmark::State& state)
{
    const CellModel cell = ModelOf(*BatteryNamed("samsung-30q"), Pack{});
    std::vector<DischargeLog> logs;
    for (double amps : {1.0, 5.0}) {
        DischargeLog log;
        for (const CellTestPoint& point : RunCellTest(cell, {LoadKind::Current, amps}, 2.5).Curve)
            log.Points.push_back({point.Hours * 3600.0, point.TerminalVolts, point.Amps});
        logs.push_back(std::move(log));
    }
    for (auto _ : state) {
        auto fitted = FitCellToLogs(logs, 0.028);
        benchmark::DoNotOptimize(fitted);
    }
    SetTarget(state, 1e6);
}
BENCHMARK(BM_FitTwoLogs);

// The battery test of ten cells at five currents, with its table.
void BM_CellComparison(benchmark::State& state)
{
    CellComparisonRequest request;
    request.Cells = {"samsung-30q", "samsung-35e", "sony-vtc6",    "lg-mj1",      "molicel-p28a",
                     "samsung-40t", "samsung-50e", "molicel-p42a", "duracell-aa", "eneloop-aa"};
    request.Loads = {"0.5", "1", "2", "5", "10"};
    for (auto _ : state) {
        CellComparison comparison = CompareCells(request);
        benchmark::DoNotOptimize(comparison);
    }
    SetTarget(state, 50000.0);
}
BENCHMARK(BM_CellComparison);

// The light the graph's example builds: an LH351D on a linear driver in a
// 1x18650 tube held at 55 °C, with a current or a wanted output.
LightInputs ExampleInputs(const char* key, const char* text)
{
    LightInputs inputs;
    for (const auto& [k, t] : {std::pair{"led", "lh351d"},
                               {"cell", "18650"},
                               {"driver", "linear"},
                               {"host", "18650-tube"},
                               {"thermal-limit", "55"},
                               {key, text}})
        inputs.Give(k, t);
    return inputs;
}

// What a wanted output adds to a graph: the drive solved, each guess the
// run as far as 30 s, against 2 ms.
void BM_WantedOutputSolve(benchmark::State& state)
{
    const ReadLight read = ReadLightInputs(ExampleInputs("current", "1000"));
    const AssembledLight light = std::get<AssembledLight>(AssembleLight(read.Request));
    for (auto _ : state) {
        Assembly solved = SolveDrive(light, 900.0);
        benchmark::DoNotOptimize(solved);
    }
    SetTarget(state, 2000.0);
}
BENCHMARK(BM_WantedOutputSolve);

// Eight builds side by side, each its whole heated graph, against 20 ms.
void BM_EightBuilds(benchmark::State& state)
{
    std::vector<std::vector<InputChange>> others;
    for (const char* changes : {"led=sft-40", "led=sst-20", "led=519a", "cell=samsung-30q", "current=2000",
                                "current=3000", "host=21700-tube"})
        others.push_back(std::get<std::vector<InputChange>>(ReadChanges(changes)));
    const LightInputs first = ExampleInputs("current", "2800");
    for (auto _ : state) {
        BuildComparison comparison = CompareBuilds(first, others);
        benchmark::DoNotOptimize(comparison);
    }
    SetTarget(state, 20000.0);
}
BENCHMARK(BM_EightBuilds);

// The whole search for a build: 1,000 lm for an hour from one 18650, every
// LED with flux, count, wiring, named 18650 and regulated driver; against
// 200 ms without a host and 1 s in one at 40 °C (Arg 1).
void BM_ChooseBuild(benchmark::State& state)
{
    BuildQuestion question;
    question.Lumens = 1000.0;
    question.RuntimeHours = 1.0;
    question.Held.Give("cell", "18650");
    if (state.range(0)) {
        question.Held.Give("host", "18650-tube");
        question.Held.Give("ambient", "40");
    }
    for (auto _ : state) {
        BuildChoice choice = ChooseBuild(question);
        benchmark::DoNotOptimize(choice);
    }
    SetTarget(state, state.range(0) ? 1e6 : 2e5);
}
BENCHMARK(BM_ChooseBuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lumora::bench
