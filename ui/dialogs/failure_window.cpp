// SPDX-License-Identifier: MIT
#include "ui/dialogs/failure_window.h"

#include "ui/common/look.h"

namespace lumora::ui {

FailureWindow::FailureWindow()
    : ErrorDialog({.name = ObjectName,
                   .kind = ErrorDialogLayout::Message::SelectableLabel,
                   .client = {5226, 1534},
                   .message = {117, 117, 4992, 741},
                   .messageFont = {MsSansSerif, 9.09},
                   .button = {1612, 936, 2002, 481},
                   .buttonFont = {MsSansSerif, 11.18},
                   .defaultButton = true},
                  QString())
{
}

} // namespace lumora::ui
