#include "ui/common/secondary_window.h"

#include "ui/common/program_icon.h"
#include "ui/common/twips.h"

#include <QKeyEvent>

namespace lumora::ui {

SecondaryWindow::SecondaryWindow(const QString& name, const QString& title, int clientWidthTwips, int clientHeightTwips,
                                 Frame frame)
    : QWidget(nullptr)
{
    setObjectName(name);
    setWindowTitle(title);
    setWindowIcon(ProgramIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    const QSize client = TwipSize(clientWidthTwips, clientHeightTwips);
    if (frame == Frame::Fixed) {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
        setFixedSize(client);
    } else {
        setWindowFlags(Qt::Window);
        resize(client);
    }
}

void SecondaryWindow::ShowActive()
{
    show();
    raise();
    activateWindow();
    if (QWidget* target = FocusOnShow())
        target->setFocus(Qt::OtherFocusReason);
    // Activation may arrive later from the window system; the focus goes to
    // the button then as well.
    m_focusOnActivation = !isActiveWindow();
}

bool SecondaryWindow::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && m_focusOnActivation) {
        m_focusOnActivation = false;
        if (QWidget* target = FocusOnShow())
            target->setFocus(Qt::ActiveWindowFocusReason);
    }
    return handled;
}

void SecondaryWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace lumora::ui
