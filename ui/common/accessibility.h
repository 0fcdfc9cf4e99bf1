// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace lumora::ui {

// Lets the program tell assistive tools what its windows and controls are:
// error windows are alerts, the help and about windows dialogs, decorative
// controls (dynamic property "decorative") are not there to be read, the
// about logo is a link, and controls lying wholly outside their window are
// off-screen. Call once the QApplication exists and before the first window is
// built, so that these answers come before Qt's own.
void InstallAccessibleInterfaces();

// Qt makes a control's accessible interface while building it, before it can
// be marked decorative; this has the interfaces of root's decorative
// descendants made afresh, as the marks now say.
void RenewAccessibleInterfaces(QWidget* root);

} // namespace lumora::ui
