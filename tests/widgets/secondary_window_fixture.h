// SPDX-License-Identifier: MIT
#pragma once

#include "form1_fixture.h"

#include "ui/common/secondary_windows.h"
#include "ui/dialogs/error_dialog.h"
#include "ui/dialogs/error_windows.h"

namespace lumora::ui::testing {

// Secondary windows shown beside a stand-in for the main window, which the
// window system activates again when a secondary window is hidden.
class SecondaryWindowTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        mainWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    }

    void BackToMainWindow()
    {
        mainWindow.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    }

    // An error window, as the main window shows it or made hidden.
    ErrorDialog* ShowError(ErrorWindow form)
    {
        return static_cast<ErrorDialog*>(windows.Show(NameOf(form), [form] { return NewErrorWindow(form); }));
    }
    ErrorDialog* EnsureError(ErrorWindow form)
    {
        return static_cast<ErrorDialog*>(windows.Ensure(NameOf(form), [form] { return NewErrorWindow(form); }));
    }

    void TearDown() override
    {
        windows.DestroyAll();
        FlushDeletes();
    }

    QWidget mainWindow;
    SecondaryWindows windows;
};

} // namespace lumora::ui::testing
