// SPDX-License-Identifier: MIT
#include "calc/reports/measured_log.h"

#include "calc/calculators/runtime_display.h"
#include "calc/reports/csv_text.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace lumora {

namespace {

// Where the log's columns stand in its header. A meter's log names them
// time_min and lm or pct; lumora-cli graph's own CSV (and the page's)
// time_h, lumens and output_pct, the lumens empty where the run is counted
// in LED current.
struct Header {
    std::size_t Time = 0, Value = 0;
    double MinutesPerUnit = 1.0;
    bool InLumens = true;
    std::optional<std::size_t> Percent; // a run's own CSV: its percent, for when it has no lumens
};

std::variant<Header, std::string> HeaderOf(const std::vector<std::string>& cells, std::size_t line)
{
    std::optional<std::size_t> minutes, hours, lumens, percent, runLumens, runPercent;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string name = CsvName(cells[i]);
        for (const auto& [column, index] :
             {std::pair{"time_min", &minutes}, std::pair{"time_h", &hours}, std::pair{"lm", &lumens},
              std::pair{"pct", &percent}, std::pair{"lumens", &runLumens}, std::pair{"output_pct", &runPercent}})
            if (name == column)
                *index = i;
    }
    if (!minutes && !hours)
        return LineMention(line) + "the header has no column time_min (or time_h)";
    if (lumens && percent)
        return LineMention(line) + "the header has both lm and pct; give one";
    Header header;
    header.Time = minutes ? *minutes : *hours;
    header.MinutesPerUnit = minutes ? 1.0 : 60.0;
    if (lumens || percent) {
        header.Value = lumens ? *lumens : *percent;
        header.InLumens = lumens.has_value();
    } else if (runLumens || runPercent) {
        header.Value = runLumens ? *runLumens : *runPercent;
        header.InLumens = runLumens.has_value();
        if (runLumens)
            header.Percent = runPercent;
    } else {
        return LineMention(line) + "the header has no column lm or pct";
    }
    return header;
}

std::optional<double> NumberIn(const std::vector<std::string>& cells, std::size_t at)
{
    if (at >= cells.size())
        return std::nullopt;
    const std::optional<double> value = ReadNumber(CsvName(cells[at]));
    return value && std::isfinite(*value) ? value : std::nullopt;
}

// The header read into 'header'; a refusal otherwise.
std::optional<std::string> HeaderInto(const std::vector<std::string>& cells, std::size_t number,
                                      std::optional<Header>& header, MeasuredLog& log)
{
    std::variant<Header, std::string> read = HeaderOf(cells, number);
    if (const std::string* refusal = std::get_if<std::string>(&read))
        return *refusal;
    header = std::get<Header>(read);
    log.InLumens = header->InLumens;
    return std::nullopt;
}

// One reading added to the log; a refusal where no light could give it.
std::optional<std::string> Reading(const std::vector<std::string>& cells, std::size_t number, const Header& header,
                                   MeasuredLog& log)
{
    const std::optional<double> time = NumberIn(cells, header.Time);
    const std::optional<double> value = NumberIn(cells, header.Value);
    if (!time || !value)
        return LineMention(number) + "a time or an output that is no number";
    const double minutes = *time * header.MinutesPerUnit;
    if (minutes < 0.0)
        return LineMention(number) + "a time before the start, " + DoubleText(minutes) + " min";
    if (!log.Points.empty() && minutes < log.Points.back().Minutes)
        return LineMention(number) + "time runs backwards, " + DoubleText(minutes) + " min after " +
               DoubleText(log.Points.back().Minutes) + " min";
    if (*value < 0.0)
        return LineMention(number) + "a negative output, " + DoubleText(*value);
    log.Points.push_back({minutes, *value});
    return std::nullopt;
}

} // namespace

std::variant<MeasuredLog, std::string> ReadMeasuredLog(std::string_view text)
{
    std::optional<Header> header;
    MeasuredLog log;
    const std::optional<std::string> refusal = ForEachLogLine(text, [&](const std::string& line, std::size_t number) {
        const std::optional<std::vector<std::string>> read = CsvCells(line);
        if (!read)
            return std::optional<std::string>(LineMention(number) + "a quote left open");
        if (!header)
            return HeaderInto(*read, number, header, log);
        // A run's own CSV counted in LED current leaves its lumens empty.
        if (log.Points.empty() && header->Percent && header->Value < read->size() &&
            CsvName((*read)[header->Value]).empty()) {
            header->Value = *header->Percent;
            header->InLumens = log.InLumens = false;
        }
        header->Percent.reset();
        return Reading(*read, number, *header, log);
    });
    if (refusal)
        return *refusal;
    if (!header)
        return std::string("the log is empty: give a header row with time_min and lm or pct");
    if (log.Points.size() < 2 || !(log.Points.back().Minutes > log.Points.front().Minutes))
        return std::string("the log has fewer than two readings at different times");
    return log;
}

