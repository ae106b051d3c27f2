// World-to-device mapping of the screen and of paper, and the drawing and
// text operations of the outputs.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render_fixture.h"
#include "support/data_cases.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

using MappingTest = RenderTest;

// The drawing calls of a canvas as "op x y ...".
std::vector<std::string> Drawn(const RecordingCanvas& canvas) {
    std::vector<std::string> drawn;
    for (const CanvasCall& call : canvas.Drawing()) {
        drawn.push_back(call.op);
        for (const int value : call.ints) drawn.back() += " " + std::to_string(value);
    }
    return drawn;
}

TEST_F(MappingTest, PaperIsThePrintableAreaInScreenPixelsMeasuredAgainBySetZoom) {
    EXPECT_EQ((std::vector<int>{console.PaperW(), console.PaperH(), paper.PaperW()}),
              (std::vector<int>{kPaperW, kPaperH, kPaperW}));
    EXPECT_EQ(std::pair(paper.Scale(), console.Scale()), std::pair(6.25, 1.0));
    printer.pageWidth = 2400;  // the printer changed its area meanwhile
    box.SetZoom(50, 0);
    EXPECT_EQ((std::vector<int>{console.PaperW(), paper.PaperW(), console.Zoom(), paper.Zoom()}),
              (std::vector<int>{384, 384, 50, 50}));
}

// The screen's mapping at several zooms and scroll positions
// (tests/data/render/screen_mapping.txt).
TEST_F(MappingTest, ScreenMappingAddsTheExtentSubtractsOffsetsAndScales) {
    for (const Fields& c : DataCases("render/screen_mapping.txt")) {
        const int zoom = std::stoi(c[0]);
        const std::vector<int> offset = Ints(c[1]), origin = Ints(c[2]), world = Ints(c[3]),
                               device = Ints(c[4]);
        SCOPED_TRACE(c[0] + "% at " + c[3]);
        box.SetPageCount(2, 3);
        box.SetZoom(100, 0);
        UserScroll(true, offset[0]);
        UserScroll(false, offset[1]);
        console.SetZoom(zoom);
        console.SetPageOrigin(origin[0], origin[1]);
        ASSERT_EQ(console.ScrollOffsetX(), offset[0]);
        ASSERT_EQ(console.ScrollOffsetY(), offset[1]);
        EXPECT_EQ(console.MapX(world[0]), device[0]);
        EXPECT_EQ(console.MapY(world[1]), device[1]);
        EXPECT_EQ(console.MapLength(world[0]), zoom * world[0] / 100);
    }
}

TEST_F(MappingTest, MapRectAndUnmapRectAreInverseBesidesThePageOrigin) {
    Grid(2, 3);  // offsets 1536 and 3248
    console.SetZoom(400);
    EXPECT_EQ(console.MapRect(Rect{10, 20, 110, 220}), (Rect{40, 84, 440, 884}));
    for (const auto& [zoom, world] :
         {std::pair{400, Rect{10, 20, 110, 220}}, {25, Rect{108, 47, 208, 447}}}) {
        console.SetZoom(zoom);
        EXPECT_EQ(console.UnmapRect(console.MapRect(world)), world) << zoom;
    }
    console.SetZoom(100);
    console.SetPageOrigin(kPaperW, 0);  // not added back
    EXPECT_EQ(console.UnmapRect(console.MapRect(Rect{800, 20, 900, 40})), (Rect{32, 20, 132, 40}));
}

TEST_F(MappingTest, PaperMappingScalesThePageAtItsOriginTowardZero) {
    box.SetPageCount(2, 3);
    box.SetZoom(100, 0);
    ASSERT_TRUE(box.SelectPage(4));  // row 1, column 1
    EXPECT_EQ(std::pair(paper.PageOriginX(), paper.PageOriginY()), std::pair(kPaperW, kPaperH));
    // 6.25 × 32, 6.25 × 2 = 12.5, 6.25 × -1; 6.25 × 17 = 106.25.
    EXPECT_EQ((std::vector<int>{paper.MapX(800), paper.MapX(770), paper.MapX(767), paper.MapY(1083),
                                paper.MapY(1100)}),
              (std::vector<int>{200, 12, -6, 0, 106}));
    box.SetZoom(50, 0);
    EXPECT_EQ(paper.MapX(800), 100);
}

