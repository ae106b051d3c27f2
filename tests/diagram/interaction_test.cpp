// The diagram under the mouse: selection by click, Shift-click and band,
// dragging with the freeze at the edges, double clicks, free texts and
// bringing a table into view, on the recording paint box (1000 × 1000 world
// units of paper, 800 × 600 pixels of view).
#include "diagram/interaction.h"

#include <algorithm>

#include "diagram/diagram_build.h"
#include "diagram/diagram_paint.h"
#include "diagram/hit_test.h"
#include "diagram/relation_lines.h"
#include "diagram_fixture.h"

using namespace tabulorix;
using namespace diagram_test;

namespace {

class RecordingInteractionHost final : public MGInteractionHost {
public:
    void SetDeleteTextEnabled(bool enabled) override { deleteEnabled = enabled; }
    void RequestOpen(MGShapeTable& box) override { opened.push_back(box.Name()); }
    bool AskText(MGTextEntry& entry) override {
        asked.push_back(entry);
        if (!answer) return false;
        entry = *answer;
        return true;
    }
    MGTextEntry DefaultText() const override { return {"", "IPAPGothic", 9, 0}; }

    bool deleteEnabled = false;
    std::vector<std::string> opened;
    std::vector<MGTextEntry> asked;
    std::optional<MGTextEntry> answer;
};

class Interaction : public DiagramTest {
protected:
    MGShapeTable& AddTable(const std::string& name, const Rect& at) {
        return Place(Table("SCOTT", name, {{"ID"}}), at);
    }
    // The device point in the middle of a world rectangle.
    std::pair<int, int> Middle(const Rect& world) {
        const Rect d = Mapped(world);
        return {(d.left + d.right) / 2, (d.top + d.bottom) / 2};
    }
    void Click(const Rect& world, bool shift = false, bool right = false, bool twice = false) {
        const auto [x, y] = Middle(world);
        interaction.MouseDown(MGMouse{x, y, right, shift, twice}, MGToolMode::Select);
        interaction.MouseUp(x, y);
    }
    // Presses in the middle of the box, moves by (dx, dy) pixels in steps,
    // releases.
    void Drag(const Rect& world, std::initializer_list<std::pair<int, int>> steps, bool shift = false) {
        const auto [x, y] = Middle(world);
        interaction.MouseDown(MGMouse{x, y, false, shift, false}, MGToolMode::Select);
        for (const auto& [dx, dy] : steps) interaction.MouseMove(x + dx, y + dy);
        interaction.MouseUp(x, y);
    }
    void Band(int x1, int y1, int x2, int y2) {
        interaction.MouseDown(MGMouse{x1, y1}, MGToolMode::Select);
        interaction.MouseMove((x1 + x2) / 2, (y1 + y2) / 2);
        interaction.MouseMove(x2, y2);
        interaction.MouseUp(x2, y2);
    }
    static bool Selected(const MGShapeRect& shape) { return shape.State() == MGShapeRect::kStateSelected; }

    RecordingInteractionHost host;
    MGDiagramInteraction interaction{diagram, box, host, 2};
};

}  // namespace

TEST_F(Interaction, ADragThatWouldLeaveTheGridFreezesTheWholeSelectionAtItsLastValidPlace) {
    MGShapeTable& near = AddTable("NEAR", {60, 100, 160, 180});
    MGShapeTable& far = AddTable("FAR", {500, 500, 600, 580});
    Click(near.Position());
    Drag(far.Position(), {{-30, 0}, {-80, 0}}, true);  // -80 would put NEAR at -20
    EXPECT_EQ(std::pair(near.Position(), far.Position()),
              std::pair(Rect{30, 100, 130, 180}, Rect{470, 500, 570, 580}));
    EXPECT_TRUE(Selected(near) && Selected(far) && diagram.Modified());
    Drag(far.Position(), {{500, 0}});  // past the right edge of the grid (1000 units) likewise
    EXPECT_EQ(far.Position().left, 470);
    // Deltas are truncated world units: at zoom 75, 10 × 100 / 75 = 13, −7 × 100 / 75 = −9.
    box.SetZoom(75, 1);
    Drag(far.Position(), {{10, -7}});
    EXPECT_EQ(far.Position(), (Rect{483, 491, 583, 571}));
}

TEST_F(Interaction, EscapeEndsADragWhereItStartedAndErasesItsOutline) {
    MGShapeTable& table = AddTable("T", {200, 200, 300, 280});
    const Rect at = table.Position();
    const auto [x, y] = Middle(at);
    interaction.MouseDown(MGMouse{x, y}, MGToolMode::Select);
    interaction.MouseMove(x + 30, y + 30);
    const std::size_t outlines = Calls("Rectangle").size();
    interaction.CancelDrag();
    EXPECT_EQ(Calls("Rectangle").size(), outlines + 1);  // the outline drawn again: erased
    interaction.MouseMove(x + 60, y + 60);
    interaction.MouseUp(x + 60, y + 60);
    EXPECT_EQ(table.Position(), at);
    EXPECT_TRUE(Selected(table));
}

TEST_F(Interaction, ABandSelectsTheBoxesStrictlyInsideItWhicheverWayItIsDrawn) {
    MGShapeTable& inside = AddTable("IN", {100, 100, 200, 150});
    MGShapeTable& touching = AddTable("EDGE", {300, 100, 400, 150});
    MGShapeTable& outside = AddTable("OUT", {100, 400, 200, 450});
    const Rect b = Mapped({50, 50, 400, 300});  // EDGE's right side lies on the band's
    // Drawn forwards, backwards, and a press and release without a move.
    for (const auto& [x1, y1, x2, y2, selects] : {std::tuple{b.left, b.top, b.right, b.bottom, true},
                                                  {b.right, b.bottom, b.left, b.top, true},
                                                  {b.left, b.top, b.left, b.top, false}}) {
        interaction.DeselectAll();
        Band(x1, y1, x2, y2);
        EXPECT_EQ(std::tuple(Selected(inside), Selected(touching), Selected(outside)),
                  std::tuple(selects, false, false))
            << x1 << "," << y1;
    }
}

