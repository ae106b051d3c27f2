// Pictures of the main window for people to look at: written only when
// TABULORIX_SCREENSHOTS_DIR names a directory (scripts/screenshots).
#include <gtest/gtest.h>

#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>

#include "app/main_window.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

void Save(QWidget& widget, const QString& dir, const char* name) {
    QTest::qWait(50);
    ASSERT_TRUE(widget.grab().save(QDir(dir).filePath(QString::fromLatin1(name))));
}

TEST(WindowScreenshots, WriteWhenAsked) {
    const char* dir = std::getenv("TABULORIX_SCREENSHOTS_DIR");
    if (dir == nullptr || *dir == '\0') GTEST_SKIP() << "TABULORIX_SCREENSHOTS_DIR not set";
    testing::RecordingPorts ports;
    TForm1 window("-DEBUG");
    window.resize(1280, 800);
    window.show();
    Save(window, dir, "main-window-empty.png");
    ASSERT_TRUE(window.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
    Save(window, dir, "main-window-sample-sheet.png");
    window.findChild<QTabWidget*>(QStringLiteral("PageControlTop"))->setCurrentIndex(1);
    Save(window, dir, "main-window-sample-diagram.png");
}

}  // namespace
}  // namespace tabulorix