// The world span a grown device area reaches answers for every rectangle
// what mapping it and comparing it with the area answers, on the screen at
// several zooms and scroll positions and on paper.
TEST_F(MappingTest, ReachedWorldAgreesWithMappingEveryRectangle) {
    Grid(2, 3);
    std::uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(2 * range + 1)) - range;
    };
    auto check = [&](ZMGOutput& output, const char* what) {
        for (const Rect area : {Rect{0, 0, 1920, 1080}, Rect{37, 51, 38, 52}, Rect{-20, 300, 400, 310}}) {
            const int margin = 3;
            const std::optional<Rect> reach = output.ReachedWorld(area, margin);
            ASSERT_TRUE(reach) << what;
            // Random rectangles, then those ending on or just past each edge of the reach.
            std::vector<Rect> worlds;
            for (int i = 0; i < 3000; ++i) {
                const int cx = next(6000);
                const int cy = next(6000);
                worlds.push_back(Rect{cx + next(40), cy + next(40), cx + next(3000), cy + next(30)});
            }
            const Rect r = *reach;
            for (const int d : {0, 1}) {
                worlds.push_back(Rect{r.left - 9, r.top, r.left - d, r.bottom});
                worlds.push_back(Rect{r.right + d, r.top, r.right + 9, r.bottom});
                worlds.push_back(Rect{r.left, r.top - 9, r.right, r.top - d});
                worlds.push_back(Rect{r.left, r.bottom + d, r.right, r.bottom + 9});
            }
            for (const Rect& world : worlds) {
                const Rect d = output.MapRect(world);
                const bool mapped = std::max(d.left, d.right) + margin >= area.left &&
                                    std::min(d.left, d.right) - margin <= area.right &&
                                    std::max(d.top, d.bottom) + margin >= area.top &&
                                    std::min(d.top, d.bottom) - margin <= area.bottom;
                ASSERT_EQ(ZMGOutput::MeetsReach(*reach, world), std::optional<bool>(mapped))
                    << what << " " << world.left << "," << world.top << "," << world.right << ","
                    << world.bottom;
            }
        }
        // Corners beyond the limit are left to mapping.
        EXPECT_FALSE(ZMGOutput::MeetsReach(*output.ReachedWorld(Rect{0, 0, 10, 10}, 0),
                                           Rect{0, 0, ZMGOutput::kReachLimit + 1, 5}));
    };
    for (const int zoom : {25, 50, 75, 100, 150, 400}) {
        console.SetZoom(zoom);
        console.SetPageOrigin(next(800), next(800));
        check(console, "screen");
    }
    box.SetZoom(100, 0);
    ASSERT_TRUE(box.SelectPage(4));
    check(paper, "paper");
}

TEST_F(MappingTest, ShapesAreMappedBeforeTheyReachTheCanvas) {
    Grid(2, 2, 50);  // offsets 1536 and 2164: world (x, y) maps to (x × 0.5, (y + 2) × 0.5)
    paintBox.canvas.Clear();
    box.MoveTo(100, 98);
    box.LineTo(200, 198);
    box.Rectangle(Rect{0, 0, 10, 20}, true);
    box.Rectangle(Rect{0, 1, 10, 21}, false);
    box.RoundRect(0, 0, 100, 50, 10, 7);
    box.Ellipse(Rect{4, 4, 8, 8}, true);
    box.FrameRect(Rect{2, 2, 4, 4});
    std::vector<DevicePoint> points{{10, 0}, {20, 0}, {20, 10}};
    box.Polygon(points);
    EXPECT_EQ(points, (std::vector<DevicePoint>{{5, 1}, {10, 1}, {10, 6}}));  // changed in place
    EXPECT_EQ(Drawn(paintBox.canvas),
              (std::vector<std::string>{"MoveTo 50 50", "LineTo 100 100", "Rectangle 0 1 5 11",
                                        "Rectangle 0 1 10 21", "RoundRect 0 1 50 26 5 3", "Ellipse 2 3 4 5",
                                        "FrameRect 1 2 2 3", "Polygon 5 1 10 1 10 6"}));
    // The device context forms draw on the surface given; y offset 1080
    // for extent 1083, the ellipse given in device units.
    Grid(1, 1);
    RecordingCanvas mask;
    paintBox.canvas.Clear();
    box.MoveTo(mask, 1, 2);
    box.LineTo(mask, 3, 4);
    box.Ellipse(mask, Rect{0, 0, 4, 4}, false);
    box.FillRect(mask, Rect{10, 11, 12, 13}, kBlack);
    EXPECT_TRUE(paintBox.canvas.Drawing().empty());
    EXPECT_EQ(Drawn(mask), (std::vector<std::string>{"MoveTo 1 5", "LineTo 3 7", "Ellipse 0 0 4 4",
                                                     "FillRect 10 14 12 16"}));
    EXPECT_EQ(mask.Calls("FillRect").at(0).brush, (BrushState{kBlack, BrushStyle::Solid}));
    // Clearing the paper fills the diagram's extent white.
    Grid(2, 3);
    paintBox.canvas.SetBrushColor(kRed);
    paintBox.canvas.Clear();
    box.ClearPaper();
    EXPECT_EQ(Drawn(paintBox.canvas), std::vector<std::string>{"FillRect 0 1 1536 3250"});
    EXPECT_EQ(paintBox.canvas.Calls("FillRect").at(0).brush.color, kWhite);
}

