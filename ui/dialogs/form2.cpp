// SPDX-License-Identifier: MIT
#include "ui/dialogs/form2.h"

#include "calc/messages.h"
#include "ui/common/classic_font.h"

namespace lumora::ui {

Form2::Form2()
    : ErrorDialog({QStringLiteral("Form2"), QString::fromUtf8(ErrorMessage(ErrorWindow::Form2)),
                   ErrorDialogLayout::Message::Label, 4966, 1469, QRect(117, 234, 4693, 598), MsSansSerif, 11.18,
                   QRect(1521, 702, 2002, 481), MsSansSerif, 12.58, true})
{
}

} // namespace lumora::ui
