// SPDX-License-Identifier: MIT
#pragma once

#include "ui/common/widget_accessible.h"

namespace lumora::ui {

class PictureLink;

// A picture link as assistive tools see it: a link whose one action, press,
// does what a click does.
class LinkAccessible : public WidgetAccessible {
  public:
    explicit LinkAccessible(PictureLink* link);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};

} // namespace lumora::ui
