// SPDX-License-Identifier: MIT
#include "calc/light/battery_presets.h"

#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace lumora {

namespace {

// Open-circuit voltage over the discharge, volts at equal steps of the
// charge drawn, 100 % first; the last point is the maker's end of
// discharge, to which the cell formats' capacities are rated.

// Lithium-ion: the pseudo-OCV of a Samsung INR21700-40T measured at C/20 at
// room temperature by Sunil, Pattipati and Balasingam ("Piecewise Linear
// Approximation of Battery Open-Circuit Voltage Characteristics Using
// Dynamic Programming", IEEE Trans. Instrum. Meas. 2025), read at 5 % steps
// from their ten-point piecewise-linear table of it
// (github.com/soorajsunil/Piecewise-Battery-OCV, README): 4.2 V at 100 %,
// 2.5 V at 0 %. Steps of 5 % keep the steep last tenth that a converter's
// cut-off falls in.
constexpr double LiIonRest[] = {4.200, 4.110, 4.090, 4.071, 4.029, 3.981, 3.932, 3.884, 3.836, 3.788, 3.740,
                                3.693, 3.658, 3.623, 3.588, 3.539, 3.487, 3.434, 3.348, 3.177, 2.500};
// Lithium iron phosphate: the pseudo-OCV of a Lithium Werks APR18650M1B
// measured at C/32 in the same work, read the same way: the plateau near
// 3.3 V, 2.01 V at 0 %.
constexpr double LiFePo4Rest[] = {3.598, 3.348, 3.342, 3.337, 3.331, 3.326, 3.321, 3.315, 3.310, 3.304, 3.299,
                                  3.294, 3.288, 3.283, 3.278, 3.258, 3.239, 3.219, 3.199, 3.067, 2.010};
// Nickel-metal hydride, 10 % steps: Zephyr's default NiMH curve
// (include/zephyr/dt-bindings/battery/battery.h, "extracted from the
// datasheets", here of the Panasonic BK-1100FHU; the header notes that such
// curves also follow the discharge current).
constexpr double NimhRest[] = {1.420, 1.315, 1.274, 1.266, 1.263, 1.257, 1.254, 1.244, 1.231, 1.194, 1.004};
// Alkaline, 10 % steps: the steady slope of alkaline cells, approximate; no
// published table was at hand.
constexpr double AlkalineRest[] = {1.60, 1.50, 1.45, 1.40, 1.35, 1.30, 1.25, 1.20, 1.15, 1.05, 0.90};
// Lithium iron disulfide, 10 % steps: nearly flat until the end,
// approximate; no published table was at hand.
constexpr double LithiumRest[] = {1.80, 1.78, 1.77, 1.76, 1.75, 1.74, 1.73, 1.72, 1.70, 1.65, 0.90};
// Lithium manganese dioxide, 10 % steps: Zephyr's default lithium-manganese
// curve (the same header, from the FDK CR14250SE data sheet, its 2 mV dip at
// 90 % as published). It starts some 0.2 V below a fresh cell's rest
// voltage, as a discharge curve under a light load does.
constexpr double LiMnO2Rest[] = {2.985, 2.960, 2.962, 2.955, 2.949, 2.927, 2.882, 2.812, 2.689, 2.444, 1.906};

// Cell voltages, each from the maker's data sheets of typical cells. Empty
// is where flashlight drivers stop and may lie above the rest curve's end:
// a converter then stops before the cell is empty.
constexpr Chemistry ChemistryTable[] = {
    // Samsung INR18650-30Q data sheet: charge to 4.20 V, nominal 3.6 V; its
    // 2.5 V end of discharge is left for the 3.0 V at which flashlight
    // drivers and protected cells stop.
    {"li-ion", "Li-ion", "lithium-ion (LiCoO2, NMC)", "4.2", "3.6", "3", LiIonRest},
    // A123 ANR26650M1-B data sheet: charge to 3.6 V; LiFePO4 makers give
    // 3.2 V nominal and 2.5 V as the end of discharge.
    {"lifepo4", "LiFePO4", "lithium iron phosphate", "3.6", "3.2", "2.5", LiFePo4Rest},
    // Panasonic nickel-metal hydride handbook (HHR70AAAJ): 1.2 V nominal,
    // discharged to 1.0 V; a freshly charged cell rests at about 1.4 V.
    {"nimh", "NiMH", "nickel-metal hydride", "1.4", "1.2", "1", NimhRest},
    // Energizer E91 data sheet: 1.5 V nominal, a fresh cell about 1.6 V open
    // circuit; its discharge curves end between 0.8 V and 0.9 V.
    {"alkaline", "Alkaline", "alkaline manganese", "1.6", "1.5", "0.9", AlkalineRest},
    // Energizer L91 data sheet (lithium iron disulfide AA/AAA): 1.5 V nominal,
    // 1.8 V fresh open circuit, discharge curves ending at 0.9 V.
    {"lithium", "Lithium", "primary lithium iron disulfide (AA, AAA)", "1.8", "1.5", "0.9", LithiumRest},
    // Panasonic CR123A data sheet (lithium manganese dioxide): 3 V nominal,
    // discharged to 2.0 V; about 3.2 V fresh open circuit.
    {"li-mno2", "Li-MnO2", "primary lithium manganese dioxide (CR123A)", "3.2", "3", "2", LiMnO2Rest},
};

// clang-format off

// Typical cells of each format: capacity (mAh, at a light load, to the end
// of the rest curve), DC internal resistance (mohm), and the kinetic
// battery model's share c, levelling rate k' (per hour) and the
// resistance's rise. The first row of a format is the chemistry its bare
// name stands for.
//
// Where two or more named cells of a format and chemistry stand in
// named_cells.cpp, capacity and resistance are their medians. The load
// parameters of lithium-ion are those its fitted named cells share (c
// between 0.93 and 1, k' 1 per hour, a rise of one half: tayvoy.com
// measured 17 mohm at mid-charge and 27 at the end for the Molicel P28A,
// 14 and 23 for the Samsung 50S); those of alkaline AA and AAA are fitted
// to the ratios of every brand's published capacities to that at its
// lowest tested current (tests/core/cell_fit.cpp), since a generic cell
// cannot know a brand's capacity but follows the load as they all do. The
// rest are approximate: typical figures of good cells, no published test
// at hand; LiFePO4, lithium manganese dioxide and NiMH take lithium-ion's
// load behaviour, their rate loss at flashlight currents being small too.
constexpr Cell CellTable[] = {
    {"18650", "li-ion", 3150, 28, 0.98, 1.0, 0.5},  // median of six named 18650s
    {"18650", "lifepo4", 1500, 40, 0.98, 1.0, 0.5}, // makers' LiFePO4 18650 cells: 1100 to 1500 mAh; approximate
    {"21700", "li-ion", 4560, 14, 0.98, 1.0, 0.5},  // median of four named 21700s
    {"26650", "li-ion", 5000, 20, 0.98, 1.0, 0.5},  // makers' Li-ion 26650 cells: 5000 to 5500 mAh; approximate
    {"26650", "lifepo4", 2500, 10, 0.98, 1.0, 0.5}, // A123 ANR26650M1-B: 2500 mAh; resistance approximate
    {"18350", "li-ion", 1100, 50, 0.98, 1.0, 0.5},  // makers' Li-ion 18350 cells: 1000 to 1200 mAh; approximate
    {"16340", "li-ion", 700, 150, 0.98, 1.0, 0.5},  // rechargeable RCR123A cells: 650 to 750 mAh; approximate
    {"16340", "li-mno2", 1500, 300, 0.98, 1.0, 0.5}, // Panasonic CR123A: 1550 mAh; Energizer EL123AP: 1500 mAh;
                                                     // resistance approximate
    {"14500", "li-ion", 800, 100, 0.98, 1.0, 0.5},  // Beltrona BELLIIONAA800 data sheet: 800 mAh at 0.2 C,
                                                    // internal impedance 100 mohm after charge
    {"14500", "lifepo4", 600, 150, 0.98, 1.0, 0.5}, // makers' LiFePO4 14500 cells: 500 to 600 mAh; approximate
    {"AA", "alkaline", 2970, 150, 0.281, 0.608, 3.81}, // median of the two named AA; resistance approximate;
                                                       // load fitted to five brands
    {"AA", "nimh", 2000, 23, 0.98, 1.0, 0.5},       // Panasonic eneloop BK-3MCC: 2000 mAh typical; Panasonic's
                                                    // BK150AA data sheet (2014/03): about 23 mohm at 1 kHz
    {"AA", "lithium", 3000, 120, 0.76, 1.0, 0.5},   // Energizer L91: 3000 mAh at a light load; load fitted to the
                                                    // Energizer Ultimate Lithium's two published tests (2882 mAh
                                                    // at 0.8 A to 1.1 V, 2800 at 2 A); resistance approximate
    {"AAA", "alkaline", 1200, 250, 0.422, 1.311, 3.60}, // about the two named AAA; load fitted to two brands;
                                                        // resistance approximate
    {"AAA", "nimh", 800, 30, 0.98, 1.0, 0.5},       // Panasonic eneloop BK-4MCC: 800 mAh typical; Panasonic's
                                                    // HHR70AAAJ: about 30 mohm at 1 kHz, charged
    {"AAA", "lithium", 1200, 150, 0.76, 1.0, 0.5}, // Energizer L92: 1200 mAh; as the AA; resistance approximate
};
// clang-format on

bool SameName(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

const Chemistry* ChemistryNamed(std::string_view id)
{
    const auto found = std::find_if(std::begin(ChemistryTable), std::end(ChemistryTable),
                                    [&](const Chemistry& c) { return SameName(c.Id, id); });
    return found == std::end(ChemistryTable) ? nullptr : found;
}

// A count from 1 to LargestPackCount at the front of the text, which it consumes.
std::optional<int> LeadingCount(std::string_view& text)
{
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || count < 1 || count > LargestPackCount)
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return count;
}

const Cell* FirstFormatOf(const Chemistry& chemistry)
{
    return std::find_if(std::begin(CellTable), std::end(CellTable),
                        [&](const Cell& c) { return c.Chemistry == chemistry.Id; });
}

// A named cell with its chemistry and the row of its format in that chemistry.
BatteryChoice NamedChoice(const NamedCell& named)
{
    const Cell* format = std::find_if(std::begin(CellTable), std::end(CellTable), [&](const Cell& c) {
        return c.Format == named.Format && c.Chemistry == named.Chemistry;
    });
    return {ChemistryNamed(named.Chemistry), format == std::end(CellTable) ? nullptr : format, &named};
}

// A cell voltage times the number of cells in series, as a field text.
std::string Times(std::string_view volts, int count) { return DoubleText(*ReadNumber(volts) * count); }

} // namespace

