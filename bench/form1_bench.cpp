// SPDX-License-Identifier: MIT
// A press of "Calculate" through the main window, on the offscreen platform:
// the texts are read from the fields, solved and written back. The
// "_repainted" variants also run the event loop until the window has painted
// the new texts.
#include "target_reporter.h"

#include "ui/main/form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <utility>
#include <vector>

namespace lumora::bench {
namespace {

constexpr double PressTargetMicros = 1000.0;

struct Press {
    void (ui::Form1::*click)();
    const char* wiring; // radio button to check first, or nullptr
    std::vector<std::pair<const char*, const char*>> inputs;
    const char* blank; // the field the press solves; emptied before every press
};

// Counts paint events of one widget.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

int VisibleWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += w->isVisible() ? 1 : 0;
    return count;
}

void BM_Form1Calculate(benchmark::State& state, const Press& press, bool repaint)
{
    using Clock = std::chrono::steady_clock;
    QPointer<ui::Form1> form = new ui::Form1;
    form->show();
    if (!QTest::qWaitForWindowExposed(form)) {
        state.SkipWithError("the main window was never exposed");
        delete form;
        return;
    }
    for (const auto& [name, text] : press.inputs)
        form->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    if (press.wiring)
        form->findChild<QRadioButton*>(QString::fromLatin1(press.wiring))->setChecked(true);
    QLineEdit* blank = form->findChild<QLineEdit*>(QString::fromLatin1(press.blank));
    PaintCounter paints;
    blank->installEventFilter(&paints);
    const int windowsBefore = VisibleWindows();
    QApplication::processEvents();

    bool solved = true;
    bool repainted = true;
    for (auto _ : state) {
        blank->clear();
        if (repaint)
            QApplication::processEvents();
        const int paintsBefore = paints.paints;
        const Clock::time_point start = Clock::now();
        (form->*press.click)();
        if (repaint)
            QApplication::processEvents();
        const Clock::time_point stop = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        solved = solved && !blank->text().isEmpty();
        repainted = repainted && paints.paints > paintsBefore;
    }

    // Only a press that solved without opening a window is the case measured.
    if (!solved)
        state.SkipWithError("a press left the blank field empty");
    else if (VisibleWindows() != windowsBefore)
        state.SkipWithError("a press opened a window");
    else if (repaint && !repainted)
        state.SkipWithError("the solved field was not repainted within a press");
    else
        SetTarget(state, PressTargetMicros);

    blank->removeEventFilter(&paints);
    form->close(); // destroys the other windows too
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete form; // in case the close was refused
}

const Press Runtime{&ui::Form1::Command1_Click,
                    nullptr,
                    {{"Text1", "750"}, {"Text2", "3.5"}, {"Text3", "4.2"}, {"Text4", "2000"}, {"Text6", "83"}},
                    "Text5"};
const Press Efficiency{&ui::Form1::Command1_Click,
                       nullptr,
                       {{"Text1", "750"}, {"Text2", "3.5"}, {"Text3", "4.2"}, {"Text4", "2000"}, {"Text5", "2.66"}},
                       "Text6"};
const Press SeriesResistance{&ui::Form1::Command13_Click,
                             "Option1",
                             {{"Text23", "9"}, {"Text22", "3.5"}, {"Text21", "20"}, {"Text13", "2"}},
                             "Text24"};
const Press ParallelCurrent{&ui::Form1::Command13_Click,
                            "Option2",
                            {{"Text23", "4.2"}, {"Text22", "3.6"}, {"Text24", "2"}, {"Text13", "4"}},
                            "Text21"};

BENCHMARK_CAPTURE(BM_Form1Calculate, runtime, Runtime, false)->UseManualTime();
BENCHMARK_CAPTURE(BM_Form1Calculate, efficiency, Efficiency, false)->UseManualTime();
BENCHMARK_CAPTURE(BM_Form1Calculate, series_resistance, SeriesResistance, false)->UseManualTime();
BENCHMARK_CAPTURE(BM_Form1Calculate, parallel_current, ParallelCurrent, false)->UseManualTime();
BENCHMARK_CAPTURE(BM_Form1Calculate, runtime_repainted, Runtime, true)->UseManualTime();
BENCHMARK_CAPTURE(BM_Form1Calculate, series_resistance_repainted, SeriesResistance, true)->UseManualTime();

} // namespace
} // namespace lumora::bench
