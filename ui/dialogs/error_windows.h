// SPDX-License-Identifier: MIT
#pragma once

#include "calc/calculators/error_window.h"

#include <QString>

namespace lumora::ui {

class ErrorDialog;

// The five error windows of the calculators, each one row of a table: its
// fixed message (the core's), how the message is shown, and where everything
// stands.

// The window's object name ("Form2"), which also keys it among the
// secondary windows.
QString NameOf(ErrorWindow window);

// A new, hidden error window of that form.
ErrorDialog* NewErrorWindow(ErrorWindow window);

} // namespace lumora::ui
