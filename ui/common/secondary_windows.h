// SPDX-License-Identifier: MIT
#pragma once

#include "ui/common/secondary_window.h"

#include <QPointer>

#include <map>
#include <typeindex>

namespace lumora::ui {

// The secondary windows one main window has created: at most one of each
// kind, created on first show and forgotten when destroyed.
class SecondaryWindows {
  public:
    // The one window of kind T, created hidden if it does not exist.
    template <typename T> T* Ensure()
    {
        QPointer<SecondaryWindow>& slot = m_windows[std::type_index(typeid(T))];
        if (!slot)
            slot = new T;
        return static_cast<T*>(slot.data());
    }

    // Shows the one window of kind T, creating it if it does not exist.
    template <typename T> T* Show()
    {
        T* window = Ensure<T>();
        window->ShowActive();
        return window;
    }

    // The existing window of kind T, shown or hidden, or nullptr.
    template <typename T> T* Find() const
    {
        const auto it = m_windows.find(std::type_index(typeid(T)));
        return it == m_windows.end() ? nullptr : static_cast<T*>(it->second.data());
    }

    // Closes and destroys every window that still exists, shown or hidden.
    void DestroyAll();

  private:
    std::map<std::type_index, QPointer<SecondaryWindow>> m_windows;
};

} // namespace lumora::ui
