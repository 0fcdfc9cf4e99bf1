// SPDX-License-Identifier: MIT
#include "cli/lists.h"

#include "cli/command.h"
#include "cli/options.h"
#include <CLI/CLI.hpp>

#include "calc/light/battery_presets.h"
#include "calc/light/led_presets.h"
#include "calc/text/number_text.h"

namespace lumora::cli {

namespace {

// A named cell's maximum continuous discharge, A, or that its maker gives
// none; nothing for a chemistry or format, which no one maker rates.
std::string RatingText(const BatteryChoice& choice)
{
    if (!choice.named)
        return {};
    return choice.named->MaxAmps > 0.0 ? DoubleText(choice.named->MaxAmps) : std::string(NoRatingText);
}

} // namespace

Report CellsReport()
{
    Report report;
    report.Columns = {{"name", "Name"},
                      {"chemistry", "Chemistry"},
                      {"full_v", "Full V", true},
                      {"nominal_v", "Nominal V", true},
                      {"empty_v", "Empty V", true},
                      {"capacity_mah", "mAh", true},
                      {"resistance_mohm", "mohm", true},
                      {"max_a", "Max A", true},
                      {"cell", "Cell"},
                      {"source", "Source"}};
    for (const BatteryChoice& choice : BatteryPresets()) {
        const PackTexts texts = TextsOf(choice, Pack{});
        const CellModel model = ModelOf(choice, Pack{});
        report.AddRow({{"name", PresetName(choice)},
                       {"chemistry", std::string(choice.chemistry->Id)},
                       {"full_v", texts.Full},
                       {"nominal_v", texts.Nominal},
                       {"empty_v", texts.Empty},
                       {"capacity_mah", texts.CapacityMah.value_or("")},
                       {"resistance_mohm", choice.cell ? DoubleText(model.InternalOhms * 1000.0) : ""},
                       {"max_a", RatingText(choice)},
                       {"cell", TradeName(choice)},
                       {"source", choice.named ? std::string(choice.named->Source) +
                                                     "; rating: " + std::string(choice.named->MaxSource)
                                               : ""}});
    }
    return report;
}

Report LedsReport()
{
    Report report;
    report.Columns = {{"name", "Name"},       {"a_v", "a V", true}, {"b_v", "b V", true}, {"rs_ohm", "Rs ohm", true},
                      {"is_a", "IS A", true}, {"n", "N", true},     {"flux", "Flux"},     {"max_ma", "Max mA", true},
                      {"led", "LED"},         {"source", "Source"}};
    for (const LedPreset& preset : LedPresets()) {
        const LedCurve curve = FittedCurve(preset);
        const SpiceDiode diode = SpiceOf(curve);
        report.AddRow(
            {{"name", std::string(preset.Id)},
             {"a_v", DecimalText(curve.A, 4)},
             {"b_v", DecimalText(curve.B, 3)},
             {"rs_ohm", DecimalText(curve.Rs, 3)},
             {"is_a", DecimalText(diode.Is, 3)},
             {"n", DecimalText(diode.N, 3)},
             {"flux", preset.Flux.empty() ? "no" : "yes"},
             {"max_ma", preset.MaxAmps > 0.0 ? DoubleText(preset.MaxAmps * 1000.0) : std::string(NoRatingText)},
             {"led", std::string(preset.Name)},
             {"source", std::string(preset.Source) +
                            (preset.Flux.empty() ? "" : "; flux: " + std::string(preset.FluxSource)) +
                            "; rating: " + preset.MaxSource}});
    }
    return report;
}

namespace {

class Leds final : public Command {
  public:
    CLI::App* Add(CLI::App& program) override
    {
        return program.add_subcommand("leds",
                                      "the LED presets: their fitted curves V = a + b ln(I) + Rs I and sources");
    }

    void AddOptions(CLI::App& subcommand) override
    {
        CLI::App* command = &subcommand;
        AddFormat(*command, m_format);
    }

    CommandOutput Run() override
    {
        CommandOutput leds;
        leds.Results = LedsReport();
        return leds;
    }
};

} // namespace

std::unique_ptr<Command> LedsCommand() { return std::make_unique<Leds>(); }

} // namespace lumora::cli
