// SPDX-License-Identifier: MIT
#include "ui/dialogs/form7.h"

#include "calc/messages.h"
#include "ui/common/classic_font.h"

namespace lumora::ui {

Form7::Form7()
    : ErrorDialog({QStringLiteral("Form7"), QString::fromUtf8(ErrorMessage(ErrorWindow::Form7)),
                   ErrorDialogLayout::Message::TextBox, 4004, 1274, QRect(117, 117, 3757, 481), Arial, 9.79,
                   QRect(1053, 702, 1768, 481), Arial, 11.18, false})
{
}

} // namespace lumora::ui