namespace {

// The log's value at a time, straight between its points; its first and
// last outside them.
double ValueAt(const std::vector<MeasuredPoint>& points, double minutes)
{
    if (minutes <= points.front().Minutes)
        return points.front().Value;
    for (std::size_t k = 1; k < points.size(); ++k)
        if (points[k].Minutes >= minutes) {
            const MeasuredPoint &a = points[k - 1], &b = points[k];
            if (!(b.Minutes > a.Minutes))
                return b.Value; // two readings at one time: a step
            return a.Value + (b.Value - a.Value) * (minutes - a.Minutes) / (b.Minutes - a.Minutes);
        }
    return points.back().Value;
}

} // namespace

MeasuredFigures FiguresOf(const MeasuredLog& log)
{
    MeasuredFigures figures;
    const std::vector<MeasuredPoint>& points = log.Points;
    figures.Output30s = ValueAt(points, 0.5);
    const double floor = 0.1 * figures.Output30s;
    figures.Fl1Hours = points.back().Minutes / 60.0;
    // From 30 s on, the first fall to the floor, straight between readings.
    MeasuredPoint before{0.5, figures.Output30s};
    for (const MeasuredPoint& point : points) {
        if (point.Minutes <= 0.5)
            continue;
        if (point.Value <= floor) {
            const double share = before.Value > floor ? (before.Value - floor) / (before.Value - point.Value) : 0.0;
            figures.Fl1Hours = (before.Minutes + (point.Minutes - before.Minutes) * share) / 60.0;
            figures.Reached = true;
            break;
        }
        before = point;
    }
    return figures;
}

std::vector<std::pair<double, double>> PlottedPoints(const MeasuredLog& log, const DischargeSummary& prediction)
{
    std::vector<std::pair<double, double>> plotted;
    // Lumens against the prediction's lumens; against a prediction in LED
    // current, in percent of the log's own output at 30 s.
    const double own = FiguresOf(log).Output30s;
    const double scale = !log.InLumens                                       ? 1.0
                         : prediction.InLumens && prediction.Output30s > 0.0 ? 100.0 / prediction.Output30s
                         : own > 0.0                                         ? 100.0 / own
                                                                             : 1.0;
    for (const MeasuredPoint& point : log.Points)
        plotted.emplace_back(point.Minutes / 60.0, point.Value * scale);
    return plotted;
}

namespace {

std::string RatioText(double measured, double predicted)
{
    return predicted > 0.0 ? RoundedText(measured / predicted, 2) : std::string();
}

} // namespace

PlotLine CompareMeasured(LightRun& run, const MeasuredLog& log, const std::string& name)
{
    const DischargeSummary& prediction = run.Run.Summary;
    const MeasuredFigures figures = FiguresOf(log);
    if (log.InLumens) {
        const std::string ratio = RatioText(figures.Output30s, prediction.InLumens ? prediction.Output30s : 0.0);
        run.Summary.push_back({"Measured at 30 s", RoundedText(figures.Output30s, 0), "lm",
                               ratio.empty() ? "" : "(ratio to the prediction " + ratio + ")"});
        run.Figures.push_back({"measured_output_30s", RoundedText(figures.Output30s, 0), true});
        run.Figures.push_back({"measured_output_30s_ratio", ratio, !ratio.empty()});
    }
    const RuntimeDisplayText display = RuntimeDisplay(figures.Fl1Hours);
    const std::string clock =
        (display.Days && *display.Days != "0" ? *display.Days + " d " : std::string()) + display.Clock;
    const std::string ratio = RatioText(figures.Fl1Hours, prediction.Fl1Hours);
    std::string mark = "(" + clock + ")";
    if (!figures.Reached)
        mark += " at least: the log ends above 10 %";
    if (!ratio.empty())
        mark += " (ratio to the prediction " + ratio + ")";
    run.Summary.push_back({"Measured FL1 runtime", RoundedText(figures.Fl1Hours, 2), "h", mark});
    run.Figures.push_back({"measured_fl1_runtime_h", RoundedText(figures.Fl1Hours, 2), true});
    run.Figures.push_back({"measured_fl1_reached", figures.Reached ? "true" : "false", true});
    run.Figures.push_back({"measured_fl1_ratio", ratio, !ratio.empty()});
    return {PlottedPoints(log, prediction), "measured: " + name};
}

} // namespace lumora
