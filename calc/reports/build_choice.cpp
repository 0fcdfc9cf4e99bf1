// SPDX-License-Identifier: MIT
#include "calc/reports/build_choice.h"

#include "calc/light/battery_presets.h"
#include "calc/light/led_choice.h"
#include "calc/light/led_presets.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora {

namespace {

constexpr std::array<std::pair<std::string_view, ChoiceRank>, 4> Ranks = {{{"runtime", ChoiceRank::Runtime},
                                                                           {"sustained", ChoiceRank::Sustained},
                                                                           {"temperature", ChoiceRank::Temperature},
                                                                           {"size", ChoiceRank::Size}}};

// How many of the nearest builds are shown where none meets the question.
constexpr std::size_t NearestShown = 3;

// Where a build's 30-s output must fall of the wanted, as graph --output gives it.
constexpr double OutputTolerance = 0.01;

} // namespace

std::string DurationWords(double hours)
{
    if (hours < 2.0)
        return RoundedText(hours * 60.0, 0) + " min";
    return RoundedText(hours, 1) + " h";
}

namespace {

// The candidates' LEDs: the one held, or every preset with flux.
std::vector<std::string> LedsOf(const BuildQuestion& question, std::vector<RunRefusal>& refusals)
{
    if (const std::optional<std::string> held = question.Held.Text("led")) {
        const LedPreset* led = LedNamed(*held);
        if (!led)
            refusals.push_back({"led", UnknownLedText(*held)});
        else if (led->Flux.empty())
            refusals.push_back({"led", led->Name + " has no measured flux, so no drive gives a wanted output; "
                                                   "choose an LED with flux ('lumora-cli leds')"});
        return {*held};
    }
    std::vector<std::string> ids;
    for (const LedPreset& led : LedPresets())
        if (!led.Flux.empty())
            ids.push_back(led.Id);
    return ids;
}

// The candidates' cells: the named cell held, or every named cell of the
// format held (the format's typical cell where it has none named).
std::vector<std::string> CellsOf(const BuildQuestion& question, std::vector<RunRefusal>& refusals)
{
    const std::optional<std::string> held = question.Held.Text("cell");
    if (!held) {
        refusals.push_back({"cell", "give the cell's format or a named cell, for example {cell 18650}"});
        return {};
    }
    const std::optional<BatteryChoice> choice = BatteryNamed(*held);
    if (!choice) {
        refusals.push_back({"cell", UnknownBatteryText(*held)});
        return {};
    }
    if (choice->named)
        return {*held};
    if (!choice->cell) {
        refusals.push_back({"cell", "a chemistry alone has no cells to choose among; give a cell format, for "
                                    "example {cell 18650}, or a named cell"});
        return {};
    }
    std::vector<std::string> ids;
    for (const NamedCell& cell : NamedCells())
        if (cell.Format == choice->cell->Format && cell.Chemistry == choice->cell->Chemistry)
            ids.emplace_back(cell.Id);
    if (ids.empty())
        ids.push_back(*held);
    return ids;
}

std::vector<int> CountsOf(const BuildQuestion& question, std::vector<RunRefusal>& refusals)
{
    if (const std::optional<std::string> held = question.Held.Text("leds")) {
        const std::optional<double> count = ReadNumber(*held);
        if (!count || !(*count >= 1.0) || *count > MostLedsAsked || *count != std::floor(*count)) {
            refusals.push_back(
                {"leds", "the number of LEDs must be a whole number from 1 to " + std::to_string(MostLedsAsked)});
            return {};
        }
        return {static_cast<int>(*count)};
    }
    if (question.MostLeds < 1 || question.MostLeds > MostLedsAsked) {
        refusals.push_back({"", "the most LEDs must be from 1 to " + std::to_string(MostLedsAsked)});
        return {};
    }
    std::vector<int> counts;
    for (int count = 1; count <= question.MostLeds; ++count)
        counts.push_back(count);
    return counts;
}

std::vector<std::string> Held(const BuildQuestion& question, std::string_view key, std::vector<std::string> all)
{
    if (const std::optional<std::string> held = question.Held.Text(key))
        return {*held};
    return all;
}

void CheckQuestion(const BuildQuestion& question, std::vector<RunRefusal>& refusals)
{
    if (!(question.Lumens > 0.0) || !std::isfinite(question.Lumens))
        refusals.push_back({"output", "the wanted output must be a number of lumens above 0"});
    if (!(question.RuntimeHours > 0.0) || !std::isfinite(question.RuntimeHours))
        refusals.push_back({"runtime", "the wanted runtime must be a duration above 0"});
    for (const char* solved : {"current", "output", "resistance"})
        if (question.Held.Text(solved))
            refusals.push_back(
                {solved, std::string("the search solves the drive for the wanted output; leave out {") + solved + "}"});
}

double Sustained(const LightRun& run)
{
    const DischargeSummary& s = run.Run.Summary;
    return s.SettledHours ? s.SustainedOutput : s.Output30s;
}

// A candidate's text of a key; "" where it gives none.
std::string TextOf(const BuildTexts& texts, std::string_view key)
{
    for (const auto& [k, text] : texts)
        if (k == key)
            return text;
    return "";
}

int LedCount(const ChosenBuild& build)
{
    return static_cast<int>(ReadNumber(TextOf(build.Texts, "leds")).value_or(1.0));
}

int CellCount(const ChosenBuild& build)
{
    const std::optional<Pack> pack = PackNamed(TextOf(build.Texts, "pack"));
    return pack ? pack->Series * pack->Parallel : 1;
}

LightInputs InputsOf(const BuildTexts& texts)
{
    LightInputs inputs;
    for (const auto& [key, text] : texts)
        inputs.Give(key, text);
    return inputs;
}

} // namespace

