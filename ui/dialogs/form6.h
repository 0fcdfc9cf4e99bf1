// SPDX-License-Identifier: MIT
#pragma once

#include "ui/dialogs/error_dialog.h"

namespace lumora::ui {

// Shown when the converter efficiency is above 100.
class Form6 : public ErrorDialog {
    Q_OBJECT

  public:
    Form6();
};

} // namespace lumora::ui
