// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

namespace lumora {

// Constant-current discharge tests of cells from full to a cut-off, as their
// testers published them. A row names the preset that stands for the cell
// (a named cell, when Lumora has one) and the generic preset of its format
// and chemistry. Where the source gives the energy at the terminals too, it
// is compared as well; elsewhere it stays 0.
struct PublishedCellTest {
    std::string_view Named;   // the named cell's preset, or "" for a brand Lumora does not name
    std::string_view Generic; // the format's preset in the cell's chemistry: "aa", "aaa", "18650"
    std::string_view Brand;   // as the source names the cell
    double Amps = 0.0;
    double CutOffVolts = 0.0;
    double Mah = 0.0;
    std::string_view Source;
    double Wh = 0.0;      // 0 where the source gives none
    bool FittedTo = true; // false: a check only, of cells in use
};

// PowerStream, "Discharge tests of AA Batteries, Alkaline and NiMH"
// (powerstream.com/AA-tests.htm): a CBA II analyser, constant current, the
// table's termination voltage "0.1 Volt", so these run the cell out.
inline constexpr std::string_view PowerStream = "PowerStream AA tests, CBA II, 0.1 V termination";
// MyBroadband, "Battery test: Energizer vs Duracell" (2018,
// mybroadband.co.za/news/energy/244759): a CBA IV at 800 mA to 1.1 V, the
// average run time of the cells tested, times 0.8 A.
inline constexpr std::string_view MyBroadband = "MyBroadband 2018, CBA IV, 800 mA to 1.1 V, average run time";
// The makers' data sheets at a light load, as kurokatta.org read them from
// the sheets' constant-current curves ("Lithium AA batteries", 2019), to
// 0.8 V at 21 degC: the only published figures below 100 mA.
inline constexpr std::string_view MakersSheets = "makers' data sheets as read by kurokatta.org (2019), to 0.8 V";
// Team Peryton, "21700 Li-ion Cell Testing" (github.com/Team-Peryton/
// 21700-Li-ion-Cell-Testing, March 2022): nine Molicel P42A cells on a
// PowerLab 8, logged every few seconds. The figures here are the median
// cell's charge and energy (the trapezoid of volts over the logged charge)
// over the constant-current part only, before the logger's constant-voltage
// tail; the nine cells spread by under 1 % at 4.25 A and 4 % at 10 A.
inline constexpr std::string_view Peryton = "Team Peryton P42A logs (2022), nine cells, constant-current part";
// pigmonkey, "battery" (github.com/pigmonkey/battery, batteries.csv, 2012):
// a user's eneloop cells, 1 to 1.5 years in use, each through a PowerEx
// MH-C9000's refresh-and-analyse cycle at its recommended discharge of a
// quarter C (500 mA for AA, 200 mA for AAA) to the charger's end of
// discharge, taken as 0.9 V (1.0 V would give 1 % less here). The figure is
// the median cell's: 17 AA, 5 AAA.
inline constexpr std::string_view Pigmonkey = "pigmonkey's eneloop log (2012), PowerEx MH-C9000 analyse, median cell";
// RightBattery, Duracell Copper Top and Procell AAA compared
// (rightbattery.com/tag/duracell-copper-top): constant current to 1 V.
inline constexpr std::string_view RightBattery = "rightbattery.com, constant current to 1.0 V";

inline constexpr PublishedCellTest PublishedCellTests[] = {
    // Alkaline AA, one table, five brands (dates of test April 2006 to May 2020).
    {"duracell-aa", "aa", "Duracell Coppertop AA", 0.1, 0.1, 2200, PowerStream},
    {"duracell-aa", "aa", "Duracell Coppertop AA", 0.5, 0.1, 1300, PowerStream},
    {"duracell-aa", "aa", "Duracell Coppertop AA", 1.0, 0.1, 830, PowerStream},
    {"duracell-aa", "aa", "Duracell Coppertop AA", 2.0, 0.1, 540, PowerStream},
    {"duracell-aa", "aa", "Duracell Coppertop AA", 0.025, 0.8, 3000, MakersSheets},
    {"energizer-aa", "aa", "Energizer Max AA", 0.5, 0.1, 1170, PowerStream},
    {"energizer-aa", "aa", "Energizer Max AA", 1.0, 0.1, 930, PowerStream},
    {"energizer-aa", "aa", "Energizer Max AA", 2.0, 0.1, 700, PowerStream},
    {"energizer-aa", "aa", "Energizer Max AA", 0.8, 1.1, 349, MyBroadband}, // 26.15 min
    {"energizer-aa", "aa", "Energizer Max AA (E91)", 0.025, 0.8, 3000, MakersSheets},
    {"", "aa", "Radio Shack Enercell Plus AA", 0.1, 0.1, 2130, PowerStream},
    {"", "aa", "Radio Shack Enercell Plus AA", 0.5, 0.1, 1310, PowerStream},
    {"", "aa", "Radio Shack Enercell Plus AA", 1.0, 0.1, 980, PowerStream},
    {"", "aa", "Radio Shack Enercell Plus AA", 2.0, 0.1, 720, PowerStream},
    {"", "aa", "Energizer Titanium AA", 0.5, 0.1, 1840, PowerStream},
    {"", "aa", "Energizer Titanium AA", 1.0, 0.1, 1410, PowerStream},
    {"", "aa", "Energizer Titanium AA", 2.0, 0.1, 1180, PowerStream},
    {"", "aa", "Eveready Gold AA", 0.5, 0.1, 1280, PowerStream},
    {"", "aa", "Eveready Gold AA", 1.0, 0.1, 950, PowerStream},
    {"", "aa", "Eveready Gold AA", 2.0, 0.1, 780, PowerStream},
    // Alkaline AAA.
    {"duracell-aaa", "aaa", "Duracell Copper Top AAA", 0.1, 1.0, 970, RightBattery},
    {"duracell-aaa", "aaa", "Duracell Copper Top AAA", 0.2, 1.0, 777, RightBattery},
    {"duracell-aaa", "aaa", "Duracell Copper Top AAA", 0.3, 1.0, 553, RightBattery},
    {"duracell-aaa", "aaa", "Duracell Copper Top AAA", 0.5, 1.0, 336, RightBattery},
    {"", "aaa", "Duracell Procell AAA", 0.1, 1.0, 1038, RightBattery},
    {"", "aaa", "Duracell Procell AAA", 0.2, 1.0, 797, RightBattery},
    {"", "aaa", "Duracell Procell AAA", 0.3, 1.0, 627, RightBattery},
    {"", "aaa", "Duracell Procell AAA", 0.5, 1.0, 455, RightBattery},
    // Lithium iron disulfide AA.
    {"energizer-lithium-aa", "aa-lithium", "Energizer Lithium AA", 2.0, 0.1, 2800, PowerStream},
    {"energizer-lithium-aa", "aa-lithium", "Energizer Ultimate Lithium AA", 0.8, 1.1, 2882, MyBroadband}, // 216.16 min
    // Nickel-metal hydride, cells in use: a check of the data sheet's
    // figures, not fitted to (one current each, and aged cells).
    {"eneloop-aa", "aa-nimh", "Panasonic eneloop AA", 0.5, 0.9, 1877, Pigmonkey, 0.0, false},
    {"eneloop-aaa", "aaa-nimh", "Panasonic eneloop AAA", 0.2, 0.9, 778, Pigmonkey, 0.0, false},
    // Lithium-ion.
    {"samsung-30q", "18650", "Samsung INR18650-30Q", 0.6, 2.5, 3000,
     "Samsung SDI INR18650-30Q data sheet, version 1.0 (2015): nominal, 0.2 C to 2.5 V"},
    {"samsung-30q", "18650", "Samsung INR18650-30Q", 10.0, 2.5, 2900,
     "Samsung SDI INR18650-30Q data sheet, version 1.0 (2015): the 10 A capacity its temperature table takes as 100 %"},
    {"molicel-p28a", "18650", "Molicel INR-18650-P28A", 0.56, 2.5, 2800,
     "Molicel INR-18650-P28A data sheet: rated (typical) capacity, 0.56 A to 2.5 V"},
    {"molicel-p28a", "18650", "Molicel INR-18650-P28A", 10.0, 2.5, 2761,
     "tayvoy.com Molicel P28A test: 10 A, cell insulated"},
    {"panasonic-ncr18650b", "18650", "Panasonic NCR18650B", 0.34, 2.5, 3280,
     "Batemo cell library, NCR18650B: C/10 to 2.5 V, 25 degC"},
    {"samsung-40t", "21700", "Samsung INR21700-40T", 0.8, 2.5, 4100,
     "thunderheartreviews.com 40T test (2018): about 4100 mAh at 0.8 A"},
    {"samsung-40t", "21700", "Samsung INR21700-40T", 20.0, 2.5, 3800,
     "thunderheartreviews.com 40T test (2018): at least 3800 mAh at 20 A"},
    {"molicel-p42a", "21700", "Molicel INR-21700-P42A", 4.25, 2.5, 3920, Peryton, 14.26},
    {"molicel-p42a", "21700", "Molicel INR-21700-P42A", 9.95, 3.7, 1677, Peryton, 6.52},
    {"samsung-50s", "21700", "Samsung INR21700-50S", 10.0, 2.5, 4990,
     "tayvoy.com Samsung 50S test: 10 A, cell insulated"},
};

} // namespace lumora
