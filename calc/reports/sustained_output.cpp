// SPDX-License-Identifier: MIT
#include "calc/reports/sustained_output.h"

#include "calc/calculators/quantities.h"
#include "calc/light/discharge_step.h"
#include "calc/request/light_assembly.h"
#include "calc/request/light_reading.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora {

namespace {

using R = LightRequest;

constexpr int Bisections = 80;
// Rounds of the discharge's own step at one current, each from the last
// one's heat per LED, until the junction settles.
constexpr int SettleRounds = 6;
// The highest current looked at where nothing else bounds it: above any
// flashlight LED's.
constexpr double MostAmps = 30.0;
// The source the converter draws from: stiff, and above any string's
// voltage, so that only the host and the LEDs decide.
constexpr double StiffVolts = 1000.0;

// The LEDs at the limit: their current, light, heat into the host and heat
// per LED, and whether the driver had to lower its current to hold it.
struct AtLimit {
    double amps = 0.0, lumens = 0.0, heatW = 0.0, ledHeatW = 0.0;
    bool held = false;
};

// The light with its host at the limit, solved as a discharge solves each
// of its steps (discharge_step.h): a converter at a current per LED from a
// stiff source, the LEDs' junction and forward voltage found together, and,
// where the heat is more than the host sheds there, the current the
// driver holds the limit at.
class Light {
  public:
    Light(const LedChoice& led, const DischargeRequest& discharge) : m_request(discharge)
    {
        m_request.Battery = FlatCell(StiffVolts, 0.0);
        m_request.Driver.Kind = DriverKind::Converter;
        m_request.Leds.Curve = led.Curve;
        m_request.Leds.Wiring = Wiring::Series;
        m_request.Flux = led.Flux;
    }

    // At 'amps' per LED; 'hold' lets the driver lower them to hold the limit.
    AtLimit At(double amps, bool hold) const
    {
        DischargeRequest request = m_request;
        request.Driver.RegulatedAmps = amps;
        if (!hold)
            request.Heat.LimitC.reset();
        const discharge_step::Stepper stepper(request);
        const double limit = *m_request.Heat.LimitC;
        discharge_step::Node node = stepper.At({}, limit, 0.0);
        for (int round = 1; round < SettleRounds; ++round)
            node = stepper.At({}, limit, 0.0, node.ledHeatW);
        return {node.ledAmps, request.Flux.empty() ? 0.0 : stepper.Output(node), node.heatW, node.ledHeatW,
                node.limited};
    }

    // The current per LED, up to 'most', at which the light reaches
    // 'wanted' lumens, rising with the current.
    double Giving(double wanted, double most) const
    {
        double low = 0.0, high = most;
        for (int i = 0; i < Bisections; ++i) {
            const double middle = (low + high) / 2.0;
            (At(middle, false).lumens < wanted ? low : high) = middle;
        }
        return low;
    }

  private:
    DischargeRequest m_request;
};

SustainedOutput RefusedOutput(RequestRefusal refused)
{
    SustainedOutput out;
    out.Refusals.push_back(std::move(refused.Refusal));
    out.Usage = refused.Usage;
    return out;
}

} // namespace

std::span<const std::string_view> SustainInputKeys()
{
    static const std::vector<std::string_view> keys = [] {
        std::vector<std::string_view> sustained;
        for (const LightInputRow& row : LightInputRows())
            if (row.Sustains || row.SustainOnly)
                sustained.push_back(row.Key);
        return sustained;
    }();
    return keys;
}

bool ActsOnSustain(std::string_view key, const LightInputs& inputs)
{
    const LightInputRow* row = LightInputNamed(key);
    if (!row || !(row->Sustains || row->SustainOnly))
        return false;
    if (row->Field == LightField(&R::Vf) || row->Field == LightField(&R::Current))
        return !ShapeOf(inputs).LedNamed;
    // A host's own fields as a run shows them: only those of the way taken.
    if (row->Group == "host" || row->Field == LightField(&R::HostHeatCapacity) ||
        row->Field == LightField(&R::HostArea) || row->Field == LightField(&R::HostMaterial))
        return Acts(*row, ShapeOf(inputs));
    return true;
}

namespace {

// The light's LED, count, efficiency and heat from the request; a refusal
// for those no light can have.
std::variant<SustainedOutput, std::pair<LedChoice, DischargeRequest>> LightOf(const LightRequest& request,
                                                                              std::string& hostName)
{
    std::variant<LedChoice, RequestRefusal> chosen = ChosenLed(request);
    if (RequestRefusal* refusal = std::get_if<RequestRefusal>(&chosen))
        return RefusedOutput(std::move(*refusal));
    LedChoice led = std::get<LedChoice>(std::move(chosen));
    DischargeRequest discharge;
    discharge.Leds.Count = *ValueOf(request, &R::Leds);
    if (!(discharge.Leds.Count >= 1.0))
        return RefusedOutput(RefusalAbout(&R::Leds, "give 1 LED or more"));
    discharge.Driver.Efficiency = *ValueOf(request, &R::Efficiency) / 100.0;
    const double efficiency = discharge.Driver.Efficiency;
    if (!(efficiency > 0.0) || efficiency > 1.0)
        return RefusedOutput(RefusalAbout(&R::Efficiency, "the driver's efficiency must be above 0 and at most 100 %"));
    if (std::optional<RequestRefusal> refused = SetOptics(request, discharge))
        return RefusedOutput(*refused);
    if (std::optional<RequestRefusal> refused = SetHeat(request, led, discharge, hostName))
        return RefusedOutput(*refused);
    if (!HasHost(discharge.Heat.Host))
        return RefusedOutput(RunRefused("give the host: " + HostWays(), true));
    if (!discharge.Heat.LimitC)
        return RefusedOutput(RefusalAbout(&R::ThermalLimit, "give the temperature the host may reach", true));
    return std::pair{std::move(led), std::move(discharge)};
}

} // namespace

