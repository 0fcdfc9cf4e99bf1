// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/cell_model.h"

#include <span>
#include <string_view>

namespace lumora {

// Cells sold under a maker's name, each with its charge, its resistance and
// how its charge follows the load (the kinetic battery model's share and
// levelling rate, see CellModel), fitted to published discharge tests.

struct NamedCell {
    std::string_view Id;        // "samsung-30q": what it is asked for by
    std::string_view TradeName; // "Samsung INR18650-30Q": what it is sold as
    std::string_view Format;    // "18650"
    std::string_view Chemistry; // the Id of its chemistry
    // The whole charge, both wells, to the end of the chemistry's rest
    // curve: what a very light load would draw.
    int CapacityMah = 0;
    int InternalMilliohms = 0; // DC, of the full cell
    double AvailableShare = 1.0;
    double LevellingPerHour = 0.0;
    double ResistanceRise = 0.0;
    std::string_view Source; // where the figures come from, in a line
    // The maker's data sheet's maximum continuous discharge, A, and the
    // sheet; 0 where none is published (alkaline and NiMH cells), and why.
    double MaxAmps = 0.0;
    std::string_view MaxSource;
};

// What dominates a named cell at a high current, where a published
// high-rate test fixes it: the polarisation's resistance at 25 °C and its
// time constant (CellModel), the cell's mass, g, from which its heat
// capacity follows, and where these come from.
struct HighRate {
    std::string_view Id; // the named cell's
    double PolarisationMilliohms = 0.0;
    double PolarisationSeconds = 0.0;
    double ActivationKilojoules = 0.0; // Ea, per mol
    double MassGrams = 0.0;
    std::string_view Source;
};

// The named cell's high-rate figures; null where none are known.
const HighRate* HighRateOf(const NamedCell& cell);

// A cylindrical cell's outer surface, m², from its format's name: "18650"
// is 18 mm across and 65.0 mm long; 0 for a name not of that form.
double CylinderSurface(std::string_view format);

// A named cell's own heat capacity, J/K, from its mass, and its conductance
// to still air around it, W/K, from its format's surface.
double CellHeatJoulesPerKelvin(const HighRate& rate);
double CellCoolingWattsPerKelvin(const NamedCell& cell);

std::span<const NamedCell> NamedCells();

// A named cell fitted whole to published logs of its own (data/
// cell-fits.csv, put in at build time): its rest curve, capacity, both
// resistances and their activation, its two wells and its own heat, one
// cell's; null for a cell whose figures are the table's above.
const CellModel* FittedModelOf(const NamedCell& cell);

} // namespace lumora
