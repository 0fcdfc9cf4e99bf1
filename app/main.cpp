// SPDX-License-Identifier: MIT
#include "ui/common/application.h"
#include "ui/main/form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    lumora::ui::PrepareApplication(app);
    auto* form = new lumora::ui::Form1; // destroyed when it closes, which ends the program
    form->show();
    return app.exec();
}
