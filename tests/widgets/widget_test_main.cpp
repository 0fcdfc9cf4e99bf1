// SPDX-License-Identifier: MIT
#include "ui/common/application.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// gtest_discover_tests runs the test programs at build time without the test
// environment, so the offscreen platform is chosen here when none is set.
int main(int argc, char* argv[])
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef LUMORA_TEST_SCALE_FACTOR
    qputenv("QT_SCALE_FACTOR", LUMORA_TEST_SCALE_FACTOR);
#endif
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    lumora::ui::PrepareApplication(app); // as the program's main() does
    return RUN_ALL_TESTS();
}
