// The diagram's paint box driven with QTest's mouse, wheel and key events:
// what the box shows after a drag or a scroll is exactly what a full repaint
// of the same state draws (no outline pixel left behind, no stale strip);
// double clicks open what the window can open; a load showing its progress
// leaves the picture alone. Run also with QT_SCALE_FACTOR=2 (ctest entry
// test_gui_scale2), where the image has twice the pixels each way.
#include <gtest/gtest.h>

#include <QAction>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWheelEvent>
#include <map>
#include <string>
#include <vector>

#include "app/catalogue_panels.h"
#include "app/diagram_mouse.h"
#include "app/main_window.h"
#include "app/status_dialog.h"
#include "app/window_actions.h"
#include "app/window_surfaces.h"
#include "designfile/design_save.h"
#include "diagram/draw_table_list.h"
#include "diagram/hit_test.h"
#include "diagram/shape_relation.h"
#include "diagram/shape_table.h"
#include "render/draw_box.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

const QString kSampleDesign = QStringLiteral(TABULORIX_SOURCE_DIR "/examples/sample.tlx");

// The first pixel where two pictures differ, or "" when they are the same.
std::string FirstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return "sizes differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return "";
}

class DiagramWidgetTest : public ::testing::Test {
protected:
    // The sample design on the diagram tab at the zoom, in a window of the size.
    void Open(int zoom, QSize size = QSize(900, 600)) {
        window_.reset();  // one diagram at a time
        window_ = std::make_unique<TForm1>("-DEBUG");
        ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
        pages_ = window_->findChild<QTabWidget*>("PageControlTop");
        pages_->setCurrentIndex(1);
        window_->resize(size);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        box_ = window_->findChild<PaintBoxWidget*>("PaintBox");
        while (window_->Document().WindowZoom() > zoom && WindowAction(*window_, "ZoomDown")->isEnabled())
            WindowAction(*window_, "ZoomDown")->trigger();
        ASSERT_EQ(window_->Document().WindowZoom(), zoom);
        Shown();
    }
    // What the box shows once pending paints are done (a paint draws only
    // what was invalidated).
    QImage Shown() {
        QCoreApplication::processEvents();
        box_->repaint();
        return box_->Picture().copy();
    }
    // The whole diagram drawn anew in the same state.
    QImage FullRepaint() {
        box_->Repaint();
        box_->repaint();
        return box_->Picture().copy();
    }
    Rect Device(const Rect& r) { return window_->Document().DrawBox().MapRect(r); }
    QPoint DeviceCentre(const MGShapeTable& table) {
        const Rect r = Device(table.Position());
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    QString TreeCurrent() const { return window_->Panels().Tree().currentIndex().data().toString(); }

    testing::RecordingPorts ports_;
    std::unique_ptr<TForm1> window_;
    QTabWidget* pages_ = nullptr;
    PaintBoxWidget* box_ = nullptr;
};

// ---- a drag leaves no outline behind --------------------------------------

struct DragCase {
    const char* name;
    std::vector<QPoint> moves;  // relative to the grip, in device pixels
    bool escape;                // Escape before the release
    bool boxMoves;              // the box lands elsewhere
};

const std::vector<DragCase> kDrags = {
    {"dropped elsewhere", {{5, 3}, {20, 12}, {41, 30}}, false, true},
    {"moved there and back again", {{10, 6}, {30, 22}, {10, 6}, {30, 22}, {44, 9}}, false, true},
    {"dropped where it started", {{15, 9}, {30, 20}, {0, 0}}, false, false},
    {"given up with Escape", {{12, 7}, {33, 25}}, true, false},
    {"pushed past the top left edge", {{-4000, -4000}}, false, false},
};

class DiagramWidgetDrag : public DiagramWidgetTest, public ::testing::WithParamInterface<int> {};

TEST_P(DiagramWidgetDrag, TheBoxShowsWhatAFullRepaintDrawsAfterEveryKindOfDrag) {
    for (const DragCase& drag : kDrags) {
        SCOPED_TRACE(drag.name);
        Open(GetParam());
        MGShapeTable& table = *MGDrawTableList::Current()->FindBox("SALES", "CUSTOMER_ORDER");
        const Rect start = table.Position();
        const QPoint grip = DeviceCentre(table);
        // Selected first by a click, so that the drag changes only where
        // the box is.
        QTest::mouseClick(box_, Qt::LeftButton, {}, grip);
        ASSERT_EQ(table.State(), MGShapeRect::kStateSelected);
        const QImage before = Shown();
        QTest::mousePress(box_, Qt::LeftButton, {}, grip);
        std::map<std::pair<int, int>, QImage> seen;  // the picture at each place the mouse was
        for (const QPoint& move : drag.moves) {
            QTest::mouseMove(box_, grip + move);
            const QImage during = Shown();
            // While a box follows the mouse, its outline is on the picture.
            EXPECT_TRUE(!drag.boxMoves || FirstDifference(during, before) != "");
            // Back at a place, the outline drawn before is erased exactly.
            const auto [at, first] = seen.emplace(std::make_pair(move.x(), move.y()), during);
            EXPECT_EQ(first ? "" : FirstDifference(during, at->second), "") << move.x() << ", " << move.y();
        }
        if (drag.escape) QTest::keyClick(box_, Qt::Key_Escape);
        QTest::mouseRelease(box_, Qt::LeftButton, {}, grip + drag.moves.back());
        EXPECT_EQ(table.Position() != start, drag.boxMoves);
        // Dropped elsewhere, it lands where the mouse let go and the design is modified.
        const Rect from = Device(start), to = Device(table.Position());
        EXPECT_TRUE(!drag.boxMoves || (QPoint(to.left - from.left, to.top - from.top) == drag.moves.back() &&
                                       IsModified(window_->Document().Context())));
        const QImage shown = Shown();
        EXPECT_EQ(FirstDifference(shown, FullRepaint()), "");
        EXPECT_EQ(drag.boxMoves ? "" : FirstDifference(shown, before), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Zooms, DiagramWidgetDrag, ::testing::Values(100, 25));

// ---- a scroll shows what a repaint at the new offset draws ---------------

struct ScrollCase {
    const char* name;
    int steps;  // scroll bar single steps, or wheel notches when wheel
    bool wheel;
    bool sideways;  // the horizontal bar (Shift + wheel)
};

const std::vector<ScrollCase> kScrolls = {
    {"one step down the bar", 1, false, false},     {"five steps down the bar", 5, false, false},
    {"three steps along the bar", 3, false, true},  {"one wheel notch", 1, true, false},
    {"four wheel notches sideways", 4, true, true},
};

class DiagramWidgetScroll : public DiagramWidgetTest, public ::testing::WithParamInterface<int> {};

TEST_P(DiagramWidgetScroll, TheBoxShowsWhatAFullRepaintAtTheNewOffsetDraws) {
    for (const ScrollCase& scroll : kScrolls) {
        SCOPED_TRACE(scroll.name);
        // Small enough that the diagram can scroll at zoom 25 too.
        Open(GetParam(), QSize(420, 320));
        auto* bar = window_->findChild<QScrollBar*>(scroll.sideways ? "HScrollBar" : "VScrollBar");
        ASSERT_GT(bar->maximum(), bar->minimum());
        const QImage before = Shown();
        const int position = bar->value();
        for (int i = 0; i < scroll.steps; ++i) {
            if (!scroll.wheel) {
                bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                continue;
            }
            const QPoint at(100, 100);
            QWheelEvent wheel(at, box_->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                              scroll.sideways ? Qt::ShiftModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(box_, &wheel);
        }
        ASSERT_GT(bar->value(), position);
        const QImage scrolled = Shown();
        EXPECT_NE(FirstDifference(scrolled, before), "");
        EXPECT_EQ(FirstDifference(scrolled, FullRepaint()), "");
        // And back where it was, the first picture again.
        bar->setValue(position);
        EXPECT_EQ(FirstDifference(Shown(), before), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Zooms, DiagramWidgetScroll, ::testing::Values(100, 25));

// ---- double clicks ---------------------------------------------------------

// A device point in view where a line is hit and no box is, with the
// line's child box (a line opens its child).
std::pair<QPoint, MGShapeTable*> PointOnALine(ZMGDrawBox& box, const QRect& view) {
    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    for (int i = 0; i < diagram.RelationCount(); ++i) {
        const Rect area = box.MapRect(diagram.RelationItem(i)->DrawnBounds(box));
        for (int y = std::max(area.top, view.top()); y <= std::min(area.bottom, view.bottom()); ++y)
            for (int x = std::max(area.left, view.left()); x <= std::min(area.right, view.right()); ++x) {
                const int hit = HitRelationIndex(diagram, box, x, y);
                if (hit >= 0 && HitBoxIndex(diagram, box, x, y) < 0)
                    return {QPoint(x, y), diagram.RelationItem(hit)->OwnBox()};
            }
    }
    return {QPoint(-1, -1), nullptr};
}

TEST_F(DiagramWidgetTest, ADoubleClickOnATableViewOrLineShowsItsSheetAndTreeNodeOnTheLegendNothing) {
    for (const char* target : {"CUSTOMER_ORDER", "V_ORDER_SUMMARY", "Legend", "a relation line"}) {
        SCOPED_TRACE(target);
        Open(100, QSize(1400, 1000));
        MGDrawTableList& diagram = *MGDrawTableList::Current();
        auto [at, box] = PointOnALine(window_->Document().DrawBox(), box_->rect());
        const bool legend = target == std::string("Legend");
        if (std::string(target) != "a relation line") {
            box = diagram.FindBox("SALES", target);
            for (int i = 0; i < diagram.Count() && legend; ++i)
                if (diagram.Item(i)->Name() == "Legend") box = diagram.Item(i);
            ASSERT_NE(box, nullptr);
            window_->Mouse().ShowTable(box->SchemaNumber(), box->Name());  // into view
            at = DeviceCentre(*box);
        }
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(box_->rect().contains(at));
        const QString treeBefore = TreeCurrent();
        QTest::mouseDClick(box_, Qt::LeftButton, {}, at);
        EXPECT_EQ(pages_->currentIndex(), legend ? 1 : 0);  // シート
        EXPECT_EQ(TreeCurrent(), legend ? treeBefore : QString::fromStdString(box->Name()));
        EXPECT_TRUE(legend || box->State() == MGShapeRect::kStateSelected);
    }
}

// ---- a load keeps the picture ----------------------------------------------

// While a load shows its progress the window handles paint events; the box
// then shows the picture it showed and draws nothing of the model being
// replaced, even when asked to repaint.
TEST_F(DiagramWidgetTest, WhileALoadShowsItsProgressTheBoxKeepsItsPicture) {
    Open(100);
    // Scrolled, so that a picture of the reloaded design (at offset 0) differs.
    window_->findChild<QScrollBar*>("VScrollBar")->triggerAction(QAbstractSlider::SliderPageStepAdd);
    const QImage before = Shown();
    TStatusDlg status(window_.get(), [this] { return window_->Busy(); });
    const ScopedPorts withStatus(UiPorts{&ports_, &ports_, &status, &ports_});
    int paintsDuringLoad = 0;
    QImage duringLoad;
    QTimer::singleShot(0, [&] {
        if (!status.isVisible()) return;
        ++paintsDuringLoad;
        duringLoad = FullRepaint();
    });
    ASSERT_TRUE(window_->OpenDesignPath(kSampleDesign));
    ASSERT_EQ(paintsDuringLoad, 1);
    EXPECT_EQ(FirstDifference(duringLoad, before), "");
    // Afterwards the box draws the loaded design.
    EXPECT_NE(FirstDifference(Shown(), before), "");
}

}  // namespace
}  // namespace tabulorix
