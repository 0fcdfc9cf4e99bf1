// SPDX-License-Identifier: MIT
#include "fixed_texts.h"
#include "secondary_window_fixture.h"
#include "ui/common/picture_link.h"
#include "ui/common/secondary_windows.h"
#include "ui/common/twips.h"
#include "ui/dialogs/form4.h"
#include "ui/dialogs/form5.h"
#include "ui/dialogs/read_only_text.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

// Failure messages show Qt strings as text.
static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace lumora::ui::testing {
namespace {

int TopLevelsNamed(const QString& name)
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->objectName() == name ? 1 : 0;
    return count;
}

// Stands in for the browser: Qt's URL handler calls QTextBrowser's slot
// setSource(QUrl) by name, which hands the URL to the virtual doSetSource, so
// the override sees every URL the program asks to open.
class FakeBrowser : public QTextBrowser {
  public:
    std::vector<QUrl> opened;

  protected:
    void doSetSource(const QUrl& url, QTextDocument::ResourceType) override { opened.push_back(url); }
};

class HelpAbout : public SecondaryWindowTest {
  protected:
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        SecondaryWindowTest::TearDown();
    }
};

// What the windows show

TEST_F(HelpAbout, BoxesShowTheTextsLineByLine)
{
    QWidget* help = windows.Show<Form4>();
    QWidget* about = windows.Show<Form5>();
    const struct {
        QWidget* window;
        const char* box;
        const char* file;
    } rows[] = {
        {help, "Text1", "help.txt"},     {about, "Text1", "summary.txt"},
        {about, "Text2", "credits.txt"}, {about, "Text4", "version_history.txt"},
        {about, "Text5", "support.txt"}, {about, "Text6", "contact.txt"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << qPrintable(row.window->objectName()) << "." << row.box);
        auto* box = row.window->findChild<QPlainTextEdit*>(QString::fromLatin1(row.box));
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->toPlainText().contains(QLatin1Char('\r')));
        const QStringList lines = Lines(QString::fromLatin1(row.file));
        // The final CR LF leaves an empty last line.
        ASSERT_EQ(box->blockCount(), lines.size() + 1);
        for (int i = 0; i < lines.size(); ++i)
            EXPECT_EQ(box->document()->findBlockByNumber(i).text(), lines[i]) << "line " << i + 1;
        EXPECT_TRUE(box->document()->lastBlock().text().isEmpty());
    }
    auto* testers = about->findChild<QLineEdit*>(QStringLiteral("Text3"));
    ASSERT_NE(testers, nullptr);
    EXPECT_EQ(testers->text(), QString::fromUtf8(TextBytes(QStringLiteral("beta_testers.txt"))));
    EXPECT_EQ(testers->cursorPosition(), 0); // the start of the line is in view
}

TEST_F(HelpAbout, WindowsHaveFixedFramesTitlesAndIcons)
{
    const struct {
        QWidget* window;
        const char* name;
        const char* title;
        QSize client; // twips
    } rows[] = {
        {windows.Show<Form4>(), "Form4", "Help", {10166, 6487}},
        {windows.Show<Form5>(), "Form5", "About", {10101, 8307}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.window->objectName(), QString::fromLatin1(row.name));
        EXPECT_EQ(row.window->windowTitle(), QString::fromLatin1(row.title));
        EXPECT_EQ(row.window->size(), TwipSize(row.client.width(), row.client.height()));
        EXPECT_EQ(row.window->minimumSize(), row.window->maximumSize());
        EXPECT_FALSE(row.window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_FALSE(row.window->windowIcon().pixmap(16, 16).isNull());
    }
}

TEST_F(HelpAbout, AboutBoxesSitInsideTheirFrames)
{
    QWidget* about = windows.Show<Form5>();
    const struct {
        const char* frame;
        const char* caption;
        QRect frameTwips; // from the client area's corner
        const char* box;
        QRect boxTwips; // from the frame's corner
    } rows[] = {
        {"Frame1", "Summary", {234, 117, 9607, 832}, "Text1", {234, 234, 9139, 481}},
        {"Frame2", "Credits", {234, 1053, 9607, 1534}, "Text2", {234, 351, 9139, 949}},
        {"Frame3", "Beta Testers", {234, 2691, 9607, 715}, "Text3", {234, 234, 9139, 364}},
        {"Frame4", "Version History", {234, 3510, 4810, 2236}, "Text4", {234, 351, 4342, 1768}},
        {"Frame6", "Contact Information", {5148, 3510, 4693, 2236}, "Text6", {234, 351, 4342, 1768}},
        {"Frame5", "Support", {234, 5850, 9607, 1768}, "Text5", {234, 351, 9139, 1183}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.frame);
        auto* frame = about->findChild<QGroupBox*>(QString::fromLatin1(row.frame));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), QString::fromLatin1(row.caption));
        const QRect frameRect = row.frameTwips;
        EXPECT_EQ(frame->geometry(), TwipRect(frameRect.x(), frameRect.y(), frameRect.width(), frameRect.height()));
        QWidget* box = frame->findChild<QWidget*>(QString::fromLatin1(row.box));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->parentWidget(), frame);
        EXPECT_EQ(box->geometry(),
                  TwipRect(row.boxTwips.x(), row.boxTwips.y(), row.boxTwips.width(), row.boxTwips.height()));
        EXPECT_TRUE(frame->rect().contains(box->geometry()));
    }
}

