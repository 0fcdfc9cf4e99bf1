// SPDX-License-Identifier: MIT
#pragma once

namespace lumora {

// Why a solve stopped before writing its result.
enum class Failure {
    None,
    DivisionByZero,   // a divisor became zero
    Overflow,         // a value beyond the double (or, for the runtime calculator, single) range
    InvalidOperation, // 0 / 0 and the like
    UnreadableText,   // a pasted text that is not a number
    NoBlankField,     // a solve was asked for with every quantity filled in
};

} // namespace lumora
