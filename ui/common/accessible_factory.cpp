// SPDX-License-Identifier: MIT
#include "ui/common/accessible_factory.h"

#include "ui/common/decoration_accessible.h"
#include "ui/common/link_accessible.h"
#include "ui/common/picture_link.h"
#include "ui/common/secondary_window.h"

#include <QAccessible>

namespace lumora::ui {

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
