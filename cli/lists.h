// SPDX-License-Identifier: MIT
#pragma once

#include "cli/report.h"

namespace lumora::cli {

// "lumora-cli cells": the battery presets with their voltages and capacity.
Report CellsReport();

// "lumora-cli leds": the LED presets, their fitted curves V = a + b ln(I) +
// Rs I as SPICE diodes, and their sources.
Report LedsReport();

} // namespace lumora::cli
