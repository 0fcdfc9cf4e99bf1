// SPDX-License-Identifier: MIT
#include "calc/light/led_model.h"

#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace lumora {

namespace {

// An ideal diode's emission coefficient is 1: no fitted curve is steeper.
constexpr double SmallestLogSlope = ThermalVoltage;

// "350 mA = 3.1 V", as a refusal names a point.
std::string PointText(LedPoint point)
{
    return DecimalText(point.Amps * 1000.0, 6) + " mA = " + DecimalText(point.Volts, 6) + " V";
}

// Solves e^u + u = z. The function is convex and rising, so Newton's method
// started where it is not below zero comes down to the root without
// overshooting.
double LogOmega(double z)
{
    double u = z > 1.0 ? std::log(z) : z;
    for (int i = 0; i < 64; ++i) {
        const double e = std::exp(u);
        const double step = (e + u - z) / (e + 1.0);
        if (!(step > 0.0))
            break;
        u -= step;
        if (step <= 4e-16 * std::max(1.0, std::fabs(u)))
            break;
    }
    return u;
}

// One candidate of the fit: a and the free ones of b and Rs by least
// squares, the others held.
struct Candidate {
    LedCurve curve;
    double squares = 0.0;
    bool ok = false;
};

// The normal equations of the free parameters 1 to k-1, solved by
// elimination with pivoting; nullopt when they are singular.
std::optional<std::array<double, 3>> Solved(std::array<std::array<double, 3>, 3> m, std::array<double, 3> y,
                                            std::size_t k)
{
    std::array<double, 3> beta{};
    for (std::size_t col = 1; col < k; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < k; ++r) {
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col]))
                pivot = r;
        }
        if (!(std::fabs(m[pivot][col]) > 0.0))
            return std::nullopt;
        std::swap(m[pivot], m[col]);
        std::swap(y[pivot], y[col]);
        for (std::size_t r = col + 1; r < k; ++r) {
            const double f = m[r][col] / m[col][col];
            for (std::size_t c = col; c < k; ++c)
                m[r][c] -= f * m[col][c];
            y[r] -= f * y[col];
        }
    }
    for (std::size_t col = k; col-- > 1;) {
        double sum = y[col];
        for (std::size_t c = col + 1; c < k; ++c)
            sum -= m[col][c] * beta[c];
        beta[col] = sum / m[col][col];
    }

    return beta;
}

Candidate FitWith(std::span<const LedPoint> points, std::optional<double> fixedB, std::optional<double> fixedRs)
{
    // Columns of the free parameters, and the voltage left after the held ones.
    std::vector<std::array<double, 3>> rows;
    std::vector<double> rest;
    for (const LedPoint& p : points) {
        rows.push_back({1.0, std::log(p.Amps), p.Amps});
        rest.push_back(p.Volts - fixedB.value_or(0.0) * std::log(p.Amps) - fixedRs.value_or(0.0) * p.Amps);
    }
    std::vector<int> free{0};
    if (!fixedB)
        free.push_back(1);
    if (!fixedRs)
        free.push_back(2);
    const std::size_t k = free.size();
    if (points.size() < k)
        return {};

    // Normal equations on centred columns.
    std::array<double, 3> mean{};
    for (const auto& row : rows) {
        for (std::size_t j = 0; j < 3; ++j)
            mean[j] += row[j] / static_cast<double>(rows.size());
    }
    double meanRest = 0.0;
    for (double r : rest)
        meanRest += r / static_cast<double>(rest.size());
    std::array<std::array<double, 3>, 3> m{};
    std::array<double, 3> y{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = 1; j < k; ++j) {
            const double xj = rows[i][static_cast<std::size_t>(free[j])] - mean[static_cast<std::size_t>(free[j])];
            y[j] += xj * (rest[i] - meanRest);
            for (std::size_t l = 1; l < k; ++l)
                m[j][l] += xj * (rows[i][static_cast<std::size_t>(free[l])] - mean[static_cast<std::size_t>(free[l])]);
        }
    }
    const std::optional<std::array<double, 3>> solved = Solved(m, y, k);
    if (!solved)
        return {};
    const std::array<double, 3>& beta = *solved;

    Candidate candidate;
    candidate.curve.B = fixedB.value_or(0.0);
    candidate.curve.Rs = fixedRs.value_or(0.0);
    double intercept = meanRest;
    for (std::size_t j = 1; j < k; ++j) {
        (free[j] == 1 ? candidate.curve.B : candidate.curve.Rs) = beta[j];
        intercept -= beta[j] * mean[static_cast<std::size_t>(free[j])];
    }
    candidate.curve.A = intercept;
    for (const LedPoint& p : points) {
        const double miss = p.Volts - ForwardVoltage(candidate.curve, p.Amps);
        candidate.squares += miss * miss;
    }
    candidate.ok = std::isfinite(candidate.squares) && candidate.curve.B >= SmallestLogSlope * (1.0 - 1e-12) &&
                   candidate.curve.Rs >= 0.0;
    return candidate;
}

