// SPDX-License-Identifier: MIT
#include "ui/common/secondary_windows.h"

namespace lumora::ui {

void SecondaryWindows::DestroyAll()
{
    for (auto& [type, window] : m_windows) {
        if (window) {
            window->hide();
            delete window.data();
        }
    }
    m_windows.clear();
}

} // namespace lumora::ui
