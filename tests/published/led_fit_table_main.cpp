// SPDX-License-Identifier: MIT
// Prints the LED presets' fit table for docs/led-fits.md from the bench
// runs in the shared data ("make fit-leds"); not a test.
#include "tests/published/led_bench.h"
#include "tests/published/shared_data.h"

#include <cstdio>

int main()
{
    const std::optional<std::string> bench = lumora::SharedDataText("led-bench-tests.csv");
    if (!bench) {
        std::fprintf(stderr, "%s\n", lumora::AbsentText("led-bench-tests.csv", "the table is made from it").c_str());
        return 1;
    }
    std::fputs(lumora::LedFitTable(lumora::BenchRowsOf(*bench)).c_str(), stdout);
    return 0;
}
