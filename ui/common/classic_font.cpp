// SPDX-License-Identifier: MIT
#include "ui/common/classic_font.h"

#include <QStringList>

namespace lumora::ui {

namespace {

void InstallSubstitutes()
{
    static const bool installed = [] {
        QFont::insertSubstitutions(Arial, {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                           QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(MsSansSerif, {QStringLiteral("Microsoft Sans Serif"),
                                                 QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                                 QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(Tahoma, {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Verdana"),
                                            QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
        return true;
    }();
    (void)installed;
}

} // namespace

QFont ClassicFont(const QString& face, qreal points, bool bold)
{
    InstallSubstitutes();
    QFont font(face);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace lumora::ui
