// SPDX-License-Identifier: MIT
#include "ui/dialogs/form6.h"

#include "ui/common/classic_font.h"

namespace lumora::ui {

Form6::Form6()
    : ErrorDialog({QStringLiteral("Form6"), QStringLiteral("Efficiency must be between 0 and 100%"),
                   ErrorDialogLayout::Message::TextBox, 4004, 1235, QRect(117, 117, 3757, 481), Arial, 9.79,
                   QRect(1170, 702, 1651, 481), Arial, 9.79, false})
{
}

} // namespace lumora::ui
