// SPDX-License-Identifier: MIT
#pragma once

#include "calc/converter.h"
#include "calc/resistor.h"

#include <QString>

namespace lumora::ui {

// Plain words for a Calculate that stopped: what happened, and in which field.
// Empty when the outcome carries no failure.
QString FailureText(const ConverterOutcome& outcome);
QString FailureText(const ResistorOutcome& outcome);

} // namespace lumora::ui
