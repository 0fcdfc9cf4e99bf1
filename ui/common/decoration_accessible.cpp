// SPDX-License-Identifier: MIT
#include "ui/common/decoration_accessible.h"

namespace lumora::ui {

DecorationAccessible::DecorationAccessible(QWidget* widget) : WidgetAccessible(widget, QAccessible::Pane) {}

QAccessible::State DecorationAccessible::state() const
{
    QAccessible::State state = WidgetAccessible::state();
    state.invisible = true;
    return state;
}

QStringList DecorationAccessible::actionNames() const { return {}; }

void DecorationAccessible::doAction(const QString&) {}

} // namespace lumora::ui
