#include "ui/common/program_icon.h"

#include <QFile>

namespace lumora::ui {

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral(":/lumora/icons/lumora-%1.png").arg(size);
        if (QFile::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon;
}

} // namespace lumora::ui
