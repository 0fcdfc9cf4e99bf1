// SPDX-License-Identifier: MIT
#pragma once

#include "ui/dialogs/error_dialog.h"

namespace lumora::ui {

// Shown when a field holds only a decimal point.
class Form7 : public ErrorDialog {
    Q_OBJECT

  public:
    Form7();
};

} // namespace lumora::ui