TEST_F(Interaction, ClicksSelectRightClicksDeselectAndShiftKeepsTheFirst) {
    MGShapeTable& first = AddTable("A", {100, 100, 200, 150});
    MGShapeTable& second = AddTable("B", {300, 100, 400, 150});
    Click(second.Position(), false, true);  // right click on an unselected box
    EXPECT_EQ(second.State(), MGShapeRect::kStateNormal);
    Click(first.Position());
    Click(second.Position());
    EXPECT_FALSE(Selected(first));
    Click(first.Position(), true);
    EXPECT_TRUE(Selected(first) && Selected(second));
    Click(first.Position(), false, true);
    EXPECT_EQ(std::pair(Selected(first), Selected(second)), std::pair(false, true));
    EXPECT_FALSE(diagram.Modified());  // nothing moved
}

TEST_F(Interaction, DoubleClicksOnABoxOrItsRelationLineOpenTheTable) {
    MGShapeTable& child = RelatedPair();
    MGShapeTable& parent = *diagram.FindBox("SCOTT", "DEPT");
    Click(parent.Position(), false, false, true);
    const Rect line = Mapped({300, 140, 300, 140});  // the straight line between them
    interaction.MouseDown(MGMouse{line.left, line.top, false, false, true}, MGToolMode::Select);
    EXPECT_EQ(host.opened, (std::vector<std::string>{"DEPT", "EMP"}));
    EXPECT_EQ(std::pair(Selected(child), Selected(parent)), std::pair(true, false));
    EXPECT_EQ(interaction.DragMode(), 0);
}

// What a click and a drop invalidate: a clicked box where it is (it was
// never dragged, so it has no outline of its own yet); a dropped box where
// it was and where it is; and when it has relation lines, which are routed
// anew wherever they run, the whole paint box.
TEST_F(Interaction, ClicksAndDropsInvalidateTheBoxesAndTheWholeViewWhenLinesMove) {
    MGShapeTable& child = RelatedPair();
    MGShapeTable& lone = AddTable("LONE", {100, 400, 200, 480});
    PaintDiagram(diagram, box, MGPaintRequest{});  // drawing the lines counts them on their boxes
    const auto covers = [this](const Rect& d) {
        return std::any_of(paintBox.invalidated.begin(), paintBox.invalidated.end(), [&](const Rect& r) {
            return r.left <= d.left && r.top <= d.top && r.right >= d.right && r.bottom >= d.bottom;
        });
    };
    const Rect whole{0, 0, paintBox.width, paintBox.height};
    const Rect before = Mapped(lone.Position());
    Click(lone.Position());
    EXPECT_TRUE(covers(before));
    paintBox.invalidated.clear();
    Drag(lone.Position(), {{10, 0}, {30, 0}});
    EXPECT_EQ(std::tuple(covers(before), covers(Mapped(lone.Position())), covers(whole)),
              std::tuple(true, true, false));
    paintBox.invalidated.clear();
    Drag(child.Position(), {{10, 0}, {30, 0}});
    EXPECT_TRUE(covers(whole));
}

TEST_F(Interaction, ACreatedTextIsSelectedAndDeletingItLeavesTheDesignUnmodified) {
    host.answer = MGTextEntry{"注記", "IPAPGothic", 12, 1};
    interaction.MouseDown(MGMouse{250, 250}, MGToolMode::PlaceText);
    ASSERT_EQ(diagram.Count(), 1);
    MGShapeTable& text = *diagram.Item(0);
    EXPECT_TRUE(Selected(text) && host.deleteEnabled);
    EXPECT_EQ(text.Position().left, box.UnmapRect({250, 250, 250, 250}).left);
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_TRUE(host.asked[0].text.empty());
    diagram.SetModified(false);
    interaction.DeleteTexts();
    EXPECT_EQ(std::tuple(diagram.Count(), host.deleteEnabled, diagram.Modified()),
              std::tuple(0, false, false));
    host.answer = MGTextEntry{"", "IPAPGothic", 9, 0};  // an empty text creates nothing
    interaction.MouseDown(MGMouse{250, 250}, MGToolMode::PlaceText);
    EXPECT_EQ(diagram.Count(), 0);
}

TEST_F(Interaction, ShowTableScrollsOnlyWhenTheBoxIsNotWhollyInViewAndThenCentresIt) {
    box.SetPageCount(4, 4);
    box.SetZoom(100, 1);
    MGShapeTable& seen = AddTable("SEEN", {100, 100, 200, 150});
    MGShapeTable& far = AddTable("FAR", {3000, 3000, 3100, 3050});
    const auto bars = std::pair(hBar.Position(), vBar.Position());
    ASSERT_TRUE(interaction.ShowTable(1, "SEEN"));
    EXPECT_EQ(std::pair(hBar.Position(), vBar.Position()), bars);  // wholly in view: no scroll
    EXPECT_TRUE(Selected(seen));
    ASSERT_TRUE(interaction.ShowTable(1, "FAR"));
    EXPECT_FALSE(Selected(seen));
    const Rect view = box.GetViewRect();
    const Rect at = box.ToScrollUnits(far.Position());
    EXPECT_NEAR((view.left + view.right) / 2, (at.left + at.right) / 2, 4);
    EXPECT_NEAR((view.top + view.bottom) / 2, (at.top + at.bottom) / 2, 4);
    EXPECT_FALSE(interaction.ShowTable(1, "NONE"));
}
