// SPDX-License-Identifier: MIT
#include "ui/common/program_icon.h"

#include <QFile>

namespace lumora::ui {

QIcon ProgramIcon()
{
    // Built once and shared by every window; never destroyed, so it cannot
    // outlive the application object it needs. Title bars and task switchers
    // need 128 px at most; the 256 px picture is for the desktop's icon theme
    // and is not decoded at start-up.
    static const QIcon* const icon = [] {
        auto* result = new QIcon;
        for (int size : {16, 24, 32, 48, 64, 128}) {
            const QString path = QStringLiteral(":/lumora/icons/lumora-%1.png").arg(size);
            if (QFile::exists(path))
                result->addFile(path, QSize(size, size));
        }
        return result;
    }();
    return *icon;
}

} // namespace lumora::ui
