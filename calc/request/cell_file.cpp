// SPDX-License-Identifier: MIT
#include "calc/request/cell_file.h"

#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace lumora {

namespace {

// Numbers as people read them: a few decimals.
double Rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

// A model's figure as written: a few decimals, and at least four
// significant digits, so that a small figure is never written as 0 and
// read back refused.
double Kept(double value, int decimals)
{
    if (value != 0.0 && std::isfinite(value))
        decimals = std::max(decimals, 3 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
    if (decimals > 300)
        return value;
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

using Writer = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

void Member(Writer& out, const char* key, double value)
{
    out.Key(key);
    out.Double(value);
}

} // namespace

std::string CellFileText(const FittedCell& fitted, const std::string& name)
{
    const CellModel& model = fitted.Model;
    rapidjson::StringBuffer text;
    Writer out(text);
    out.SetIndent(' ', 1);
    out.StartObject();
    out.Key("lumora_cell");
    out.Int(1);
    out.Key("name");
    out.String(name.c_str(), static_cast<rapidjson::SizeType>(name.size()));
    Member(out, "capacity_mah", Kept(model.CapacityAh * 1000.0, 1));
    Member(out, "internal_mohm", Kept(model.InternalOhms * 1000.0, 2));
    if (model.AvailableShare < 1.0) {
        Member(out, "available_share", Kept(model.AvailableShare, 4));
        Member(out, "levelling_per_h", Kept(model.LevellingPerHour, 4));
    }
    if (model.PolarisationOhms > 0.0) {
        Member(out, "polarisation_mohm", Kept(model.PolarisationOhms * 1000.0, 2));
        Member(out, "polarisation_s", Kept(model.PolarisationSeconds, 1));
    }
    if (model.ResistanceActivationKelvin > 0.0)
        Member(out, "activation_k", Kept(model.ResistanceActivationKelvin, 0));
    if (model.HeatJoulesPerKelvin > 0.0) {
        Member(out, "heat_j_per_k", Kept(model.HeatJoulesPerKelvin, 1));
        Member(out, "cooling_w_per_k", Kept(model.CoolingWattsPerKelvin, 4));
    }
    out.Key("resistance_from_logs");
    out.Bool(fitted.ResistanceFromLogs);
    Member(out, "cutoff_v", Kept(model.CutOffVolts, 3));
    out.Key("rest_v");
    out.StartArray();
    for (double volts : model.OpenCircuitVolts)
        out.Double(Kept(volts, 4));
    out.EndArray();
    out.Key("fitted_to");
    out.StartArray();
    for (const LogFitError& error : fitted.Errors) {
        out.StartObject();
        out.Key("log");
        out.String(error.Name.c_str(), static_cast<rapidjson::SizeType>(error.Name.size()));
        Member(out, "amps", Rounded(error.Amps, 3));
        Member(out, "rms_error_mv", Rounded(error.VoltsRms * 1000.0, 1));
        Member(out, "wh_error_pct", Rounded(error.WhError * 100.0, 2));
        out.EndObject();
    }
    out.EndArray();
    out.EndObject();
    return std::string(text.GetString(), text.GetSize()) + "\n";
}

namespace {

std::variant<double, std::string> Number(const rapidjson::Document& file, const char* key, double low, double high)
{
    const auto member = file.FindMember(key);
    if (member == file.MemberEnd() || !member->value.IsNumber())
        return std::string("the cell file has no number ") + key;
    const double value = member->value.GetDouble();
    if (!(value > low) || !(value <= high))
        return std::string("the cell file's ") + key + " is out of range";
    return value;
}

// Two figures the file has both of or neither, each in (low, high]: read
// into 'first' and 'second', scaled; a refusal where one is missing or out
// of range.
std::optional<std::string> ReadPair(const rapidjson::Document& file, const char* a, const char* b,
                                    std::pair<double, double> high, double& first, double& second, double scale)
{
    if (!file.HasMember(a) && !file.HasMember(b))
        return std::nullopt;
    const auto one = Number(file, a, 0.0, high.first);
    const auto two = Number(file, b, 0.0, high.second);
    for (const auto* figure : {&one, &two})
        if (const std::string* refusal = std::get_if<std::string>(figure))
            return *refusal;
    first = std::get<double>(one) * scale;
    second = std::get<double>(two);
    return std::nullopt;
}

// The polarisation, the two wells, the cell's heat and its resistances'
// activation, where the file has them.
std::optional<std::string> ReadDynamics(const rapidjson::Document& file, CellModel& model)
{
    if (auto refusal = ReadPair(file, "polarisation_mohm", "polarisation_s", {1e5, 1e5}, model.PolarisationOhms,
                                model.PolarisationSeconds, 0.001))
        return refusal;
    if (auto refusal = ReadPair(file, "available_share", "levelling_per_h", {1.0, 1e4}, model.AvailableShare,
                                model.LevellingPerHour, 1.0))
        return refusal;
    if (auto refusal =
            ReadPair(file, "heat_j_per_k", "cooling_w_per_k", {MostHeatJoulesPerKelvin, MostCoolingWattsPerKelvin},
                     model.HeatJoulesPerKelvin, model.CoolingWattsPerKelvin, 1.0))
        return refusal;
    if (file.HasMember("activation_k")) {
        const auto kelvin = Number(file, "activation_k", 0.0, 1e5);
        if (const std::string* refusal = std::get_if<std::string>(&kelvin))
            return *refusal;
        model.ResistanceActivationKelvin = model.PolarisationActivationKelvin = std::get<double>(kelvin);
    }
    return std::nullopt;
}

// A cell file is an object of numbers and lists of numbers: two levels.
constexpr int MostNesting = 8;

// Whether a value nests deeper than 'most' levels, walked without recursion.
bool DeeperThan(const rapidjson::Value& top, int most)
{
    std::vector<std::pair<const rapidjson::Value*, int>> open{{&top, 1}};
    while (!open.empty()) {
        const auto [value, depth] = open.back();
        open.pop_back();
        if (depth > most)
            return true;
        if (value->IsArray())
            for (const rapidjson::Value& item : value->GetArray())
                open.emplace_back(&item, depth + 1);
        else if (value->IsObject())
            for (const auto& member : value->GetObject())
                open.emplace_back(&member.value, depth + 1);
    }
    return false;
}

} // namespace

std::variant<CellFile, std::string> ReadCellFile(std::string_view text)
{
    // A file from someone else may nest arrays a million deep: read without
    // recursion (RapidJSON's iterative parser), and refuse what nests deeper
    // than any cell file does.
    rapidjson::Document file;
    file.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size());
    if (file.HasParseError() || !file.IsObject())
        return std::string("the cell file is not JSON");
    if (DeeperThan(file, MostNesting))
        return "the cell file nests deeper than " + std::to_string(MostNesting) +
               " levels; a cell file is an object of numbers and one list";
    const auto kind = file.FindMember("lumora_cell");
    if (kind == file.MemberEnd() || !kind->value.IsInt() || kind->value.GetInt() != 1)
        return std::string("the cell file is not a Lumora cell (\"lumora_cell\": 1)");
    CellFile cell;
    const auto name = file.FindMember("name");
    cell.Name = name != file.MemberEnd() && name->value.IsString()
                    ? std::string(name->value.GetString(), name->value.GetStringLength())
                    : "fitted cell";
    const auto capacity = Number(file, "capacity_mah", 0.0, MostCapacityAh * 1000.0);
    const auto ohms = Number(file, "internal_mohm", -1e-9, 1e5);
    const auto cutOff = Number(file, "cutoff_v", 0.0, 5.0);
    for (const auto* read : {&capacity, &ohms, &cutOff})
        if (const std::string* refusal = std::get_if<std::string>(read))
            return *refusal;
    const auto rest = file.FindMember("rest_v");
    if (rest == file.MemberEnd() || !rest->value.IsArray() || rest->value.Size() < 2)
        return std::string("the cell file's rest_v is not a list of two voltages or more");
    CellModel& model = cell.Model;
    for (const auto& volts : rest->value.GetArray()) {
        if (!volts.IsNumber() || !(volts.GetDouble() > 0.0) || volts.GetDouble() > 5.0)
            return std::string("the cell file's rest_v holds a voltage outside 0 to 5 V");
        if (!model.OpenCircuitVolts.empty() && volts.GetDouble() > model.OpenCircuitVolts.back())
            return std::string("the cell file's rest_v rises; a rest curve falls from full to empty");
        model.OpenCircuitVolts.push_back(volts.GetDouble());
    }
    model.CapacityAh = std::get<double>(capacity) / 1000.0;
    model.InternalOhms = std::get<double>(ohms) / 1000.0;
    model.CutOffVolts = std::get<double>(cutOff);
    if (std::optional<std::string> refusal = ReadDynamics(file, model))
        return *refusal;
    return cell;
}

} // namespace lumora
