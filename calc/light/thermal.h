// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace lumora {

// How a light warms: a lumped thermal network, as LED makers' thermal
// application notes draw it (for instance Cree's "Thermal management of
// Cree XLamp LEDs", CLD-AP05): the junction, through the LED's
// junction-to-solder-point resistance, at the host, whose heat capacity
// takes the heat and whose surface gives it to the air through the
// host-to-air resistance. The junction's own heat capacity (milligrams of
// chip) is left out: it follows the host within a second. The solder point
// is taken to be at the host's temperature: the board and its contact to
// the host are part of the host.

// The temperatures an LED's points were measured at, and how it follows
// its junction temperature.
struct LedThermal {
    enum class Reference { SolderPoint, Junction };
    Reference MeasuredAt = Reference::SolderPoint;
    double MeasuredC = 25.0;          // the reference's temperature
    double JunctionSolderKPerW = 4.0; // junction to solder point, K per W of heat
    double VoltsPerKelvin = -0.0025;  // forward voltage against junction temperature
    double FluxPerKelvin = -0.0022;   // relative flux against junction temperature
    double WallPlugEfficiency = 0.3;  // light out over power in, where no flux is known
};

// The host: its resistance to the air and its heat capacity. A host of no
// resistance or no capacity is none: the solder point stays at the ambient.
struct Host {
    double KelvinPerWatt = 0.0;
    double JoulesPerKelvin = 0.0;
    bool CellInside = true; // the cell's internal loss heats the host
};

bool HasHost(const Host& host);

// The host's temperature after 'seconds' at a constant heat: the first-order
// step response, exact for any length of step.
double HostAfter(const Host& host, double ambientC, double startC, double heatW, double seconds);

// Still-air heat transfer from a host's outer surface, W/(m² K): natural
// convection from a horizontal cylinder of the given diameter in the
// simplified laminar correlation for air, h = 1.32 (ΔT/D)^(1/4) (Holman,
// "Heat Transfer", 10th ed., table 7-2), plus radiation linearised at the
// mean of host and air, h = 4 ε σ T_m³; both at a reference rise of 30 K
// above 25 °C, so that the host's resistance is one number.
inline constexpr double ReferenceRiseK = 30.0;
double SurfaceTransfer(double emissivity, double diameterM);

// Materials hosts are made of: specific heat and surface emissivity as
// finished for lights (anodised aluminium, oxidised copper and brass,
// bead-blasted steel and titanium, plastic). Specific heats: Incropera and
// DeWitt, "Fundamentals of Heat and Mass Transfer", table A.1 (plastics:
// table A.3); emissivities: the same, table A.11, for such surfaces.
struct HostMaterial {
    std::string_view Id;
    double JoulesPerGramKelvin = 0.0;
    double Emissivity = 0.0;
};
std::span<const HostMaterial> HostMaterials();
const HostMaterial* HostMaterialNamed(std::string_view id);

// A host from its mass, material and outer surface, at a diameter of the
// usual flashlight tube (25 mm) for the convection.
inline constexpr double TubeDiameterM = 0.025;
Host HostOf(double massG, const HostMaterial& material, double areaCm2);

// Typical hosts by name, with where their figures come from: the host's
// own mass and surface and the cells' mass, which heat at lithium-ion's
// specific heat.
struct NamedHost {
    std::string_view Id;   // "18650-tube"
    std::string_view Name; // "1x18650 aluminium tube light"
    double MassG = 0.0;
    std::string_view Material;
    double AreaCm2 = 0.0;
    double CellsG = 0.0;
    std::string_view Source;
};
std::span<const NamedHost> NamedHosts();
const NamedHost* NamedHostNamed(std::string_view id);
Host HostOf(const NamedHost& host);

// Cells' specific heat: about 1 J/(g K) for cylindrical lithium-ion cells
// (Bandhauer, Garimella and Fisher, "A critical review of thermal issues in
// lithium-ion batteries", J. Electrochem. Soc. 158(3), 2011: 0.8 to 1.1).
inline constexpr double CellJoulesPerGramKelvin = 1.0;

// The luminous efficacy of radiation of a white LED's spectrum: lumens per
// optical watt, about 300 for phosphor-converted white of 70 to 90 CRI
// (Ohno, "Spectral design considerations for white LED color rendering",
// Opt. Eng. 44(11), 2005: 280 to 330 lm/W).
inline constexpr double WhiteLumensPerWatt = 300.0;

// A driver's temperature regulation and timed step-down.
struct StepDown {
    double AfterMinutes = 0.0;
    double Fraction = 1.0; // of the current (or, for direct drive, the duty)
};

// "3:50": after 3 minutes, to 50 %; minutes above 0, a share above 0 and
// at most 100 %. A refusal in words otherwise.
std::variant<StepDown, std::string> ReadStepDown(std::string_view text);

struct Heat {
    lumora::Host Host;
    double AmbientC = 25.0;
    LedThermal Led;
    std::optional<double> LimitC; // the host held at most here
    // How much hotter the driver's sensor runs than the host's surface, K:
    // the driver holds its sensor at LimitC + SensorOffsetK.
    double SensorOffsetK = 0.0;
    std::optional<StepDown> TimedStepDown;
};

// The shift of an LED's forward voltage, and the factor on its flux, at a
// host temperature and a heat per LED, against its points' conditions:
// measured at the solder point, the junction differs from its measurement
// by the host's difference alone (the same current heats it the same);
// measured at the junction, by the host plus the heat through the LED.
double VoltShift(const LedThermal& led, double hostC, double ledHeatW);
double FluxFactor(const LedThermal& led, double hostC, double ledHeatW);
double JunctionC(const LedThermal& led, double hostC, double ledHeatW);

} // namespace lumora
