// SPDX-License-Identifier: MIT
#include "calc/reports/sustained_output.h"

#include "calc/calculators/quantities.h"
#include "calc/reports/light_reading.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lumora {

namespace {

constexpr std::array<std::string_view, 16> Keys = {"led",
                                                   "led-point",
                                                   "led-spice",
                                                   "vf",
                                                   "current",
                                                   "leds",
                                                   "efficiency",
                                                   "host",
                                                   "host-resistance",
                                                   "host-heat-capacity",
                                                   "host-mass",
                                                   "host-material",
                                                   "host-area",
                                                   "ambient",
                                                   "thermal-limit",
                                                   "want"};

constexpr int Bisections = 80;
constexpr int HeatRounds = 6;
// The highest current looked at where nothing else bounds it: above any
// flashlight LED's.
constexpr double MostAmps = 30.0;

// One LED at the limit, its junction above it by its own heat.
struct AtLimit {
    double volts = 0.0, ledHeatW = 0.0, lumens = 0.0, heatW = 0.0;
};

class Light {
  public:
    Light(const LedChoice& led, double count, double efficiency, const Heat& heat)
        : m_led(led), m_count(count), m_efficiency(efficiency), m_heat(heat)
    {
    }

    // Everything at a current per LED: the LEDs' heat and the driver's
    // loss, all in the host held at its limit.
    AtLimit At(double amps) const
    {
        AtLimit at;
        const double limit = *m_heat.LimitC;
        for (int round = 0; round < HeatRounds; ++round) {
            at.volts = ForwardVoltage(m_led.Curve, amps) + VoltShift(m_heat.Led, limit, at.ledHeatW);
            const double electric = at.volts * amps;
            const std::optional<double> lumens = LumensAt(m_led.Flux, amps);
            const double factor = FluxFactor(m_heat.Led, limit, at.ledHeatW);
            at.lumens = lumens ? *lumens * factor : 0.0;
            const double optical = lumens ? at.lumens / WhiteLumensPerWatt : electric * m_heat.Led.WallPlugEfficiency;
            at.ledHeatW = std::max(0.0, electric - optical);
        }
        const double ledsWatts = m_count * at.volts * amps;
        at.heatW = m_count * at.ledHeatW + ledsWatts * (1.0 / m_efficiency - 1.0);
        at.lumens *= m_count;
        return at;
    }

    // The current per LED, up to 'most', at which 'value' of it reaches
    // 'wanted', rising with the current.
    template <typename Value> double Where(double wanted, double most, Value value) const
    {
        double low = 0.0, high = most;
        for (int i = 0; i < Bisections; ++i) {
            const double middle = (low + high) / 2.0;
            (value(At(middle)) < wanted ? low : high) = middle;
        }
        return low;
    }

  private:
    const LedChoice& m_led;
    double m_count;
    double m_efficiency;
    const Heat& m_heat;
};

SustainedOutput RefusedOutput(const LightRun& run)
{
    SustainedOutput out;
    out.Refusals = run.Refusals;
    out.Usage = run.Usage;
    return out;
}

SustainedOutput RefusedOutput(std::string input, std::string text, bool usage = false)
{
    return RefusedOutput(Refused(std::move(input), std::move(text), usage));
}

} // namespace

std::span<const std::string_view> SustainInputKeys() { return Keys; }

bool ActsOnSustain(std::string_view key, const LightInputs& inputs)
{
    if (key == "vf" || key == "current")
        return !ShapeOf(inputs).LedNamed;
    return std::find(Keys.begin(), Keys.end(), key) != Keys.end();
}

