// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace lumora::ui {

// Lets the program tell assistive tools what its windows and controls are:
// error windows are alerts, the help and about windows dialogs, the about
// logo is a link, controls lying wholly outside their window are off-screen,
// and a text box gives its whole text as one run (Qt 6.4's own gives none,
// and a screen reader then drops the last character). Call once the
// QApplication exists and before the first window is built, so that these
// answers come before Qt's own.
void InstallAccessibleInterfaces();

// What a control is marked as, with setProperty(mark, true), before its
// interface is first asked for, or followed by RenewAccessibleInterfaces.
namespace mark {
// Drawn for the look (a backdrop panel, an empty box): nothing to read or press.
inline constexpr const char* Decorative = "decorative";
// A read-only text box that shows a message: read as the message it says.
inline constexpr const char* Message = "readAsMessage";
// A message that assistive tools say when it appears (see Announce).
inline constexpr const char* Notification = "notification";
// A frame whose caption the field inside it already begins its name with:
// no name of its own, so that the caption is not said twice.
inline constexpr const char* CaptionOfItsField = "captionOfItsField";
inline constexpr const char* All[] = {Decorative, Message, Notification, CaptionOfItsField};
} // namespace mark

// Qt makes a control's accessible interface while building it, before it can
// be marked; this has the interfaces of root's marked descendants made
// afresh, as the marks now say.
void RenewAccessibleInterfaces(QWidget* root);

} // namespace lumora::ui
