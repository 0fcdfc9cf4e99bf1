// SPDX-License-Identifier: MIT
#include "calc/light/led_presets.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace lumora {

namespace {

// Forward voltage against current, amperes and volts, each point as its
// source published or as read off its chart, with the current range the
// fitted curve serves. Flux points come from the same measurement as the
// voltages. Where no published figures were at hand the values are
// approximate and the source says so: --led-point with one's own
// measurements is better then.
//
// koef3's LED tests on budgetlightforum.com ("LED test / review - ...")
// measure one sample on a copper DTP board, flux in an integrating sphere,
// and give the data for a 25 °C solder point; he publishes flux and Vf
// against current as charts. Their values here are readings of those charts: the
// pixel traces in github.com/An0nya/flux-sketchpad,
// tools/source-specs/koef3/traces.json (stated precision about 0.3 % in
// flux and 0.01 V), unless a comment names another reading.

// Samsung LH351D 5700 K 90 CRI, one domed sample in the comparison chart
// of koef3's test of the Nichia NVSW519A sm503 R9080 and 519A-V1
// (budgetlightforum.com/t/223258, 2024-03-14), as read off that chart in
// An0nya/flux-sketchpad, js/source-presets.js (the reading's precision is
// not stated). The curve serves 0.2 to 6 A: above, past the flux peak, the
// voltage bends away (7 A 4.18 V and 7.2 A 4.21 V are left out; with them
// the fit would miss 1 A by 36 mV).
constexpr LedPoint Lh351d[] = {{0.2, 2.70}, {1.0, 2.97}, {2.0, 3.25}, {3.0, 3.46},
                               {4.0, 3.66}, {5.0, 3.85}, {6.0, 4.02}};
// The same chart's flux, 1 to 7.2 A. For comparison, Samsung's LH351D data
// sheet (rev. 9.1, 2019) gives 795 lm typical at 2 A for the 5000 K 70 CRI
// bins at Tj 85 °C.
constexpr FluxPoint Lh351dFlux[] = {{1.0, 430},  {2.0, 780},  {3.0, 1050}, {4.0, 1270}, {5.0, 1440},
                                    {5.6, 1520}, {6.0, 1555}, {6.4, 1578}, {7.0, 1585}, {7.2, 1580}};

// Cree's XM-L2 figures as community.ledbloke.co.uk quotes the data sheet
// ("What wattage is this LED?"): 0.35 A at 2.82 V, 1 A at 3 V, 4.657 W at
// 1.5 A, 10.109 W at 3 A; the curve serves 0.35 to 3 A, the maker's maximum.
constexpr LedPoint XmL2[] = {{0.35, 2.82}, {1.0, 3.0}, {1.5, 3.105}, {3.0, 3.37}};

// Cree XLamp XP-G2 data sheet CLD-DS51 rev. 24B, forward voltage of the
// standard XP-G2 at Tj 85 °C, as extracted from the PDF in
// An0nya/flux-sketchpad, tools/source-specs/cree_0.json: typical 2.83 V at
// 0.7 A, 2.90 V at 1 A and 3.02 V at 1.5 A (the last quoted there
// verbatim); at 350 mA the extraction gives "2.72 3.1" without telling the
// columns apart, and 2.72 V is taken as the typical one (3.1 V as the
// maximum). The curve serves 0.35 to 1.5 A, the maximum drive current;
// beyond, it continues the fitted form.
constexpr LedPoint XpG[] = {{0.35, 2.72}, {0.7, 2.83}, {1.0, 2.90}, {1.5, 3.02}};

// Osram OSTAR KW CSLPM1.TG 6500 K, koef3's test of the KW CSLNM1.TG and
// KW CSLPM1.TG (budgetlightforum.com/t/72144), 1 to 8.57 A, flux from the
// same chart.
constexpr LedPoint Cslpm1[] = {{1.0, 2.88}, {2.0, 3.02}, {3.0, 3.12}, {4.0, 3.22}, {5.0, 3.31},
                               {6.0, 3.40}, {7.0, 3.48}, {8.0, 3.57}, {8.57, 3.62}};
constexpr FluxPoint Cslpm1Flux[] = {{1.0, 350},  {2.0, 618},  {3.0, 847},  {4.0, 1045}, {5.0, 1211},
                                    {6.0, 1344}, {7.0, 1438}, {8.0, 1490}, {8.57, 1497}};

// Nichia NVSW519A sm503 R9080 (5000 K), domed, koef3's test of it and the
// 519A-V1 (budgetlightforum.com/t/223258, 2024-03-14), 1 to 8.55 A, flux
// from the same chart. Nichia's data sheet
// (STS-DA1-6102D) gives 3.03 V typical at 1.4 A, as quoted in
// An0nya/flux-sketchpad, tools/source-specs/nichia_samsung_0.json.
constexpr LedPoint Nichia519a[] = {{1.0, 2.92}, {2.0, 3.06}, {3.0, 3.17}, {4.0, 3.25}, {5.0, 3.33},
                                   {6.0, 3.39}, {7.0, 3.45}, {8.0, 3.50}, {8.55, 3.52}};
constexpr FluxPoint Nichia519aFlux[] = {{1.0, 344},  {2.0, 614},  {3.0, 844},  {4.0, 1038}, {5.0, 1203},
                                        {6.0, 1334}, {7.0, 1429}, {8.0, 1446}, {8.55, 1428}};

// Nichia NVSW219C data sheet (STS-DA1-3555G): typical forward voltage
// 2.83 V at 350 mA and 2.98 V at 700 mA, as extracted from the PDF in
// An0nya/flux-sketchpad, tools/source-specs/nichia_samsung_0.json (which
// quotes the 700 mA figure verbatim). Two points: the curve meets them with
// the typical logarithmic slope; it serves up to 1.8 A, the maker's maximum.
constexpr LedPoint Nichia219[] = {{0.35, 2.83}, {0.7, 2.98}};

// Luminus SST-25 G2 BA (6500 K, 70 CRI), koef3's "LED test / review -
// Luminus SST-25 G2 BA (6500 K 70 CRI) - just a bigger SST-20"
// (budgetlightforum.com/t/224789, 2024-07-09), 1 to 7.57 A, flux from the
// same chart (re-traced there with pinned axes). Luminus's SST-20-WxS data
// sheet gives 3.0 V typical at 1.5 A, Tj 85 °C, as quoted in
// An0nya/flux-sketchpad, tools/source-specs/luminus_0.json.
constexpr LedPoint Sst20[] = {{1.0, 2.94}, {2.0, 3.18}, {3.0, 3.40}, {4.0, 3.61},
                              {5.0, 3.81}, {6.0, 4.00}, {7.0, 4.21}, {7.57, 4.33}};
constexpr FluxPoint Sst20Flux[] = {{1.0, 536},  {2.0, 984},  {3.0, 1358}, {4.0, 1673},
                                   {5.0, 1927}, {6.0, 2116}, {7.0, 2222}, {7.57, 2236}};

// Luminus SFT-40 6500 K (N4 bin), koef3's test of the SFT-40 in 3000 and
// 6500 K (budgetlightforum.com/t/220791, 2023-10-24), 1 to 14.95 A, flux
// from the same chart. His text gives 2521 lm at 3.47 V at 8 A (as quoted
// in An0nya/flux-sketchpad, js/source-presets.js).
constexpr LedPoint Sft40[] = {{1.0, 2.80},  {2.0, 2.92},  {3.0, 3.03},  {4.0, 3.13},  {5.0, 3.22},
                              {6.0, 3.31},  {7.0, 3.39},  {8.0, 3.48},  {9.0, 3.56},  {10.0, 3.64},
                              {11.0, 3.72}, {12.0, 3.80}, {13.0, 3.88}, {14.0, 3.96}, {14.95, 4.04}};
constexpr FluxPoint Sft40Flux[] = {{1.0, 473},   {2.0, 874},   {3.0, 1228},  {4.0, 1543},  {5.0, 1825},
                                   {6.0, 2084},  {7.0, 2315},  {8.0, 2519},  {9.0, 2702},  {10.0, 2858},
                                   {11.0, 2986}, {12.0, 3090}, {13.0, 3162}, {14.0, 3201}, {14.95, 3192}};

// A white LED's SPICE diode, sampled at 1 to 30 mA: the "LedWhite" model
// (IS=0.27n RS=5.65 N=6.79, Iave=30m) of Couriersud's discrete netlist
// library (netlib.c, as found in a public repository), in LTspice's model
// syntax; no maker is named. As a check, three white LEDs of a light string measured 3.26,
// 3.32 and 3.40 V at 20.1 mA (3geez.com forum, thread 71688, "Measured
// Voltages"); the model gives 3.30 V at 20 mA.
constexpr LedPoint White5mm[] = {{0.001, 2.662}, {0.002, 2.789}, {0.005, 2.967},
                                 {0.010, 3.117}, {0.020, 3.295}, {0.030, 3.423}};

// Coloured indicator LEDs by their data sheets' typical forward voltage at
// 20 mA, one point each; the curve through it takes a typical white LED's
// slope (CurveThrough), so figures away from 20 mA are approximate.
// Kingbright's L-154A4SURKQBDZGW (5 mm, spec DSAF8941 rev. V.10A) gives
// 1.95 V for its hyper red (AlGaInP) and 3.3 V for its blue and green
// (InGaN) dies; Rohm's SML-P12YTT86 (590 nm, AlGaInP) 2.1 V, as its part
// library entry quotes it (jonasblixt/kicadlib, library/LEDs.lib). Their
// heat as the 5 mm white LED's below; no rating at hand.
constexpr LedPoint Red[] = {{0.020, 1.95}};
constexpr LedPoint Yellow[] = {{0.020, 2.1}};
constexpr LedPoint Green[] = {{0.020, 3.3}};
constexpr LedPoint Blue[] = {{0.020, 3.3}};
constexpr std::string_view KingbrightRgb =
    "Kingbright L-154A4SURKQBDZGW data sheet DSAF8941, typical at 20 mA; a typical white LED's slope";

constexpr std::string_view Koef3Flux = "the same chart";

// How each LED follows its temperature. Bench tests on a copper board are
// at a 25 °C solder point; data-sheet figures at their stated junction
// temperature. The junction-to-solder-point resistances are the makers'
// typical figures where stated (Cree XM-L2 data sheet CLD-DS47: 2.5 °C/W;
// XP-G2, CLD-DS51: 4 °C/W); the others are approximate, of the same
// packages' class. The voltage coefficient is −2.5 mV/K and the flux
// coefficient −0.22 %/K for all: the middle of white LEDs' data-sheet
// curves (Cree's XP-G2 sheet, "Relative Flux vs. Junction Temperature",
// gives about 87 % at 85 °C against 25 °C; white LEDs' forward voltages
// fall by 2 to 4 mV/K). Approximate, as a sample's own curve would be
// better.
constexpr double VoltsPerKelvin = -0.0025;
constexpr double FluxPerKelvin = -0.0022;
constexpr LedThermal Bench(double junctionSolderKPerW)
{
    return {LedThermal::Reference::SolderPoint, 25.0, junctionSolderKPerW, VoltsPerKelvin, FluxPerKelvin, 0.3};
}
constexpr LedThermal Sheet(double junctionC, double junctionSolderKPerW, double wallPlug = 0.3)
{
    return {LedThermal::Reference::Junction, junctionC, junctionSolderKPerW, VoltsPerKelvin, FluxPerKelvin, wallPlug};
}

constexpr LedPreset Presets[] = {
    // Its rating: Samsung's LH351D Product Family Data Sheet, rev. 9.1
    // (2019-02-21), absolute maximum forward current 3000 mA.
    {"lh351d", "Samsung LH351D", Lh351d,
     "koef3's chart (budgetlightforum.com/t/223258), 5700 K 90 CRI sample, solder point 25 C; 0.2 to 6 A", Lh351dFlux,
     "the same chart, 1 to 7.2 A", Bench(2.5), 3.0, "Samsung LH351D data sheet, rev. 9.1"},
    {"xm-l2",
     "Cree XLamp XM-L2",
     XmL2,
     "Cree's data-sheet figures as quoted by community.ledbloke.co.uk, typical at Tj 85 C; 0.35 to 3 A",
     {},
     {},
     Sheet(85.0, 2.5),
     3.0,
     "Cree XLamp XM-L2 data sheet CLD-DS47"},
    {"xp-g",
     "Cree XLamp XP-G2 (XP-G class)",
     XpG,
     "Cree XP-G2 data sheet CLD-DS51 rev. 24B, typical at Tj 85 C; 0.35 to 1.5 A",
     {},
     {},
     Sheet(85.0, 4.0),
     1.5,
     "Cree XLamp XP-G2 data sheet CLD-DS51 rev. 24B"},
    {"cslpm1", "Osram CSLPM1.TG", Cslpm1,
     "koef3's chart (budgetlightforum.com/t/72144), 6500 K sample, solder point 25 C; 1 to 8.57 A", Cslpm1Flux,
     Koef3Flux, Bench(1.5)},
    {"519a", "Nichia 519A", Nichia519a,
     "koef3's chart (budgetlightforum.com/t/223258), 5000 K R9080 domed sample, solder point 25 C; 1 to 8.55 A",
     Nichia519aFlux, Koef3Flux, Bench(2.0)},
    {"219",
     "Nichia 219C",
     Nichia219,
     "Nichia NVSW219C data sheet STS-DA1-3555G, typical at Tj 25 C; 0.35 and 0.7 A",
     {},
     {},
     Sheet(25.0, 6.0),
     1.8,
     "Nichia NVSW219C data sheet STS-DA1-3555G"},
    {"sst-20", "Luminus SST-25 G2 (SST-20 class)", Sst20,
     "koef3's chart (budgetlightforum.com/t/224789), 6500 K sample, solder point 25 C; 1 to 7.57 A", Sst20Flux,
     Koef3Flux, Bench(2.0)},
    {"sft-40", "Luminus SFT-40", Sft40,
     "koef3's chart (budgetlightforum.com/t/220791), 6500 K sample, solder point 25 C; 1 to 14.95 A", Sft40Flux,
     Koef3Flux, Bench(0.8)},
    {"5mm",
     "generic 5 mm white LED, 20 mA",
     White5mm,
     "a white LED's SPICE diode (LedWhite: IS=0.27n RS=5.65 N=6.79, a netlist library), sampled at 1 to 30 mA",
     {},
     {},
     // A 5 mm LED sheds its heat through its leads: about 200 K/W junction
     // to pin, approximate; a fifth of its power as light. 30 mA is the
     // usual most continuous current of 5 mm white LEDs' data sheets
     // (approximate: no one maker's).
     Sheet(25.0, 200.0, 0.2),
     0.03,
     "typical of 5 mm white LEDs' data sheets"},
    {"red", "red indicator LED (AlGaInP)", Red, KingbrightRgb, {}, {}, Sheet(25.0, 200.0, 0.2)},
    {"yellow",
     "yellow indicator LED (AlGaInP)",
     Yellow,
     "Rohm SML-P12YTT86 data sheet as quoted by a part library, typical at 20 mA; a typical white LED's slope",
     {},
     {},
     Sheet(25.0, 200.0, 0.2)},
    {"green", "green indicator LED (InGaN)", Green, KingbrightRgb, {}, {}, Sheet(25.0, 200.0, 0.2)},
    {"blue", "blue indicator LED (InGaN)", Blue, KingbrightRgb, {}, {}, Sheet(25.0, 200.0, 0.2)},
};

bool SameId(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::span<const LedPreset> LedPresets() { return Presets; }

const LedPreset* LedNamed(std::string_view id)
{
    const auto found =
        std::find_if(std::begin(Presets), std::end(Presets), [&](const LedPreset& p) { return SameId(p.Id, id); });
    return found == std::end(Presets) ? nullptr : found;
}

LedCurve FittedCurve(const LedPreset& preset)
{
    static const auto curves = [] {
        std::array<LedCurve, std::size(Presets)> all{};
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = Presets[i].Points.size() == 1 ? CurveThrough(Presets[i].Points.front())
                                                   : std::get<LedCurve>(FitCurve(Presets[i].Points));
        return all;
    }();
    return curves[static_cast<std::size_t>(&preset - std::begin(Presets))];
}

std::optional<double> LumensAt(std::span<const FluxPoint> flux, double amps)
{
    if (flux.empty() || amps > flux.back().Amps)
        return std::nullopt;
    if (amps <= flux.front().Amps)
        return flux.front().Lumens * amps / flux.front().Amps;
    std::size_t upper = 1;
    while (flux[upper].Amps < amps)
        ++upper;
    const FluxPoint& low = flux[upper - 1];
    const FluxPoint& high = flux[upper];
    return low.Lumens + (high.Lumens - low.Lumens) * (amps - low.Amps) / (high.Amps - low.Amps);
}

} // namespace lumora
