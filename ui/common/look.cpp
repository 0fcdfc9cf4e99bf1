// SPDX-License-Identifier: MIT
#include "ui/common/look.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

namespace lumora::ui {

void ApplyClassicLook()
{
    // Only the style: the colours stay those of the desktop's palette, so a
    // high-contrast or dark scheme shows through the classic frames.
    QApplication::setStyle(new ClassicStyle);
}

void ShowProgramIcon(QWidget* window)
{
    QApplication::setWindowIcon(ProgramIcon());
    window->setWindowIcon(ProgramIcon());
}

namespace {

// The faces that stand in for each classic one, best first.
const QStringList& StandIns(const QString& face)
{
    static const QStringList arial = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")};
    static const QStringList msSansSerif = {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                            QStringLiteral("Arimo"), QStringLiteral("Helvetica"),
                                            QStringLiteral("DejaVu Sans")};
    static const QStringList tahoma = {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Verdana"),
                                       QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")};
    static const QStringList none;
    return face == Arial ? arial : face == MsSansSerif ? msSansSerif : face == Tahoma ? tahoma : none;
}

// The face to ask for: the classic one where it is installed, else the first
// installed stand-in. Asking for a missing face by name would send every
// font of every control through the font system's fallback search; the
// substitution table answers for a font made elsewhere by the classic name.
QString InstalledFace(const QString& face)
{
    static QHash<QString, QString> chosen;
    const auto known = chosen.constFind(face);
    if (known != chosen.constEnd())
        return *known;
    // The installed families as they are, without the alias resolution that
    // makes each QFontDatabase::hasFamily() a search of its own.
    static const QStringList families = QFontDatabase::families();
    const auto isInstalled = [](const QString& name) { return families.contains(name, Qt::CaseInsensitive); };
    QString installed = face;
    if (!isInstalled(face)) {
        const QStringList& standIns = StandIns(face);
        const auto first = std::find_if(standIns.begin(), standIns.end(), isInstalled);
        if (first != standIns.end())
            installed = *first;
    }
    QFont::insertSubstitutions(face, StandIns(face));
    chosen.insert(face, installed);
    return installed;
}

} // namespace

QFont ClassicFont(const QString& face, qreal points, bool bold)
{
    QFont font(InstalledFace(face));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QIcon ProgramIcon()
{
    // Built once and shared by every window; never destroyed, so it cannot
    // outlive the application object it needs. Title bars and task switchers
    // need 128 px at most; the 256 px picture is for the desktop's icon theme
    // and is not decoded at start-up.
    static const QIcon* const icon = [] {
        auto* result = new QIcon;
        for (int size : {16, 24, 32, 48, 64, 128}) {
            const QString path = QStringLiteral(":/lumora/icons/lumora-%1.png").arg(size);
            if (QFile::exists(path))
                result->addFile(path, QSize(size, size));
        }
        return result;
    }();
    return *icon;
}

ClassicStyle::ClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

void ClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    const auto* box = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const bool focused = box && (option->state & State_HasFocus);
    if (element == PE_FrameLineEdit && focused && box->lineWidth > 0) {
        QPainterPath frame; // filled odd-even: the frame's band alone
        frame.addRect(option->rect);
        frame.addRect(option->rect.adjusted(box->lineWidth, box->lineWidth, -box->lineWidth, -box->lineWidth));
        painter->fillPath(frame, option->palette.brush(QPalette::Highlight));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_PanelLineEdit && focused && box->lineWidth == 0) {
        QStyleOptionFocusRect mark;
        mark.QStyleOption::operator=(*option);
        mark.backgroundColor = option->palette.color(QPalette::Window);
        QProxyStyle::drawPrimitive(PE_FrameFocusRect, &mark, painter, widget);
    }
}

ButtonFaceBackground::ButtonFaceBackground(QWidget* box) : QObject(box), m_box(box)
{
    Follow();
    box->installEventFilter(this);
}

bool ButtonFaceBackground::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::PaletteChange)
        Follow();
    return QObject::eventFilter(watched, event);
}

void ButtonFaceBackground::Follow()
{
    // The button face is not the box's own colour, so it is the inherited one.
    const QColor face = m_box->palette().color(QPalette::Button);
    if (m_box->testAttribute(Qt::WA_SetPalette) && m_box->palette().color(QPalette::Base) == face)
        return;   // already in place; setting it again would only repeat this change
    QPalette own; // the background is the only colour of the box's own
    own.setColor(QPalette::Base, face);
    m_box->setPalette(own);
}

} // namespace lumora::ui
