// Scroll bars of the console: ranges, positions in multiples of 4, the view
// centre kept over zoom steps, scrolling the window contents.
#include <vector>

#include "render_fixture.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

using ScrollTest = RenderTest;

// The world point at the centre of the 800 × 600 view.
std::pair<int, int> Centre(const ZMGConsole& console) {
    return {console.ScrollOffsetX() - console.PaperW() * console.PagesX() + 400 * 100 / console.Zoom(),
            console.ScrollOffsetY() - console.PaperH() * console.PagesY() + 300 * 100 / console.Zoom()};
}

TEST_F(ScrollTest, RangesStepsAndPositionsOfTheBars) {
    box.SetPageCount(2, 3);
    box.UpdateScrollBars(1, 0);  // nothing happens while the zoom is zero
    EXPECT_TRUE(hBar.positionsSet.empty());
    EXPECT_EQ(std::pair(hBar.max, paintBox.repaints), std::pair(100, 0));

    Grid(2, 3);  // mode 1 shows world (0, 0) at the top left; extents 1536 × 3249, view 800 × 600
    // min, max (3 × extent - view), large and small step, position, offset
    const auto bar = [](const RecordingScrollBar& b, int offset) {
        return std::vector<int>{b.min, b.max, b.largeStep, b.smallStep, b.position, offset};
    };
    EXPECT_EQ(bar(hBar, console.ScrollOffsetX()), (std::vector<int>{0, 3808, 400, 80, 1536, 1536}));
    // 3249 rounded toward zero to a multiple of 4
    EXPECT_EQ(bar(vBar, console.ScrollOffsetY()), (std::vector<int>{0, 9147, 300, 60, 3248, 3248}));
    EXPECT_TRUE(hBar.visible && hBar.enabled && vBar.visible && vBar.enabled);
    EXPECT_EQ(std::pair(console.MapX(0), paintBox.repaints), std::pair(0, 1));

    // A bar is hidden when the view is wider than three extents: across 3 ×
    // 768 - 3200 < 0; down 3 × 1083 - 2400 = 849, the extent 1083 clamped to
    // the range, then to the step.
    Grid(1, 1, 25);
    EXPECT_EQ(std::tuple(hBar.visible, hBar.position, console.ScrollOffsetX()), std::tuple(false, 0, 0));
    EXPECT_EQ(std::tuple(vBar.visible, vBar.max, vBar.position), std::tuple(true, 849, 848));
}

TEST_F(ScrollTest, ZoomStepsKeepTheViewCentreAndModesZeroAndFourThePosition) {
    Grid(2, 3);
    UserScroll(true, 3000);
    UserScroll(false, 5000);
    EXPECT_EQ(Centre(console).first, 1864);
    box.SetZoom(200, 2, 100);  // 100 → 200: the position moves by 400 - 200
    EXPECT_EQ(std::pair(hBar.position, Centre(console).first), std::pair(3200, 1864));
    // Each further step keeps the centre up to the rounding to the scroll step.
    for (const int zoom : {400, 150, 50, 75, 100}) {
        SCOPED_TRACE(zoom);
        const auto [x, y] = Centre(console);
        box.SetZoom(zoom, zoom % 2 == 0 ? 2 : 3, console.Zoom());
        EXPECT_EQ(std::pair(hBar.position % 4, vBar.position % 4), std::pair(0, 0));
        EXPECT_EQ(std::pair(console.ScrollOffsetX(), console.ScrollOffsetY()),
                  std::pair(hBar.position, vBar.position));
        EXPECT_NEAR(Centre(console).first, x, 4);
        EXPECT_NEAR(Centre(console).second, y, 4);
    }
    UserScroll(true, 2000);
    box.SetZoom(150, 0, 100);
    EXPECT_EQ(hBar.position, 2000);
    box.SetZoom(75, 4, 150);
    EXPECT_EQ(hBar.position, 2000);
}

// A scroll bar moved by the user: the position is rounded down to a multiple
// of 4 and written back, the contents move by the difference at the zoom,
// and the strip scrolled in is invalidated, widened by 200 ÷ zoom and by 2
// more pixels, below the paint box's top offset.
TEST_F(ScrollTest, UserScrollRoundsToFourAndUncoversTheStripScrolledIn) {
    const struct {
        int zoom;
        bool horizontal;
        int position, written, topOffset;
        DevicePoint scroll;
        Rect uncovered;
    } cases[] = {
        {100, true, 1547, 1544, 30, {-8, 0}, {788, 28, 804, 632}},  // from 1536
        {25, true, 1368, 1368, 0, {10, 0}, {-10, -2, 20, 602}},     // from 1408, clamped to the range
        {400, false, 3252, 3252, 0, {0, -16}, {-2, 582, 802, 602}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom);
        Grid(2, 3);
        box.SetZoom(c.zoom, 0, 100);
        paintBox.topOffset = c.topOffset;
        paintBox.scrolls.clear();
        paintBox.invalidated.clear();
        const int updates = paintBox.updates;
        UserScroll(c.horizontal, c.position);
        EXPECT_EQ((c.horizontal ? hBar : vBar).position, c.written);
        EXPECT_EQ(c.horizontal ? console.ScrollOffsetX() : console.ScrollOffsetY(), c.written);
        EXPECT_EQ(paintBox.scrolls, std::vector<DevicePoint>{c.scroll});
        EXPECT_EQ(paintBox.invalidated, std::vector<Rect>{c.uncovered});
        EXPECT_EQ(paintBox.updates, updates + 1);
        UserScroll(c.horizontal, c.written + 2);  // within the same step: nothing moves
        EXPECT_EQ(paintBox.scrolls.size(), 1u);
        EXPECT_EQ(paintBox.invalidated.size(), 1u);
    }
}

TEST_F(ScrollTest, ScrollToCentresAWorldCoordinateAndTheViewRectIsInScrollUnits) {
    Grid(2, 3);
    box.ScrollTo(true, 1000);
    EXPECT_EQ(std::pair(hBar.position, console.MapX(1000)), std::pair(2136, 400));  // 1000 + 1536 - 400
    box.ScrollTo(false, 1001);
    EXPECT_EQ(vBar.position, 3948);  // 1001 + 3249 - 300 = 3950, to the step
    const auto setsBefore = vBar.positionsSet.size();
    box.ScrollTo(false, 1002);  // same step: the bar is left alone
    EXPECT_EQ(vBar.positionsSet.size(), setsBefore);
    box.SetZoom(200, 0, 100);
    EXPECT_EQ(box.GetViewRect(), (Rect{2136, 3948, 2536, 4248}));
    EXPECT_EQ(box.ToScrollUnits(Rect{10, 20, 30, 40}), (Rect{1546, 3269, 1566, 3289}));
    box.SetZoom(100, 0, 200);
    box.ScrollTo(true, 100000);  // clamped to the range
    EXPECT_EQ(hBar.position, 3808);
}

}  // namespace
}  // namespace tabulorix::testing
