// SPDX-License-Identifier: MIT
#include "ui/common/accessibility.h"

#include "ui/common/picture_link.h"
#include "ui/common/secondary_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusFrame>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

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

// A frame whose field already says its caption: nameless, so that a screen
// reader passes over it as layout. It still labels its fields.
class CaptionFrameAccessible : public WidgetAccessible {
  public:
    explicit CaptionFrameAccessible(QWidget* frame) : WidgetAccessible(frame, QAccessible::Grouping) {}

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? QString() : WidgetAccessible::text(kind);
    }
};

// A text box's text as assistive tools read and write it. As Qt's own,
// except that the text's attributes run over the whole text (Qt 6.4 reports
// an empty run at each offset, and a screen reader reading run by run leaves
// out the last character: "2000" is heard as "200"), and that a write is the
// edit a person makes: the range selected and the new text put in its place,
// so that it can be undone, the box's maximum length holds and the cursor
// ends after it. A read-only box cannot be written, as a person cannot.
// What is written is not typed: it passes no key filter, like a paste.
class TextBoxAccessible : public WidgetAccessible,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
  public:
    explicit TextBoxAccessible(QLineEdit* box) : WidgetAccessible(box, QAccessible::EditableText) {}

    QLineEdit* Box() const { return static_cast<QLineEdit*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface && !Box()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return WidgetAccessible::interface_cast(type);
    }

    void setText(QAccessible::Text kind, const QString& text) override
    {
        if (kind == QAccessible::Value)
            replaceText(0, characterCount(), text);
        else
            WidgetAccessible::setText(kind, text);
    }

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        QLineEdit* box = Box();
        if (box->isReadOnly() || !box->isEnabled())
            return;
        const int start = std::clamp(startOffset, 0, characterCount());
        const int end = std::clamp(endOffset, start, characterCount());
        box->setSelection(start, end - start);
        box->insert(text); // replaces the selection; nothing selected, it goes in at the cursor
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = WidgetAccessible::state();
        state.editable = !Box()->isReadOnly();
        state.readOnly = Box()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? Box()->text() : WidgetAccessible::text(kind);
    }

    void selection(int index, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (index == 0 && Box()->hasSelectedText()) {
            *startOffset = Box()->selectionStart();
            *endOffset = *startOffset + static_cast<int>(Box()->selectedText().size());
        }
    }
    int selectionCount() const override { return Box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int index) override
    {
        if (index == 0)
            Box()->deselect();
    }
    void setSelection(int index, int startOffset, int endOffset) override
    {
        if (index == 0)
            Box()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return Box()->cursorPosition(); }
    void setCursorPosition(int position) override { Box()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override
    {
        return Box()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Box()->text().size()); }

    // Where a character is drawn on the screen, from the font's advances and
    // the box's alignment.
    QRect characterRect(int offset) const override
    {
        const QString text = Box()->text();
        if (offset < 0 || offset >= text.size())
            return {};
        const QFontMetrics metrics(Box()->font());
        const QRect area = Box()->rect().marginsRemoved(Box()->textMargins()).adjusted(2, 0, -2, 0);
        const int width = metrics.horizontalAdvance(text);
        int left = area.left();
        if (Box()->alignment() & Qt::AlignHCenter)
            left = area.left() + (area.width() - width) / 2;
        else if (Box()->alignment() & Qt::AlignRight)
            left = area.right() - width;
        const int x = left + metrics.horizontalAdvance(text.left(offset));
        const QRect onBox(x, area.top(), metrics.horizontalAdvance(text.at(offset)), area.height());
        return QRect(Box()->mapToGlobal(onBox.topLeft()), onBox.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        const QPoint onBox = Box()->mapFromGlobal(point);
        return Box()->rect().contains(onBox) ? Box()->cursorPositionAt(onBox) : -1;
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        Box()->setCursorPosition(endIndex);
        Box()->setCursorPosition(startIndex);
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        (void)offset;
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};

// A multi-line read-only text (help, about) as assistive tools read it. Qt's
// own account of such a box lets a tool write into it, which no person can;
// this one offers the text to read, select and find on the screen only.
class FixedTextAccessible : public WidgetAccessible, public QAccessibleTextInterface {
  public:
    explicit FixedTextAccessible(QPlainTextEdit* box) : WidgetAccessible(box, QAccessible::EditableText) {}

    QPlainTextEdit* Box() const { return static_cast<QPlainTextEdit*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : WidgetAccessible::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = WidgetAccessible::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? Box()->toPlainText() : WidgetAccessible::text(kind);
    }

    // A cursor at an offset: -1 is the end, -2 the text cursor's position.
    QTextCursor CursorAt(int offset) const
    {
        QTextCursor cursor = Box()->textCursor();
        cursor.setPosition(offset == -2 ? cursor.position()
                           : offset < 0 ? characterCount()
                                        : std::min(offset, characterCount()));
        return cursor;
    }

    void selection(int index, int* startOffset, int* endOffset) const override
    {
        const QTextCursor cursor = Box()->textCursor();
        const bool has = index == 0 && cursor.hasSelection();
        *startOffset = has ? cursor.selectionStart() : 0;
        *endOffset = has ? cursor.selectionEnd() : 0;
    }
    int selectionCount() const override { return Box()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int index) override
    {
        if (index == 0)
            setSelection(0, cursorPosition(), cursorPosition());
    }
    void setSelection(int index, int startOffset, int endOffset) override
    {
        if (index != 0)
            return;
        QTextCursor cursor = CursorAt(startOffset);
        cursor.setPosition(CursorAt(endOffset).position(), QTextCursor::KeepAnchor);
        Box()->setTextCursor(cursor);
    }
    int cursorPosition() const override { return Box()->textCursor().position(); }
    void setCursorPosition(int position) override { Box()->setTextCursor(CursorAt(position)); }
    int characterCount() const override { return Box()->document()->characterCount() - 1; } // less the final separator
    QString text(int startOffset, int endOffset) const override
    {
        return Box()->toPlainText().mid(startOffset, endOffset - startOffset);
    }

    // The word, sentence or line (as laid out, wrapped at the box's width)
    // at an offset, before it or after it.
    QString Unit(int offset, QAccessible::TextBoundaryType boundary, int step, int* startOffset, int* endOffset) const
    {
        std::pair<int, int> unit = QAccessible::qAccessibleTextBoundaryHelper(CursorAt(offset), boundary);
        if (step != 0) {
            const int next = step < 0 ? unit.first - 1 : unit.second;
            if (next < 0 || next >= characterCount()) { // none before the first, or after the last
                *startOffset = *endOffset = -1;
                return {};
            }
            unit = QAccessible::qAccessibleTextBoundaryHelper(CursorAt(next), boundary);
        }
        *startOffset = unit.first;
        *endOffset = unit.second;
        return text(unit.first, unit.second);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override
    {
        return Unit(offset, boundary, -1, startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override
    {
        return Unit(offset, boundary, 0, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override
    {
        return Unit(offset, boundary, 1, startOffset, endOffset);
    }

    // Where a character is drawn on the screen: at the cursor placed before
    // it, as wide as the font draws it.
    QRect characterRect(int offset) const override
    {
        const QString character = text(offset, offset + 1);
        if (offset < 0 || character.isEmpty())
            return {};
        const QRect caret = Box()->cursorRect(CursorAt(offset));
        const QPoint onScreen = Box()->viewport()->mapToGlobal(caret.topLeft());
        return {onScreen, QSize(QFontMetrics(Box()->font()).horizontalAdvance(character), caret.height())};
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        const QPoint onViewport = Box()->viewport()->mapFromGlobal(point);
        return Box()->viewport()->rect().contains(onViewport) ? Box()->cursorForPosition(onViewport).position() : -1;
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        setCursorPosition(endIndex);
        Box()->ensureCursorVisible();
        setCursorPosition(startIndex);
        Box()->ensureCursorVisible();
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        (void)offset;
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
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

bool Is(const QWidget* widget, const char* mark) { return widget->property(mark).toBool(); }

bool IsMarked(const QWidget* widget)
{
    return std::ranges::any_of(mark::All, [widget](const char* mark) { return Is(widget, mark); });
}

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
    else if (Is(widget, mark::Decorative))
        made = new DecorationAccessible(widget);
    else if (Is(widget, mark::Message))
        made = new WidgetAccessible(widget, QAccessible::StaticText); // said with its window, as a label is
    else if (Is(widget, mark::Notification))
        made = new WidgetAccessible(widget, QAccessible::Notification);
    else if (Is(widget, mark::CaptionOfItsField))
        made = new CaptionFrameAccessible(widget);
    else if (auto* box = qobject_cast<QLineEdit*>(widget))
        made = new TextBoxAccessible(box);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
        made = new FixedTextAccessible(text); // the program has no other kind
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
        if (!IsMarked(widget))
            continue;
        if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

} // namespace lumora::ui
