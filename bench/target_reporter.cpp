// SPDX-License-Identifier: MIT
#include "target_reporter.h"

#include <cstdio>
#include <ostream>

namespace lumora::bench {

void TargetReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) {
            // A benchmark that could not measure what it names has no figure
            // to meet its target with.
            m_missed.push_back(run.benchmark_name() + ": " + run.error_message);
            continue;
        }
        const bool judged = run.repetitions > 1 ? run.run_type == Run::RT_Aggregate && run.aggregate_name == "median"
                                                : run.run_type == Run::RT_Iteration;
        const auto target = run.counters.find(TargetCounter);
        if (!judged || target == run.counters.end())
            continue;
        const double micros = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
        const double limit = target->second.value;
        char line[256];
        std::snprintf(line, sizeof line, "%-64s %10.3f us  target %8.3f us  %5.1f%%  %s", run.benchmark_name().c_str(),
                      micros, limit, 100.0 * micros / limit, micros <= limit ? "met" : "MISSED");
        m_judged.emplace_back(line);
        if (micros > limit)
            m_missed.emplace_back(line);
    }
}

void TargetReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << "\nTargets (real time per iteration):\n";
    for (const std::string& line : m_judged)
        out << "  " << line << '\n';
    if (m_missed.empty()) {
        out << "All targets met.\n";
        return;
    }
    out << "Missed or not measured:\n";
    for (const std::string& line : m_missed)
        out << "  " << line << '\n';
}

} // namespace lumora::bench