// The point a curve misses most, and by how much, V.
std::pair<LedPoint, double> WorstMiss(const std::vector<LedPoint>& points, const LedCurve& curve)
{
    std::pair<LedPoint, double> worst{points.front(), -1.0};
    for (const LedPoint& p : points) {
        const double miss = std::fabs(p.Volts - ForwardVoltage(curve, p.Amps));
        if (miss > worst.second)
            worst = {p, miss};
    }
    return worst;
}

// Through two points: the typical logarithmic slope and the resistance the
// pair then needs, or no resistance and the slope they need.
LedCurve ThroughTwo(LedPoint low, LedPoint high)
{
    const double rise = high.Volts - low.Volts;
    const double logSpan = std::log(high.Amps / low.Amps);
    LedCurve curve{0.0, TypicalLogSlope, (rise - TypicalLogSlope * logSpan) / (high.Amps - low.Amps)};
    if (curve.Rs < 0.0) {
        curve.Rs = 0.0;
        curve.B = rise / logSpan;
    }
    curve.A = low.Volts - curve.B * std::log(low.Amps) - curve.Rs * low.Amps;
    return curve;
}

// The exponent after "e" or "E" from 'at' on, 0 where there is none; nullopt
// for an "e" without digits.
std::optional<long> ReadExponent(std::string_view text, std::size_t& at)
{
    long exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool minus = false;
        if (at < text.size() && (text[at] == '-' || text[at] == '+'))
            minus = text[at++] == '-';
        const std::size_t start = at;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[at] - '0');
        }
        if (at == start)
            return std::nullopt;
        if (minus)
            exponent = -exponent;
    }
    return exponent;
}

// SPICE's scale suffixes, lower case: "meg" is 10^6, "m" 10^-3.
std::optional<int> SuffixScale(std::string_view suffix)
{
    static constexpr std::pair<std::string_view, int> Scales[] = {
        {"", 0}, {"t", 12}, {"g", 9}, {"meg", 6}, {"k", 3}, {"m", -3}, {"u", -6}, {"n", -9}, {"p", -12}, {"f", -15}};
    const auto scale =
        std::find_if(std::begin(Scales), std::end(Scales), [&](const auto& s) { return s.first == suffix; });
    return scale == std::end(Scales) ? std::nullopt : std::optional<int>(scale->second);
}

// A number of a SPICE line ("4.4e-9", "1.553E-29", "4.4n", "100meg") turned
// into plain decimal digits, so that it is read exactly as a field text is.
std::optional<double> ReadSpiceNumber(std::string_view text)
{
    std::string digits;
    bool negative = false;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    int pointAt = -1;
    for (; at < text.size() && ((text[at] >= '0' && text[at] <= '9') || text[at] == '.'); ++at) {
        if (text[at] == '.') {
            if (pointAt >= 0)
                return std::nullopt;
            pointAt = static_cast<int>(digits.size());
        } else {
            digits += text[at];
        }
    }
    if (digits.empty())
        return std::nullopt;
    if (pointAt < 0)
        pointAt = static_cast<int>(digits.size());
    std::optional<long> exponent = ReadExponent(text, at);
    if (!exponent)
        return std::nullopt;
    std::string suffix;
    for (; at < text.size(); ++at)
        suffix += static_cast<char>(text[at] >= 'A' && text[at] <= 'Z' ? text[at] - 'A' + 'a' : text[at]);
    const std::optional<int> scale = SuffixScale(suffix);
    if (!scale)
        return std::nullopt;
    *exponent += *scale;
    if (*exponent > 400 || *exponent < -400)
        return std::nullopt;

    // Shift the point by the exponent within the digits.
    long point = pointAt + *exponent;
    if (point <= 0) {
        digits.insert(0, static_cast<std::size_t>(-point) + 1, '0');
        point = 1;
    } else if (point > static_cast<long>(digits.size())) {
        digits.append(static_cast<std::size_t>(point) - digits.size(), '0');
    }
    digits.insert(static_cast<std::size_t>(point), ".");
    const std::optional<double> value = ReadNumber(digits);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

} // namespace

double ForwardVoltage(const LedCurve& curve, double amps)
{
    return curve.A + curve.B * std::log(amps) + curve.Rs * amps;
}

double CurrentAt(const LedCurve& curve, double volts, double extraOhms)
{
    const double ohms = curve.Rs + extraOhms;
    if (!(ohms > 0.0))
        return std::exp((volts - curve.A) / curve.B);
    // With I = (B/R)·w the equation becomes w + ln(w) = z.
    const double scale = curve.B / ohms;
    const double z = (volts - curve.A) / curve.B - std::log(scale);
    return scale * std::exp(LogOmega(z));
}

LedCurve CurveThrough(LedPoint point)
{
    LedCurve curve{0.0, TypicalLogSlope, TypicalSeriesDrop / point.Amps};
    curve.A = point.Volts - curve.B * std::log(point.Amps) - curve.Rs * point.Amps;
    return curve;
}

