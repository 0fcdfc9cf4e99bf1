// SPDX-License-Identifier: MIT
#include "calc/reports/cell_file.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace lumora {

namespace {

using Json = nlohmann::ordered_json;

// Numbers as people read them: a few significant figures.
double Rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

} // namespace

std::string CellFileText(const FittedCell& fitted, const std::string& name)
{
    const CellModel& model = fitted.Model;
    Json file;
    file["lumora_cell"] = 1;
    file["name"] = name;
    file["capacity_mah"] = Rounded(model.CapacityAh * 1000.0, 1);
    file["internal_mohm"] = Rounded(model.InternalOhms * 1000.0, 2);
    file["resistance_from_logs"] = fitted.ResistanceFromLogs;
    file["cutoff_v"] = Rounded(model.CutOffVolts, 3);
    Json rest = Json::array();
    for (double volts : model.OpenCircuitVolts)
        rest.push_back(Rounded(volts, 4));
    file["rest_v"] = rest;
    Json logs = Json::array();
    for (const LogFitError& error : fitted.Errors)
        logs.push_back({{"log", error.Name},
                        {"amps", Rounded(error.Amps, 3)},
                        {"rms_error_mv", Rounded(error.VoltsRms * 1000.0, 1)},
                        {"wh_error_pct", Rounded(error.WhError * 100.0, 2)}});
    file["fitted_to"] = logs;
    return file.dump(1, ' ', false, Json::error_handler_t::replace) + "\n";
}

namespace {

std::variant<double, std::string> Number(const Json& file, const char* key, double low, double high)
{
    if (!file.contains(key) || !file[key].is_number())
        return std::string("the cell file has no number ") + key;
    const double value = file[key].get<double>();
    if (!(value > low) || !(value <= high))
        return std::string("the cell file's ") + key + " is out of range";
    return value;
}

} // namespace

std::variant<CellFile, std::string> ReadCellFile(std::string_view text)
{
    const Json file = Json::parse(text, nullptr, false);
    if (file.is_discarded() || !file.is_object())
        return std::string("the cell file is not JSON");
    if (!file.contains("lumora_cell") || file["lumora_cell"] != 1)
        return std::string("the cell file is not a Lumora cell (\"lumora_cell\": 1)");
    CellFile cell;
    cell.Name = file.contains("name") && file["name"].is_string() ? file["name"].get<std::string>() : "fitted cell";
    const auto capacity = Number(file, "capacity_mah", 0.0, 1e6);
    const auto ohms = Number(file, "internal_mohm", -1e-9, 1e5);
    const auto cutOff = Number(file, "cutoff_v", 0.0, 5.0);
    for (const auto* read : {&capacity, &ohms, &cutOff})
        if (const std::string* refusal = std::get_if<std::string>(read))
            return *refusal;
    if (!file.contains("rest_v") || !file["rest_v"].is_array() || file["rest_v"].size() < 2)
        return std::string("the cell file's rest_v is not a list of two voltages or more");
    CellModel& model = cell.Model;
    for (const Json& volts : file["rest_v"]) {
        if (!volts.is_number() || !(volts.get<double>() > 0.0) || volts.get<double>() > 5.0)
            return std::string("the cell file's rest_v holds a voltage outside 0 to 5 V");
        if (!model.OpenCircuitVolts.empty() && volts.get<double>() > model.OpenCircuitVolts.back())
            return std::string("the cell file's rest_v rises; a rest curve falls from full to empty");
        model.OpenCircuitVolts.push_back(volts.get<double>());
    }
    model.CapacityAh = std::get<double>(capacity) / 1000.0;
    model.InternalOhms = std::get<double>(ohms) / 1000.0;
    model.CutOffVolts = std::get<double>(cutOff);
    return cell;
}

} // namespace lumora
