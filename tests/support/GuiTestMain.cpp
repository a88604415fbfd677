// Entry point of tests that paint (fonts, images) but open no windows: a
// QGuiApplication, offscreen.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "support/TestSupport.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    vxtest::InitTestEnvironment();
    return RUN_ALL_TESTS();
}
