// SPDX-License-Identifier: MIT
#include "ui/common/announcement.h"

#include "ui/common/accessibility.h"

#include <QApplication>
#include <QWidget>

namespace lumora::ui {

namespace {

// A window's notification: in the top-left corner, one pixel, drawn as
// nothing, passing clicks through, beneath every other control.
QWidget* NotificationOf(QWidget* window)
{
    const QString name = QStringLiteral("Announcement");
    if (auto* found = window->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly))
        return found;
    auto* notification = new QWidget(window);
    notification->setObjectName(name);
    notification->setProperty(mark::Notification, true);
    notification->setAttribute(Qt::WA_TransparentForMouseEvents);
    notification->setFocusPolicy(Qt::NoFocus);
    notification->setGeometry(0, 0, 1, 1);
    notification->lower();
    RenewAccessibleInterfaces(window); // read as a notification from the start
    return notification;
}

} // namespace

void Announce(const QString& message)
{
    QWidget* window = QApplication::activeWindow();
    if (!window || message.isEmpty())
        return;
    QWidget* notification = NotificationOf(window);
    notification->hide();
    notification->setAccessibleName(message);
    notification->show(); // appearing, it is read
}

} // namespace lumora::ui
