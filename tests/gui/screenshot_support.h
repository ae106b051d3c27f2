// What the screenshot tests share: the picture of a widget saved into the
// folder scripts/screenshots names, and the main window shown on the
// sample design.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

#include "app/main_window.h"

namespace tabulorix {

// The widget as the screen shows it, once pending paints are done, saved
// as folder/name.
inline void SaveScreenshot(QWidget& widget, const QString& folder, const char* name) {
    QTest::qWait(50);
    ASSERT_TRUE(widget.grab().save(QDir(folder).filePath(QString::fromLatin1(name))));
}

// The window at 1280 × 800, shown, with the sample design open.
inline void ShowSample(TForm1& window) {
    window.resize(1280, 800);
    window.show();
    ASSERT_TRUE(window.OpenDesignPath(QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx")));
}

// The page "表関連図" of the window.
inline void ShowDiagramPage(TForm1& window) {
    window.findChild<QTabWidget*>(QStringLiteral("PageControlTop"))->setCurrentIndex(1);
}

}  // namespace tabulorix
