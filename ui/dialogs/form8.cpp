// SPDX-License-Identifier: MIT
#include "ui/dialogs/form8.h"

#include "calc/messages.h"
#include "ui/common/classic_font.h"

namespace lumora::ui {

Form8::Form8()
    : ErrorDialog({QStringLiteral("Form8"), QString::fromUtf8(ErrorMessage(ErrorWindow::Form8)),
                   ErrorDialogLayout::Message::TextBox, 4056, 1248, QRect(0, 234, 3991, 364), Arial, 9.79,
                   QRect(1053, 702, 1885, 481), Arial, 11.89, false})
{
}

} // namespace lumora::ui
