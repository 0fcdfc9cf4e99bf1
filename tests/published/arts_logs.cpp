// SPDX-License-Identifier: MIT
#include "tests/published/arts_logs.h"

#include "calc/text/field_text.h"
#include "tests/published/shared_data.h"

#include <sstream>

namespace lumora {

std::optional<DischargeLog> S001Log(const std::string& rate)
{
    const std::optional<std::string> text = SharedDataText("samsung-30q-arts/cc/Q30_S001_" + rate + ".csv");
    if (!text)
        return std::nullopt;
    DischargeLog log;
    log.Name = "S001 " + rate;
    std::istringstream lines(*text);
    constexpr double Rest = 0.05; // A: below it, the cell rests
    for (std::string line; std::getline(lines, line);) {
        std::vector<double> v;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');)
            v.push_back(ReadNumber(cell).value_or(NAN));
        if (v.size() < 7)
            continue;
        const double amps = -v[1];
        if (amps < Rest) {
            if (!log.Points.empty())
                break; // the rest after the load
            log.RestVolts = v[2];
            log.RestCelsius = v[4];
            continue;
        }
        log.Points.push_back({v[0], v[2], amps, v[4], v[6]});
    }
    return log;
}

ToCutOff MeasuredTo(const DischargeLog& log, double cutOffVolts)
{
    ToCutOff to;
    const std::vector<LogPoint>& p = log.Points;
    for (std::size_t k = 1; k < p.size(); ++k) {
        double hours = (p[k].Seconds - p[k - 1].Seconds) / 3600.0;
        double share = 1.0; // of the interval, to the crossing
        if (p[k].Volts < cutOffVolts)
            share = (p[k - 1].Volts - cutOffVolts) / (p[k - 1].Volts - p[k].Volts);
        hours *= share;
        const double endVolts = p[k - 1].Volts + (p[k].Volts - p[k - 1].Volts) * share;
        const double endAmps = p[k - 1].Amps + (p[k].Amps - p[k - 1].Amps) * share;
        to.Ah += (p[k - 1].Amps + endAmps) / 2.0 * hours;
        to.Wh += (p[k - 1].Amps * p[k - 1].Volts + endAmps * endVolts) / 2.0 * hours;
        if (p[k].Volts < cutOffVolts)
            break;
    }
    return to;
}

double MeanAmps(const DischargeLog& log) { return TotalsOf(log).MeanAmps; }

double MeanAirC(const DischargeLog& log)
{
    double sum = 0.0;
    for (const LogPoint& point : log.Points)
        sum += point.AmbientC;
    return sum / static_cast<double>(log.Points.size());
}

} // namespace lumora
