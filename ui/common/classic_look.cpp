// SPDX-License-Identifier: MIT
#include "ui/common/classic_look.h"

#include "ui/common/classic_style.h"
#include "ui/common/program_icon.h"

#include <QApplication>

namespace lumora::ui {

void ApplyClassicLook(QApplication& app)
{
    // Only the style: the colours stay those of the desktop's palette, so a
    // high-contrast or dark scheme shows through the classic frames.
    QApplication::setStyle(new ClassicStyle);
    app.setWindowIcon(ProgramIcon());
}

} // namespace lumora::ui
