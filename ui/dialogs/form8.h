// SPDX-License-Identifier: MIT
#pragma once

#include "ui/dialogs/error_dialog.h"

namespace lumora::ui {

// Shown when the LED count is blank or below 1.
class Form8 : public ErrorDialog {
    Q_OBJECT

  public:
    Form8();
};

} // namespace lumora::ui