std::optional<ChoiceRank> ChoiceRankNamed(std::string_view name)
{
    for (const auto& [text, rank] : Ranks)
        if (text == name)
            return rank;
    return std::nullopt;
}

std::vector<std::string_view> ChoiceRankNames()
{
    std::vector<std::string_view> names;
    for (const auto& rank : Ranks)
        names.push_back(rank.first);
    return names;
}

std::vector<BuildTexts> CandidatesOf(const BuildQuestion& question, std::vector<RunRefusal>& refusals)
{
    CheckQuestion(question, refusals);
    const std::vector<std::string> leds = LedsOf(question, refusals);
    const std::vector<std::string> cells = CellsOf(question, refusals);
    const std::vector<int> counts = CountsOf(question, refusals);
    if (!refusals.empty())
        return {};
    BuildTexts held;
    for (const auto& [key, text] : question.Held.Texts)
        if (key != "led" && key != "leds" && key != "wiring" && key != "cell" && key != "driver")
            held.emplace_back(key, text);
    std::vector<BuildTexts> candidates;
    for (const std::string& led : leds)
        for (const int count : counts)
            for (const std::string& wiring :
                 Held(question, "wiring",
                      count > 1 ? std::vector<std::string>{"series", "parallel"} : std::vector<std::string>{"series"}))
                for (const std::string& cell : cells)
                    for (const std::string& driver : Held(question, "driver", {"linear", "converter"})) {
                        BuildTexts texts = {{"led", led}, {"leds", std::to_string(count)}};
                        if (count > 1)
                            texts.emplace_back("wiring", wiring);
                        texts.emplace_back("cell", cell);
                        texts.emplace_back("driver", driver);
                        texts.insert(texts.end(), held.begin(), held.end());
                        texts.emplace_back("output", DoubleText(question.Lumens));
                        candidates.push_back(std::move(texts));
                    }
    return candidates;
}

ChosenBuild Judged(const BuildQuestion& question, BuildTexts texts, LightRun run)
{
    ChosenBuild build;
    build.Texts = std::move(texts);
    build.Run = std::move(run);
    const LightRun& r = build.Run;
    if (!r.Refusals.empty()) {
        build.Misses = r.Refusals.front().Text;
        return build;
    }
    const DischargeSummary& s = r.Run.Summary;
    build.Shortfall = std::min(1.0, s.Fl1Hours / question.RuntimeHours);
    const bool output = s.InLumens && std::fabs(s.Output30s / question.Lumens - 1.0) <= OutputTolerance;
    const bool runtime = s.Fl1Hours >= question.RuntimeHours;
    build.GivesIt = output && runtime;
    if (!build.GivesIt)
        build.Misses = "gives " + RoundedText(s.Output30s, 0) + " lm for " + DurationWords(s.Fl1Hours);
    else if (!r.PastRating.empty() && !question.AllowOverRating)
        build.Misses = "meets it only past a rating: " + r.PastRating;
    build.Meets = build.Misses.empty();
    return build;
}

bool RanksBefore(ChoiceRank by, const ChosenBuild& a, const ChosenBuild& b)
{
    const DischargeSummary& x = a.Run.Run.Summary;
    const DischargeSummary& y = b.Run.Run.Summary;
    const auto runtime = [&] { return x.Fl1Hours > y.Fl1Hours; };
    switch (by) {
    case ChoiceRank::Runtime: return runtime();
    case ChoiceRank::Sustained:
        return Sustained(a.Run) != Sustained(b.Run) ? Sustained(a.Run) > Sustained(b.Run) : runtime();
    case ChoiceRank::Temperature: return x.PeakHostC != y.PeakHostC ? x.PeakHostC < y.PeakHostC : runtime();
    case ChoiceRank::Size:
        if (LedCount(a) != LedCount(b))
            return LedCount(a) < LedCount(b);
        return CellCount(a) != CellCount(b) ? CellCount(a) < CellCount(b) : runtime();
    }
    return false;
}

BuildChoice ChooseBuild(const BuildQuestion& question)
{
    std::vector<RunRefusal> refusals;
    const std::vector<BuildTexts> candidates = CandidatesOf(question, refusals);
    if (!refusals.empty()) {
        BuildChoice refused;
        refused.Refusals = std::move(refusals);
        return refused;
    }
    return ChooseAmong(question, candidates);
}