SustainedOutput SustainLight(const LightInputs& inputs)
{
    return FromInputs<SustainedOutput>(inputs, [](const LightRequest& request) { return SustainLight(request); });
}

namespace {

// One line of the answer, a figure of the record too.
void Line(SustainedOutput& out, std::string label, std::string key, std::string value, std::string unit,
          std::string mark = "")
{
    out.Figures.push_back({std::move(key), value, true});
    out.Summary.push_back({std::move(label), std::move(value), std::move(unit), std::move(mark)});
}

// The host a wanted output needs at the limit, added to the answer; a
// refusal for an output the LEDs cannot give.
std::optional<SustainedOutput> AddWanted(const LightRequest& request, const Light& light, const Heat& heat, double most,
                                         SustainedOutput& out)
{
    const double want = *request.Want;
    const double top = light.At(most, false).lumens;
    if (!(want > 0.0) || want > top)
        return RefusedOutput(RefusalAbout(&R::Want, "give an output above 0 and at most " + RoundedText(top, 0) +
                                                        " lm, the most the LEDs give within their measured range"));
    const AtLimit wanted = light.At(light.Giving(want, most), false);
    const double needed = (*heat.LimitC - heat.AmbientC) / wanted.heatW;
    const std::string material = ValueOf(request, &R::HostMaterial);
    const double area = 1.0 / (SurfaceTransfer(HostMaterialNamed(material)->Emissivity, TubeDiameterM) * needed) * 1e4;
    const std::string forWant = "(for " + RoundedText(want, 0) + " lm)";
    Line(out, "Heat to shed", "wanted_heat_w", RoundedText(wanted.heatW, 2), "W", forWant);
    Line(out, "Host to air needed", "wanted_host_k_per_w", RoundedText(needed, 2), "K/W", forWant);
    Line(out, "Surface needed", "wanted_area_cm2", RoundedText(area, 0), "cm²", "(" + material + ")");
    return std::nullopt;
}

} // namespace

SustainedOutput SustainLight(const LightRequest& request)
{
    std::string hostName;
    auto made = LightOf(request, hostName);
    if (SustainedOutput* refused = std::get_if<SustainedOutput>(&made))
        return std::move(*refused);
    const auto& [led, discharge] = std::get<std::pair<LedChoice, DischargeRequest>>(made);
    const Heat& heat = discharge.Heat;
    const double count = discharge.Leds.Count;
    const double efficiency = discharge.Driver.Efficiency;
    const Light light(led, discharge);
    // The LED's measured range bounds what is known of it.
    const double most = !led.Flux.empty() ? led.Flux.back().Amps : MostAmps;
    const AtLimit held = light.At(most, true);
    const bool whole = !held.held;
    const double amps = held.amps;
    const bool lumens = !led.Flux.empty();

    SustainedOutput out;
    out.Summary.push_back({"LED", led.Name, "", ""});
    out.Summary.push_back({"LEDs", DoubleText(count), "", ""});
    out.Summary.push_back(
        {"Optics", DoubleText(discharge.OpticsShare * 100.0), "%", "of the LEDs' light out the front"});
    out.Summary.push_back(
        {"Host", hostName + ": " + RoundedText(heat.Host.KelvinPerWatt, 2) + " K/W to the air", "", ""});
    if (heat.SensorOffsetK > 0.0)
        out.Summary.push_back({"Host held at", RoundedText(*heat.LimitC, 1), "°C",
                               "the sensor " + DoubleText(heat.SensorOffsetK) + " K hotter at the limit"});
    out.Understood = {{"led", led.Name, false},
                      {"leds", DoubleText(count), true},
                      {"optics_pct", DoubleText(discharge.OpticsShare * 100.0), true},
                      {"host_k_per_w", RoundedText(heat.Host.KelvinPerWatt, 2), true},
                      {"ambient_c", DoubleText(heat.AmbientC), true},
                      {"thermal_limit_c", DoubleText(*heat.LimitC + heat.SensorOffsetK), true},
                      {"sensor_offset_k", DoubleText(heat.SensorOffsetK), true},
                      {"efficiency_pct", DoubleText(efficiency * 100.0), true}};
    const std::string mark = whole ? "(the LED's whole measured range)" : "";
    Line(out, "Sustained LED current", "sustained_led_ma", RoundedText(amps * 1000.0, 1), "mA", mark);
    if (lumens)
        Line(out, "Sustained output", "sustained_lumens", RoundedText(held.lumens, 0), "lm", mark);
    Line(out, "Heat shed", "sustained_heat_w", RoundedText(held.heatW, 2), "W");
    Line(out, "Junction", "junction_c", RoundedText(JunctionC(heat.Led, *heat.LimitC, held.ledHeatW), 1), "°C");
    if (!request.Want)
        return out;
    if (!lumens)
        return RefusedOutput(RefusalAbout(&R::Want, "the LED has no measured flux; choose an LED preset measured in "
                                                    "lumens"));
    if (std::optional<SustainedOutput> refused = AddWanted(request, light, heat, most, out))
        return std::move(*refused);
    return out;
}

} // namespace lumora
