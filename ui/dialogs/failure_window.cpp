// SPDX-License-Identifier: MIT
#include "ui/dialogs/failure_window.h"

#include "ui/common/classic_font.h"

namespace lumora::ui {

FailureWindow::FailureWindow()
    : ErrorDialog({QStringLiteral("FailureWindow"), QString(), ErrorDialogLayout::Message::SelectableLabel, 5226, 1534,
                   QRect(117, 117, 4992, 741), MsSansSerif, 9.09, QRect(1612, 936, 2002, 481), MsSansSerif, 11.18,
                   true})
{
}

} // namespace lumora::ui
