// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QList>
#include <QStringList>
#include <QWidget>

namespace lumora::ui::testing {

// The windows that appear while the log lives, each with what assistive
// tools would read in it at that moment: the accessible names of its
// children. (A screen reader speaks a window as it appears; the offscreen
// platform sends no accessibility events, so the moment is taken from the
// window's show event, which comes just before.)
class ShownWindowLog : public QObject {
  public:
    struct Entry {
        QString window;     // object name
        QStringList inside; // the children's accessible names
    };

    ShownWindowLog() { qApp->installEventFilter(this); }
    ~ShownWindowLog() override { qApp->removeEventFilter(this); }

    QList<Entry> Of(const QString& window) const
    {
        QList<Entry> found;
        for (const Entry& entry : m_entries) {
            if (entry.window == window)
                found.append(entry);
        }
        return found;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow()) {
            Entry entry{widget->objectName(), {}};
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            for (int i = 0; accessible && i < accessible->childCount(); ++i) {
                if (QAccessibleInterface* child = accessible->child(i))
                    entry.inside.append(child->text(QAccessible::Name));
            }
            m_entries.append(entry);
        }
        return false;
    }

  private:
    QList<Entry> m_entries;
};

} // namespace lumora::ui::testing
