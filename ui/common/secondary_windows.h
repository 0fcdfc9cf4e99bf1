// SPDX-License-Identifier: MIT
#pragma once

#include "ui/common/secondary_window.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <map>

namespace lumora::ui {

// The secondary windows one main window has created, keyed by their object
// names ("Form2", "Form4"): at most one of each, created on first show and
// forgotten when destroyed.
class SecondaryWindows {
  public:
    using Factory = std::function<SecondaryWindow*()>;

    // The one window of that name, made hidden by 'make' if it does not exist.
    SecondaryWindow* Ensure(const QString& name, const Factory& make);

    // Shows the one window of that name, making it if it does not exist.
    SecondaryWindow* Show(const QString& name, const Factory& make);

    // The existing window of that name, shown or hidden, or nullptr.
    SecondaryWindow* Find(const QString& name) const;

    // The same for a window with a class of its own, named by T::ObjectName.
    template <typename T> T* Ensure()
    {
        return static_cast<T*>(Ensure(T::ObjectName, [] { return new T; }));
    }
    template <typename T> T* Show()
    {
        return static_cast<T*>(Show(T::ObjectName, [] { return new T; }));
    }
    template <typename T> T* Find() const { return static_cast<T*>(Find(T::ObjectName)); }

    // Closes and destroys every window that still exists, shown or hidden.
    void DestroyAll();

  private:
    std::map<QString, QPointer<SecondaryWindow>> m_windows;
};

} // namespace lumora::ui