BuildChoice ChooseAmong(const BuildQuestion& question, const std::vector<BuildTexts>& candidates)
{
    BuildChoice choice;
    choice.Searched = static_cast<int>(candidates.size());
    std::vector<ChosenBuild> meeting, missing;
    for (const BuildTexts& texts : candidates) {
        ChosenBuild build = Judged(question, texts, RunLight(InputsOf(texts)));
        if (build.GivesIt && !build.Run.PastRating.empty())
            ++choice.OverRating;
        (build.Meets ? meeting : missing).push_back(std::move(build));
    }
    const auto ranks = [&](const ChosenBuild& a, const ChosenBuild& b) { return RanksBefore(question.By, a, b); };
    std::stable_sort(meeting.begin(), meeting.end(), ranks);
    choice.Met = static_cast<int>(meeting.size());
    if (static_cast<int>(meeting.size()) > question.Top)
        meeting.resize(static_cast<std::size_t>(std::max(question.Top, 0)));
    choice.Builds = std::move(meeting);
    if (!choice.Builds.empty())
        return choice;
    // Nothing meets it: the nearest that keep within the ratings (unless
    // those may be passed), by the share of the runtime they give.
    const auto buildable = [&](const ChosenBuild& b) { return question.AllowOverRating || b.Run.PastRating.empty(); };
    std::stable_sort(missing.begin(), missing.end(), [&](const ChosenBuild& a, const ChosenBuild& b) {
        return buildable(a) != buildable(b) ? buildable(a) : a.Shortfall > b.Shortfall;
    });
    for (std::size_t k = 0; k < missing.size() && k < NearestShown; ++k)
        choice.Nearest.push_back(std::move(missing[k]));
    const std::string format = question.Held.Text("cell").value_or("");
    choice.Nothing = "no " + format + " build gives " + RoundedText(question.Lumens, 0) + " lm for " +
                     DurationWords(question.RuntimeHours);
    if (!choice.Nearest.empty() && choice.Nearest.front().Run.Refusals.empty())
        choice.Nothing += ": the best gives " + RoundedText(choice.Nearest.front().Run.Run.Summary.Output30s, 0) +
                          " lm for " + DurationWords(choice.Nearest.front().Run.Run.Summary.Fl1Hours);
    return choice;
}

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

ChosenRow RowOf(const ChosenBuild& build)
{
    const auto text = [&](std::string_view key) { return TextOf(build.Texts, key); };
    ChosenRow row;
    const LedPreset* led = LedNamed(text("led"));
    const std::optional<BatteryChoice> cell = BatteryNamed(text("cell"));
    const std::string wiring = text("wiring");
    row.Led = led ? led->Name : text("led");
    row.Leds = text("leds") + (wiring.empty() ? "" : wiring == "series" ? " in series" : " in parallel");
    row.Cell = cell ? TradeName(*cell) : text("cell");
    row.Pack = UnderstoodText(build.Run, "pack");
    row.Driver = text("driver");
    row.Misses = build.Misses;
    if (!build.Run.Refusals.empty())
        return row;
    const DischargeSummary& s = build.Run.Run.Summary;
    row.CurrentMa = UnderstoodText(build.Run, "current_ma");
    row.Output30s = RoundedText(s.Output30s, 0);
    row.Fl1Hours = RoundedText(s.Fl1Hours, 2);
    row.Fl1Clock = FigureText(build.Run, "fl1_runtime_clock");
    row.Sustained = RoundedText(Sustained(build.Run), 0);
    if (s.PeakHostC > 0.0) {
        row.PeakHostC = RoundedText(s.PeakHostC, 1);
        row.PeakJunctionC = RoundedText(PeakJunctionC(build.Run), 1);
    }
    row.Warnings = std::to_string(build.Run.Warnings.size());
    return row;
}

std::optional<double> ReadDuration(std::string_view text)
{
    text = Trimmed(text);
    std::optional<double> hours;
    if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
        // H:MM or H:MM:SS, minutes and seconds below 60.
        const std::string_view rest = text.substr(colon + 1);
        const std::size_t second = rest.find(':');
        const std::optional<double> h = ReadNumber(text.substr(0, colon));
        const std::optional<double> m = ReadNumber(rest.substr(0, second));
        const std::optional<double> s =
            second == std::string_view::npos ? std::optional<double>(0.0) : ReadNumber(rest.substr(second + 1));
        if (h && m && s && *h >= 0.0 && *m >= 0.0 && *m < 60.0 && *s >= 0.0 && *s < 60.0)
            hours = *h + *m / 60.0 + *s / 3600.0;
    } else if (text.size() > 3 && text.substr(text.size() - 3) == "min") {
        if (const std::optional<double> m = ReadNumber(Trimmed(text.substr(0, text.size() - 3))))
            hours = *m / 60.0;
    } else if (text.size() > 1 && text.back() == 'h') {
        hours = ReadNumber(Trimmed(text.substr(0, text.size() - 1)));
    } else {
        hours = ReadNumber(text);
    }
    if (!hours || !(*hours > 0.0) || !std::isfinite(*hours))
        return std::nullopt;
    return hours;
}

} // namespace lumora
