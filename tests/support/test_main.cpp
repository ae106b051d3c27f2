// Test entry point: a QGuiApplication (offscreen unless a display is chosen)
// must exist before fonts can be measured or painted, so every test program
// starts one before running the tests. The locale is fixed so that system
// messages and the programs the tests start behave the same everywhere.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LC_ALL", "C.UTF-8", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