std::span<const Chemistry> Chemistries() { return ChemistryTable; }

std::span<const Cell> Cells() { return CellTable; }

std::optional<Pack> PackNamed(std::string_view name)
{
    Pack pack;
    bool any = false;
    for (const char letter : {'s', 'p'}) {
        std::string_view rest = name;
        const std::optional<int> count = LeadingCount(rest);
        if (!count || rest.empty() || (rest.front() | 0x20) != letter)
            continue;
        (letter == 's' ? pack.Series : pack.Parallel) = *count;
        name = rest.substr(1);
        any = true;
    }
    if (!any || !name.empty())
        return std::nullopt;
    return pack;
}

std::optional<BatteryChoice> BatteryNamed(std::string_view name)
{
    if (const Chemistry* chemistry = ChemistryNamed(name))
        return BatteryChoice{chemistry, nullptr, nullptr};
    for (const Cell& cell : CellTable) {
        const bool bare = SameName(cell.Format, name);
        const bool both =
            name.size() > cell.Format.size() + 1 && SameName(cell.Format, name.substr(0, cell.Format.size())) &&
            name[cell.Format.size()] == '-' && SameName(cell.Chemistry, name.substr(cell.Format.size() + 1));
        if (bare || both)
            return BatteryChoice{ChemistryNamed(cell.Chemistry), &cell, nullptr};
    }
    for (const NamedCell& named : NamedCells()) {
        if (SameName(named.Id, name))
            return NamedChoice(named);
    }
    return std::nullopt;
}

