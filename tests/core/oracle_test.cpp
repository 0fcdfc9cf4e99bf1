// SPDX-License-Identifier: MIT
// The core against outside programs: ngspice's operating point for the LED
// circuits and the cell's two wells, and librsvg for the pictures. Skipped where a program is
// not installed (scripts/setup.sh installs both).
#include "calc/light/cell_test.h"
#include "calc/light/discharge.h"
#include "calc/light/operating_point.h"
#include "calc/reports/cell_comparison.h"
#include "calc/reports/cell_picture.h"
#include "calc/reports/runtime_plot.h"
#include "calc/text/number_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace lumora {
namespace {

namespace fs = std::filesystem;

bool Installed(const char* program)
{
    return std::system((std::string(program) + " --version >/dev/null 2>&1").c_str()) == 0;
}

std::string Exact(double value) { return DecimalText(value, 17); }

struct Circuit {
    double volts, ohms, internalOhms;
    int count;
    Wiring wiring;
};

// A .cir of the circuit with the preset's diode, run in batch mode; the
// battery current ngspice prints.
double SpiceBatteryAmps(const LedCurve& curve, const Circuit& c, const fs::path& dir)
{
    const SpiceDiode diode = SpiceOf(curve);
    std::ostringstream cir;
    cir << "lumora operating point\n"
        << ".options reltol=1e-9 abstol=1e-18 vntol=1e-12 itl1=1000\n"
        << "vbat 1 0 dc " << Exact(c.volts) << "\n"
        << "rint 1 2 " << Exact(c.internalOhms > 0 ? c.internalOhms : 1e-9) << "\n"
        << "rser 2 3 " << Exact(c.ohms > 0 ? c.ohms : 1e-9) << "\n";
    for (int i = 0; i < c.count; ++i) {
        if (c.wiring == Wiring::Series)
            cir << "d" << i << " " << 3 + i << " " << (i + 1 == c.count ? 0 : 4 + i) << " led\n";
        else
            cir << "d" << i << " 3 0 led\n";
    }
    cir << ".model led d(is=" << Exact(diode.Is) << " n=" << Exact(diode.N) << " rs=" << Exact(diode.Rs) << ")\n"
        << ".control\nop\nset numdgt=12\nprint -vbat#branch\n.endc\n.end\n";
    const fs::path input = dir / "circuit.cir", output = dir / "circuit.out";
    std::ofstream(input) << cir.str();
    const std::string command = "ngspice -b " + input.string() + " >" + output.string() + " 2>&1";
    const int ignored = std::system(command.c_str()); // its exit code says nothing of the operating point
    static_cast<void>(ignored);
    std::ifstream printed(output);
    for (std::string line; std::getline(printed, line);) {
        const std::size_t equals = line.find('=');
        if (line.find("vbat#branch") != std::string::npos && equals != std::string::npos)
            return std::strtod(line.c_str() + equals + 1, nullptr);
    }
    return -1.0;
}

TEST(Oracle, OperatingPointAgreesWithNgspice)
{
    if (!Installed("ngspice"))
        GTEST_SKIP() << "ngspice is not installed";
    const fs::path dir = fs::temp_directory_path() / ("lumora-spice-" + std::to_string(std::rand()));
    fs::create_directories(dir);
    // Battery volts, series ohms, internal ohms, LEDs, wiring.
    const Circuit circuits[] = {
        {4.2, 0, 0.02, 1, Wiring::Series},  {3.0, 1, 0, 1, Wiring::Series},      {8.4, 2.2, 0.04, 2, Wiring::Series},
        {12, 10, 0, 3, Wiring::Series},     {16.8, 47, 0.08, 4, Wiring::Series}, {4.2, 4.7, 0.15, 3, Wiring::Parallel},
        {3.7, 100, 0, 2, Wiring::Parallel}, {2.7, 0.1, 0.01, 1, Wiring::Series},
    };
    double worst = 0.0;
    for (const LedPreset& preset : LedPresets()) {
        // A 6 V LED (dies in pairs in series) meets the circuits at twice their voltage.
        const double scale = ForwardVoltage(FittedCurve(preset), 1.0) > 4.5 ? 2.0 : 1.0;
        for (Circuit c : circuits) {
            c.volts *= scale;
            const LedString string{FittedCurve(preset), static_cast<double>(c.count), c.wiring, c.ohms};
            const double lumora = SolveOperatingPoint(string, c.volts, c.internalOhms).BatteryAmps;
            const double spice = SpiceBatteryAmps(FittedCurve(preset), c, dir);
            ASSERT_GT(spice, 0.0) << "ngspice gave no operating point";
            worst = std::max(worst, std::fabs(lumora / spice - 1.0));
            EXPECT_NEAR(lumora / spice, 1.0, 1e-3) << preset.Id << " at " << c.volts << " V, " << c.ohms << " ohm, "
                                                   << c.count << (c.wiring == Wiring::Series ? " series" : " parallel");
        }
    }
    std::cout << "worst disagreement with ngspice: " << worst * 100.0 << " %\n";
    fs::remove_all(dir);
}

// The kinetic battery model is two capacitors joined by a resistor: the
// wells' charges on capacitors of c and 1 - c farad (one farad for each Ah
// of capacity, one second of the simulation for an hour), their heights the
// voltages times the capacity, the flow between them k (h2 - h1) through a
// conductance k C with k = k' c (1 - c). ngspice's transient run of a current drawn from the
// available well, to the moment its voltage reaches 0, is the time
// RunCellTest finds on a flat rest curve.
double SpiceEmptyHours(double share, double rate, double capacityAh, double amps, const fs::path& dir)
{
    const double conductance = rate * share * (1.0 - share) * capacityAh;
    const double hours = capacityAh / amps;
    std::ostringstream cir;
    cir << "kinetic battery model\n"
        << "c1 1 0 " << Exact(share * capacityAh) << " ic=1\n"
        << "c2 2 0 " << Exact((1.0 - share) * capacityAh) << " ic=1\n"
        << "rflow 1 2 " << Exact(1.0 / conductance) << "\n"
        << "iload 1 0 dc " << Exact(amps) << "\n"
        << ".control\ntran " << Exact(hours / 20000.0) << " " << Exact(hours) << " uic\n"
        << "meas tran empty when v(1)=0 fall=1\n.endc\n.end\n";
    const fs::path input = dir / "wells.cir", output = dir / "wells.out";
    std::ofstream(input) << cir.str();
    const std::string command = "ngspice -b " + input.string() + " >" + output.string() + " 2>&1";
    const int ignored = std::system(command.c_str());
    static_cast<void>(ignored);
    std::ifstream printed(output);
    for (std::string line; std::getline(printed, line);) {
        const std::size_t equals = line.find('=');
        if (line.rfind("empty", 0) == 0 && equals != std::string::npos)
            return std::strtod(line.c_str() + equals + 1, nullptr);
    }
    return -1.0;
}

TEST(Oracle, CellWellsAgreeWithNgspice)
{
    if (!Installed("ngspice"))
        GTEST_SKIP() << "ngspice is not installed";
    const fs::path dir = fs::temp_directory_path() / ("lumora-wells-" + std::to_string(std::rand()));
    fs::create_directories(dir);
    struct Row {
        double share, rate, amps;
    };
    for (const Row row : {Row{0.289, 0.523, 0.1}, Row{0.289, 0.523, 2.0}, Row{0.205, 0.714, 0.8}, Row{0.98, 1.0, 10.0},
                          Row{0.5, 5.0, 1.0}}) {
        CellModel cell = FlatCell(1.5, 2.5);
        cell.AvailableShare = row.share;
        cell.LevellingPerHour = row.rate;
        const double lumora = RunCellTest(cell, {LoadKind::Current, row.amps}, 0.0).Hours;
        const double spice = SpiceEmptyHours(row.share, row.rate, 2.5, row.amps, dir);
        ASSERT_GT(spice, 0.0) << "ngspice found no empty well";
        EXPECT_NEAR(lumora / spice, 1.0, 1e-3) << "c " << row.share << ", k' " << row.rate << ", " << row.amps << " A";
    }
    fs::remove_all(dir);
}

// The light's electro-thermal network as its electrical analogue: the
// host's heat capacity a capacitor and its resistance to the air a
// resistor, temperatures as voltages (1 V a kelvin, 1 s a second), the
// heat a behavioural current source into the host node, the junction a
// behavioural voltage above it, and the LED a behavioural voltage whose
// forward voltage follows the junction. A direct driver is the cell, its
// resistance and the series resistor; a linear one a current source.
struct ThermalCase {
    const char* name;
    DriverKind driver;
    double volts, internalOhms, seriesOhms, amps; // amps: the linear driver's current
    double hostKPerW, hostJPerK;
    LedThermal led;
};

// Host temperature and LED current at each time, by ngspice.
std::vector<std::pair<double, double>> SpiceThermal(const ThermalCase& c, const LedCurve& curve,
                                                    const std::vector<double>& seconds, const fs::path& dir)
{
    const double wpe = c.led.WallPlugEfficiency;
    const bool junction = c.led.MeasuredAt == LedThermal::Reference::Junction;
    const std::string i = "max(i(vsense),1e-9)";
    const std::string vled = "v(c)";
    const std::string ledHeat = "(1-" + Exact(wpe) + ")*" + vled + "*" + i;
    std::ostringstream cir;
    cir << "electro-thermal light\n"
        << "vbat bat 0 dc " << Exact(c.volts) << "\n"
        << "rint bat a " << Exact(c.internalOhms) << "\n";
    if (c.driver == DriverKind::Direct)
        cir << "rser a b " << Exact(c.seriesOhms > 0 ? c.seriesOhms : 1e-6) << "\n";
    else
        cir << "ireg a b dc " << Exact(c.amps) << "\n";
    cir << "vsense b c dc 0\n"
        << "bled c 0 v=" << Exact(curve.A) << "+" << Exact(curve.B) << "*ln(" << i << ")+" << Exact(curve.Rs) << "*"
        << i << "+" << Exact(c.led.VoltsPerKelvin) << "*(" << (junction ? "v(tj)" : "v(host)") << "-"
        << Exact(c.led.MeasuredC) << ")\n"
        << "btj tj 0 v=v(host)+" << Exact(c.led.JunctionSolderKPerW) << "*" << ledHeat << "\n"
        << "vamb amb 0 dc 25\n"
        << "rhost host amb " << Exact(c.hostKPerW) << "\n"
        << "chost host 0 " << Exact(c.hostJPerK)
        << " ic=25\n"
        // All the heat: the LED's, and what the cell, the resistor or the regulator drop.
        << "bheat 0 host i=" << ledHeat << "+(v(bat)-" << vled << ")*" << i << "\n"
        << ".ic v(host)=25\n"
        << ".options reltol=1e-6 abstol=1e-12 vntol=1e-9\n"
        << ".control\ntran 0.5 " << Exact(seconds.back()) << " uic\n";
    for (std::size_t k = 0; k < seconds.size(); ++k)
        cir << "meas tran t" << k << " find v(host) at=" << Exact(seconds[k]) << "\n"
            << "meas tran a" << k << " find i(vsense) at=" << Exact(seconds[k]) << "\n";
    cir << ".endc\n.end\n";
    const fs::path input = dir / "thermal.cir", output = dir / "thermal.out";
    std::ofstream(input) << cir.str();
    const std::string command = "ngspice -b " + input.string() + " >" + output.string() + " 2>&1";
    const int ignored = std::system(command.c_str());
    static_cast<void>(ignored);
    std::vector<std::pair<double, double>> found(seconds.size(), {-1.0, -1.0});
    std::ifstream printed(output);
    for (std::string line; std::getline(printed, line);) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || line.size() < 2 || (line[0] != 't' && line[0] != 'a'))
            continue;
        const std::size_t k = std::strtoul(line.c_str() + 1, nullptr, 10);
        if (k < found.size() && std::isdigit(static_cast<unsigned char>(line[1])))
            (line[0] == 't' ? found[k].first : found[k].second) = std::strtod(line.c_str() + equals + 1, nullptr);
    }
    return found;
}

