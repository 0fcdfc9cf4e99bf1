// SPDX-License-Identifier: MIT
#include "calc/battery_presets.h"

#include "calc/field_text.h"
#include "calc/number_text.h"

#include <algorithm>
#include <charconv>

namespace lumora {

namespace {

// Cell voltages, each from the maker's data sheets of typical cells.
constexpr Chemistry ChemistryTable[] = {
    // Samsung INR18650-30Q data sheet: charge to 4.20 V, nominal 3.6 V; its
    // 2.5 V cut-off is left for the 3.0 V at which flashlight drivers and
    // protected cells stop.
    {"li-ion", "lithium-ion (LiCoO2, NMC)", "4.2", "3.6", "3"},
    // A123 ANR26650M1-B data sheet: charge to 3.6 V; LiFePO4 makers give
    // 3.2 V nominal and 2.5 V as the end of discharge.
    {"lifepo4", "lithium iron phosphate", "3.6", "3.2", "2.5"},
    // Panasonic nickel-metal hydride handbook (HHR70AAAJ): 1.2 V nominal,
    // discharged to 1.0 V; a freshly charged cell rests at about 1.4 V.
    {"nimh", "nickel-metal hydride", "1.4", "1.2", "1"},
    // Energizer E91 data sheet: 1.5 V nominal, a fresh cell about 1.6 V open
    // circuit; its discharge curves end between 0.8 V and 0.9 V.
    {"alkaline", "alkaline manganese", "1.6", "1.5", "0.9"},
    // Energizer L91 data sheet (lithium iron disulfide AA/AAA): 1.5 V nominal,
    // 1.8 V fresh open circuit, discharge curves ending at 0.9 V.
    {"lithium", "primary lithium iron disulfide (AA, AAA)", "1.8", "1.5", "0.9"},
    // Panasonic CR123A data sheet (lithium manganese dioxide): 3 V nominal,
    // discharged to 2.0 V; about 3.2 V fresh open circuit.
    {"li-mno2", "primary lithium manganese dioxide (CR123A)", "3.2", "3", "2"},
};

// Typical capacities of current cells, mAh. The first row of a format is the
// chemistry its bare name stands for.
constexpr Cell CellTable[] = {
    {"18650", "li-ion", 3000},  // Samsung INR18650-30Q: 2950 mAh minimum, 3000 typical
    {"18650", "lifepo4", 1500}, // makers' LiFePO4 18650 cells: 1100 to 1500 mAh
    {"21700", "li-ion", 4000},  // Samsung INR21700-40T: 4000 mAh
    {"26650", "li-ion", 5000},  // makers' Li-ion 26650 cells: 5000 to 5500 mAh
    {"26650", "lifepo4", 2500}, // A123 ANR26650M1-B: 2500 mAh
    {"18350", "li-ion", 1100},  // makers' Li-ion 18350 cells: 1000 to 1200 mAh
    {"16340", "li-ion", 700},   // rechargeable RCR123A cells: 650 to 750 mAh
    {"16340", "li-mno2", 1500}, // Panasonic CR123A: 1550 mAh; Energizer EL123AP: 1500 mAh
    {"14500", "li-ion", 800},   // makers' Li-ion 14500 cells: 750 to 900 mAh
    {"14500", "lifepo4", 600},  // makers' LiFePO4 14500 cells: 500 to 600 mAh
    {"AA", "alkaline", 2500},   // Energizer E91: about 2500 mAh at light load, far less at 1 A
    {"AA", "nimh", 2000},       // Panasonic eneloop BK-3MCC: 2000 mAh typical
    {"AA", "lithium", 3000},    // Energizer L91: 3000 mAh, nearly independent of load
    {"AAA", "alkaline", 1100},  // alkaline AAA: 900 to 1155 mAh at light load
    {"AAA", "nimh", 800},       // Panasonic eneloop BK-4MCC: 800 mAh typical
    {"AAA", "lithium", 1200},   // Energizer L92: 1200 mAh
};

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

} // namespace lumora
