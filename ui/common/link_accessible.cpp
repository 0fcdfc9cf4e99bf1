// SPDX-License-Identifier: MIT
#include "ui/common/link_accessible.h"

#include "ui/common/picture_link.h"

namespace lumora::ui {

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

} // namespace lumora::ui
