// SPDX-License-Identifier: MIT
// The LED presets against the bench runs they come from (the shared data's
// led-bench-tests.csv): every row a preset is fitted to within 50 mV and
// 3 % of its flux, and docs/led-fits.md the table these rows give.
#include "tests/published/led_bench.h"
#include "tests/published/shared_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace lumora {
namespace {

constexpr const char* Bench = "led-bench-tests.csv";

TEST(LedBench, EveryPresetMeetsTheRowsItIsFittedTo)
{
    const std::optional<std::string> text = SharedDataText(Bench);
    if (!text)
        GTEST_SKIP() << AbsentText(Bench, "the presets are held to it");
    const std::vector<BenchRow> rows = BenchRowsOf(*text);
    int presets = 0;
    for (const LedPreset& preset : LedPresets()) {
        if (!BenchSampleOf(preset))
            continue;
        ++presets;
        const std::vector<BenchComparison> compared = CompareToBench(preset, rows);
        ASSERT_FALSE(compared.empty()) << preset.Id << ": no bench row of its sample";
        int fitted = 0;
        for (const BenchComparison& c : compared) {
            if (c.VoltsFitted) {
                ++fitted;
                EXPECT_NEAR(c.Volts, c.Row.Volts, 0.050) << preset.Id << " at " << c.Row.Amps << " A";
            }
            if (c.LumensFitted) {
                ASSERT_TRUE(c.Lumens) << preset.Id << " at " << c.Row.Amps << " A";
                EXPECT_NEAR(*c.Lumens / c.Row.Lumens, 1.0, 0.03) << preset.Id << " at " << c.Row.Amps << " A";
            }
        }
        EXPECT_GE(fitted, 3) << preset.Id << ": its voltage fitted to fewer than three rows";
    }
    EXPECT_EQ(presets, 9) << "the presets tied to a bench sample in data/leds.csv";
}

// The table after the marker in docs/led-fits.md is what the presets give
// today: a preset changed without "make fit-leds" fails here.
TEST(LedBench, TheDocumentsTableIsTheOneThePresetsGive)
{
    const std::optional<std::string> text = SharedDataText(Bench);
    if (!text)
        GTEST_SKIP() << AbsentText(Bench, "the table is made from it");
    std::ifstream file(std::string(LUMORA_SOURCE_DIR) + "/docs/led-fits.md", std::ios::binary);
    std::ostringstream doc;
    doc << file.rdbuf();
    const std::string marker = "<!-- The table below is made by make fit-leds. -->\n";
    const std::size_t at = doc.str().find(marker);
    ASSERT_NE(at, std::string::npos) << "docs/led-fits.md has no marker line";
    EXPECT_EQ(doc.str().substr(at + marker.size()), LedFitTable(BenchRowsOf(*text))) << "run make fit-leds";
}

} // namespace
} // namespace lumora
