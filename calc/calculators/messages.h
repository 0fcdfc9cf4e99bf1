// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/error_window.h"
#include "calc/calculators/resistor_calculator.h"
#include "calc/calculators/runtime_calculator.h"
#include "calc/text/field_text.h"

#include <string>
#include <string_view>

namespace lumora {

// The words every face uses: the error windows' fixed messages and the plain
// sentences for a result and for a calculation that stopped; the fields are
// named by their rows (calc/calculators/quantities.h).

// The fixed message of an error window ("Only one data field may be blank.").
std::string_view ErrorMessage(ErrorWindow window);

// "Battery Input Voltage holds "12,5", which is not a number." A text that
// cannot be shown as it is has its control characters replaced and is cut
// short after 40 characters.
std::string NotANumberSentence(std::string_view caption, std::string_view text, NumberKind kind = NumberKind::Decimal);

// A solved result in words, as a screen reader says it: "Runtime 2.66
// hours: 0 days, 02:39:36", "Resistance 100 ohms, resistor power 0.04
// watts". Empty when the outcome solved nothing.
std::string ResultSentence(const ConverterOutcome& outcome);
std::string ResultSentence(const ResistorOutcome& outcome);

// Why a solved figure is one no working light gives, where it is one ("a
// battery of 0 V holds no energy", "below 0: ... no resistor can make this
// work"); the result sentence ends with it. Empty otherwise, and where
// nothing was solved.
std::string SolvedCaveat(const ConverterOutcome& outcome);
std::string SolvedCaveat(const ResistorOutcome& outcome);

// Plain words for a Calculate that stopped: what happened, and in which field.
// Empty when the outcome carries no failure.
std::string FailureText(const ConverterOutcome& outcome);
std::string FailureText(const ResistorOutcome& outcome);

} // namespace lumora
