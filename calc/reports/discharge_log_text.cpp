// SPDX-License-Identifier: MIT
#include "calc/reports/discharge_log_text.h"

#include "calc/reports/csv_text.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace lumora {

namespace {

// Each column's names, ours first, then analyzers' own.
// The first three are needed; the cell's temperature and the air's around
// it, where a log has them, let a fit follow the cell's own heat.
constexpr std::array<std::array<std::string_view, 4>, 5> Names = {{
    {"time_s", "sectimer", "time(s)", "time"},
    {"voltage_v", "avgcellvolts", "voltage(v)", "voltage"},
    {"current_a", "avgamps", "current(a)", "current"},
    {"cell_c", "temperature(c)", "temp(c)", "temperature"},
    {"ambient_c", "ambient(c)", "ambient", "air_c"},
}};
constexpr std::size_t Needed = 3;
// The temperatures a log may give, °C.
constexpr double ColdestC = -40.0, HottestC = 120.0;

// A line's cells, apart by the header's own separator.
std::vector<std::string> CellsOf(const std::string& line, char separator)
{
    if (separator == ',') {
        std::optional<std::vector<std::string>> cells = CsvCells(line);
        return cells ? *cells : std::vector<std::string>{};
    }
    std::vector<std::string> cells(1);
    for (char c : line) {
        if (c == separator)
            cells.emplace_back();
        else
            cells.back() += c;
    }
    return cells;
}

// The readings read so far and the checks between them.
class Reader {
  public:
    explicit Reader(const std::string& name) { m_log.Name = name; }

    // The header: the separator and where each column stands.
    std::optional<std::string> Header(const std::string& line, std::size_t number)
    {
        m_separator = line.find('\t') != std::string::npos                                         ? '\t'
                      : line.find(';') != std::string::npos && line.find(',') == std::string::npos ? ';'
                                                                                                   : ',';
        const std::vector<std::string> cells = CellsOf(line, m_separator);
        for (std::size_t c = 0; c < Names.size(); ++c) {
            for (std::size_t i = 0; i < cells.size() && !m_columns[c]; ++i)
                if (std::find(Names[c].begin(), Names[c].end(), CsvName(cells[i])) != Names[c].end())
                    m_columns[c] = i;
            if (!m_columns[c] && c < Needed)
                return LineMention(number) + "the header has no column " + std::string(Names[c][0]);
        }
        return std::nullopt;
    }

    std::optional<std::string> Reading(const std::string& line, std::size_t number);
    std::variant<DischargeLog, std::string> Done() const;
    bool HasHeader() const { return m_columns[0].has_value(); }

  private:
    DischargeLog m_log;
    char m_separator = ',';
    std::array<std::optional<std::size_t>, Names.size()> m_columns{};
    int m_sign = 0;
    bool m_rested = false; // a rest after the load began
};

std::optional<std::string> Reader::Reading(const std::string& line, std::size_t number)
{
    const std::vector<std::string> cells = CellsOf(line, m_separator);
    std::array<double, Names.size()> v{};
    v.fill(NAN);
    for (std::size_t c = 0; c < Names.size(); ++c) {
        if (!m_columns[c])
            continue;
        const std::optional<double> value =
            *m_columns[c] < cells.size() ? ReadNumber(CsvName(cells[*m_columns[c]])) : std::nullopt;
        if (!value || !std::isfinite(*value))
            return LineMention(number) + "no number for " + std::string(Names[c][0]);
        if (c >= Needed && (*value < ColdestC || *value > HottestC))
            return LineMention(number) + DoubleText(*value) + " °C is outside " + DoubleText(ColdestC) + " to " +
                   DoubleText(HottestC) + " °C";
        v[c] = *value;
    }
    const auto [seconds, volts, amps, celsius, ambientC] = v;
    if (volts < 0.5 || volts > 5.0)
        return LineMention(number) + DoubleText(volts) + " V is outside what one cell gives, 0.5 to 5 V";
    const double last = m_log.Points.empty() ? -INFINITY : m_log.Points.back().Seconds;
    if (seconds < last)
        return LineMention(number) + "time runs backwards, " + DoubleText(seconds) + " s after " + DoubleText(last) +
               " s";
    constexpr double MostAmps = 100.0; // past any cell's rated pulse
    if (std::fabs(amps) > MostAmps)
        return LineMention(number) + DoubleText(std::fabs(amps)) + " A is more than one cell gives, up to " +
               DoubleText(MostAmps) + " A";
    if (amps == 0.0) {
        if (m_log.Points.empty()) {
            m_log.RestVolts = volts; // at rest before the load
            if (std::isfinite(celsius))
                m_log.RestCelsius = celsius;
        } else
            m_rested = true;
        return std::nullopt;
    }
    const int sign = amps > 0.0 ? 1 : -1;
    if (m_sign && sign != m_sign)
        return LineMention(number) + "the current changes sign: a charge amid the discharge";
    if (m_rested)
        return LineMention(number) + "the load starts again after a rest; give each discharge as a log of its own";
    m_sign = sign;
    m_log.Points.push_back({seconds, volts, std::fabs(amps), celsius, ambientC});
    return std::nullopt;
}

std::variant<DischargeLog, std::string> Reader::Done() const
{
    constexpr std::size_t FewestReadings = 10;
    if (!HasHeader())
        return std::string("the log is empty: give a header row with time_s, voltage_v and current_a");
    if (m_log.Points.size() < FewestReadings)
        return "only " + DoubleText(static_cast<double>(m_log.Points.size())) +
               " readings under load; a fit needs 10 or more";
    if (!(m_log.Points.back().Seconds > m_log.Points.front().Seconds))
        return std::string("the readings under load all share one time");
    return m_log;
}

} // namespace

std::variant<DischargeLog, std::string> ReadDischargeLog(std::string_view text, const std::string& name)
{
    Reader reader(name);
    const std::optional<std::string> refusal = ForEachLogLine(text, [&](const std::string& line, std::size_t number) {
        return reader.HasHeader() ? reader.Reading(line, number) : reader.Header(line, number);
    });
    if (refusal)
        return *refusal;
    return reader.Done();
}

} // namespace lumora
