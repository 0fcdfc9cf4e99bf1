// SPDX-License-Identifier: MIT
#include "calc/light/named_cells.h"

#include <algorithm>

namespace lumora {

namespace {

// Capacity (mAh, both wells, at a very light load), DC resistance (mohm),
// and the kinetic battery model's available share c, levelling rate k'
// (per hour) and the resistance's rise by the end of the charge.
//
// Where a cell has published discharge tests, the capacity and the load
// parameters are fitted to them (tests/core/cell_fit.cpp fits them,
// data/published_cell_tests.csv holds the tests, each cited), all but the
// highest current of a cell with two or more, which is held out to judge the
// fit: docs/cell-fits.md gives both errors. Three tests or more fit all
// four parameters; fewer, the capacity and with two the share, the rest
// lithium-ion's typical load. Where only a data sheet's rating was at hand,
// the capacity is fitted to that rating and the load parameters are those
// typical of the chemistry: such rows say so.
// Resistances measured as DC are marked so; the others are approximate.
// Last in each row, the maker's data sheet's maximum continuous discharge
// and the sheet; 0 where none is published, and why (the beltrona-14500's
// sheet, NiMH and alkaline cells' sheets give none).

// clang-format off
constexpr NamedCell Table[] = {
    // 18650 lithium-ion.
    // Fitted whole to its own logs (data/cell-fits.csv): these figures are that fit's, rounded.
    {"samsung-30q", "Samsung INR18650-30Q", "18650", "li-ion", 2969, 33, 1.0, 0.0, 0.0,
     "ARTS-Lab 30Q dataset (CC BY-SA 4.0), cell S001's logs at 0.3 to 12 A with its temperature: rest curve, resistances, heat fitted; Samsung data sheet 1.0 (2015): 3000 mAh at 0.2 C, 2900 mAh at 10 A, to 2.5 V", 15.0, "Samsung SDI INR18650-30Q data sheet, version 1.0"},
    {"samsung-35e", "Samsung INR18650-35E", "18650", "li-ion", 3500, 35, 0.98, 1.0, 0.5,
     "Samsung data sheet: 3500 mAh nominal at 0.2 C to 2.65 V, 8 A most; load and resistance typical, approximate", 8.0, "Samsung SDI INR18650-35E data sheet"},
    {"sony-vtc6", "Sony/Murata US18650VTC6", "18650", "li-ion", 3000, 15, 0.98, 1.0, 0.5,
     "Sony data sheet: 3000 mAh nominal, 15 A most; load and resistance typical, approximate", 15.0, "Sony US18650VTC6 data sheet"},
    {"lg-mj1", "LG INR18650MJ1", "18650", "li-ion", 3500, 40, 0.98, 1.0, 0.5,
     "LG Chem data sheet: 3500 mAh nominal at 0.2 C to 2.5 V, 10 A most; load and resistance typical, approximate", 10.0, "LG Chem INR18650MJ1 data sheet"},
    {"molicel-p28a", "Molicel INR-18650-P28A", "18650", "li-ion", 2814, 18, 0.98, 1.0, 0.5,
     "Molicel data sheet: 2800 mAh at 0.56 A to 2.5 V; tayvoy.com: 2761 mAh at 10 A, 18 mohm DC", 35.0, "Molicel INR-18650-P28A data sheet"},
    {"panasonic-ncr18650b", "Panasonic NCR18650B", "18650", "li-ion", 3293, 45, 0.98, 1.0, 0.5,
     "Batemo cell library: 3.28 Ah at C/10 to 2.5 V; load and resistance typical, approximate", 0.0, "none in the sources at hand: Batemo's library measures the cell, it does not rate it"},
    // 21700 lithium-ion.
    {"samsung-40t", "Samsung INR21700-40T", "21700", "li-ion", 4121, 12, 0.98, 1.0, 0.5,
     "thunderheartreviews.com (2018): about 4100 mAh at 0.8 A, 3800 mAh or more at 20 A, 12 mohm DC at 4 A", 35.0, "Samsung SDI INR21700-40T data sheet"},
    {"samsung-50e", "Samsung INR21700-50E", "21700", "li-ion", 5000, 22, 0.98, 1.0, 0.5,
     "Samsung data sheet: 5000 mAh nominal, 9.8 A most; load and resistance typical, approximate", 9.8, "Samsung SDI INR21700-50E data sheet"},
    {"samsung-50s", "Samsung INR21700-50S", "21700", "li-ion", 5155, 15, 0.98, 1.0, 0.5,
     "tayvoy.com: 4990 mAh at 10 A to 2.5 V, 15 mohm DC", 25.0, "Samsung SDI INR21700-50S data sheet"},
    // The resistance is the one that fits both logged runs at once (10 of
    // 10 to 18 mohm tried): the logger's own reading, 15.6 to 19.8 mohm, is
    // of the cell at rest, before a load warms it.
    {"molicel-p42a", "Molicel INR-21700-P42A", "21700", "li-ion", 3972, 10, 0.98, 1.0, 0.5,
     "Team Peryton logs of nine cells (2022): 3920 mAh, 14.26 Wh at 4.25 A to 2.5 V; 1677 mAh, 6.52 Wh at 9.95 A to 3.7 V", 45.0, "Molicel INR-21700-P42A data sheet"},
    // Small lithium-ion.
    {"beltrona-14500", "Beltrona BELLIIONAA800 (14500)", "14500", "li-ion", 800, 100, 0.98, 1.0, 0.5,
     "Beltrona data sheet: 800 mAh at 0.2 C, 100 mohm after charge; load typical", 0.0, "Beltrona's data sheet gives none"},
    {"dnk-18350", "DNK Power 18350 1400 mAh", "18350", "li-ion", 1400, 30, 0.98, 1.0, 0.5,
     "DNK Power data sheet: 1400 mAh nominal, 1380 minimum, 30 mohm or less, 3 A most, to 2.5 V; load typical", 3.0, "DNK Power 18350 data sheet"},
    // Nickel-metal hydride.
    {"eneloop-aa", "Panasonic eneloop AA (BK-3MCC)", "AA", "nimh", 2000, 30, 0.98, 1.0, 0.5,
     "Panasonic: 2000 mAh typical, 1900 minimum; a user's 17 cells in use: 1877 mAh at 0.5 A; load and resistance typical", 0.0, "Panasonic's eneloop data sheet gives none"},
    {"eneloop-aaa", "Panasonic eneloop AAA (BK-4MCC)", "AAA", "nimh", 800, 40, 0.98, 1.0, 0.5,
     "Panasonic: 800 mAh typical, 750 minimum; a user's 5 cells in use: 778 mAh at 0.2 A; load and resistance typical", 0.0, "Panasonic's eneloop data sheet gives none"},
    // Alkaline.
    {"duracell-aa", "Duracell Coppertop AA", "AA", "alkaline", 2868, 150, 0.293, 0.499, 6.0,
     "PowerStream AA tests (2020): 2200, 1300, 830, 540 mAh at 0.1, 0.5, 1, 2 A; Duracell data sheet: 3000 mAh "
     "at 25 mA to 0.8 V; resistance approximate", 0.0, "Duracell's Coppertop data sheet gives none"},
    {"energizer-aa", "Energizer Max AA", "AA", "alkaline", 3073, 150, 0.231, 0.748, 4.33,
     "PowerStream AA tests (2020): 1170, 930, 700 mAh at 0.5, 1, 2 A; MyBroadband (2018): 349 mAh at 0.8 A to "
     "1.1 V; Energizer E91 data sheet: 3000 mAh at 25 mA to 0.8 V; resistance approximate", 0.0, "Energizer's E91 data sheet gives none"},
    {"duracell-aaa", "Duracell Coppertop AAA", "AAA", "alkaline", 1253, 250, 0.249, 2.654, 3.13,
     "rightbattery.com: 970, 777, 553, 336 mAh at 0.1, 0.2, 0.3, 0.5 A to 1 V; resistance approximate", 0.0, "none in the sources at hand: rightbattery.com measures the cell, it does not rate it"},
    {"energizer-aaa", "Energizer Max AAA", "AAA", "alkaline", 1200, 250, 0.249, 2.654, 3.13,
     "Energizer E92 data sheet: about 1200 mAh at a light load; load as the Duracell AAA's, approximate", 0.0, "Energizer's E92 data sheet gives none"},
    // Lithium iron disulfide.
    {"energizer-lithium-aa", "Energizer Ultimate Lithium AA", "AA", "lithium", 3035, 120, 0.98, 1.0, 0.5,
     "PowerStream AA tests (2020): 2800 mAh at 2 A; MyBroadband (2018): 2882 mAh at 0.8 A to 1.1 V; resistance "
     "approximate", 0.0, "none in the sources at hand: Energizer's L91 sheet was not among them"},
};
// clang-format on

// The polarisation's resistance and its activation energy, fitted together
// to a published constant-power test's energy to two cut-offs (data/
// published_cell_tests.csv). The time constant is the one the Team Peryton
// logs of a Molicel P42A show when 10 A is switched on (16 s: the voltage
// falls 0.10 V more over the first minute, as 1 - e^(-t/16 s)). The fitted
// activation, 8.5 kJ/mol, lies below a graphite electrode's charge
// transfer (35 kJ/mol, Chen et al., J. Electrochem. Soc. 167, 080534,
// 2020): at these currents the polarisation is mostly the electrolyte's
// transport, which warmth helps less.
constexpr HighRate HighRates[] = {
    {"sony-vtc6", 31.0, 16.0, 8.5, 46.6,
     "sigarettaelettronicaforum.com, VTC6 test: 75 W constant power, 14 degC ambient, 3.8 Wh to 3.0 V, 8 Wh to 2.5 V; "
     "mass: Sony data sheet"},
};

} // namespace

std::span<const NamedCell> NamedCells() { return Table; }

double CylinderSurface(std::string_view format)
{
    if (format.size() != 5 || !std::all_of(format.begin(), format.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0.0;
    const auto digit = [&](std::size_t i) { return format[i] - '0'; };
    constexpr double Pi = 3.14159265358979323846;
    const double diameter = (digit(0) * 10 + digit(1)) / 1000.0;
    const double length = (digit(2) * 10 + digit(3) + digit(4) / 10.0) / 1000.0;
    return Pi * diameter * length + Pi * diameter * diameter / 2.0;
}

namespace {

// A lithium-ion cell's specific heat, J/(kg K): the Faraday Institution's
// BPX example parameter set of an NMC/graphite cell (About:Energy, 2022).
constexpr double SpecificHeat = 913.0;
// Free convection and radiation from a cell in still air, W/(m² K): the
// middle of free convection's range in gases, 2 to 25 (Incropera and
// DeWitt, "Fundamentals of Heat and Mass Transfer", table 1.1).
constexpr double StillAir = 10.0;

} // namespace

double CellHeatJoulesPerKelvin(const HighRate& rate) { return rate.MassGrams / 1000.0 * SpecificHeat; }

double CellCoolingWattsPerKelvin(const NamedCell& cell) { return StillAir * CylinderSurface(cell.Format); }

const HighRate* HighRateOf(const NamedCell& cell)
{
    for (const HighRate& rate : HighRates)
        if (rate.Id == cell.Id)
            return &rate;
    return nullptr;
}

} // namespace lumora
