// SPDX-License-Identifier: MIT
#pragma once

#include "ui/dialogs/error_dialog.h"

namespace lumora::ui {

// Shown when no field was left blank.
class Form2 : public ErrorDialog {
    Q_OBJECT

  public:
    Form2();
};

} // namespace lumora::ui
