// SPDX-License-Identifier: MIT
#pragma once

#include "calc/reports/light_run.h"
#include "calc/request/light_inputs.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// Choosing a build for a wanted output and runtime: every candidate (an LED
// preset with flux, a count, a wiring, a named cell of the format, a
// regulated driver) is solved for the wanted 30-s output as a runtime graph
// with a wanted output is, and run whole; those whose FL1 runtime is at
// least the wanted one meet the question, and are ranked. lumora-cli choose
// and the page's "Choose a build" both ask here.

enum class ChoiceRank { Runtime, Sustained, Temperature, Size };

// "runtime", "sustained", "temperature", "size"; nullopt for none of them.
std::optional<ChoiceRank> ChoiceRankNamed(std::string_view name);
std::vector<std::string_view> ChoiceRankNames();

struct BuildQuestion {
    double Lumens = 0.0;       // out the front at 30 s
    double RuntimeHours = 0.0; // FL1, at least
    // The graph's inputs held fixed, by key (cell, pack, host, optics,
    // ambient, thermal-limit, sensor-offset, led, leds, wiring, driver):
    // the cell is a format or a named cell; an LED, count, wiring or driver
    // given keeps that one.
    LightInputs Held;
    int MostLeds = 4;
    bool AllowOverRating = false;
    ChoiceRank By = ChoiceRank::Runtime;
    int Top = 10;
};

inline constexpr int MostLedsAsked = 16;

// One candidate, as the graph's inputs that draw it: the held ones, then
// led, leds, wiring, cell, driver and output.
using BuildTexts = std::vector<std::pair<std::string, std::string>>;

struct ChosenBuild {
    BuildTexts Texts;
    LightRun Run;         // its refusal where the output cannot be had
    bool GivesIt = false; // the output and the runtime, whatever the ratings
    bool Meets = false;   // the output and the runtime, within every rating (or past one, allowed)
    std::string Misses;   // what it misses: "gives 1000 lm for 47 min"; "" where it meets
    double Shortfall = 0; // the wanted runtime over what it gives (1 where it meets), for the nearest
};

struct BuildChoice {
    std::vector<RunRefusal> Refusals; // the question's own
    int Searched = 0;                 // candidates asked
    int OverRating = 0;               // builds that give the output and runtime only past a rating
    int Met = 0;                      // builds that meet it, before the top is taken
    std::vector<ChosenBuild> Builds;  // those that meet it, best first, at most Top
    std::vector<ChosenBuild> Nearest; // where none does: the closest, each with what it misses
    std::string Nothing;              // where none does: why, in a line
};

// Every candidate of the question, as the texts of a graph, before any is
// run; empty with the refusal where the question cannot be asked.
std::vector<BuildTexts> CandidatesOf(const BuildQuestion& question, std::vector<RunRefusal>& refusals);

// The search: every candidate run and judged, the builds that meet it
// ranked.
BuildChoice ChooseBuild(const BuildQuestion& question);

// The same among some of the candidates (CandidatesOf): a face that
// searches a slice at a time, to show its progress, asks each slice, then
// the builds the slices gave (Builds and Nearest) once more for the whole
// ranking, adding up Searched, Met and OverRating itself.
BuildChoice ChooseAmong(const BuildQuestion& question, const std::vector<BuildTexts>& candidates);

// A build as a row of the answer, in a builder's words: the LED and cell by
// trade name, the count with its wiring, the figures rounded.
struct ChosenRow {
    std::string Led, Leds, Cell, Pack, Driver;
    std::string CurrentMa, Output30s, Fl1Hours, Fl1Clock, Sustained, PeakHostC, PeakJunctionC, Warnings;
    std::string Misses;
};
ChosenRow RowOf(const ChosenBuild& build);

// Whether a candidate run meets the question, and if not, what it misses.
ChosenBuild Judged(const BuildQuestion& question, BuildTexts texts, LightRun run);

// The order of the ranking: true where a ranks before b.
bool RanksBefore(ChoiceRank by, const ChosenBuild& a, const ChosenBuild& b);

// A duration as the search words it: "47 min", from two hours on "2.5 h".
std::string DurationWords(double hours);

// "1:30", "1:30:00", "1.5" (hours), "90 min", "1.5 h": hours; nullopt for
// anything else or a duration not above 0.
std::optional<double> ReadDuration(std::string_view text);

} // namespace lumora
