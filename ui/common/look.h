// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QIcon>
#include <QObject>
#include <QProxyStyle>
#include <QString>

class QWidget;

namespace lumora::ui {

// How the windows look: the classic framed style in the desktop's colours,
// the faces and sizes the layouts were drawn with, and the program's icon.

// The classic framed look the windows are drawn for, in the colours of the
// palette the platform gives (or the program was given before this call).
void ApplyClassicLook();

// Gives the program and a window the program's icon. The main window does
// so once its first frame is painted: the pictures need not be decoded
// before anything can be seen.
void ShowProgramIcon(QWidget* window);

// The faces the windows were drawn with, in the point sizes of the layouts.
// Where a face is missing, a metric-compatible stand-in takes its place:
// "Arial" -> Liberation Sans, "MS Sans Serif" -> Liberation Sans (it shares
// Microsoft Sans Serif's proportions closely enough for these short texts),
// "Tahoma" -> DejaVu Sans Condensed (Tahoma is the narrow cut of the Verdana
// design that DejaVu Sans follows).
QFont ClassicFont(const QString& face, qreal points, bool bold = true);

inline const QString Arial = QStringLiteral("Arial");
inline const QString MsSansSerif = QStringLiteral("MS Sans Serif");
inline const QString Tahoma = QStringLiteral("Tahoma");

// The program's icon, shared by every window.
QIcon ProgramIcon();

// The classic framed "Windows" look with a plain focus mark: a focused text
// box shows its 2-pixel frame in the highlight colour instead of the sunken
// edge, and a focused borderless one (a title box) a dotted focus rectangle.
// Nothing moves or changes size.
class ClassicStyle : public QProxyStyle {
    Q_OBJECT

  public:
    ClassicStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// Keeps a text box's background (QPalette::Base) in the button-face colour
// (QPalette::Button) of the palette it inherits, now and after every palette
// change, such as a switch of the desktop to a high-contrast or dark scheme.
// Every other colour of the box keeps following its window.
class ButtonFaceBackground : public QObject {
    Q_OBJECT

  public:
    explicit ButtonFaceBackground(QWidget* box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Follow();

    QWidget* m_box;
};

} // namespace lumora::ui
