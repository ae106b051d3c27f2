// Entry point of the GUI tests: a QApplication under the offscreen platform
// (unless a display is chosen), the locale fixed as in the other suites.
// Each test process keeps its settings and recovery copies in a folder of
// its own, never the user's, so test programs running side by side do not
// see each other's recent files or copies.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LC_ALL", "C.UTF-8", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("tabulorix-tests"));
    QApplication::setApplicationName(QStringLiteral("tabulorix-tests"));
    const QTemporaryDir own;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, own.filePath(QStringLiteral("settings")));
    setenv("TABULORIX_RECOVERY_DIR", own.filePath(QStringLiteral("recovery")).toLocal8Bit().constData(), 0);
    return RUN_ALL_TESTS();
}
