// SPDX-License-Identifier: MIT
#include "tests/published/s001_fit.h"

#include "calc/light/cell_test.h"
#include "calc/text/number_text.h"

namespace lumora {

namespace {

std::string Percent(double ratio) { return (ratio >= 1.0 ? "+" : "") + RoundedText((ratio - 1.0) * 100.0, 1) + " %"; }

std::string Row(const std::string& id, const std::string& figure, const std::string& value, const std::string& source)
{
    return id + "," + figure + "," + value + ",\"" + source + "\"\n";
}

} // namespace

std::optional<std::vector<DischargeLog>> S001Logs()
{
    std::vector<DischargeLog> logs;
    for (const std::string& rate : S001Rates) {
        std::optional<DischargeLog> log = S001Log(rate);
        if (!log)
            return std::nullopt;
        logs.push_back(std::move(*log));
    }
    return logs;
}

std::variant<FittedCell, std::string> FitS001(const std::vector<DischargeLog>& logs)
{
    return FitCellToLogs(logs, 0.030);
}

ToCutOff PredictedTo(const CellModel& cell, const DischargeLog& log, double cutOffVolts)
{
    const CellTest test = RunCellTest(cell, {LoadKind::Current, MeanAmps(log)}, cutOffVolts, 0.005, MeanAirC(log));
    return {test.DeliveredAh, test.DeliveredWh};
}

std::vector<HeldOut> LeaveOneOut(const std::vector<DischargeLog>& logs)
{
    std::vector<HeldOut> rows;
    for (std::size_t held = 0; held < logs.size(); ++held) {
        std::vector<DischargeLog> others;
        for (std::size_t i = 0; i < logs.size(); ++i)
            if (i != held)
                others.push_back(logs[i]);
        const auto fit = FitS001(others);
        if (!std::holds_alternative<FittedCell>(fit))
            continue;
        HeldOut row{S001Rates[held], MeanAmps(logs[held]), {}, {}};
        for (std::size_t c = 0; c < std::size(CutOffs); ++c) {
            row.Measured[c] = MeasuredTo(logs[held], CutOffs[c]);
            row.Predicted[c] = PredictedTo(std::get<FittedCell>(fit).Model, logs[held], CutOffs[c]);
        }
        rows.push_back(row);
    }
    return rows;
}

std::string CellFitRows(const std::string& id, const FittedCell& fitted, const std::string& source)
{
    const CellModel& m = fitted.Model;
    std::string rest;
    for (double volts : m.OpenCircuitVolts)
        rest += (rest.empty() ? "" : " ") + RoundedText(volts, 4);
    return Row(id, "capacity_mah", RoundedText(m.CapacityAh * 1000.0, 1), source) +
           Row(id, "rest_v", rest, source + ": the rest curve at 41 equal steps of the capacity, full first") +
           Row(id, "internal_mohm", RoundedText(m.InternalOhms * 1000.0, 2), source + ": R0 at 25 °C") +
           Row(id, "polarisation_mohm", RoundedText(m.PolarisationOhms * 1000.0, 2), source + ": R1 at 25 °C") +
           Row(id, "polarisation_s", RoundedText(m.PolarisationSeconds, 1), source + ": R1 C1") +
           Row(id, "activation_k", RoundedText(m.ResistanceActivationKelvin, 0),
               source + ": Ea/R of R0 and R1, from the logged cell temperature") +
           Row(id, "available_share", RoundedText(m.AvailableShare, 4),
               source + (fitted.RateNote.empty() ? "" : " " + fitted.RateNote)) +
           Row(id, "levelling_per_h", RoundedText(m.LevellingPerHour, 4), source) +
           Row(id, "heat_j_per_k", RoundedText(m.HeatJoulesPerKelvin, 1),
               source + ": the cell with what the test rig warms with it") +
           Row(id, "cooling_w_per_k", RoundedText(m.CoolingWattsPerKelvin, 4), source + ": to the logged air");
}

std::string LeaveOneOutTable(const std::vector<HeldOut>& rows)
{
    std::string text = "| Held out | Mean A | mAh to 3.0 V | Wh to 3.0 V | mAh to 2.5 V | Wh to 2.5 V |\n"
                       "|---|---|---|---|---|---|\n";
    for (const HeldOut& row : rows) {
        text += "| " + row.Rate + " | " + RoundedText(row.Amps, 2);
        for (std::size_t c = 0; c < std::size(CutOffs); ++c) {
            const ToCutOff& m = row.Measured[c];
            const ToCutOff& p = row.Predicted[c];
            text += " | " + RoundedText(p.Ah * 1000.0, 0) + " of " + RoundedText(m.Ah * 1000.0, 0) + " (" +
                    Percent(p.Ah / m.Ah) + ") | " + RoundedText(p.Wh, 2) + " of " + RoundedText(m.Wh, 2) + " (" +
                    Percent(p.Wh / m.Wh) + ")";
        }
        text += " |\n";
    }
    return text;
}

} // namespace lumora