std::string PresetName(const BatteryChoice& choice)
{
    if (choice.named)
        return std::string(choice.named->Id);
    if (!choice.cell)
        return std::string(choice.chemistry->Id);
    const Cell* usual = std::find_if(std::begin(CellTable), std::end(CellTable),
                                     [&](const Cell& c) { return c.Format == choice.cell->Format; });
    std::string name(choice.cell->Format);
    if (usual != choice.cell)
        name += "-" + std::string(choice.cell->Chemistry);
    return name;
}

std::string TradeName(const BatteryChoice& choice)
{
    if (choice.named)
        return std::string(choice.named->TradeName);
    const std::string name(choice.chemistry->Name);
    return choice.cell ? name + " " + std::string(choice.cell->Format)
                       : name + ": " + std::string(choice.chemistry->Description);
}

std::vector<BatteryChoice> BatteryPresets()
{
    std::vector<BatteryChoice> presets;
    for (const Chemistry& chemistry : ChemistryTable)
        presets.push_back({&chemistry, nullptr, nullptr});
    for (const Cell& cell : CellTable)
        presets.push_back({ChemistryNamed(cell.Chemistry), &cell, nullptr});
    for (const NamedCell& named : NamedCells())
        presets.push_back(NamedChoice(named));
    return presets;
}

std::string UnknownBatteryText(std::string_view name)
{
    std::string known;
    for (const BatteryChoice& preset : BatteryPresets())
        known += (known.empty() ? "" : ", ") + PresetName(preset);
    return "no preset \"" + std::string(name) + "\"; known: " + known;
}

