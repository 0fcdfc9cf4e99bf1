// SPDX-License-Identifier: MIT
#include "calc/battery_presets.h"

#include "calc/field_text.h"
#include "calc/number_text.h"

#include <algorithm>
#include <charconv>

namespace lumora {

namespace {

// Cell voltages, each from the maker's data sheets of typical cells. The
// rest voltage at 100 %, 90 % ... 0 % of charge follows each chemistry's
// published curve shape, from Full down to Empty.
// clang-format off
constexpr Chemistry ChemistryTable[] = {
    // Samsung INR18650-30Q data sheet: charge to 4.20 V, nominal 3.6 V; its
    // 2.5 V cut-off is left for the 3.0 V at which flashlight drivers and
    // protected cells stop. Rest voltage: 100 % to 30 % interpolated in the
    // voltage-to-charge chart of wiki.bluecrow.net ("Batteries": 4.2 V 100 %,
    // 4.1 V 87 %, 4.0 V 75 %, 3.9 V 55 %, 3.8 V 30 %); below 30 % the knee of
    // the cells' discharge curves down to 3.0 V, approximate.
    {"li-ion", "lithium-ion (LiCoO2, NMC)", "4.2", "3.6", "3",
     {4.20, 4.12, 4.04, 3.98, 3.93, 3.88, 3.84, 3.80, 3.72, 3.60, 3.00}},
    // A123 ANR26650M1-B data sheet: charge to 3.6 V; LiFePO4 makers give
    // 3.2 V nominal and 2.5 V as the end of discharge. Rest voltage: the
    // chemistry's flat plateau near 3.3 V, approximate.
    {"lifepo4", "lithium iron phosphate", "3.6", "3.2", "2.5",
     {3.60, 3.35, 3.33, 3.32, 3.30, 3.29, 3.27, 3.25, 3.22, 3.15, 2.50}},
    // Panasonic nickel-metal hydride handbook (HHR70AAAJ): 1.2 V nominal,
    // discharged to 1.0 V; a freshly charged cell rests at about 1.4 V. Rest
    // voltage: the flat curve of NiMH near 1.25 V, approximate.
    {"nimh", "nickel-metal hydride", "1.4", "1.2", "1",
     {1.40, 1.32, 1.29, 1.27, 1.26, 1.25, 1.24, 1.22, 1.20, 1.16, 1.00}},
    // Energizer E91 data sheet: 1.5 V nominal, a fresh cell about 1.6 V open
    // circuit; its discharge curves end between 0.8 V and 0.9 V. Rest
    // voltage: the steady slope of alkaline cells, approximate.
    {"alkaline", "alkaline manganese", "1.6", "1.5", "0.9",
     {1.60, 1.50, 1.45, 1.40, 1.35, 1.30, 1.25, 1.20, 1.15, 1.05, 0.90}},
    // Energizer L91 data sheet (lithium iron disulfide AA/AAA): 1.5 V nominal,
    // 1.8 V fresh open circuit, discharge curves ending at 0.9 V. Rest
    // voltage: nearly flat until the end, approximate.
    {"lithium", "primary lithium iron disulfide (AA, AAA)", "1.8", "1.5", "0.9",
     {1.80, 1.78, 1.77, 1.76, 1.75, 1.74, 1.73, 1.72, 1.70, 1.65, 0.90}},
    // Panasonic CR123A data sheet (lithium manganese dioxide): 3 V nominal,
    // discharged to 2.0 V; about 3.2 V fresh open circuit. Rest voltage:
    // nearly flat near 3.0 V, approximate.
    {"li-mno2", "primary lithium manganese dioxide (CR123A)", "3.2", "3", "2",
     {3.20, 3.10, 3.05, 3.02, 3.00, 2.98, 2.96, 2.93, 2.90, 2.80, 2.00}},
};

// Typical capacities of current cells, mAh, and their DC internal
// resistance, milliohms. The first row of a format is the chemistry its
// bare name stands for. Resistances are approximate typical figures of good
// cells unless a source is named.
constexpr Cell CellTable[] = {
    {"18650", "li-ion", 3000, 20},  // Samsung INR18650-30Q: 2950 mAh minimum, 3000 typical
    {"18650", "lifepo4", 1500, 40}, // makers' LiFePO4 18650 cells: 1100 to 1500 mAh
    {"21700", "li-ion", 4000, 12},  // Samsung INR21700-40T: 4000 mAh, 12 mohm at 1 kHz in its data sheet
                                    // and 12 mohm DC at 4 A measured (thunderheartreviews.com, 2018)
    {"26650", "li-ion", 5000, 20},  // makers' Li-ion 26650 cells: 5000 to 5500 mAh
    {"26650", "lifepo4", 2500, 10}, // A123 ANR26650M1-B: 2500 mAh
    {"18350", "li-ion", 1100, 50},  // makers' Li-ion 18350 cells: 1000 to 1200 mAh
    {"16340", "li-ion", 700, 150},  // rechargeable RCR123A cells: 650 to 750 mAh
    {"16340", "li-mno2", 1500, 300}, // Panasonic CR123A: 1550 mAh; Energizer EL123AP: 1500 mAh
    {"14500", "li-ion", 800, 100},  // makers' Li-ion 14500 cells: 750 to 900 mAh
    {"14500", "lifepo4", 600, 150}, // makers' LiFePO4 14500 cells: 500 to 600 mAh
    {"AA", "alkaline", 2500, 150},  // Energizer E91: about 2500 mAh at light load, far less at 1 A
    {"AA", "nimh", 2000, 30},       // Panasonic eneloop BK-3MCC: 2000 mAh typical
    {"AA", "lithium", 3000, 120},   // Energizer L91: 3000 mAh, nearly independent of load
    {"AAA", "alkaline", 1100, 250}, // alkaline AAA: 900 to 1155 mAh at light load
    {"AAA", "nimh", 800, 60},       // Panasonic eneloop BK-4MCC: 800 mAh typical
    {"AAA", "lithium", 1200, 150},  // Energizer L92: 1200 mAh
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
        return BatteryChoice{chemistry, nullptr};
    for (const Cell& cell : CellTable) {
        const bool bare = SameName(cell.Format, name);
        const bool both =
            name.size() > cell.Format.size() + 1 && SameName(cell.Format, name.substr(0, cell.Format.size())) &&
            name[cell.Format.size()] == '-' && SameName(cell.Chemistry, name.substr(cell.Format.size() + 1));
        if (bare || both)
            return BatteryChoice{ChemistryNamed(cell.Chemistry), &cell};
    }
    return std::nullopt;
}

std::string NameOf(const BatteryChoice& choice)
{
    if (!choice.cell)
        return std::string(choice.chemistry->Id);
    const Cell* usual = std::find_if(std::begin(CellTable), std::end(CellTable),
                                     [&](const Cell& c) { return c.Format == choice.cell->Format; });
    std::string name(choice.cell->Format);
    if (usual != choice.cell)
        name += "-" + std::string(choice.cell->Chemistry);
    return name;
}

PackTexts TextsOf(const BatteryChoice& choice, Pack pack)
{
    PackTexts texts{Times(choice.chemistry->Full, pack.Series), Times(choice.chemistry->Nominal, pack.Series),
                    Times(choice.chemistry->Empty, pack.Series), std::nullopt};
    if (choice.cell)
        texts.CapacityMah = std::to_string(choice.cell->CapacityMah * pack.Parallel);
    return texts;
}

CellModel ModelOf(const BatteryChoice& choice, Pack pack)
{
    CellModel model;
    for (double volts : choice.chemistry->RestVolts)
        model.OpenCircuitVolts.push_back(volts * pack.Series);
    model.CutOffVolts = *ReadNumber(choice.chemistry->Empty) * pack.Series;
    if (choice.cell) {
        model.CapacityAh = choice.cell->CapacityMah * pack.Parallel / 1000.0;
        model.InternalOhms = choice.cell->InternalMilliohms / 1000.0 * pack.Series / pack.Parallel;
    }
    return model;
}

} // namespace lumora
