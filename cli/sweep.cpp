// SPDX-License-Identifier: MIT
#include "cli/sweep.h"

#include "calc/text/field_text.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace lumora::cli {

namespace {

// Adds a message the first time it comes, after 'where' it came from.
void AddOnce(std::vector<std::string>& seen, std::vector<std::string>& list, const std::string& where,
             const std::string& text)
{
    if (std::find(seen.begin(), seen.end(), text) != seen.end())
        return;
    seen.push_back(text);
    list.push_back(where + text);
}

std::string Known(const std::vector<Input>& inputs)
{
    std::vector<std::string> names;
    for (const Input& input : inputs)
        names.emplace_back(input.Name);
    return CommaList(names);
}

// Up to 18 digits in all, so that every sum and product below stays exact
// in 64 bits.
constexpr std::size_t MostDigits = 18;

// A decimal text as a whole number of units of 10^-decimals.
struct Scaled {
    std::int64_t units = 0;
    std::size_t decimals = 0;
};

std::optional<Scaled> ReadScaled(std::string_view text, bool signAllowed, bool whole)
{
    bool negative = false;
    if (signAllowed && !text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (!IsTypeableText(text, whole ? NumberKind::Whole : NumberKind::Decimal) || !IsNumberText(text))
        return std::nullopt;
    const std::size_t point = text.find('.');
    Scaled scaled;
    std::size_t digits = 0;
    for (char c : text) {
        if (c == '.')
            continue;
        if (digits > 0 || c != '0')
            ++digits; // leading zeros cost nothing
        if (digits > MostDigits)
            return std::nullopt;
        scaled.units = scaled.units * 10 + (c - '0');
    }
    scaled.decimals = point == std::string_view::npos ? 0 : text.size() - point - 1;
    if (scaled.decimals > MostDigits)
        return std::nullopt;
    if (negative)
        scaled.units = -scaled.units;
    return scaled;
}

// Brings a value to more decimals; false when that leaves the exact range.
bool Rescale(Scaled& value, std::size_t decimals)
{
    for (; value.decimals < decimals; ++value.decimals) {
        if (value.units > INT64_MAX / 10 || value.units < -INT64_MAX / 10)
            return false;
        value.units *= 10;
    }
    return true;
}

std::string Text(std::int64_t units, std::size_t decimals)
{
    std::string digits = std::to_string(units);
    if (decimals == 0)
        return digits;
    if (digits.size() <= decimals)
        digits.insert(0, decimals - digits.size() + 1, '0');
    digits.insert(digits.size() - decimals, ".");
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.')
        digits.pop_back();
    return digits;
}

} // namespace

std::variant<SweepSpec, std::string> ParseSweep(std::string_view text)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return std::string("write it as NAME=FROM:TO:STEP, for example current=100:1000:100");
    SweepSpec spec;
    spec.Name = text.substr(0, equals);
    std::string_view range = text.substr(equals + 1);
    std::string* parts[] = {&spec.From, &spec.To, &spec.Step};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t colon = range.find(':');
        if ((colon == std::string_view::npos) != (i == 2))
            return std::string("write the range as FROM:TO:STEP, for example 100:1000:100");
        *parts[i] = range.substr(0, colon);
        range = colon == std::string_view::npos ? std::string_view() : range.substr(colon + 1);
    }
    return spec;
}

