// Pictures of the diagram tab for people to look at (scripts/screenshots):
// the zoom steps 25, 100 and 400 %, a selection band being drawn and the
// find box with results. Written only when TABULORIX_SCREENSHOTS_DIR names a
// folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <optional>

#include "app/find_dialog.h"
#include "app/main_window.h"
#include "app/qt_ports.h"
#include "app/ui_language.h"
#include "app/window_actions.h"
#include "app/window_surfaces.h"
#include "diagram/draw_table_list.h"
#include "diagram/hit_test.h"
#include "render/draw_box.h"
#include "screenshot_support.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

void ZoomTo(TForm1& window, int zoom) {
    for (int i = 0; i < 8 && window.Document().WindowZoom() != zoom; ++i)
        WindowAction(window, window.Document().WindowZoom() < zoom ? "ZoomUp" : "ZoomDown")->trigger();
}

// A point of the paint box on no box and no line, searched from the
// bottom-right corner towards the top-left one.
std::optional<QPoint> BlankPoint(TForm1& window, const QWidget& paintBox) {
    ZMGDrawBox& box = window.Document().DrawBox();
    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    for (int d = 10; d < std::min(paintBox.width(), paintBox.height()); d += 5) {
        const QPoint at(paintBox.width() - d, paintBox.height() - d);
        if (HitBoxIndex(diagram, box, at.x(), at.y()) < 0 &&
            HitRelationIndex(diagram, box, at.x(), at.y()) < 0)
            return at;
    }
    return std::nullopt;
}

TEST(DiagramScreenshots, WriteWhenAsked) {
    const char* dir = std::getenv("TABULORIX_SCREENSHOTS_DIR");
    if (dir == nullptr || *dir == '\0') GTEST_SKIP() << "TABULORIX_SCREENSHOTS_DIR not set";
    InstallUiLanguage(UiLanguage::Japanese);
    testing::RecordingPorts ports;
    TForm1 window("-DEBUG");
    ShowSample(window);
    ShowDiagramPage(window);
    for (const auto& [zoom, name] :
         {std::pair{25, "diagram-zoom-25.png"}, std::pair{400, "diagram-zoom-400.png"},
          std::pair{100, "diagram-zoom-100.png"}}) {
        ZoomTo(window, zoom);
        ASSERT_EQ(window.Document().WindowZoom(), zoom);
        SaveScreenshot(window, dir, name);
    }

    // A band drawn from a blank spot up and to the left over some boxes,
    // the button still held.
    auto* paintBox = window.findChild<PaintBoxWidget*>(QStringLiteral("PaintBox"));
    const std::optional<QPoint> start = BlankPoint(window, *paintBox);
    ASSERT_TRUE(start.has_value());
    QTest::mousePress(paintBox, Qt::LeftButton, {}, *start);
    const QPoint end(start->x() / 3, start->y() / 3);
    for (int step = 1; step <= 4; ++step) QTest::mouseMove(paintBox, *start + (end - *start) * step / 4);
    SaveScreenshot(window, dir, "diagram-selection-band.png");
    QTest::mouseRelease(paintBox, Qt::LeftButton, {}, end);
    SaveScreenshot(window, dir, "diagram-band-selected.png");

    // The find box with a word typed and its results listed.
    WindowAction(window, "ActionFind")->trigger();
    TFindDlg& find = window.FindDialog();
    QTest::keyClicks(find.findChild<QLineEdit*>(QStringLiteral("FindText")), QStringLiteral("order"));
    ASSERT_FALSE(find.Found().empty());
    SaveScreenshot(find, dir, "find-box.png");
}

}  // namespace
}  // namespace tabulorix