TEST_F(HelpAbout, TextBoxesAreReadOnlyButtonFaceAndWrapAtTheirWidth)
{
    QWidget* help = windows.Show<Form4>();
    QWidget* about = windows.Show<Form5>();
    const struct {
        QWidget* window;
        const char* box;
        Qt::ScrollBarPolicy vertical;
        qreal points;
    } rows[] = {
        {help, "Text1", Qt::ScrollBarAlwaysOn, 9.09},   {about, "Text1", Qt::ScrollBarAlwaysOff, 9.09},
        {about, "Text2", Qt::ScrollBarAlwaysOff, 9.09}, {about, "Text4", Qt::ScrollBarAlwaysOn, 7.69},
        {about, "Text5", Qt::ScrollBarAlwaysOff, 9.09}, {about, "Text6", Qt::ScrollBarAlwaysOff, 9.09},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << qPrintable(row.window->objectName()) << "." << row.box);
        auto* box = row.window->findChild<QPlainTextEdit*>(QString::fromLatin1(row.box));
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_EQ(box->focusPolicy(), Qt::ClickFocus);
        EXPECT_EQ(box->palette().color(QPalette::Base), box->palette().color(QPalette::Button));
        EXPECT_EQ(box->verticalScrollBarPolicy(), row.vertical);
        EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        EXPECT_TRUE(box->font().bold());
        EXPECT_NEAR(box->font().pointSizeF(), row.points, 0.01);
    }
    auto* testers = about->findChild<QLineEdit*>(QStringLiteral("Text3"));
    ASSERT_NE(testers, nullptr);
    EXPECT_TRUE(testers->isReadOnly());
    EXPECT_EQ(testers->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(testers->palette().color(QPalette::Base), testers->palette().color(QPalette::Button));

    // Help line 35 is far wider than the box: it wraps instead of scrolling
    // sideways; only its trailing space may reach past the edge.
    auto* helpText = help->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    const QTextBlock longLine = helpText->document()->findBlockByNumber(34);
    ASSERT_NE(longLine.layout(), nullptr);
    EXPECT_GE(longLine.layout()->lineCount(), 2);
    EXPECT_LT(helpText->horizontalScrollBar()->maximum(), 2 * QFontMetrics(helpText->font()).horizontalAdvance(' '));
}

TEST_F(HelpAbout, CloseIsTheOnlyTabStopAndHoldsTheFocus)
{
    const struct {
        QWidget* window;
        const char* clickInto; // a text box the user clicks into first
    } rows[] = {
        {windows.Show<Form4>(), "Text1"},
        {windows.Show<Form5>(), "Text4"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(qPrintable(row.window->objectName()));
        windows.Find<Form4>()->hide();
        windows.Find<Form5>()->hide();
        auto* window = static_cast<SecondaryWindow*>(row.window);
        window->ShowActive();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        auto* close = window->findChild<QPushButton*>(QStringLiteral("Command1"));
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->text(), QStringLiteral("Close"));
        EXPECT_TRUE(close->isDefault());
        EXPECT_EQ(QApplication::focusWidget(), close);
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), close) << "Tab " << i + 1;
        }
        QTest::keyClick(close, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), close);

        // A click puts the focus into a text box; the next show brings it back to Close.
        auto* box = window->findChild<QPlainTextEdit*>(QString::fromLatin1(row.clickInto));
        QTest::mouseClick(box->viewport(), Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), box);
        QPointer<QWidget> alive = window;
        close->click();
        BackToMainWindow();
        ASSERT_TRUE(alive);
        window->ShowActive();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        EXPECT_EQ(QApplication::focusWidget(), close);
    }
}

