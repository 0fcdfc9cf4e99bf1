// SPDX-License-Identifier: MIT
#pragma once

#include "ui/common/secondary_window.h"

#include <QPointer>
#include <QUrl>

class QMessageBox;

namespace lumora::ui {

// The about window: six framed read-only sections (summary, credits, beta
// testers, version history, contact, support), the logo that opens the
// project's web page when clicked, and a "Close" button that only hides the
// window.
class Form5 : public SecondaryWindow {
    Q_OBJECT

  public:
    static constexpr const char* ObjectName = "Form5";

    Form5();

    // The project's web page that a click on the logo opens.
    static QUrl WebPage();

  public slots:
    // The logo was clicked (or pressed by an assistive tool): opens the web
    // page in the user's browser without waiting for it. The window stays
    // open; if no browser could be asked, a small notice says so and the
    // program goes on.
    void Image1_Click();

  protected:
    // Every section, caption first, the version history as far as it shows.
    QString TextInView() const override;

  private:
    QPointer<QMessageBox> m_linkFailure;
};

} // namespace lumora::ui
