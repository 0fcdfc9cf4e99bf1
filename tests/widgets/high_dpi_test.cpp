// SPDX-License-Identifier: MIT
#include "form1_fixture.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QSet>

namespace lumora::ui::testing {
namespace {

using HighDpi = Form1Test;

// Neighbours the layout lays over each other on purpose: the runtime field
// and the display boxes below it share their edges, the battery "C" button of the resistor calculator
// sits on the window in front of its frame, and the backdrops lie behind
// whole panels.
bool OverlapIntended(const QString& a, const QString& b)
{
    static const QSet<QSet<QString>> pairs = {
        {"Text7", "Text9"}, {"Text9", "Text11"}, {"Text10", "Text7"}, {"Text10", "Text9"},     {"Text10", "Text11"},
        {"Text5", "Text7"}, {"Text5", "Text9"},  {"Text5", "Text11"}, {"Command16", "Frame7"},
    };
    static const QSet<QString> backdrops = {"Command4", "Command5", "Command11", "Command12"};
    return pairs.contains({a, b}) || backdrops.contains(a) || backdrops.contains(b);
}

TEST_F(HighDpi, ControlsFitTheirParentsAndKeepApartAtDoubleScale)
{
    if (form->devicePixelRatio() < 2.0)
        GTEST_SKIP() << "the platform ignores QT_SCALE_FACTOR";
    QList<QWidget*> controls;
    for (QWidget* w : form->centralWidget()->findChildren<QWidget*>()) {
        if (w->objectName().startsWith("Text") || w->objectName().startsWith("Command") ||
            w->objectName().startsWith("Frame") || w->objectName().startsWith("Option"))
            controls.append(w);
    }
    ASSERT_GE(controls.size(), 50);
    for (QWidget* w : controls) {
        const QRect inside = w->parentWidget()->rect();
        EXPECT_TRUE(inside.contains(w->geometry())) << w->objectName().toStdString();
    }
    for (QWidget* a : controls) {
        for (QWidget* b : controls) {
            if (a >= b || a->parentWidget() != b->parentWidget())
                continue;
            if (a->geometry().intersects(b->geometry())) {
                EXPECT_TRUE(OverlapIntended(a->objectName(), b->objectName()))
                    << a->objectName().toStdString() << " overlaps " << b->objectName().toStdString();
            }
        }
    }
}

TEST_F(HighDpi, AboutLogoIsDrawnFromItsDoubleSizeBitmap)
{
    if (form->devicePixelRatio() < 2.0)
        GTEST_SKIP() << "the platform ignores QT_SCALE_FACTOR";
    Choose("about");
    ASSERT_NE(TopLevel("Form5"), nullptr);
    QWidget* logo = TopLevel("Form5")->findChild<QWidget*>("Image1");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->size(), QSize(62, 31));
    EXPECT_EQ(DifferingOpaquePixels(logo->grab().toImage(), QImage(":/lumora/logo@2x.png")), 0);
}

// No caption or text is cut off.
TEST_F(HighDpi, CaptionsAndTextsFitTheirControls)
{
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
        const int needed = button->fontMetrics().horizontalAdvance(button->text()) + 4;
        EXPECT_LE(needed, button->width()) << button->objectName().toStdString();
    }
    for (QGroupBox* frame : form->findChildren<QGroupBox*>()) {
        const int needed = frame->fontMetrics().horizontalAdvance(frame->title()) + 8;
        EXPECT_LE(needed, frame->width()) << frame->objectName().toStdString();
    }
    for (QRadioButton* option : form->findChildren<QRadioButton*>()) {
        EXPECT_LE(option->sizeHint().width(), option->width()) << option->objectName().toStdString();
        EXPECT_LE(option->fontMetrics().height(), option->height()) << option->objectName().toStdString();
    }
    // The widest texts the boxes show: titles, legend, a clock and a wattage.
    const std::pair<const char*, QString> boxes[] = {{"Text12", "LED Converter Calculator"},
                                                     {"Text8", "LED Resistor Calculator"},
                                                     {"Text10", "Days     H     M      S"},
                                                     {"Text9", "23:59:59"},
                                                     {"Text7", "999"},
                                                     {"Text25", "123456.78"},
                                                     {"Text6", "83.25"}};
    for (const auto& [name, text] : boxes) {
        QLineEdit* box = Field(name);
        const QRect ink = box->fontMetrics().tightBoundingRect(text);
        EXPECT_LE(box->fontMetrics().horizontalAdvance(text), box->width()) << name;
        EXPECT_LE(ink.height(), box->height()) << name;
    }
}

} // namespace
} // namespace lumora::ui::testing