TEST_F(HelpAbout, TypingChangesNoTextButSelectingAndCopyingWork)
{
    QWidget* help = windows.Show<Form4>();
    QWidget* about = windows.Show<Form5>();
    std::vector<QWidget*> boxes;
    boxes.push_back(help->findChild<QPlainTextEdit*>(QStringLiteral("Text1")));
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"})
        boxes.push_back(about->findChild<QWidget*>(QString::fromLatin1(name)));

    const auto text = [](QWidget* box) {
        if (auto* edit = qobject_cast<QPlainTextEdit*>(box))
            return edit->toPlainText();
        return static_cast<QLineEdit*>(box)->text();
    };
    for (QWidget* box : boxes) {
        ASSERT_NE(box, nullptr);
        SCOPED_TRACE(qPrintable(box->window()->objectName() + QLatin1Char('.') + box->objectName()));
        static_cast<SecondaryWindow*>(box->window())->ShowActive();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box->window()));
        box->setFocus(Qt::MouseFocusReason);
        const QString before = text(box);
        QApplication::clipboard()->setText(QStringLiteral("pasted"));

        QTest::keyClicks(box, QStringLiteral("typed 123"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        EXPECT_EQ(text(box), before);

        // Everything is still selected (Ctrl+A), and Ctrl+C copies it.
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QString copied = QApplication::clipboard()->text();
        copied.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        EXPECT_EQ(copied, before);
    }
}

// Show, Close and frame close, for both windows

template <typename Window> struct Scrollable;
template <> struct Scrollable<Form4> {
    static constexpr const char* box = "Text1"; // the help text
};
template <> struct Scrollable<Form5> {
    static constexpr const char* box = "Text4"; // the version history
};

template <typename Window> class EachWindow : public HelpAbout {
  protected:
    QPlainTextEdit* Box(QWidget* window)
    {
        return window->findChild<QPlainTextEdit*>(QString::fromLatin1(Scrollable<Window>::box));
    }
};

using Windows = ::testing::Types<Form4, Form5>;
TYPED_TEST_SUITE(EachWindow, Windows);

TYPED_TEST(EachWindow, ShowingAgainKeepsOneWindow)
{
    TypeParam* first = this->windows.template Show<TypeParam>();
    const QString name = first->objectName();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(this->windows.template Show<TypeParam>(), first);
    EXPECT_EQ(TopLevelsNamed(name), 1);
    EXPECT_TRUE(first->isVisible());
}

TYPED_TEST(EachWindow, CloseHidesAndKeepsScrollAndSelection)
{
    TypeParam* window = this->windows.template Show<TypeParam>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QPlainTextEdit* box = this->Box(window);
    ASSERT_NE(box, nullptr);
    QScrollBar* bar = box->verticalScrollBar();
    ASSERT_GE(bar->maximum(), 4); // the text is longer than the box
    // Select near the top, then scroll away from the selection.
    QTextCursor selection(box->document());
    selection.setPosition(5);
    selection.setPosition(20, QTextCursor::KeepAnchor);
    box->setTextCursor(selection);
    const QString selected = box->textCursor().selectedText();
    const int scrolled = bar->maximum() / 2;
    bar->setValue(scrolled);

    QPointer<QWidget> alive = window;
    QTest::mouseClick(window->template findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    FlushDeletes();
    ASSERT_TRUE(alive);
    EXPECT_FALSE(window->isVisible());

    this->BackToMainWindow();
    EXPECT_EQ(this->windows.template Show<TypeParam>(), window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(bar->value(), scrolled);
    EXPECT_EQ(box->textCursor().selectedText(), selected);
    EXPECT_FALSE(selected.isEmpty());
}

TYPED_TEST(EachWindow, EnterOrSpaceOnCloseHides)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        SCOPED_TRACE(key);
        TypeParam* window = this->windows.template Show<TypeParam>();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        auto* close = window->template findChild<QPushButton*>(QStringLiteral("Command1"));
        ASSERT_EQ(QApplication::focusWidget(), close);
        QTest::keyClick(close, key);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(this->windows.template Find<TypeParam>(), window);
        this->BackToMainWindow();
    }
}