TEST_F(MappingTest, FontSizesFollowTheZoomAndDrawFontTextRestoresTheFont) {
    box.SetZoom(150, 0);
    EXPECT_EQ(std::pair(box.ZoomedFontSize(-1), box.ZoomedFontSize(200)),
              std::pair(13, 18));  // 9 × 1.5 = 13.5
    box.SetZoom(25, 0);
    EXPECT_EQ(box.ZoomedFontSize(-1), 2);
    paintBox.font.pointSize = 3;
    EXPECT_EQ(box.ZoomedFontSize(-1), 1);  // 0.75 is raised to 1
    paintBox.font.pointSize = 9;

    Grid(2, 2, 50);
    const FontSpec before = paintBox.canvas.Font();
    box.DrawFontText(20, 18, "abc", "IPAMincho", 11, kFontBold | kFontItalic | kFontUnderline | 8, kRed);
    const auto texts = paintBox.canvas.Calls("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(std::tuple(texts[0].ints, texts[0].font, texts[0].fontColor),
              std::tuple(std::vector<int>(2, 10), FontSpec{"IPAMincho", 5, 7}, kRed));
    EXPECT_EQ(paintBox.canvas.Font(), before);
    box.SetZoom(5, 0);
    box.DrawFontText(0, 0, "x", "IPAMincho", 11, 0, kBlack);
    EXPECT_EQ(paintBox.canvas.Calls("TextOut").back().font.pointSize, 1);  // never below 1
}

TEST_F(MappingTest, SetDiagramFontReachesPaintBoxAndPrinterAndDrawTextZoomsIt) {
    EXPECT_TRUE(box.SetDiagramFont("IPAMincho", "12"));
    const FontSpec mincho{"IPAMincho", 12, 0};
    EXPECT_EQ(std::tuple(paintBox.font, paintBox.canvas.Font(), printer.canvas.Font()),
              std::tuple(mincho, mincho, mincho));
    for (const char* size : {"12pt", "12abc", "0", ""})
        EXPECT_FALSE(box.SetDiagramFont("IPAGothic", size)) << size;
    EXPECT_EQ(paintBox.font.name, "IPAMincho");

    ASSERT_TRUE(box.SetDiagramFont("IPAGothic", "10"));
    Grid(1, 1, 200);
    box.DrawText(0, -3, "表", kGrey);
    const auto text = paintBox.canvas.Calls("TextOut").at(0);
    EXPECT_EQ(std::tuple(text.font, text.fontColor, text.ints),
              std::tuple(FontSpec{"IPAGothic", 20, 0}, kGrey, std::vector<int>(2, 0)));
    EXPECT_EQ(paintBox.canvas.Font().pointSize, 10);
}

// Text extents in device and world units: 18 pt at 96 dpi is 24 high and
// 12 per character; 9 pt at 600 dpi 75 high and 38 per character, which
// paper gives in screen pixels (152 ÷ 6.25 = 24.32).
TEST_F(MappingTest, TextExtentIsInDeviceUnitsAndWorldUnitsAndPaperMeasuresInScreenPixels) {
    box.SetZoom(200, 0);
    int w = 0;
    int h = 0;
    const auto extent = [&](auto measure) {
        measure();
        return std::pair(w, h);
    };
    EXPECT_EQ(extent([&] { box.TextExtent("ABCD", w, h); }), std::pair(48, 24));
    EXPECT_EQ(std::pair(console.LastTextWidth(), console.LastTextHeight()), std::pair(48, 24));
    EXPECT_EQ(extent([&] { box.TextExtentWorld("ABCD", w, h); }), std::pair(24, 12));
    // Unzoomed: 15 high, 8 per character.
    EXPECT_EQ(extent([&] { box.MeasureFontText("abc", "IPAMincho", 11, 0, w, h); }), std::pair(24, 15));

    box.SetZoom(100, 0);
    box.SelectPrinter();
    paintBox.canvas.Clear();
    EXPECT_EQ(extent([&] { box.TextExtent("ABCD", w, h); }), std::pair(24, 12));
    EXPECT_EQ(extent([&] { box.TextExtentWorld("ABCD", w, h); }).first, 24);
    // 304 × 75 on the printer canvas.
    EXPECT_EQ(extent([&] { paper.MeasurePageNumberBox(w, h); }), std::pair(48, 12));
    EXPECT_TRUE(paintBox.canvas.Calls("TextExtent").empty());
}

TEST_F(MappingTest, InvalidationGrowsTheRectangleAndAddsTheTopOffset) {
    paintBox.topOffset = 30;
    box.InvalidateDeviceRect(Rect{10, 20, 30, 40});
    EXPECT_EQ(paintBox.invalidated, (std::vector<Rect>{Rect{8, 48, 32, 72}}));
}

}  // namespace
}  // namespace tabulorix::testing
