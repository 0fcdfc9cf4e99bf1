// SPDX-License-Identifier: MIT
#include "calc/light/led_presets.h"

#include "calc/text/csv_cells.h"
#include "calc/text/field_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>

namespace lumora {

// The files' texts, put in at build time (led_data_text.cpp.in).
extern const char* const LedsText;
extern const char* const LedPointsText;

namespace {

// The files are the program's own: a row it cannot read is a fault of the
// build, reported and ended on at once.
[[noreturn]] void Unreadable(const char* file, const std::string& line, const char* why)
{
    std::fprintf(stderr, "data/%s: %s: %s\n", file, why, line.c_str());
    std::abort();
}

// Each row of a data file after its header, as its cells, '#' lines passed over.
std::vector<std::vector<std::string>> Rows(const char* file, const char* text, std::size_t cells)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    bool header = true;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line.front() == '#')
            continue;
        std::optional<std::vector<std::string>> row = CsvCells(line);
        if (!row || row->size() != cells)
            Unreadable(file, line, "not a row of its header's cells");
        if (!std::exchange(header, false))
            rows.push_back(std::move(*row));
    }
    return rows;
}

double Number(const char* file, const std::string& text)
{
    const std::optional<double> value = ReadNumber(text);
    if (!value)
        Unreadable(file, text, "not a number");
    return *value;
}

LedThermal ThermalOf(const std::vector<std::string>& row)
{
    LedThermal thermal;
    if (row[2] != "solder_point" && row[2] != "junction")
        Unreadable("leds.csv", row[0], "a reference other than solder_point or junction");
    thermal.MeasuredAt = row[2] == "junction" ? LedThermal::Reference::Junction : LedThermal::Reference::SolderPoint;
    thermal.MeasuredC = Number("leds.csv", row[3]);
    thermal.JunctionSolderKPerW = Number("leds.csv", row[4]);
    thermal.WallPlugEfficiency = Number("leds.csv", row[5]);
    return thermal;
}

std::vector<LedPreset> Read()
{
    std::vector<LedPreset> presets;
    for (const std::vector<std::string>& row : Rows("leds.csv", LedsText, 13)) {
        LedPreset preset;
        preset.Id = row[0];
        preset.Name = row[1];
        preset.Thermal = ThermalOf(row);
        preset.MaxAmps = row[6].empty() ? 0.0 : Number("leds.csv", row[6]) / 1000.0;
        preset.MaxSource = row[7];
        preset.Source = row[8];
        preset.FluxSource = row[9];
        presets.push_back(std::move(preset));
    }
    for (const std::vector<std::string>& row : Rows("led-points.csv", LedPointsText, 4)) {
        const auto owner = std::find_if(presets.begin(), presets.end(), [&](const auto& p) { return p.Id == row[0]; });
        if (owner == presets.end())
            Unreadable("led-points.csv", row[0], "a point of no preset");
        const double amps = Number("led-points.csv", row[1]);
        if (!row[2].empty())
            owner->Points.push_back({amps, Number("led-points.csv", row[2])});
        if (!row[3].empty())
            owner->Flux.push_back({amps, Number("led-points.csv", row[3])});
    }
    for (const LedPreset& preset : presets)
        if (preset.Points.empty())
            Unreadable("led-points.csv", preset.Id, "a preset without a forward voltage");
    return presets;
}

const std::vector<LedPreset>& Presets()
{
    static const std::vector<LedPreset> presets = Read();
    return presets;
}

bool SameId(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::span<const LedPreset> LedPresets() { return Presets(); }

const LedPreset* LedNamed(std::string_view id)
{
    const std::vector<LedPreset>& presets = Presets();
    const auto found =
        std::find_if(presets.begin(), presets.end(), [&](const LedPreset& p) { return SameId(p.Id, id); });
    return found == presets.end() ? nullptr : &*found;
}

LedCurve FittedCurve(const LedPreset& preset)
{
    static const std::vector<LedCurve> curves = [] {
        std::vector<LedCurve> all;
        for (const LedPreset& p : Presets())
            all.push_back(p.Points.size() == 1 ? CurveThrough(p.Points.front())
                                               : std::get<LedCurve>(FitCurve(p.Points)));
        return all;
    }();
    return curves[static_cast<std::size_t>(&preset - Presets().data())];
}

std::optional<double> LumensAt(std::span<const FluxPoint> flux, double amps)
{
    if (flux.empty() || amps > flux.back().Amps)
        return std::nullopt;
    if (amps <= flux.front().Amps)
        return flux.front().Lumens * amps / flux.front().Amps;
    std::size_t upper = 1;
    while (flux[upper].Amps < amps)
        ++upper;
    const FluxPoint& low = flux[upper - 1];
    const FluxPoint& high = flux[upper];
    return low.Lumens + (high.Lumens - low.Lumens) * (amps - low.Amps) / (high.Amps - low.Amps);
}

} // namespace lumora
