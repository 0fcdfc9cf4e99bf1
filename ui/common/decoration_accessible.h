// SPDX-License-Identifier: MIT
#pragma once

#include "ui/common/widget_accessible.h"

namespace lumora::ui {

// A control drawn only for the look (a backdrop panel, an empty box): it tells
// assistive tools that it is not there to be seen, read or pressed.
class DecorationAccessible : public WidgetAccessible {
  public:
    explicit DecorationAccessible(QWidget* widget);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};

} // namespace lumora::ui
