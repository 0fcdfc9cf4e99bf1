// SPDX-License-Identifier: MIT
#include "ui/dialogs/form3.h"

#include "calc/messages.h"
#include "ui/common/classic_font.h"

namespace lumora::ui {

Form3::Form3()
    : ErrorDialog({QStringLiteral("Form3"), QString::fromUtf8(ErrorMessage(ErrorWindow::Form3)),
                   ErrorDialogLayout::Message::Label, 3822, 1417, QRect(117, 234, 3640, 832), MsSansSerif, 11.18,
                   QRect(1053, 702, 1768, 481), MsSansSerif, 11.18, true})
{
}

} // namespace lumora::ui
