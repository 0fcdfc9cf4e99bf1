// SPDX-License-Identifier: MIT
#include "tests/published/led_bench.h"

#include "calc/text/field_text.h"
#include "calc/text/number_text.h"
#include "tests/published/shared_data.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace lumora {

namespace {

double NumberOf(const std::string& text) { return ReadNumber(text).value_or(NAN); }

// data/leds.csv, read from the source tree: its bench columns are the tests'.
const std::vector<std::vector<std::string>>& LedRows()
{
    static const std::vector<std::vector<std::string>> rows = [] {
        std::ifstream file(std::string(LUMORA_SOURCE_DIR) + "/data/leds.csv", std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return CsvRows(text.str());
    }();
    return rows;
}

bool Same(double a, double b) { return std::fabs(a - b) < 1e-9; }

std::string Signed(double value, int decimals)
{
    const std::string text = RoundedText(std::fabs(value), decimals);
    return (value < 0.0 && text.find_first_not_of("0.") != std::string::npos ? "-" : "+") + text;
}

struct Worst {
    double Millivolts = 0.0, Percent = 0.0;
    int Volts = 0, Lumens = 0;
    void Add(const BenchComparison& c, bool fitted)
    {
        if (c.VoltsFitted == fitted) {
            ++Volts;
            Millivolts = std::max(Millivolts, std::fabs(c.Volts - c.Row.Volts) * 1000.0);
        }
        if (c.LumensFitted == fitted && c.Lumens) {
            ++Lumens;
            Percent = std::max(Percent, std::fabs(*c.Lumens / c.Row.Lumens - 1.0) * 100.0);
        }
    }
    // "Vf 13, flux 13 | 8 mV, 0 %": how many rows, and the worst miss.
    std::string Cells() const
    {
        if (!Volts && !Lumens)
            return "none | ";
        return "Vf " + std::to_string(Volts) + ", flux " + std::to_string(Lumens) + " | " + RoundedText(Millivolts, 0) +
               " mV, " + RoundedText(Percent, 1) + " %";
    }
};

std::string HeldOutRows(const LedPreset& preset, const std::vector<BenchComparison>& rows)
{
    std::string text = "\n### " + preset.Name + " (`" + preset.Id + "`)\n\n";
    text += "| Current A | Vf V | Preset V | Miss mV | Flux lm | Preset lm | Miss % | Row |\n";
    text += "|---|---|---|---|---|---|---|---|\n";
    for (const BenchComparison& c : rows) {
        if (c.VoltsFitted && c.LumensFitted)
            continue;
        const bool volts = !c.VoltsFitted, lumens = !c.LumensFitted && c.Lumens;
        text += "| " + DoubleText(c.Row.Amps) + " | " + RoundedText(c.Row.Volts, 2) + " | " +
                (volts ? RoundedText(c.Volts, 3) + " | " + Signed((c.Volts - c.Row.Volts) * 1000.0, 0)
                       : std::string("fitted | ")) +
                " | " + DoubleText(c.Row.Lumens) + " | " +
                (lumens ? RoundedText(*c.Lumens, 0) + " | " + Signed((*c.Lumens / c.Row.Lumens - 1.0) * 100.0, 1)
                        : std::string(c.LumensFitted ? "fitted | " : "beyond its flux | ")) +
                " | " + (c.OtherSample ? "another sample: " + c.Row.Sample : std::string("held out")) + " |\n";
    }
    return text;
}

} // namespace

std::vector<BenchRow> BenchRowsOf(const std::string& text)
{
    std::vector<BenchRow> rows;
    for (const std::vector<std::string>& c : CsvRows(text))
        if (c.size() >= 6)
            rows.push_back({c[0], c[1], NumberOf(c[3]), NumberOf(c[4]), NumberOf(c[5])});
    return rows;
}

std::optional<BenchSample> BenchSampleOf(const LedPreset& preset)
{
    for (const std::vector<std::string>& row : LedRows())
        if (row.size() == 13 && row[0] == preset.Id && !row[10].empty())
            return BenchSample{row[10], row[11]};
    return std::nullopt;
}

std::vector<BenchComparison> CompareToBench(const LedPreset& preset, const std::vector<BenchRow>& rows)
{
    std::vector<BenchComparison> compared;
    const std::optional<BenchSample> sample = BenchSampleOf(preset);
    if (!sample)
        return compared;
    const LedCurve curve = FittedCurve(preset);
    for (const BenchRow& row : rows) {
        const bool own = row.Led == sample->Led && row.Sample == sample->Sample;
        if (row.Led != sample->Led || (!own && row.Sample.find("dedomed") != std::string::npos))
            continue;
        BenchComparison c;
        c.Row = row;
        c.OtherSample = !own;
        c.VoltsFitted = own && std::any_of(preset.Points.begin(), preset.Points.end(), [&](const LedPoint& p) {
                            return Same(p.Amps, row.Amps) && Same(p.Volts, row.Volts);
                        });
        c.LumensFitted = own && std::any_of(preset.Flux.begin(), preset.Flux.end(), [&](const FluxPoint& p) {
                             return Same(p.Amps, row.Amps) && Same(p.Lumens, row.Lumens);
                         });
        c.Volts = ForwardVoltage(curve, row.Amps);
        c.Lumens = LumensAt(preset.Flux, row.Amps);
        compared.push_back(c);
    }
    return compared;
}

std::string LedFitTable(const std::vector<BenchRow>& rows)
{
    std::string summary = "| Preset | Bench sample | Fitted to | Worst miss there | Held out | Worst miss there |\n"
                          "|---|---|---|---|---|---|\n";
    std::string details;
    for (const LedPreset& preset : LedPresets()) {
        const std::optional<BenchSample> sample = BenchSampleOf(preset);
        if (!sample)
            continue;
        const std::vector<BenchComparison> compared = CompareToBench(preset, rows);
        Worst fitted, held;
        for (const BenchComparison& c : compared) {
            fitted.Add(c, true);
            held.Add(c, false);
        }
        summary += "| " + preset.Name + " (`" + preset.Id + "`) | " + sample->Led + ", " + sample->Sample + " | " +
                   fitted.Cells() + " | " + held.Cells() + " |\n";
        details += HeldOutRows(preset, compared);
    }
    return summary + "\n## Each row not fitted to\n" + details;
}

} // namespace lumora
