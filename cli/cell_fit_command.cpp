// SPDX-License-Identifier: MIT
#include "cli/cell_fit_command.h"

#include "calc/reports/discharge_log_text.h"
#include "calc/request/cell_file.h"
#include "calc/text/number_text.h"
#include "cli/files.h"

namespace lumora::cli {

namespace {

// A single log without a rest reading before its load takes the typical
// resistance of a lithium-ion 18650, ohms (the generic preset's).
constexpr double TypicalOhms = 0.028;

CommandOutput Refused(std::string text)
{
    CommandOutput output;
    output.Exit = ExitCode::Refused;
    output.Errors.push_back("--fit: " + std::move(text));
    return output;
}

std::string Percent(double share) { return RoundedText(share * 100.0, 2); }

} // namespace

CommandOutput RunCellFit(const CellFitRequest& request)
{
    std::vector<DischargeLog> logs;
    for (const auto& [path, text] : request.Logs) {
        std::variant<DischargeLog, std::string> log = ReadDischargeLog(text, BaseName(path));
        if (const std::string* refusal = std::get_if<std::string>(&log))
            return Refused(path + ", " + *refusal);
        logs.push_back(std::move(std::get<DischargeLog>(log)));
    }
    std::variant<FittedCell, std::string> fit = FitCellToLogs(logs, TypicalOhms);
    if (const std::string* refusal = std::get_if<std::string>(&fit))
        return Refused(*refusal);
    const FittedCell& fitted = std::get<FittedCell>(fit);
    const CellModel& model = fitted.Model;
    Report report;
    report.Columns = {{"log", "Log", false},
                      {"amps", "Mean A", true},
                      {"mah", "Log mAh", true},
                      {"wh", "Log Wh", true},
                      {"rms_error_mv", "RMS error mV", true},
                      {"wh_error_pct", "Wh error %", true}};
    for (std::size_t i = 0; i < logs.size(); ++i) {
        const LogTotals totals = TotalsOf(logs[i]);
        const LogFitError& error = fitted.Errors[i];
        report.Rows.push_back({error.Name, RoundedText(error.Amps, 3), RoundedText(totals.Ah * 1000.0, 0),
                               RoundedText(totals.Wh, 2), RoundedText(error.VoltsRms * 1000.0, 1),
                               Percent(error.WhError)});
    }
    const std::string ohms = RoundedText(model.InternalOhms * 1000.0, 1);
    report.Summary = {
        {"Cell", request.Name, "", ""},
        {"Capacity", RoundedText(model.CapacityAh * 1000.0, 0), "mAh",
         model.AvailableShare < 1.0 ? "(the longest log's charge and what its load left in the bound well)"
                                    : "(the longest log's charge)"},
        {"Internal resistance", ohms, "mohm",
         fitted.ResistanceFromLogs ? "" : "(typical: one log, without a rest before its load)"},
        {"Polarisation", RoundedText(model.PolarisationOhms * 1000.0, 1), "mohm", fitted.PolarisationNote},
        {"Polarisation time", RoundedText(model.PolarisationSeconds, 0), "s", ""},
        {"Available share", RoundedText(model.AvailableShare, 2), "", fitted.RateNote},
        {"Levelling", RoundedText(model.LevellingPerHour, 2), "per h", ""},
        {"Activation", RoundedText(model.ResistanceActivationKelvin * GasConstant / 1000.0, 1), "kJ/mol",
         model.ResistanceActivationKelvin > 0.0 ? "(both resistances, from the logged cell temperature)" : ""},
        {"Heat capacity", RoundedText(model.HeatJoulesPerKelvin, 0), "J/K", fitted.HeatNote},
        {"Cooling", RoundedText(model.CoolingWattsPerKelvin * 1000.0, 1), "mW/K", ""},
        {"Cut-off", RoundedText(model.CutOffVolts, 3), "V", ""},
        {"Rest voltage full", RoundedText(model.OpenCircuitVolts.front(), 3), "V", ""}};
    report.Record = {{"cell",
                      {{"name", request.Name, false},
                       {"capacity_mah", RoundedText(model.CapacityAh * 1000.0, 1), true},
                       {"internal_mohm", ohms, true},
                       {"polarisation_mohm", RoundedText(model.PolarisationOhms * 1000.0, 1), true},
                       {"polarisation_s", RoundedText(model.PolarisationSeconds, 0), true},
                       {"available_share", RoundedText(model.AvailableShare, 2), true},
                       {"levelling_per_h", RoundedText(model.LevellingPerHour, 2), true},
                       {"activation_k", RoundedText(model.ResistanceActivationKelvin, 0), true},
                       {"heat_j_per_k", RoundedText(model.HeatJoulesPerKelvin, 1), true},
                       {"cooling_w_per_k", RoundedText(model.CoolingWattsPerKelvin, 4), true},
                       {"cutoff_v", RoundedText(model.CutOffVolts, 3), true}}}};
    CommandOutput output;
    output.Results = std::move(report);
    output.File = OutputFile{request.Out, CellFileText(fitted, request.Name)};
    if (!fitted.ResistanceFromLogs)
        output.Warnings.push_back("one log without a rest before its load: the resistance is lithium-ion's typical " +
                                  ohms + " mohm; give logs at two currents to fit it");
    return output;
}

} // namespace lumora::cli
