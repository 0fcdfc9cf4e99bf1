// SPDX-License-Identifier: MIT
#pragma once

#include "form1_fixture.h"

#include "ui/common/secondary_windows.h"

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

    void TearDown() override
    {
        windows.DestroyAll();
        FlushDeletes();
    }

    QWidget mainWindow;
    SecondaryWindows windows;
};

} // namespace lumora::ui::testing
