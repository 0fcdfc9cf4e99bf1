// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

namespace lumora::ui {

// Everything the program sets up before its first window: the desktop entry
// it belongs to, what assistive tools are told of its windows, and the
// classic look. The program, every test program, the benchmarks and the
// documentation tools start with it, so that all of them run what users see.
void PrepareApplication(QApplication& app);

} // namespace lumora::ui
