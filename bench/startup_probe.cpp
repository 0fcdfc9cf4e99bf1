// SPDX-License-Identifier: MIT
// Start-up probe: opens one window, waits for its first painted frame, prints
// how long that took and the process's peak memory so far, and exits.
//
//   lumora_startup_probe lumora   the program's main window, started as the
//                                 program starts it
//   lumora_startup_probe bare     a bare Qt main window of the same size with a
//                                 menu bar of three menus, as the yardstick
//
// Output, one line:
//   variant=<v> app_ms=<ms> window_ms=<ms> main_to_frame_ms=<ms>
//   frame_epoch_us=<us> peak_rss_kib=<KiB>
// app_ms and window_ms are the times from main() until the QApplication and
// the window were constructed, to show where the time goes. frame_epoch_us is
// the wall clock at the frame, so that a driver that notes the clock before
// starting the process can include process creation, loading and static
// initialisation (run_startup.sh does). peak_rss_kib is -1 where getrusage is
// not available.
#include "ui/common/application.h"
#include "ui/common/twips.h"
#include "ui/main/form1.h"
#include "ui/main/form1_controls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

namespace {

long PeakRssKiB()
{
#if defined(__unix__) || defined(__APPLE__)
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return -1;
#if defined(__APPLE__)
    return static_cast<long>(usage.ru_maxrss / 1024); // bytes on macOS
#else
    return static_cast<long>(usage.ru_maxrss); // KiB on Linux and the BSDs
#endif
#else
    return -1;
#endif
}

// The yardstick: what any Qt program with a menu bar and a window of the main
// window's size costs.
QMainWindow* BareWindow()
{
    using namespace lumora::ui;
    auto* window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Bare"));
    QMenu* file = window->menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Exit"));
    QMenu* view = window->menuBar()->addMenu(QStringLiteral("View"));
    view->addAction(QStringLiteral("Basic"));
    view->addAction(QStringLiteral("Resistor Calculator"));
    QMenu* help = window->menuBar()->addMenu(QStringLiteral("Help"));
    help->addAction(QStringLiteral("Help"));
    help->addAction(QStringLiteral("About"));
    window->setCentralWidget(new QWidget);
    window->setFixedWidth(Pixels(ResistorViewWidthTwips - BorderTwips));
    window->setFixedHeight(window->menuBar()->sizeHint().height() + Pixels(ClientHeightTwips));
    return window;
}

// Reports once the first paint of the window has completed: the paint event
// reaches the window before its children, so the report is queued behind the
// rest of that frame.
class FirstFrame : public QObject {
  public:
    FirstFrame(const char* variant, const QElapsedTimer& sinceMain, qint64 appNs, qint64 windowNs)
        : m_variant(variant), m_sinceMain(sinceMain), m_appNs(appNs), m_windowNs(windowNs)
    {
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QMetaObject::invokeMethod(
                this, [this] { Report(); }, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    void Report() const
    {
        const double sinceMainMs = static_cast<double>(m_sinceMain.nsecsElapsed()) / 1e6;
        const long long epochUs =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
        std::printf("variant=%s app_ms=%.3f window_ms=%.3f main_to_frame_ms=%.3f frame_epoch_us=%lld "
                    "peak_rss_kib=%ld\n",
                    m_variant, static_cast<double>(m_appNs) / 1e6, static_cast<double>(m_windowNs) / 1e6, sinceMainMs,
                    epochUs, PeakRssKiB());
        std::fflush(stdout);
        // Ends here, at the first frame: what the program does after it (the
        // window icon, tearing down) is no part of starting up.
        std::_Exit(0);
    }

    const char* m_variant;
    const QElapsedTimer& m_sinceMain;
    qint64 m_appNs;
    qint64 m_windowNs;
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();

    const char* variant = argc > 1 ? argv[1] : "";
    const bool lumora = std::strcmp(variant, "lumora") == 0;
    if (!lumora && std::strcmp(variant, "bare") != 0) {
        std::fprintf(stderr, "usage: %s lumora|bare\n", argc > 0 ? argv[0] : "lumora_startup_probe");
        return 2;
    }

    QApplication app(argc, argv);
    const qint64 appNs = sinceMain.nsecsElapsed();
    QMainWindow* window = nullptr;
    if (lumora) {
        lumora::ui::PrepareApplication(app); // as the program's main() does
        window = new lumora::ui::Form1;
    } else {
        window = BareWindow();
    }
    FirstFrame firstFrame(variant, sinceMain, appNs, sinceMain.nsecsElapsed());
    window->installEventFilter(&firstFrame);
    window->show();

    QTimer::singleShot(30000, [] {
        std::fprintf(stderr, "no frame was painted within 30 s\n");
        QCoreApplication::exit(3);
    });
    const int status = app.exec();
    window->removeEventFilter(&firstFrame);
    delete window;
    return status;
}
