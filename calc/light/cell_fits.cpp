// SPDX-License-Identifier: MIT
// The named cells fitted to published logs: data/cell-fits.csv, a figure a
// row with its source, read once.
#include "calc/light/named_cells.h"

#include "calc/text/csv_cells.h"
#include "calc/text/field_text.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <utility>

namespace lumora {

// The file's text, put in at build time (cell_fits_text.cpp.in).
extern const char* const CellFitsText;

namespace {

[[noreturn]] void Unreadable(const std::string& line, const char* why)
{
    std::fprintf(stderr, "data/cell-fits.csv: %s: %s\n", why, line.c_str());
    std::abort();
}

std::vector<double> Numbers(const std::string& text, const std::string& line)
{
    std::vector<double> numbers;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        const std::optional<double> value = ReadNumber(word);
        if (!value)
            Unreadable(line, "not a number");
        numbers.push_back(*value);
    }
    if (numbers.empty())
        Unreadable(line, "no value");
    return numbers;
}

// A figure into its place in the model, in the model's units.
void Put(CellModel& model, const std::string& figure, const std::vector<double>& v, const std::string& line)
{
    const std::map<std::string, double*> scalars = {{"internal_mohm", &model.InternalOhms},
                                                    {"activation_k", &model.ResistanceActivationKelvin},
                                                    {"polarisation_mohm", &model.PolarisationOhms},
                                                    {"polarisation_s", &model.PolarisationSeconds},
                                                    {"available_share", &model.AvailableShare},
                                                    {"levelling_per_h", &model.LevellingPerHour},
                                                    {"heat_j_per_k", &model.HeatJoulesPerKelvin},
                                                    {"cooling_w_per_k", &model.CoolingWattsPerKelvin},
                                                    {"capacity_mah", &model.CapacityAh}};
    if (figure == "rest_v") {
        model.OpenCircuitVolts = v;
        return;
    }
    const auto found = scalars.find(figure);
    if (found == scalars.end())
        Unreadable(line, "a figure of no cell model");
    const bool milli = figure == "internal_mohm" || figure == "polarisation_mohm" || figure == "capacity_mah";
    *found->second = v.front() / (milli ? 1000.0 : 1.0);
}

std::map<std::string, CellModel> Read()
{
    std::map<std::string, CellModel> models;
    std::istringstream lines(CellFitsText);
    bool header = true;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line.front() == '#')
            continue;
        const std::optional<std::vector<std::string>> row = CsvCells(line);
        if (!row || row->size() != 4)
            Unreadable(line, "not a row of cell, figure, value and source");
        if (std::exchange(header, false))
            continue;
        Put(models[(*row)[0]], (*row)[1], Numbers((*row)[2], line), line);
    }
    for (auto& [id, model] : models) {
        model.PolarisationActivationKelvin = model.ResistanceActivationKelvin; // one activation for both
        if (model.OpenCircuitVolts.size() < 2 || !(model.CapacityAh > 0.0))
            Unreadable(id, "a cell without its rest curve or capacity");
    }
    return models;
}

} // namespace

const CellModel* FittedModelOf(const NamedCell& cell)
{
    static const std::map<std::string, CellModel> models = Read();
    const auto found = models.find(std::string(cell.Id));
    return found == models.end() ? nullptr : &found->second;
}

} // namespace lumora
