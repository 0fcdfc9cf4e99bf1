// SPDX-License-Identifier: MIT
#pragma once

#include "calc/request/light_assembly.h"

namespace lumora {

// The drive that gives a wanted output 30 s after switch-on (ANSI/PLATO
// FL1's moment), out the front and of every LED, with the LEDs' junction
// and the cell as the run has them then: a regulated driver's current per
// LED, or, on direct drive, the series resistance, which sets its current.
// Each guess is the run itself as far as 30 s (RunFirstSeconds), so that the
// whole run at the drive found gives the wanted output.

// The output is found to within this share of itself before the drive is
// rounded to DriveDigits significant digits; rounded, it stays within a
// thousandth.
inline constexpr double OutputTolerance = 1e-5;
inline constexpr int DriveDigits = 4;

// The light at the drive that gives 'lumens'; a refusal, saying the most it
// gives and what bounds it, where it cannot (the LED's measured flux, the
// battery and driver, a thermal limit reached within 30 s).
Assembly SolveDrive(AssembledLight light, double lumens);

} // namespace lumora
