// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

namespace lumora::ui {

// The classic framed look the windows are drawn for, in the colours of the
// palette the platform gives (or the program was given before this call),
// and the program's icon for every window.
void ApplyClassicLook(QApplication& app);

} // namespace lumora::ui
