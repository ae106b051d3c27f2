// The pixel hit test on a 4 × 4 raster square: box edges, lines at several
// zooms, the topmost of overlapping boxes, hidden boxes.
#include "diagram/hit_test.h"
#include "diagram/diagram_build.h"
#include "diagram/relation_lines.h"
#include "diagram_fixture.h"

using namespace tabulorix;

using namespace diagram_test;

namespace {

class HitTesting : public DiagramTest {
protected:
    MGShapeTable& AddTable(const std::string& name, const Rect& at) {
        return Place(Table("SCOTT", name, {{"ID"}}), at);
    }

    // EMP (child) left of DEPT (parent): one straight line at world y = 140.
    void TwoRelatedBoxes() {
        auto dept = Table("SCOTT", "DEPT", {{"DEPTNO"}});
        AddPrimaryKey(*dept, "PK_DEPT", 1, {"DEPTNO"});
        Place(std::move(dept), {400, 100, 500, 180});
        auto emp = Table("SCOTT", "EMP", {{"DEPTNO"}});
        AddForeignKey(*emp, "FK", "SCOTT", 1, {"DEPTNO"});
        Place(std::move(emp), {100, 100, 200, 180});
        MarkKeys(diagram);
        BuildRelations(diagram);
        SpreadAttachments(diagram);
    }
};

}  // namespace

TEST_F(HitTesting, ABoxIsHitOnePixelOutsideItsEdgesAtEveryZoom) {
    MGShapeTable& table = AddTable("T", {100, 100, 200, 150});
    for (const int zoom : {25, 100, 400}) {
        SCOPED_TRACE(zoom);
        box.SetZoom(zoom, 1);
        const Rect d = Mapped(table.Position());
        const int x = (d.left + d.right) / 2;
        const int y = (d.top + d.bottom) / 2;
        for (const int out : {1, 2}) {  // one pixel outside hits, two miss
            EXPECT_EQ(HitTest(table, box, d.left - out, y), out == 1) << out;
            EXPECT_EQ(HitTest(table, box, d.right + out, y), out == 1) << out;
            EXPECT_EQ(HitTest(table, box, x, d.top - out), out == 1) << out;
            EXPECT_EQ(HitTest(table, box, x, d.bottom + out), out == 1) << out;
        }
    }
}

TEST_F(HitTesting, TheLaterOfTwoOverlappingBoxesWins) {
    AddTable("UNDER", {100, 100, 300, 200});
    AddTable("OVER", {200, 150, 400, 250});
    const Rect overlap = Mapped({250, 170, 260, 180});
    EXPECT_EQ(HitBoxIndex(diagram, box, overlap.left, overlap.top), 1);
    const Rect underOnly = Mapped({120, 120, 130, 130});
    EXPECT_EQ(HitBoxIndex(diagram, box, underOnly.left, underOnly.top), 0);
    const Rect nothing = Mapped({600, 600, 610, 610});
    EXPECT_EQ(HitBoxIndex(diagram, box, nothing.left, nothing.top), -1);
}

TEST_F(HitTesting, ALineIsHitWithinAboutTwoPixelsAtEveryZoom) {
    TwoRelatedBoxes();
    for (const int zoom : {25, 100, 400}) {
        SCOPED_TRACE(zoom);
        box.SetZoom(zoom, 1);
        const int x = box.MapX(300);
        const int y = box.MapY(140);
        EXPECT_EQ(HitRelationIndex(diagram, box, x, y), 0);
        EXPECT_EQ(HitRelationIndex(diagram, box, x, y - 1), 0);
        EXPECT_EQ(HitRelationIndex(diagram, box, x, y + 2), 0);
        EXPECT_EQ(HitRelationIndex(diagram, box, x, y - 3), -1);
        EXPECT_EQ(HitRelationIndex(diagram, box, x, y + 3), -1);
        // Far from the line, between the boxes.
        EXPECT_EQ(HitRelationIndex(diagram, box, x, box.MapY(170)), -1);
    }
}

TEST_F(HitTesting, TwinsAndLinesToHiddenBoxesAreNeverHit) {
    TwoRelatedBoxes();
    // Only the forward object (index 0) answers, though the twin shares its line.
    EXPECT_EQ(HitRelationIndex(diagram, box, box.MapX(250), box.MapY(140)), 0);
    diagram.Item(0)->SetDetailed(false);
    EXPECT_EQ(HitRelationIndex(diagram, box, box.MapX(300), box.MapY(140)), -1);
}
