// SPDX-License-Identifier: MIT
// The core against outside programs: ngspice's operating point for the LED
// circuits and the cell's two wells, and librsvg for the pictures. Skipped where a program is
// not installed (scripts/setup.sh installs both).
#include "calc/light/cell_test.h"
#include "calc/light/discharge.h"
#include "calc/light/operating_point.h"
#include "calc/reports/cell_comparison.h"
#include "calc/reports/runtime_plot.h"
#include "calc/text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

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
        for (const Circuit& c : circuits) {
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

// The pictures render: librsvg reads every element of them.
TEST(Oracle, RuntimeGraphRenders)
{
    if (!Installed("rsvg-convert"))
        GTEST_SKIP() << "rsvg-convert is not installed";
    DischargeRequest request;
    request.Cell = FlatCell(3.7, 3.0);
    request.Cell.InternalOhms = 0.05;
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
