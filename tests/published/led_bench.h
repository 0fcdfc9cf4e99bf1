// SPDX-License-Identifier: MIT
#pragma once

#include "calc/light/led_presets.h"

#include <optional>
#include <string>
#include <vector>

namespace lumora {

// One row of a tester's bench run (led-bench-tests.csv in the shared data):
// the LED and sample as the file names them, the current, forward voltage
// and flux.
struct BenchRow {
    std::string Led, Sample;
    double Amps = 0.0, Volts = 0.0, Lumens = 0.0;
};

std::vector<BenchRow> BenchRowsOf(const std::string& text);

// A preset's bench sample, as data/leds.csv ties it (its bench_led and
// bench_sample columns); nullopt for a preset from another source.
struct BenchSample {
    std::string Led, Sample;
};
std::optional<BenchSample> BenchSampleOf(const LedPreset& preset);

// A bench row against the preset: whether its voltage and its flux are
// among the preset's points (fitted to), and what the preset gives there.
// OtherSample marks a row of another sample of the same LED and build.
struct BenchComparison {
    BenchRow Row;
    bool OtherSample = false;
    bool VoltsFitted = false, LumensFitted = false;
    double Volts = 0.0;
    std::optional<double> Lumens; // nullopt beyond the preset's flux
};

// The rows of the preset's sample, and of other samples of the same LED
// that are not dedomed (a dedomed LED is another emitter), in the file's
// order.
std::vector<BenchComparison> CompareToBench(const LedPreset& preset, const std::vector<BenchRow>& rows);

// The fit table in docs/led-fits.md, from the bench file's text.
std::string LedFitTable(const std::vector<BenchRow>& rows);

} // namespace lumora
