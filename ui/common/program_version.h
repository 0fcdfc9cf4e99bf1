// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace lumora::ui {

// The program's version ("2.12"), as the build names it; the window title,
// the about window, the desktop metainfo and the package all take it from
// the build's one project version.
inline QString ProgramVersion() { return QStringLiteral(LUMORA_VERSION); }

} // namespace lumora::ui
