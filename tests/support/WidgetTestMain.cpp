// Entry point of the widget tests: a full QApplication (offscreen), with
// message boxes answered from the test's queue.
#include <gtest/gtest.h>

#include <QApplication>

#include "support/TestSupport.h"
#include "support/WidgetTestSupport.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    vxtest::InitTestEnvironment();
    vxtest::InstallAnswering();
    return RUN_ALL_TESTS();
}