std::variant<std::vector<std::string>, std::string> SweepValues(const SweepSpec& spec, bool whole)
{
    const char* const kind = whole ? "a whole number" : "a number of digits and one \".\"";
    std::optional<Scaled> from = ReadScaled(spec.From, false, whole);
    std::optional<Scaled> to = ReadScaled(spec.To, false, whole);
    std::optional<Scaled> step = ReadScaled(spec.Step, true, whole);
    if (!from || !to || !step)
        return std::string("FROM and TO must each be ") + kind + " of at most 18 digits, and STEP too, with a \"-\" " +
               "to count down";
    const std::size_t decimals = std::max({from->decimals, to->decimals, step->decimals});
    if (!Rescale(*from, decimals) || !Rescale(*to, decimals) || !Rescale(*step, decimals))
        return std::string("FROM, TO and STEP have too many digits to be counted exactly");
    if (step->units == 0)
        return std::string("the step must not be 0");
    const std::int64_t span = to->units - from->units; // both at most 10^18: no overflow
    if (span > 0 && step->units < 0)
        return "the step must be above 0 to count up from " + spec.From + " to " + spec.To;
    if (span < 0 && step->units > 0)
        return "the step must be below 0 (\"-" + spec.Step + "\") to count down from " + spec.From + " to " + spec.To;
    const std::uint64_t rows = static_cast<std::uint64_t>(span / step->units) + 1;
    if (rows > LargestSweep)
        return "it would give " + std::to_string(rows) + " rows; at most " + std::to_string(LargestSweep) +
               " are allowed";
    std::vector<std::string> values;
    values.reserve(rows);
    for (std::uint64_t k = 0; k < rows; ++k)
        values.push_back(Text(from->units + static_cast<std::int64_t>(k) * step->units, decimals));
    return values;
}

CommandOutput RunCalculation(std::vector<Input>& inputs, const std::optional<SweepSpec>& sweep, Report report,
                             const Step& step)
{
    CommandOutput output;
    for (const Input& input : inputs) {
        if (input.Given) {
            if (std::optional<std::string> refusal = RefusalOf(input, *input.Given))
                output.Errors.push_back(std::move(*refusal));
        }
    }
    if (!output.Errors.empty()) {
        output.Exit = ExitCode::Refused;
        return output;
    }

    Input* swept = nullptr;
    std::vector<std::string> values{""};
    if (sweep) {
        const auto found =
            std::find_if(inputs.begin(), inputs.end(), [&](const Input& i) { return i.Name == sweep->Name; });
        if (found == inputs.end())
            return Stop(ExitCode::Usage,
                        "--sweep: there is no input \"" + sweep->Name + "\"; sweep one of " + Known(inputs));
        swept = &*found;
        if (swept->Given)
            return Stop(ExitCode::Usage, "--sweep: " + OptionOf(*swept) + " is given too; leave it out to sweep it");
        auto sweptValues = SweepValues(*sweep, swept->Kind == NumberKind::Whole);
        if (auto* problem = std::get_if<std::string>(&sweptValues))
            return Stop(ExitCode::Refused, "--sweep " + sweep->Name + ": " + *problem);
        values = std::move(std::get<std::vector<std::string>>(sweptValues));
        for (const std::string& value : values) {
            if (std::optional<std::string> refusal = RefusalOf(*swept, value))
                return Stop(ExitCode::Refused, "--sweep " + sweep->Name + "=" + value + ": " + *refusal);
        }
    }

    std::vector<std::string> seen;
    bool refused = false, failed = false, solved = false;
    for (const std::string& value : values) {
        if (swept)
            swept->Text = value;
        const StepResult result = step(inputs, swept != nullptr, report);
        const std::string where = swept ? sweep->Name + "=" + value + ": " : "";
        for (const std::string& refusal : result.Refusals)
            AddOnce(seen, output.Errors, where, refusal);
        if (!result.Failure.empty())
            AddOnce(seen, output.Errors, where, result.Failure);
        for (const std::string& warning : result.Warnings)
            AddOnce(seen, output.Warnings, "", warning);
        refused = refused || !result.Refusals.empty();
        failed = failed || !result.Failure.empty();
        solved = solved || (result.Refusals.empty() && result.Failure.empty());
    }
    output.Exit = refused ? ExitCode::Refused : failed ? ExitCode::Failed : ExitCode::Solved;
    if (solved)
        output.Results = std::move(report);
    return output;
}

} // namespace lumora::cli