// By ear: the lines in view are read with "Close" as the window opens, and
// each key that scrolls has the lines that come into view read, so that
// paging down reads the whole text once, from the first line to the last.
TYPED_TEST(EachWindow, WhatComesIntoViewIsReadWithTheFocusOnClose)
{
    TypeParam* window = this->windows.template Show<TypeParam>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto* close = window->template findChild<QPushButton*>(QStringLiteral("Command1"));
    const QString all = this->Box(window)->toPlainText().simplified();
    const QString description = close->accessibleDescription();
    // In the about window, the version history is read among its sections.
    const qsizetype first = description.indexOf(all.left(20));
    ASSERT_GE(first, 0) << description.toStdString();
    const qsizetype after = description.indexOf(QStringLiteral(" Contact Information:"), first);
    QString heard = description.mid(first, after < 0 ? -1 : after - first);
    const auto announced = [window] {
        QWidget* notification = window->template findChild<QWidget*>(QStringLiteral("Announcement"));
        return notification ? notification->accessibleName() : QString();
    };
    for (int page = 0; page < 10 && heard.size() < all.size(); ++page) {
        QTest::keyClick(close, Qt::Key_PageDown);
        heard += QLatin1Char(' ') + announced();
    }
    EXPECT_EQ(heard, all);
    // Lines back up: the line that comes into view, alone (the top line of
    // the last page may show only in part, and was read with it).
    const QString lastPage = announced();
    for (int line = 0; line < 2 && announced() == lastPage; ++line)
        QTest::keyClick(close, Qt::Key_Up);
    EXPECT_NE(announced(), lastPage);
    EXPECT_TRUE(all.contains(announced())) << announced().toStdString();
    EXPECT_LT(announced().size(), lastPage.size() / 4);
}

TYPED_TEST(EachWindow, KeysOnCloseScrollTheTextAndLeaveTheFocusThere)
{
    TypeParam* window = this->windows.template Show<TypeParam>();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto* close = window->template findChild<QPushButton*>(QStringLiteral("Command1"));
    QPlainTextEdit* box = this->Box(window);
    QScrollBar* bar = box->verticalScrollBar();
    const int page = std::min(bar->pageStep(), bar->maximum()), end = bar->maximum();
    const int caret = box->textCursor().position();
    ASSERT_GT(page, 1);
    // Keys and the scroll positions they lead to: a page down moves the
    // height of the box, a line more than the scroll bar's page when the last
    // line would be cut.
    const struct {
        QKeyCombination keys;
        int low, high;
    } rows[] = {{Qt::Key_PageDown, page, std::min(page + 1, end)},
                {Qt::Key_PageUp, 0, 0},
                {Qt::Key_Down, 1, 1},
                {Qt::Key_Up, 0, 0},
                {Qt::Key_End, end, end},
                {Qt::Key_Home, 0, 0},
                {Qt::CTRL | Qt::Key_End, end, end},
                {Qt::CTRL | Qt::Key_Home, 0, 0},
                // The keypad's keys with NumLock off.
                {Qt::KeypadModifier | Qt::Key_PageDown, page, std::min(page + 1, end)},
                {Qt::KeypadModifier | Qt::Key_Up, page - 1, page},
                {Qt::KeypadModifier | Qt::Key_End, end, end},
                {Qt::KeypadModifier | Qt::Key_Home, 0, 0}};
    for (const auto& row : rows) {
        QTest::keyClick(close, row.keys.key(), row.keys.keyboardModifiers());
        EXPECT_GE(bar->value(), row.low) << QKeySequence(row.keys).toString().toStdString();
        EXPECT_LE(bar->value(), row.high) << QKeySequence(row.keys).toString().toStdString();
        EXPECT_EQ(QApplication::focusWidget(), close);
    }
    EXPECT_EQ(box->textCursor().position(), caret);
}

TYPED_TEST(EachWindow, FrameCloseDestroysAndTheNextShowStartsAtTheTop)
{
    TypeParam* window = this->windows.template Show<TypeParam>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QString name = window->objectName();
    QScrollBar* bar = this->Box(window)->verticalScrollBar();
    bar->setValue(bar->maximum());
    ASSERT_GT(bar->value(), 0);

    QPointer<QWidget> old = window;
    window->close();
    FlushDeletes();
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(this->windows.template Find<TypeParam>(), nullptr);
    EXPECT_EQ(TopLevelsNamed(name), 0);

    TypeParam* fresh = this->windows.template Show<TypeParam>();
    ASSERT_NE(fresh, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fresh));
    QPlainTextEdit* box = this->Box(fresh);
    EXPECT_EQ(box->verticalScrollBar()->value(), 0);
    EXPECT_EQ(box->cursorForPosition(QPoint(2, 2)).blockNumber(), 0); // line 1 at the top
    EXPECT_EQ(TopLevelsNamed(name), 1);
}

