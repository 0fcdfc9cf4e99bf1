// SPDX-License-Identifier: MIT
#pragma once

#include "ui/dialogs/error_dialog.h"

namespace lumora::ui {

// Tells the user in plain words why a Calculate could not finish (a zero
// divisor, a value out of range, a pasted text that is no number). An error
// window whose message is set for each occasion; one window serves them all.
class FailureWindow : public ErrorDialog {
    Q_OBJECT

  public:
    static constexpr const char* ObjectName = "FailureWindow";

    FailureWindow();

    using ErrorDialog::SetMessage;
};

} // namespace lumora::ui
