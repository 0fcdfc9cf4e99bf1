// SPDX-License-Identifier: MIT
// The benchmark program: a QApplication for the window benchmarks (offscreen
// unless a platform is chosen), then Google Benchmark with a report of every
// time target. Exits with 1 when a target was missed.
#include "target_reporter.h"

#include "ui/common/application.h"
#include "ui/main/form1.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lumora::ui::PrepareApplication(app);

    return lumora::bench::RunJudged(argc, argv);
}
