// Entry point of the widget tests: a full QApplication (offscreen).
#include <gtest/gtest.h>

#include <QApplication>

#include "support/TestSupport.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    vxtest::InitTestEnvironment();
    return RUN_ALL_TESTS();
}
