// Scroll bars of the console: ranges, positions in multiples of 4, the view
// centre kept over zoom steps, scrolling the window contents.
#include <vector>

#include "render_fixture.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

using ScrollTest = RenderTest;

// The world point at the centre of the view along an axis.
int CentreX(const ZMGConsole& console, int viewWidth) {
    return console.ScrollOffsetX() - console.PaperW() * console.PagesX() +
           viewWidth / 2 * 100 / console.Zoom();
}
int CentreY(const ZMGConsole& console, int viewHeight) {
    return console.ScrollOffsetY() - console.PaperH() * console.PagesY() +
           viewHeight / 2 * 100 / console.Zoom();
}

TEST_F(ScrollTest, ModeOneShowsWorldOriginAtTheTopLeft) {
    Grid(2, 3);  // extents 1536 × 3249, view 800 × 600
    // min, max (3 × extent - view), large and small step, position, offset
    const auto bar = [](const RecordingScrollBar& b, int offset) {
        return std::vector<int>{b.min, b.max, b.largeStep, b.smallStep, b.position, offset};
    };
    EXPECT_EQ(bar(hBar, console.ScrollOffsetX()), (std::vector<int>{0, 3808, 400, 80, 1536, 1536}));
    // 3249 rounded toward zero to a multiple of 4
    EXPECT_EQ(bar(vBar, console.ScrollOffsetY()), (std::vector<int>{0, 9147, 300, 60, 3248, 3248}));
    EXPECT_TRUE(hBar.visible && hBar.enabled && vBar.visible && vBar.enabled);
    EXPECT_EQ(console.MapX(0), 0);
    EXPECT_EQ(paintBox.repaints, 1);
}

TEST_F(ScrollTest, BarIsHiddenWhenTheViewIsWiderThanThreeExtents) {
    Grid(1, 1, 25);  // across: 3 × 768 - 3200 < 0; down: 3 × 1083 - 2400 = 849
    EXPECT_FALSE(hBar.visible);
    EXPECT_EQ(hBar.position, 0);
    EXPECT_EQ(console.ScrollOffsetX(), 0);
    EXPECT_TRUE(vBar.visible);
    EXPECT_EQ(vBar.max, 849);
    EXPECT_EQ(vBar.position, 848);  // the extent 1083 clamped to the range, then to the step
}

TEST_F(ScrollTest, NothingHappensWhileZoomIsZero) {
    box.SetPageCount(2, 3);
    box.UpdateScrollBars(1, 0);
    EXPECT_TRUE(hBar.positionsSet.empty());
    EXPECT_EQ(hBar.max, 100);
    EXPECT_EQ(paintBox.repaints, 0);
}

TEST_F(ScrollTest, ZoomStepsKeepTheViewCentre) {
    Grid(2, 3);
    UserScroll(true, 3000);
    UserScroll(false, 5000);
    EXPECT_EQ(CentreX(console, 800), 1864);

    // 100 → 200: the position moves by 400 - 200.
    box.SetZoom(200, 2, 100);
    EXPECT_EQ(hBar.position, 3200);
    EXPECT_EQ(CentreX(console, 800), 1864);

    // Each further step keeps the centre up to the rounding to the scroll step.
    for (const int zoom : {400, 150, 50, 75, 100}) {
        SCOPED_TRACE(zoom);
        const int centreX = CentreX(console, 800);
        const int centreY = CentreY(console, 600);
        box.SetZoom(zoom, zoom % 2 == 0 ? 2 : 3, console.Zoom());
        EXPECT_EQ(hBar.position % 4, 0);
        EXPECT_EQ(vBar.position % 4, 0);
        EXPECT_EQ(console.ScrollOffsetX(), hBar.position);
        EXPECT_EQ(console.ScrollOffsetY(), vBar.position);
        EXPECT_NEAR(CentreX(console, 800), centreX, 4);
        EXPECT_NEAR(CentreY(console, 600), centreY, 4);
    }
}

TEST_F(ScrollTest, ModesZeroAndFourKeepThePosition) {
    Grid(2, 3);
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

TEST_F(ScrollTest, ScrollToCentresAWorldCoordinate) {
    Grid(2, 3);
    box.ScrollTo(true, 1000);
    EXPECT_EQ(hBar.position, 2136);  // 1000 + 1536 - 400
    EXPECT_EQ(console.MapX(1000), 400);
    box.ScrollTo(false, 1001);
    EXPECT_EQ(vBar.position, 3948);  // 1001 + 3249 - 300 = 3950, to the step
    const auto setsBefore = vBar.positionsSet.size();
    box.ScrollTo(false, 1002);  // same step: the bar is left alone
    EXPECT_EQ(vBar.positionsSet.size(), setsBefore);
    box.ScrollTo(true, 100000);  // clamped to the range
    EXPECT_EQ(hBar.position, 3808);
}

TEST_F(ScrollTest, ViewRectAndScrollUnits) {
    Grid(2, 3);
    box.SetZoom(200, 0, 100);
    UserScroll(true, 2136);
    UserScroll(false, 3948);
    EXPECT_EQ(box.GetViewRect(), (Rect{2136, 3948, 2536, 4248}));
    EXPECT_EQ(box.ToScrollUnits(Rect{10, 20, 30, 40}), (Rect{1546, 3269, 1566, 3289}));
}

}  // namespace
}  // namespace tabulorix::testing
