#pragma once

class QApplication;

namespace lumora::ui {

// The classic framed look the windows are drawn for, and the program's icon
// for every window.
void ApplyClassicLook(QApplication& app);

} // namespace lumora::ui
