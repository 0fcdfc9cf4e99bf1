// SPDX-License-Identifier: MIT
#pragma once

class QString;

namespace lumora::ui {

// What assistive tools say without the focus moving. Qt 6.4 has no
// announcement event (QAccessibleAnnouncementEvent comes with Qt 6.8), and
// its AT-SPI bridge sends a changed name or description without the new
// text, which Orca cannot speak. What Orca does speak is a notification
// that appears: each window has one, one pixel, invisible, that appears anew
// with each message. Only this unit knows it.

// Has assistive tools say a message now, in the window that has the focus.
void Announce(const QString& message);

} // namespace lumora::ui
