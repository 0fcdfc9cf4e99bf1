// SPDX-License-Identifier: MIT
#pragma once

namespace lumora {

// How LEDs behind one resistor are wired: all in one string (Series), or
// side by side, each with its own current and the resistor carrying their
// sum (Parallel).
enum class Wiring { Series, Parallel };

} // namespace lumora