// The logo

TEST_F(HelpAbout, LogoIsShownAtItsOwnSizeWithAPointingHand)
{
    Form5* about = windows.Show<Form5>();
    auto* logo = about->findChild<PictureLink*>(QStringLiteral("Image1"));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->size(), QSize(62, 31));
    EXPECT_EQ(DifferingOpaquePixels(logo->grab().toImage(), QImage(QStringLiteral(":/lumora/logo.png"))), 0);
    EXPECT_EQ(logo->pos(), TwipRect(585, 7839, 806, 403).topLeft());
    EXPECT_EQ(logo->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(about->rect().contains(logo->geometry()));
}

TEST_F(HelpAbout, EachLogoClickOpensTheWebPageOnce)
{
    FakeBrowser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "setSource");
    Form5* about = windows.Show<Form5>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    auto* logo = about->findChild<PictureLink*>(QStringLiteral("Image1"));
    ASSERT_NE(logo, nullptr);
    QPointer<QWidget> alive = about;

    // Assistive tools see a link whose press is a click.
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(logo);
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(link->text(QAccessible::Name), QStringLiteral("Lumora web page"));
    ASSERT_NE(link->actionInterface(), nullptr);
    EXPECT_EQ(link->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});

    for (std::size_t clicks = 1; clicks <= 4; ++clicks) {
        if (clicks % 2)
            QTest::mouseClick(logo, Qt::LeftButton);
        else
            link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        FlushDeletes();
        ASSERT_EQ(browser.opened.size(), clicks);
        EXPECT_EQ(browser.opened.back(), Form5::WebPage());
        ASSERT_TRUE(alive);
        EXPECT_TRUE(about->isVisible());
    }
    EXPECT_TRUE(Form5::WebPage().isValid());
    EXPECT_EQ(Form5::WebPage().scheme(), QStringLiteral("https"));
    EXPECT_TRUE(Form5::WebPage().host().endsWith(QStringLiteral("example.org")));
    EXPECT_EQ(about->findChild<QMessageBox*>(), nullptr); // no failure notice
}

TEST_F(HelpAbout, OnlyALeftClickThatEndsOnTheLogoCounts)
{
    FakeBrowser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "setSource");
    Form5* about = windows.Show<Form5>();
    auto* logo = about->findChild<PictureLink*>(QStringLiteral("Image1"));
    ASSERT_NE(logo, nullptr);
    const QPoint inside(10, 10);
    const QPoint outside(logo->width() + 20, 10);
    const struct {
        const char* gesture;
        Qt::MouseButton button;
        QPoint press, release;
        std::size_t opens;
    } rows[] = {
        {"left click", Qt::LeftButton, inside, inside, 1},
        {"dragged off before release", Qt::LeftButton, inside, outside, 0},
        {"right click", Qt::RightButton, inside, inside, 0},
        {"middle click", Qt::MiddleButton, inside, inside, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.gesture);
        browser.opened.clear();
        QTest::mousePress(logo, row.button, {}, row.press);
        QTest::mouseRelease(logo, row.button, {}, row.release);
        EXPECT_EQ(browser.opened.size(), row.opens);
    }
}

TEST_F(HelpAbout, AFailedOpenLeavesOneNonBlockingNotice)
{
    // A handler name that the receiver does not have: opening the URL fails.
    QObject nowhere;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &nowhere, "noSuchSlot");
    Form5* about = windows.Show<Form5>();
    auto* logo = about->findChild<PictureLink*>(QStringLiteral("Image1"));
    ASSERT_NE(logo, nullptr);

    QTest::mouseClick(logo, Qt::LeftButton);
    QTest::mouseClick(logo, Qt::LeftButton);
    const QList<QMessageBox*> notices = about->findChildren<QMessageBox*>();
    ASSERT_EQ(notices.size(), 1);
    QPointer<QMessageBox> notice = notices.front();
    EXPECT_TRUE(notice->isVisible());
    EXPECT_FALSE(notice->isModal());
    EXPECT_TRUE(notice->text().contains(Form5::WebPage().toString()));
    EXPECT_TRUE(about->isVisible());

    // The about window still works, and dismissing the notice removes it.
    notice->close();
    FlushDeletes();
    EXPECT_TRUE(notice.isNull());
    auto* close = about->findChild<QPushButton*>(QStringLiteral("Command1"));
    close->click();
    EXPECT_FALSE(about->isVisible());
}

} // namespace
} // namespace lumora::ui::testing
