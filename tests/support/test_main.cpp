// Test entry point: a QGuiApplication (offscreen unless a display is chosen)
// must exist before fonts can be measured or painted, so every test program
// starts one before running the tests.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