// A row's value at a time, linear between rows.
double At(const std::vector<DischargeRow>& rows, double hours, double DischargeRow::*value)
{
    for (std::size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].Hours >= hours && rows[k].Hours > rows[k - 1].Hours) {
            const double part = (hours - rows[k - 1].Hours) / (rows[k].Hours - rows[k - 1].Hours);
            return rows[k - 1].*value + part * (rows[k].*value - rows[k - 1].*value);
        }
    }
    return rows.back().*value;
}

TEST(Oracle, LightsWarmAsNgspiceHasThem)
{
    if (!Installed("ngspice"))
        GTEST_SKIP() << "ngspice is not installed";
    const fs::path dir = fs::temp_directory_path() / ("lumora-thermal-" + std::to_string(std::rand()));
    fs::create_directories(dir);
    using R = LedThermal::Reference;
    const ThermalCase cases[] = {
        {"direct, bench LED, small host",
         DriverKind::Direct,
         4.1,
         0.05,
         0.1,
         0,
         8.0,
         60.0,
         {R::SolderPoint, 25.0, 2.5, -0.0025, -0.0022, 0.3}},
        {"direct, sheet LED at 85 C, big host",
         DriverKind::Direct,
         4.0,
         0.03,
         0.0,
         0,
         4.0,
         200.0,
         {R::Junction, 85.0, 4.0, -0.004, -0.0022, 0.25}},
        {"linear 1.5 A, sheet LED",
         DriverKind::Linear,
         4.2,
         0.04,
         0.0,
         1.5,
         10.0,
         40.0,
         {R::Junction, 85.0, 4.0, -0.0025, -0.0022, 0.3}},
        {"linear 3 A, hot small host",
         DriverKind::Linear,
         4.2,
         0.02,
         0.0,
         3.0,
         15.0,
         30.0,
         {R::SolderPoint, 25.0, 2.0, -0.003, -0.0022, 0.35}},
    };
    const std::vector<double> seconds = {30, 120, 300, 900, 1800};
    double worst = 0.0;
    for (const ThermalCase& c : cases) {
        DischargeRequest request;
        request.Battery = FlatCell(c.volts, 200.0);
        request.Battery.InternalOhms = c.internalOhms;
        request.Leds.Curve = FittedCurve(*LedNamed("xp-g"));
        request.Leds.ResistorOhms = c.seriesOhms;
        request.Driver = {c.driver, c.amps, 1e-9, 1.0};
        request.Heat.Host = {c.hostKPerW, c.hostJPerK, true};
        request.Heat.Led = c.led;
        const std::vector<DischargeRow> rows = RunDischarge(request).Rows;
        const auto spice = SpiceThermal(c, request.Leds.Curve, seconds, dir);
        for (std::size_t k = 0; k < seconds.size(); ++k) {
            const double hours = seconds[k] / 3600.0;
            ASSERT_GT(spice[k].second, 0.0) << c.name << ": ngspice gave nothing at " << seconds[k] << " s";
            const double rise = At(rows, hours, &DischargeRow::HostC) - 25.0;
            const double amps = At(rows, hours, &DischargeRow::LedAmps);
            EXPECT_NEAR(rise / (spice[k].first - 25.0), 1.0, 0.01) << c.name << " at " << seconds[k] << " s";
            EXPECT_NEAR(amps / spice[k].second, 1.0, 0.01) << c.name << " at " << seconds[k] << " s";
            worst = std::max(
                {worst, std::fabs(rise / (spice[k].first - 25.0) - 1.0), std::fabs(amps / spice[k].second - 1.0)});
        }
    }
    std::cout << "worst disagreement with ngspice, heat: " << worst * 100.0 << " %\n";
    fs::remove_all(dir);
}

