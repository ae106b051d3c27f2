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
};

}  // namespace

TEST_F(HitTesting, ABoxIsHitOnePixelOutsideItsEdgesAtEveryZoom) {
    MGShapeTable& table = AddTable("T", {100, 100, 200, 150});
    for (const int zoom : {25, 100, 400}) {
        box.SetZoom(zoom, 1);
        const Rect d = Mapped(table.Position());
        const int x = (d.left + d.right) / 2;
        const int y = (d.top + d.bottom) / 2;
        for (const int out : {1, 2}) {  // one pixel outside hits, two miss
            const std::vector<bool> hits{
                HitTest(table, box, d.left - out, y), HitTest(table, box, d.right + out, y),
                HitTest(table, box, x, d.top - out), HitTest(table, box, x, d.bottom + out)};
            EXPECT_EQ(hits, std::vector<bool>(4, out == 1)) << zoom << " " << out;
        }
    }
}

TEST_F(HitTesting, TheLaterOfTwoOverlappingBoxesWins) {
    AddTable("UNDER", {100, 100, 300, 200});
    AddTable("OVER", {200, 150, 400, 250});
    // The overlap, the lower box alone, nothing.
    for (const auto& [x, y, index] : {std::tuple{250, 170, 1}, {120, 120, 0}, {600, 600, -1}})
        EXPECT_EQ(HitBoxIndex(diagram, box, box.MapX(x), box.MapY(y)), index) << x << "," << y;
}

TEST_F(HitTesting, ALineIsHitWithinAboutTwoPixelsAtEveryZoomButNotItsTwinOrToAHiddenBox) {
    RelatedPair();
    for (const int zoom : {25, 100, 400}) {
        box.SetZoom(zoom, 1);
        const int x = box.MapX(300);
        const int y = box.MapY(140);
        // On the line, within two pixels, three away, far between the boxes.
        std::vector<int> hits;
        for (const int at : {y, y - 1, y + 2, y - 3, y + 3, box.MapY(170)})
            hits.push_back(HitRelationIndex(diagram, box, x, at));
        EXPECT_EQ(hits, (std::vector<int>{0, 0, 0, -1, -1, -1})) << zoom;
    }
    // Only the forward object (index 0) answers, though the twin shares its line.
    EXPECT_EQ(HitRelationIndex(diagram, box, box.MapX(250), box.MapY(140)), 0);
    diagram.Item(0)->SetDetailed(false);
    EXPECT_EQ(HitRelationIndex(diagram, box, box.MapX(300), box.MapY(140)), -1);
}
