#include "ui/common/classic_look.h"

#include "ui/common/program_icon.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace lumora::ui {

void ApplyClassicLook(QApplication& app)
{
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(style);
        QApplication::setPalette(style->standardPalette());
    }
    app.setWindowIcon(ProgramIcon());
}

} // namespace lumora::ui
