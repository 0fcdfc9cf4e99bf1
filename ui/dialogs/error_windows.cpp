// SPDX-License-Identifier: MIT
#include "ui/dialogs/error_windows.h"

#include "calc/calculators/messages.h"
#include "ui/common/look.h"
#include "ui/dialogs/error_dialog.h"

#include <algorithm>
#include <iterator>

namespace lumora::ui {

namespace {

struct Row {
    ErrorWindow form;
    ErrorDialogLayout layout;
};

using Message = ErrorDialogLayout::Message;

// Client size, message box and OK button in twips from the client's corner.
const Row& RowOf(ErrorWindow form)
{
    // clang-format off
    static const Row rows[] = {
        {ErrorWindow::Form2, {.name = "Form2", .kind = Message::Label, .client = {4966, 1469},
                              .message = {117, 234, 4693, 598}, .messageFont = {MsSansSerif, 11.18},
                              .button = {1521, 702, 2002, 481}, .buttonFont = {MsSansSerif, 12.58},
                              .defaultButton = true}},
        {ErrorWindow::Form3, {.name = "Form3", .kind = Message::Label, .client = {3822, 1417},
                              .message = {117, 234, 3640, 832}, .messageFont = {MsSansSerif, 11.18},
                              .button = {1053, 702, 1768, 481}, .buttonFont = {MsSansSerif, 11.18},
                              .defaultButton = true}},
        {ErrorWindow::Form6, {.name = "Form6", .kind = Message::TextBox, .client = {4004, 1235},
                              .message = {117, 117, 3757, 481}, .messageFont = {Arial, 9.79},
                              .button = {1170, 702, 1651, 481}, .buttonFont = {Arial, 9.79},
                              .defaultButton = false}},
        {ErrorWindow::Form7, {.name = "Form7", .kind = Message::TextBox, .client = {4004, 1274},
                              .message = {117, 117, 3757, 481}, .messageFont = {Arial, 9.79},
                              .button = {1053, 702, 1768, 481}, .buttonFont = {Arial, 11.18},
                              .defaultButton = false}},
        {ErrorWindow::Form8, {.name = "Form8", .kind = Message::TextBox, .client = {4056, 1248},
                              .message = {0, 234, 3991, 364}, .messageFont = {Arial, 9.79},
                              .button = {1053, 702, 1885, 481}, .buttonFont = {Arial, 11.89},
                              .defaultButton = false}},
    };
    // clang-format on
    return *std::find_if(std::begin(rows), std::end(rows), [form](const Row& row) { return row.form == form; });
}

} // namespace

QString NameOf(ErrorWindow window) { return QString::fromLatin1(RowOf(window).layout.name); }

ErrorDialog* NewErrorWindow(ErrorWindow window)
{
    return new ErrorDialog(RowOf(window).layout, QString::fromUtf8(ErrorMessage(window)));
}

} // namespace lumora::ui