// The pictures render: librsvg reads every element of them.
TEST(Oracle, RuntimeGraphRenders)
{
    if (!Installed("rsvg-convert"))
        GTEST_SKIP() << "rsvg-convert is not installed";
    DischargeRequest request;
    request.Battery = FlatCell(3.7, 3.0);
    request.Battery.InternalOhms = 0.05;
    request.Leds.Curve = FittedCurve(*LedNamed("xm-l2"));
    request.Driver = {DriverKind::Linear, 2.8, 0.15, 1.0};
    const std::string svg = RuntimePlotSvg(RunDischarge(request), {"XM-L2 & <linear>", "flat 3.7 V"});
    const fs::path dir = fs::temp_directory_path() / ("lumora-plot-" + std::to_string(std::rand()));
    fs::create_directories(dir);
    std::ofstream(dir / "graph.svg") << svg;
    const std::string command =
        "rsvg-convert " + (dir / "graph.svg").string() + " -o " + (dir / "graph.png").string() + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_GT(fs::file_size(dir / "graph.png"), 1000u);
    CellComparisonRequest cells;
    cells.Cells = {"samsung-30q", "duracell-aa"};
    cells.Loads = {"1", "3"};
    cells.CutOff = "0.9";
    std::ofstream(dir / "cells.svg") << CellComparisonSvg(CompareCells(cells));
    const std::string cellsCommand =
        "rsvg-convert " + (dir / "cells.svg").string() + " -o " + (dir / "cells.png").string() + " 2>&1";
    EXPECT_EQ(std::system(cellsCommand.c_str()), 0);
    EXPECT_GT(fs::file_size(dir / "cells.png"), 1000u);
    fs::remove_all(dir);
}

} // namespace
} // namespace lumora
