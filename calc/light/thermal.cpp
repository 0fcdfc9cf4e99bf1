// SPDX-License-Identifier: MIT
#include "calc/light/thermal.h"

#include "calc/text/field_text.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace lumora {

namespace {

constexpr double StefanBoltzmann = 5.670374e-8; // W/(m² K⁴)
constexpr double ReferenceAmbientC = 25.0;
constexpr double Kelvin = 273.15;

constexpr HostMaterial Materials[] = {
    {"aluminium", 0.903, 0.82}, // anodised
    {"copper", 0.385, 0.6},     // oxidised
    {"brass", 0.380, 0.6},      // oxidised
    {"steel", 0.477, 0.45},     // stainless, bead-blasted
    {"titanium", 0.522, 0.6},   // bead-blasted, oxidised
    {"plastic", 1.5, 0.9},      // ABS and nylon: 1.4 to 1.7 J/(g K)
};

// Approximate typical hosts: their masses and surfaces are those of common
// lights of their kind, no one maker's; the cells' masses are data-sheet
// figures.
constexpr NamedHost Hosts[] = {
    {"18650-tube", "1x18650 aluminium tube light", 70, "aluminium", 110, 47,
     "approximate: a 25 by 130 mm tube with its head (about 110 cm2), 70 g; an 18650 of 47 g (Samsung "
     "INR18650-30Q data sheet: 48 g at most)"},
    {"21700-tube", "1x21700 aluminium tube light", 95, "aluminium", 130, 70,
     "approximate: a 27 by 140 mm tube with its head (about 130 cm2), 95 g; a 21700 of 70 g (Tenpower "
     "INR21700-40TG data sheet: 70 g at most)"},
    {"aaa-headlamp", "3xAAA plastic headlamp", 45, "plastic", 90, 35,
     "approximate: a headlamp body of 45 g and 90 cm2 without its band; three AAA of 11.5 g"},
    {"aa-edc", "1xAA aluminium EDC light", 35, "aluminium", 55, 23,
     "approximate: a 16 by 95 mm tube (about 55 cm2), 35 g; an AA of 23 g"},
};

template <typename Row, std::size_t N> const Row* Named(const Row (&rows)[N], std::string_view id)
{
    const auto found = std::find_if(std::begin(rows), std::end(rows), [&](const Row& row) { return row.Id == id; });
    return found == std::end(rows) ? nullptr : found;
}

double JunctionRise(const LedThermal& led, double hostC, double ledHeatW)
{
    const double junction = hostC + led.JunctionSolderKPerW * ledHeatW;
    return led.MeasuredAt == LedThermal::Reference::SolderPoint ? hostC - led.MeasuredC : junction - led.MeasuredC;
}

} // namespace

bool HasHost(const Host& host) { return host.KelvinPerWatt > 0.0 && host.JoulesPerKelvin > 0.0; }

double HostAfter(const Host& host, double ambientC, double startC, double heatW, double seconds)
{
    const double steady = ambientC + heatW * host.KelvinPerWatt;
    const double decay = std::exp(-seconds / (host.KelvinPerWatt * host.JoulesPerKelvin));
    return steady + (startC - steady) * decay;
}

double SurfaceTransfer(double emissivity, double diameterM)
{
    const double convection = 1.32 * std::pow(ReferenceRiseK / diameterM, 0.25);
    const double mean = ReferenceAmbientC + ReferenceRiseK / 2.0 + Kelvin;
    const double radiation = 4.0 * emissivity * StefanBoltzmann * mean * mean * mean;
    return convection + radiation;
}

std::span<const HostMaterial> HostMaterials() { return Materials; }

const HostMaterial* HostMaterialNamed(std::string_view id) { return Named(Materials, id); }

Host HostOf(double massG, const HostMaterial& material, double areaCm2)
{
    Host host;
    host.JoulesPerKelvin = massG * material.JoulesPerGramKelvin;
    host.KelvinPerWatt = 1.0 / (SurfaceTransfer(material.Emissivity, TubeDiameterM) * areaCm2 * 1e-4);
    return host;
}

std::span<const NamedHost> NamedHosts() { return Hosts; }

const NamedHost* NamedHostNamed(std::string_view id) { return Named(Hosts, id); }

Host HostOf(const NamedHost& named)
{
    Host host = HostOf(named.MassG, *HostMaterialNamed(named.Material), named.AreaCm2);
    host.JoulesPerKelvin += named.CellsG * CellJoulesPerGramKelvin;
    return host;
}

std::variant<StepDown, std::string> ReadStepDown(std::string_view text)
{
    const std::size_t colon = text.find(':');
    const auto number = [](std::string_view part) -> std::optional<double> {
        return IsNumberText(part) ? ReadNumber(part) : std::nullopt;
    };
    const std::optional<double> minutes =
        colon == std::string_view::npos ? std::nullopt : number(text.substr(0, colon));
    const std::optional<double> percent =
        colon == std::string_view::npos ? std::nullopt : number(text.substr(colon + 1));
    if (!minutes || !percent)
        return "\"" + std::string(text) + "\" is no step-down; write it MIN:PCT, for example 3:50";
    if (!(*minutes > 0.0))
        return "a step-down after 0 minutes is none; give the minutes above 0";
    if (!(*percent > 0.0) || *percent > 100.0)
        return "a step-down to " + std::string(text.substr(colon + 1)) +
               " % is no step down; give above 0 and at most 100 %";
    return StepDown{*minutes, *percent / 100.0};
}

double VoltShift(const LedThermal& led, double hostC, double ledHeatW)
{
    return led.VoltsPerKelvin * JunctionRise(led, hostC, ledHeatW);
}

double FluxFactor(const LedThermal& led, double hostC, double ledHeatW)
{
    return std::max(0.0, 1.0 + led.FluxPerKelvin * JunctionRise(led, hostC, ledHeatW));
}

double JunctionC(const LedThermal& led, double hostC, double ledHeatW)
{
    return hostC + led.JunctionSolderKPerW * ledHeatW;
}

} // namespace lumora
