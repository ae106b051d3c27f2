// Entry point of the GUI tests: a QApplication under the offscreen platform
// (unless a display is chosen), the locale fixed as in the other suites.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LC_ALL", "C.UTF-8", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Recent files and window geometry go to a test location, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("tabulorix-tests"));
    QApplication::setApplicationName(QStringLiteral("tabulorix-tests"));
    return RUN_ALL_TESTS();
}
