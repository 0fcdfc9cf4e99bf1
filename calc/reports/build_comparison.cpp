// SPDX-License-Identifier: MIT
#include "calc/reports/build_comparison.h"

#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

namespace lumora {

namespace {

// The summary line of a label; nullptr for none.
const RunLine* LineOf(const LightRun& run, std::string_view label)
{
    const auto line =
        std::find_if(run.Summary.begin(), run.Summary.end(), [&](const RunLine& l) { return l.Label == label; });
    return line == run.Summary.end() ? nullptr : &*line;
}

// A summary line as shown: "1.21 h (01:12:40)"; "" where the run has none.
std::string Shown(const LightRun& run, std::string_view label)
{
    const RunLine* line = LineOf(run, label);
    if (!line)
        return "";
    std::string text = line->Value;
    for (const std::string* part : {&line->Unit, &line->Mark})
        if (!part->empty())
            text += " " + *part;
    return text;
}

// "+120 lm", "−35 min" (a true minus sign), "same".
std::string Difference(double delta, int decimals, const std::string& unit)
{
    const std::string size = RoundedText(std::fabs(delta), decimals);
    if (size == RoundedText(0.0, decimals))
        return "same";
    return (delta > 0.0 ? "+" : "\u2212") + size + " " + unit;
}

// A duration's difference: in minutes, in hours from two hours on.
std::string DurationDifference(double hours)
{
    return std::fabs(hours) < 2.0 ? Difference(hours * 60.0, 0, "min") : Difference(hours, 1, "h");
}

// One figure: its words for a build (the summary line of 'line', or what
// 'words' makes), and the number its difference is of (nullopt where there
// is none to compare), that difference in 'unit' or, for a duration, in
// minutes or hours; 'sameUnit' where two runs' numbers compare only in the
// same unit of output.
struct Figure {
    const char* label;
    const char* line;
    std::string (*words)(const LightRun&);
    std::optional<double> (*number)(const LightRun&);
    const char* unit;
    int decimals;
    bool duration, sameUnit;
};

std::optional<double> Hosted(const LightRun& run, double value)
{
    return run.Run.Rows.empty() || run.Run.Rows.front().HostC == 0.0 ? std::nullopt : std::optional<double>(value);
}

std::string DriveWords(const LightRun& r)
{
    const std::string current = UnderstoodText(r, "current_ma");
    return (current.empty() ? UnderstoodText(r, "resistance_ohm") + " ohm in series" : current + " mA") +
           (UnderstoodText(r, "solved").empty() ? "" : " (solved)");
}

std::optional<double> DriveNumber(const LightRun& r) { return ReadNumber(UnderstoodText(r, "current_ma")); }

std::string StepDownWords(const LightRun& r)
{
    const std::optional<double> turbo = r.Run.Summary.TurboHours;
    return turbo ? "after " + RoundedText(*turbo * 60.0, 1) + " min" : std::string("none");
}

std::optional<double> Sustained(const LightRun& r)
{
    const DischargeSummary& s = r.Run.Summary;
    return s.SettledHours ? std::optional<double>(s.SustainedOutput) : std::nullopt;
}

std::string JunctionWords(const LightRun& r)
{
    return Hosted(r, 0.0) ? RoundedText(PeakJunctionC(r), 1) + " °C" : std::string();
}

std::string WarningWords(const LightRun& r)
{
    return r.Warnings.empty() ? std::string("none") : std::to_string(r.Warnings.size());
}

constexpr Figure Figures[] = {
    {"Drive", nullptr, DriveWords, DriveNumber, "mA", 0, false, false},
    {"Output at 30 s", "Output at 30 s", nullptr,
     [](const LightRun& r) -> std::optional<double> { return r.Run.Summary.Output30s; }, "lm", 0, false, true},
    {"FL1 runtime", "FL1 runtime", nullptr,
     [](const LightRun& r) -> std::optional<double> { return r.Run.Summary.Fl1Hours; }, "", 0, true, false},
    {"Step-down", nullptr, StepDownWords, [](const LightRun& r) { return r.Run.Summary.TurboHours; }, "", 0, true,
     false},
    {"Sustained output", "Sustained output", nullptr, Sustained, "lm", 0, false, true},
    {"Peak host temperature", "Peak host temperature", nullptr,
     [](const LightRun& r) { return Hosted(r, r.Run.Summary.PeakHostC); }, "K", 1, false, false},
    {"Peak LED junction", nullptr, JunctionWords, [](const LightRun& r) { return Hosted(r, PeakJunctionC(r)); }, "K", 1,
     false, false},
    {"Energy drawn", "Energy drawn", nullptr,
     [](const LightRun& r) -> std::optional<double> { return r.Run.Summary.DrawnWh; }, "Wh", 2, false, false},
    {"Warnings", nullptr, WarningWords, [](const LightRun&) -> std::optional<double> { return std::nullopt; }, "", 0,
     false, false},
};

std::vector<ComparedRow> RowsOf(const std::vector<ComparedBuild>& builds)
{
    std::vector<ComparedRow> rows;
    const LightRun& first = builds.front().Run;
    for (const Figure& figure : Figures) {
        ComparedRow row{figure.label, {}};
        for (const ComparedBuild& build : builds) {
            ComparedCell cell{figure.line ? Shown(build.Run, figure.line) : figure.words(build.Run), ""};
            const std::optional<double> a = figure.number(first), b = figure.number(build.Run);
            const bool comparable = !figure.sameUnit || first.Run.Summary.InLumens == build.Run.Run.Summary.InLumens;
            if (&build != &builds.front() && a && b && comparable)
                cell.Difference =
                    figure.duration ? DurationDifference(*b - *a) : Difference(*b - *a, figure.decimals, figure.unit);
            row.Cells.push_back(std::move(cell));
        }
        // A figure no build has (no host anywhere) is left out.
        if (std::any_of(row.Cells.begin(), row.Cells.end(), [](const ComparedCell& c) { return !c.Value.empty(); }))
            rows.push_back(std::move(row));
    }
    return rows;
}

// Each build named by what differs among them all: the words of every
// input that differs from the first build in any of them, as this one has
// it (those it gives, or the first's words where it gives none).
void Name(std::vector<ComparedBuild>& builds)
{
    // The first by every input that differs anywhere, the others by their own.
    std::set<std::string> anywhere;
    std::vector<std::set<std::string>> own(builds.size());
    for (std::size_t i = 1; i < builds.size(); ++i)
        for (const InputChange& change : ChangesBetween(builds.front().Inputs, builds[i].Inputs)) {
            anywhere.insert(change.Key);
            own[i].insert(change.Key);
        }
    own.front() = anywhere;
    const bool ownCells = std::any_of(builds.begin(), builds.end(), [&](const ComparedBuild& b) {
        return b.Inputs.CellFile != builds.front().Inputs.CellFile;
    });
    std::set<std::string> names;
    for (std::size_t i = 0; i < builds.size(); ++i) {
        std::vector<std::string> given, absent;
        for (const LightInputRow& row : LightInputRows()) {
            if (!own[i].count(std::string(row.Key)))
                continue;
            const std::vector<std::string> texts = builds[i].Inputs.All(row.Key);
            if (!texts.empty())
                given.push_back(ValueWords(row, texts));
            else if (!OtherWayGiven(builds[i].Inputs, row.Key))
                absent.push_back(ValueWords(row, texts));
        }
        if (ownCells && builds[i].Inputs.CellFile)
            given.insert(given.begin(), builds[i].Inputs.CellFile->first);
        // What it gives, then what it leaves out ("no host").
        std::vector<std::string> words = given;
        words.insert(words.end(), absent.begin(), absent.end());
        std::string name;
        for (const std::string& word : words)
            name += (name.empty() ? "" : ", ") + word;
        if (name.empty())
            name = i == 0 ? "build 1" : "the same as build 1";
        if (!names.insert(name).second)
            name += " (build " + std::to_string(i + 1) + ")";
        builds[i].Name = name;
    }
}

// The first change given a value that does not act on the build it makes
// (a dropout on a converter); "" for none.
std::string IdleChange(const std::vector<InputChange>& changes, const LightInputs& build)
{
    const RunShape shape = ShapeOf(build);
    for (const InputChange& change : changes) {
        const LightInputRow* row = LightInputNamed(change.Key);
        if (row && !change.Text.empty() && !Acts(*row, shape))
            return change.Key;
    }
    return "";
}

} // namespace

BuildComparison CompareBuilds(const LightInputs& first, const std::vector<std::vector<InputChange>>& others)
{
    BuildComparison comparison;
    if (others.size() + 1 > MostBuilds) {
        comparison.Refusals.push_back({"", std::to_string(others.size() + 1) + " builds are more than one graph " +
                                               "tells apart; compare " + std::to_string(MostBuilds) +
                                               " at most (the first and " + std::to_string(MostBuilds - 1) + " more)"});
        comparison.Usage = true;
        return comparison;
    }
    comparison.Builds.push_back({"", "", first, RunLight(first)});
    if (!comparison.Builds.front().Run.Refusals.empty()) {
        comparison.Refusals = comparison.Builds.front().Run.Refusals;
        comparison.Usage = comparison.Builds.front().Run.Usage;
        comparison.Builds.clear();
        return comparison;
    }
    for (std::size_t i = 0; i < others.size(); ++i) {
        LightInputs inputs = Changed(first, others[i]);
        const std::string changes = ChangesText(others[i]);
        // A change the build does not act on would change nothing, unsaid.
        if (const std::string idle = IdleChange(others[i], inputs); !idle.empty()) {
            comparison.Refusals.push_back({"", "build " + std::to_string(i + 2) + " (" + changes + "): {" + idle +
                                                   "} does nothing for this build"});
            comparison.Usage = true;
            continue;
        }
        LightRun run = RunLight(inputs);
        for (const RunRefusal& refusal : run.Refusals)
            comparison.Refusals.push_back({"", "build " + std::to_string(i + 2) + " (" + changes +
                                                   "): " + (refusal.Input.empty() ? "" : "{" + refusal.Input + "}: ") +
                                                   refusal.Text});
        comparison.Usage = comparison.Usage || (!run.Refusals.empty() && run.Usage);
        comparison.Builds.push_back({"", changes, std::move(inputs), std::move(run)});
    }
    if (!comparison.Refusals.empty()) {
        comparison.Builds.clear();
        return comparison;
    }
    Name(comparison.Builds);
    comparison.Rows = RowsOf(comparison.Builds);
    return comparison;
}

std::vector<PlotLine> OtherLines(const BuildComparison& comparison)
{
    std::vector<PlotLine> lines;
    if (comparison.Builds.empty())
        return lines;
    const DischargeSummary& first = comparison.Builds.front().Run.Run.Summary;
    for (std::size_t i = 1; i < comparison.Builds.size(); ++i) {
        const ComparedBuild& build = comparison.Builds[i];
        const Discharge& run = build.Run.Run;
        // Against the first build's lumens where both are in lumens, so that
        // more light stands higher; else each in its own percent.
        const bool shared = first.InLumens && run.Summary.InLumens && first.Output30s > 0.0;
        PlotLine line{{}, build.Name + (shared ? "" : " (% of its own 30 s output)")};
        for (const DischargeRow& row : run.Rows)
            line.Points.emplace_back(row.Hours, shared ? 100.0 * row.Output / first.Output30s : row.OutputPercent);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string ComparisonPlotSvg(const BuildComparison& comparison, PlotLayout layout, const PlotLine* measured)
{
    const ComparedBuild& first = comparison.Builds.front();
    const std::vector<PlotLine> others = OtherLines(comparison);
    PlotLabels labels = first.Run.Labels;
    if (!others.empty())
        labels.Subtitle += "; " + std::to_string(comparison.Builds.size()) + " builds compared";
    return RuntimePlotSvg(first.Run.Run, labels, layout, measured, {first.Name, others});
}

} // namespace lumora