std::string PackRefusal(std::string_view text)
{
    return "\"" + std::string(text) + "\" is no pack; write it as 2S, 2P or 2S2P (1 to " +
           std::to_string(LargestPackCount) + " cells each)";
}

std::string PackName(const BatteryChoice& choice, Pack pack, PackCounts counts)
{
    // A named cell by the name it is sold by; a format or chemistry by its own.
    return (choice.named ? TradeName(choice) : PresetName(choice)) + ", " + std::to_string(pack.Series) + "S" +
           (counts == PackCounts::SeriesAndParallel ? std::to_string(pack.Parallel) + "P" : "");
}

PackTexts TextsOf(const BatteryChoice& choice, Pack pack)
{
    PackTexts texts{Times(choice.chemistry->Full, pack.Series), Times(choice.chemistry->Nominal, pack.Series),
                    Times(choice.chemistry->Empty, pack.Series), std::nullopt};
    const CellModel* fitted = choice.named ? FittedModelOf(*choice.named) : nullptr;
    if (fitted)
        texts.CapacityMah = std::to_string(static_cast<int>(std::lround(fitted->CapacityAh * 1000.0)) * pack.Parallel);
    else if (choice.named)
        texts.CapacityMah = std::to_string(choice.named->CapacityMah * pack.Parallel);
    else if (choice.cell)
        texts.CapacityMah = std::to_string(choice.cell->CapacityMah * pack.Parallel);
    return texts;
}

namespace {

// A named cell fitted whole to its logs, as a pack of it: voltages and
// resistances with the cells in series, charge with those in parallel,
// heat with them all; the chemistry's empty voltage its cut-off.
CellModel PackOfFitted(const CellModel& cell, const BatteryChoice& choice, Pack pack)
{
    CellModel model = cell;
    const double cells = pack.Series * pack.Parallel;
    for (double& volts : model.OpenCircuitVolts)
        volts *= pack.Series;
    model.CutOffVolts = *ReadNumber(choice.chemistry->Empty) * pack.Series;
    model.CapacityAh *= pack.Parallel;
    model.InternalOhms *= static_cast<double>(pack.Series) / pack.Parallel;
    model.PolarisationOhms *= static_cast<double>(pack.Series) / pack.Parallel;
    model.HeatJoulesPerKelvin *= cells;
    model.CoolingWattsPerKelvin *= cells;
    return model;
}

} // namespace

CellModel ModelOf(const BatteryChoice& choice, Pack pack)
{
    if (choice.named)
        if (const CellModel* fitted = FittedModelOf(*choice.named))
            return PackOfFitted(*fitted, choice, pack);
    CellModel model;
    for (double volts : choice.chemistry->RestVolts)
        model.OpenCircuitVolts.push_back(volts * pack.Series);
    model.CutOffVolts = *ReadNumber(choice.chemistry->Empty) * pack.Series;
    const Cell* format = choice.cell ? choice.cell : FirstFormatOf(*choice.chemistry);
    model.AvailableShare = format->AvailableShare;
    model.LevellingPerHour = format->LevellingPerHour;
    model.ResistanceRise = format->ResistanceRise;
    int capacityMah = choice.cell ? choice.cell->CapacityMah : 0;
    int milliohms = choice.cell ? choice.cell->InternalMilliohms : 0;
    if (const NamedCell* named = choice.named) {
        capacityMah = named->CapacityMah;
        milliohms = named->InternalMilliohms;
        model.AvailableShare = named->AvailableShare;
        model.LevellingPerHour = named->LevellingPerHour;
        model.ResistanceRise = named->ResistanceRise;
        // Every cell of the pack alike: the polarisation adds as resistances
        // do, heat capacity and cooling with the count of cells.
        if (const HighRate* rate = HighRateOf(*named)) {
            const double cells = pack.Series * pack.Parallel;
            model.PolarisationOhms = rate->PolarisationMilliohms / 1000.0 * pack.Series / pack.Parallel;
            model.PolarisationSeconds = rate->PolarisationSeconds;
            model.PolarisationActivationKelvin = rate->ActivationKilojoules * 1000.0 / GasConstant;
            model.HeatJoulesPerKelvin = CellHeatJoulesPerKelvin(*rate) * cells;
            model.CoolingWattsPerKelvin = CellCoolingWattsPerKelvin(*named) * cells;
        }
    }
    // Cells in parallel share the current: each well and each resistance
    // holds as for one cell at its share.
    model.CapacityAh = capacityMah * pack.Parallel / 1000.0;
    model.InternalOhms = milliohms / 1000.0 * pack.Series / pack.Parallel;
    return model;
}

} // namespace lumora
