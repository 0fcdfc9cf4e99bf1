// SPDX-License-Identifier: MIT
#include "ui/common/secondary_windows.h"

namespace lumora::ui {

SecondaryWindow* SecondaryWindows::Ensure(const QString& name, const Factory& make)
{
    QPointer<SecondaryWindow>& slot = m_windows[name];
    if (!slot)
        slot = make();
    return slot.data();
}

SecondaryWindow* SecondaryWindows::Show(const QString& name, const Factory& make)
{
    SecondaryWindow* window = Ensure(name, make);
    window->ShowActive();
    return window;
}

SecondaryWindow* SecondaryWindows::Find(const QString& name) const
{
    const auto it = m_windows.find(name);
    return it == m_windows.end() ? nullptr : it->second.data();
}

void SecondaryWindows::DestroyAll()
{
    for (auto& [name, window] : m_windows) {
        if (window) {
            window->hide();
            delete window.data();
        }
    }
    m_windows.clear();
}

} // namespace lumora::ui
