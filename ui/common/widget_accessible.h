// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>

namespace lumora::ui {

// What assistive tools are told of a widget whose interface the program makes
// itself: Qt's account of a widget, except that a widget lying wholly outside
// its window (the resistor calculator beyond the narrowed "Basic" view)
// reports itself off-screen, and such children are left out of its children.
class WidgetAccessible : public QAccessibleWidget {
  public:
    explicit WidgetAccessible(QWidget* widget, QAccessible::Role role = QAccessible::Client);
    ~WidgetAccessible() override = default; // public, so one made for a widget being destroyed can be dropped

    // True when no part of the widget lies inside its top-level window.
    static bool LiesOutsideWindow(const QWidget* widget);

    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

  private:
    // The child widgets a tool can meet, in Qt's order.
    QList<QWidget*> Children() const;
};

} // namespace lumora::ui
