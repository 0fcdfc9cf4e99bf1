// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

namespace lumora::ui {

// The program's icon, shared by every window.
QIcon ProgramIcon();

} // namespace lumora::ui
