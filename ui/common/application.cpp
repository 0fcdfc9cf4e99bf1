// SPDX-License-Identifier: MIT
#include "ui/common/application.h"

#include "ui/common/accessibility.h"
#include "ui/common/look.h"

#include <QApplication>

namespace lumora::ui {

void PrepareApplication(QApplication& app)
{
    app.setDesktopFileName(QStringLiteral("org.example.Lumora")); // matches the desktop entry
    InstallAccessibleInterfaces();
    ApplyClassicLook();
}

} // namespace lumora::ui
