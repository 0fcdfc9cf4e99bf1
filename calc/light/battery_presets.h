// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/cell_model.h"
#include "calc/light/named_cells.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// Typical batteries: cell chemistries with their voltages, cell formats
// with their capacities, and cells by name (named_cells.h), combined into
// packs of cells in series and parallel.

// Volts of one cell, as field texts: freshly charged, nominal (the average
// over a discharge), and discharged, the voltage at which drivers stop; and
// the open-circuit voltage over the discharge, at equal steps of the charge
// drawn (eleven or more, 100 % first), from full to the end of the charge
// the cell formats are rated to hold, which may lie below Empty.
struct Chemistry {
    std::string_view Id;          // "li-ion"
    std::string_view Name;        // "Li-ion", as cells are sold by
    std::string_view Description; // "lithium-ion (LiCoO2, NMC)"
    std::string_view Full, Nominal, Empty;
    std::span<const double> RestVolts;
};

// A cell format made in one chemistry, with the capacity (to the end of the
// chemistry's rest curve, at a light load) and the internal (DC) resistance
// such cells typically have, and how their charge follows the load (the
// kinetic battery model's share and levelling rate and the resistance's
// rise, see CellModel). A chemistry chosen alone takes the load behaviour
// of its first format.
struct Cell {
    std::string_view Format;    // "18650"
    std::string_view Chemistry; // the Id of its chemistry
    int CapacityMah = 0;
    int InternalMilliohms = 0;
    double AvailableShare = 1.0;
    double LevellingPerHour = 0.0;
    double ResistanceRise = 0.0;
};

std::span<const Chemistry> Chemistries();
// The first cell of each format is the one its bare name means.
std::span<const Cell> Cells();

// Cells in series (voltages add) and in parallel (capacities add).
struct Pack {
    int Series = 1;
    int Parallel = 1;
};

inline constexpr int LargestPackCount = 99;

// "2S", "2S1P", "1P", "3s2p": a count from 1 to LargestPackCount before each
// letter; nullopt for anything else.
std::optional<Pack> PackNamed(std::string_view name);

// A battery chosen by name: a chemistry alone ("li-ion"), a format in its
// usual chemistry ("18650"), both ("aa-nimh"), or a cell by name
// ("samsung-30q"); names match without regard to case.
struct BatteryChoice {
    const Chemistry* chemistry = nullptr;
    const Cell* cell = nullptr;       // nullptr when only a chemistry was named
    const NamedCell* named = nullptr; // set, with its format's cell, when a cell was named
};
std::optional<BatteryChoice> BatteryNamed(std::string_view name);

// The name a choice is listed and asked for by ("18650", "aa-nimh", "li-ion",
// "samsung-30q").
std::string PresetName(const BatteryChoice& choice);

// What a choice is sold or known as: "Samsung INR18650-30Q", "NiMH AA",
// "NiMH: nickel-metal hydride".
std::string TradeName(const BatteryChoice& choice);

// Every preset as it is listed: the chemistries, the formats, then the
// named cells.
std::vector<BatteryChoice> BatteryPresets();

// 'no preset "18651"; known: li-ion, ..., AAA-lithium'
std::string UnknownBatteryText(std::string_view name);

// '"1S100P" is no pack; write it as 2S, 2P or 2S2P (1 to 99 cells each)'
std::string PackRefusal(std::string_view text);

// A preset in a pack as reports name it: "18650, 2S2P", or with the cells
// in series only ("li-ion, 1S") where those in parallel change nothing.
enum class PackCounts { SeriesAndParallel, SeriesOnly };
std::string PackName(const BatteryChoice& choice, Pack pack, PackCounts counts = PackCounts::SeriesAndParallel);

// A pack's voltages and capacity as field texts; no capacity when only a
// chemistry was chosen.
struct PackTexts {
    std::string Full, Nominal, Empty;
    std::optional<std::string> CapacityMah;
};
PackTexts TextsOf(const BatteryChoice& choice, Pack pack);

// A pack as the discharge sees it: the rest voltage and the cut-off times
// the cells in series, the internal resistance times the cells in series
// and divided by those in parallel, the capacity times those in parallel
// (0 when only a chemistry was chosen), and the cells' load behaviour.
CellModel ModelOf(const BatteryChoice& choice, Pack pack);

} // namespace lumora
