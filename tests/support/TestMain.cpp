// Test entry point: registers the stored classes and points the class
// defaults at a private folder before any test runs.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "support/TestSupport.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    vxtest::InitTestEnvironment();
    return RUN_ALL_TESTS();
}