SustainedOutput SustainLight(const LightInputs& inputs)
{
    const Reader reader(inputs);
    if (!reader.refusals.empty()) {
        SustainedOutput out;
        out.Refusals = reader.refusals;
        return out;
    }
    if (const std::optional<RunRefusal> unknown = UnknownChoice(inputs))
        return RefusedOutput(unknown->Input, unknown->Text, true);
    LedChoice led;
    if (std::optional<LedOutcome> named = NamedLed(inputs)) {
        if (const auto* refusal = std::get_if<LedRefusal>(&*named))
            return RefusedOutput(refusal->Input, refusal->Text);
        led = std::get<LedChoice>(std::move(*named));
    } else if (const std::optional<double> vf = reader.Given("vf"); vf && reader.Given("current")) {
        led = TypicalThrough(*reader.Given("current"), *vf);
    } else {
        return RefusedOutput("",
                             "give the LED: {led NAME}, {led-point MA=V} twice or more, {led-spice}, or {vf} "
                             "with {current}",
                             true);
    }
    const double count = *reader.Value("leds");
    if (!(count >= 1.0))
        return RefusedOutput("leds", "give 1 LED or more");
    const double efficiency = *reader.Value("efficiency") / 100.0;
    if (!(efficiency > 0.0) || efficiency > 1.0)
        return RefusedOutput("efficiency", "the driver's efficiency must be above 0 and at most 100 %");
    DischargeRequest request;
    std::string hostName;
    if (std::optional<LightRun> refused = SetHeat(reader, inputs, led, request, hostName))
        return RefusedOutput(*refused);
    const Heat& heat = request.Heat;
    if (!HasHost(heat.Light))
        return RefusedOutput("",
                             "give the host: {host NAME}, {host-resistance} with {host-heat-capacity}, or "
                             "{host-mass} with {host-area}",
                             true);
    if (!heat.LimitC)
        return RefusedOutput("thermal-limit", "give the temperature the host may reach", true);

    const Light light(led, count, efficiency, heat);
    const double shed = (*heat.LimitC - heat.AmbientC) / heat.Light.KelvinPerWatt;
    // The LED's measured range bounds what is known of it.
    const double most = !led.Flux.empty() ? led.Flux.back().Amps : MostAmps;
    const bool whole = light.At(most).heatW <= shed;
    const double amps = whole ? most : light.Where(shed, most, [](const AtLimit& at) { return at.heatW; });
    const AtLimit held = light.At(amps);
    const bool lumens = !led.Flux.empty();

    SustainedOutput out;
    const auto line = [&](std::string label, std::string key, std::string value, std::string unit,
                          std::string mark = "") {
        out.Figures.push_back({key, value, true});
        out.Summary.push_back({std::move(label), std::move(value), std::move(unit), std::move(mark)});
    };
    out.Summary.push_back({"LED", led.Name, "", ""});
    out.Summary.push_back({"LEDs", DoubleText(count), "", ""});
    out.Summary.push_back(
        {"Host", hostName + ": " + RoundedText(heat.Light.KelvinPerWatt, 2) + " K/W to the air", "", ""});
    out.Understood = {{"led", led.Name, false},
                      {"leds", DoubleText(count), true},
                      {"host_k_per_w", RoundedText(heat.Light.KelvinPerWatt, 2), true},
                      {"ambient_c", DoubleText(heat.AmbientC), true},
                      {"thermal_limit_c", DoubleText(*heat.LimitC), true},
                      {"efficiency_pct", DoubleText(efficiency * 100.0), true}};
    const std::string mark = whole ? "(the LED's whole measured range)" : "";
    line("Sustained LED current", "sustained_led_ma", RoundedText(amps * 1000.0, 1), "mA", mark);
    if (lumens)
        line("Sustained output", "sustained_lumens", RoundedText(held.lumens, 0), "lm", mark);
    line("Heat shed", "sustained_heat_w", RoundedText(held.heatW, 2), "W");
    line("Junction", "junction_c", RoundedText(JunctionC(heat.Led, *heat.LimitC, held.ledHeatW), 1), "C");

    if (const std::optional<double> want = reader.Given("want")) {
        if (!lumens)
            return RefusedOutput("want", "the LED has no measured flux; choose an LED preset that has ('lumora-cli "
                                         "leds' says which)");
        const double top = light.At(most).lumens;
        if (!(*want > 0.0) || *want > top)
            return RefusedOutput("want", "give an output above 0 and at most " + RoundedText(top, 0) +
                                             " lm, the most the LEDs give within their measured range");
        const double wantAmps = light.Where(*want, most, [](const AtLimit& at) { return at.lumens; });
        const AtLimit wanted = light.At(wantAmps);
        const double needed = (*heat.LimitC - heat.AmbientC) / wanted.heatW;
        const std::string material = inputs.Text("host-material").value_or("aluminium");
        const double area =
            1.0 / (SurfaceTransfer(HostMaterialNamed(material)->Emissivity, TubeDiameterM) * needed) * 1e4;
        const std::string forWant = "(for " + RoundedText(*want, 0) + " lm)";
        line("Heat to shed", "wanted_heat_w", RoundedText(wanted.heatW, 2), "W", forWant);
        line("Host to air needed", "wanted_host_k_per_w", RoundedText(needed, 2), "K/W", forWant);
        line("Surface needed", "wanted_area_cm2", RoundedText(area, 0), "cm2", "(" + material + ")");
    }
    return out;
}

} // namespace lumora
