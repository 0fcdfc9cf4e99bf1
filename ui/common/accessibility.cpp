// SPDX-License-Identifier: MIT
#include "ui/common/accessibility.h"

#include "ui/common/picture_link.h"
#include "ui/common/secondary_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusFrame>
#include <QMenu>

namespace lumora::ui {

namespace {

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

// A control drawn only for the look (a backdrop panel, an empty box): it tells
// assistive tools that it is not there to be seen, read or pressed.
class DecorationAccessible : public WidgetAccessible {
  public:
    explicit DecorationAccessible(QWidget* widget);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};

// A picture link as assistive tools see it: a link whose one action, press,
// does what a click does.
class LinkAccessible : public WidgetAccessible {
  public:
    explicit LinkAccessible(PictureLink* link);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};

} // namespace

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

DecorationAccessible::DecorationAccessible(QWidget* widget) : WidgetAccessible(widget, QAccessible::Pane) {}

QAccessible::State DecorationAccessible::state() const
{
    QAccessible::State state = WidgetAccessible::state();
    state.invisible = true;
    return state;
}

QStringList DecorationAccessible::actionNames() const { return {}; }

void DecorationAccessible::doAction(const QString&) {}

LinkAccessible::LinkAccessible(PictureLink* link) : WidgetAccessible(link, QAccessible::Link) {}

QAccessible::State LinkAccessible::state() const
{
    QAccessible::State state = WidgetAccessible::state();
    state.linked = true;
    return state;
}

QStringList LinkAccessible::actionNames() const { return {pressAction()}; }

void LinkAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() && widget()->isEnabled())
        static_cast<PictureLink*>(widget())->click();
}

namespace {

bool IsDecorative(const QWidget* widget) { return widget->property("decorative").toBool(); }

// Asked for each class of an object, most derived first, before Qt's own
// factory; nullptr leaves the object to Qt.
QAccessibleInterface* MakeInterface(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    WidgetAccessible* made = nullptr;
    if (auto* window = qobject_cast<SecondaryWindow*>(widget))
        made = new WidgetAccessible(window, window->AccessibleRole());
    else if (auto* link = qobject_cast<PictureLink*>(widget))
        made = new LinkAccessible(link);
    else if (IsDecorative(widget))
        made = new DecorationAccessible(widget);
    else if (widget->metaObject() == &QWidget::staticMetaObject)
        made = new WidgetAccessible(widget); // a plain container such as a client area
    // A widget already being destroyed gets no interface, as with Qt's own.
    if (made && !made->isValid()) {
        delete made;
        made = nullptr;
    }
    return made;
}

} // namespace

void InstallAccessibleInterfaces() { QAccessible::installFactory(&MakeInterface); }

void RenewAccessibleInterfaces(QWidget* root)
{
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!IsDecorative(widget))
            continue;
        if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

} // namespace lumora::ui
