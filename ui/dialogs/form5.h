#pragma once

#include "ui/common/secondary_window.h"

#include <QPointer>
#include <QUrl>

class QLabel;
class QMessageBox;

namespace lumora::ui {

// The about window: six framed read-only sections (summary, credits, beta
// testers, version history, contact, support), the logo that opens the
// project's web page when clicked, and a "Close" button that only hides the
// window.
class Form5 : public SecondaryWindow {
    Q_OBJECT

  public:
    Form5();

    // The project's web page that a click on the logo opens.
    static QUrl WebPage();

  public slots:
    // The logo was clicked: opens the web page in the user's browser without
    // waiting for it. The window stays open; if no browser could be asked,
    // a small notice says so and the program goes on.
    void Image1_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* m_logo = nullptr;   // Image1
    bool m_logoPressed = false; // the left button went down on the logo
    QPointer<QMessageBox> m_linkFailure;
};

} // namespace lumora::ui