std::variant<LedCurve, std::string> FitCurve(std::span<const LedPoint> given)
{
    if (given.size() < 2)
        return std::string("a curve needs two points or more");
    std::vector<LedPoint> points(given.begin(), given.end());
    for (const LedPoint& p : points) {
        if (!(p.Amps > 0.0) || !(p.Volts > 0.0) || !std::isfinite(p.Amps) || !std::isfinite(p.Volts))
            return "the point " + PointText(p) + ": its current and its forward voltage must both be above 0";
    }
    std::sort(points.begin(), points.end(), [](const LedPoint& x, const LedPoint& y) { return x.Amps < y.Amps; });
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].Amps == points[i - 1].Amps)
            return "two points at " + DecimalText(points[i].Amps * 1000.0, 6) +
                   " mA: each point needs a current of its own";
        if (!(points[i].Volts > points[i - 1].Volts))
            return "the forward voltage must rise with the current, but " + PointText(points[i]) + " is not above " +
                   PointText(points[i - 1]);
    }
    if (points.size() == 2)
        return ThroughTwo(points[0], points[1]);

    // The slope free first; where the points ask for one below an ideal
    // diode's, they do not fix it (too few, or one taken warmer than the
    // rest), and the typical white LED's is taken, as through two points,
    // unless it misses them; the ideal diode's last.
    const std::optional<double> freeValue;
    std::optional<LedCurve> fitted;
    for (const std::optional<double> b :
         {freeValue, std::optional<double>(TypicalLogSlope), std::optional<double>(SmallestLogSlope)}) {
        Candidate best;
        for (const std::optional<double> rs : {freeValue, std::optional<double>(0.0)}) {
            const Candidate candidate = FitWith(points, b, rs);
            if (candidate.ok && (!best.ok || candidate.squares < best.squares))
                best = candidate;
        }
        if (best.ok && (!fitted || WorstMiss(points, best.curve).second <= LargestFitMiss)) {
            fitted = best.curve;
            if (WorstMiss(points, best.curve).second <= LargestFitMiss)
                break;
        }
    }
    if (!fitted)
        return std::string("no curve V = a + b·ln(I) + Rs·I fits these points");
    const auto [worst, miss] = WorstMiss(points, *fitted);
    if (miss > LargestFitMiss)
        return "no curve V = a + b·ln(I) + Rs·I passes within " + DecimalText(LargestFitMiss * 1000.0, 6) +
               " mV of these points: the nearest misses " + PointText(worst) + " by " +
               DecimalText(std::round(miss * 1000.0), 6) + " mV";
    return *fitted;
}

SpiceDiode SpiceOf(const LedCurve& curve) { return {std::exp(-curve.A / curve.B), curve.B / ThermalVoltage, curve.Rs}; }

LedCurve DiodeCurve(const SpiceDiode& diode)
{
    const double b = diode.N * ThermalVoltage;
    return {-b * std::log(diode.Is), b, diode.Rs};
}

std::variant<SpiceDiode, std::string> ReadSpiceDiode(std::string_view text)
{
    // Brackets, commas and tabs as spaces, and no space next to "=".
    std::string spaced;
    for (char c : text)
        spaced += (c == '(' || c == ')' || c == ',' || c == '\t') ? ' ' : c;
    std::string joined;
    for (std::size_t i = 0; i < spaced.size(); ++i) {
        if (spaced[i] == ' ') {
            const std::size_t next = spaced.find_first_not_of(' ', i);
            if ((!joined.empty() && joined.back() == '=') || (next != std::string::npos && spaced[next] == '='))
                continue;
        }
        joined += spaced[i];
    }
    std::optional<double> is, n, rs;
    for (std::size_t start = 0; start < joined.size();) {
        std::size_t end = joined.find(' ', start);
        if (end == std::string::npos)
            end = joined.size();
        const std::string_view token = std::string_view(joined).substr(start, end - start);
        start = end + 1;
        const std::size_t equals = token.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string key(token.substr(0, equals));
        for (char& c : key)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        std::optional<double>* slot = key == "IS" ? &is : key == "N" ? &n : key == "RS" ? &rs : nullptr;
        if (!slot)
            continue;
        *slot = ReadSpiceNumber(token.substr(equals + 1));
        if (!*slot)
            return key + "=" + std::string(token.substr(equals + 1)) + " is no number SPICE reads";
    }
    if (!is || !n)
        return std::string("a SPICE diode needs IS and N, for example 'IS=4.4e-9 N=8.39 RS=7.8'");
    if (!(*is > 0.0) || !std::isfinite(*is))
        return std::string("IS must be above 0");
    if (!(*n > 0.0) || !std::isfinite(*n))
        return std::string("N must be above 0");
    if (rs && (!(*rs >= 0.0) || !std::isfinite(*rs)))
        return std::string("RS must be 0 or above");
    return SpiceDiode{*is, *n, rs.value_or(0.0)};
}

} // namespace lumora
