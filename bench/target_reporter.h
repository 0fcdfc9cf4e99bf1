// SPDX-License-Identifier: MIT
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace lumora::bench {

// Name of the counter through which a benchmark declares its time target in
// microseconds per iteration.
inline const char* const TargetCounter = "target_us";

// Declares the time target of the running benchmark; the reporter checks it.
inline void SetTarget(benchmark::State& state, double microseconds)
{
    state.counters[TargetCounter] = benchmark::Counter(microseconds);
}

// The console report, followed by a line for every benchmark with a target:
// its real time per iteration against that target. With repetitions only the
// median is judged. A benchmark that stopped with an error counts as missed.
class TargetReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

    // The benchmarks that took longer than their target, with their times,
    // and those that stopped with an error.
    const std::vector<std::string>& Missed() const { return m_missed; }

  private:
    std::vector<std::string> m_judged;
    std::vector<std::string> m_missed;
};

// Runs the benchmarks the arguments select, judged against their targets:
// 0 when all met them, 1 when one missed, 2 for an argument not understood.
inline int RunJudged(int& argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.Missed().empty() ? 0 : 1;
}

} // namespace lumora::bench
