// SPDX-License-Identifier: MIT
#pragma once

#include "ui/dialogs/error_dialog.h"

namespace lumora::ui {

// Shown when more than one field was left blank.
class Form3 : public ErrorDialog {
    Q_OBJECT

  public:
    Form3();
};

} // namespace lumora::ui
