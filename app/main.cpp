// SPDX-License-Identifier: MIT
#include "ui/common/accessible_factory.h"
#include "ui/common/classic_look.h"
#include "ui/main/form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Lumora")); // matches the desktop entry
    lumora::ui::InstallAccessibleInterfaces();
    lumora::ui::ApplyClassicLook(app);
    auto* form = new lumora::ui::Form1; // destroyed when it closes, which ends the program
    form->show();
    return app.exec();
}
