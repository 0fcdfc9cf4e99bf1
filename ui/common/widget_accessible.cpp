// SPDX-License-Identifier: MIT
#include "ui/common/widget_accessible.h"

#include <QFocusFrame>
#include <QMenu>

namespace lumora::ui {

WidgetAccessible::WidgetAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

bool WidgetAccessible::LiesOutsideWindow(const QWidget* widget)
{
    const QWidget* window = widget->window();
    if (window == widget)
        return false;
    const QRect onWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return !window->rect().intersects(onWindow);
}

QAccessible::State WidgetAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (LiesOutsideWindow(widget()))
        state.offscreen = true;
    return state;
}

QList<QWidget*> WidgetAccessible::Children() const
{
    QList<QWidget*> children;
    for (QObject* object : widget()->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        // Windows, menus and focus frames are not parts of a widget, as for Qt.
        if (!child || child->isWindow() || qobject_cast<QMenu*>(child) || qobject_cast<QFocusFrame*>(child))
            continue;
        if (!LiesOutsideWindow(child))
            children.append(child);
    }
    return children;
}

int WidgetAccessible::childCount() const { return static_cast<int>(Children().size()); }

QAccessibleInterface* WidgetAccessible::child(int index) const
{
    const QList<QWidget*> children = Children();
    return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children.at(index)) : nullptr;
}

int WidgetAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    return static_cast<int>(Children().indexOf(qobject_cast<QWidget*>(child->object())));
}

} // namespace lumora::ui
