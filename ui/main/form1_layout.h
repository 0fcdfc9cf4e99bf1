#pragma once

#include <QHash>
#include <QString>

class QWidget;

namespace lumora::ui {

// The main window's geometry in twips.
constexpr int ClientWidthTwips = 6435; // client area below the menu bar
constexpr int ClientHeightTwips = 7215;
constexpr int BorderTwips = 78;              // outer width less client width
constexpr int ResistorViewWidthTwips = 6513; // outer width showing both calculators
constexpr int BasicViewWidthTwips = 3029;    // outer width showing the runtime calculator only

// Creates every control of the main window's client area from the layout
// tables, each named as in the layout ("Text21", "Command13", "Frame9"), and
// returns them by name.
QHash<QString, QWidget*> BuildForm1Controls(QWidget* client);

} // namespace lumora::ui
