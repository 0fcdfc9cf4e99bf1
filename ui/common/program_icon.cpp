#include "ui/common/program_icon.h"

#include <QFile>

namespace lumora::ui {

QIcon ProgramIcon()
{
    // Built once and shared by every window; never destroyed, so it cannot
    // outlive the application object it needs.
    static const QIcon* const icon = [] {
        auto* result = new QIcon;
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QString path = QStringLiteral(":/lumora/icons/lumora-%1.png").arg(size);
            if (QFile::exists(path))
                result->addFile(path, QSize(size, size));
        }
        return result;
    }();
    return *icon;
}

} // namespace lumora::ui
