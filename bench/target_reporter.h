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

} // namespace lumora::bench
