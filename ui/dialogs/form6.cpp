// SPDX-License-Identifier: MIT
#include "ui/dialogs/form6.h"

#include "calc/messages.h"
#include "ui/common/classic_font.h"

namespace lumora::ui {

Form6::Form6()
    : ErrorDialog({QStringLiteral("Form6"), QString::fromUtf8(ErrorMessage(ErrorWindow::Form6)),
                   ErrorDialogLayout::Message::TextBox, 4004, 1235, QRect(117, 117, 3757, 481), Arial, 9.79,
                   QRect(1170, 702, 1651, 481), Arial, 9.79, false})
{
}

} // namespace lumora::ui
