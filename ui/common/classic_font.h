// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>

namespace lumora::ui {

// The faces the windows were drawn with, in the point sizes of the layouts.
// Where a face is missing, a metric-compatible stand-in takes its place:
// "Arial" -> Liberation Sans, "MS Sans Serif" -> Liberation Sans (it shares
// Microsoft Sans Serif's proportions closely enough for these short texts),
// "Tahoma" -> DejaVu Sans Condensed (Tahoma is the narrow cut of the Verdana
// design that DejaVu Sans follows).
QFont ClassicFont(const QString& face, qreal points, bool bold = true);

inline const QString Arial = QStringLiteral("Arial");
inline const QString MsSansSerif = QStringLiteral("MS Sans Serif");
inline const QString Tahoma = QStringLiteral("Tahoma");

} // namespace lumora::ui
