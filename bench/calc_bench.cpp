// SPDX-License-Identifier: MIT
// One press of "Calculate" in the calculation core, without any window: the
// checks, the solve and the texts written back.
#include "target_reporter.h"

#include "calc/converter.h"
#include "calc/resistor.h"

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

} // namespace
} // namespace lumora::bench
