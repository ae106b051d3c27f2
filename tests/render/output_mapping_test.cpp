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

// " 1 2 3" for the integers 1, 2, 3.
std::string Joined(const std::vector<int>& ints) {
    std::string text;
    for (const int value : ints) text += " " + std::to_string(value);
    return text;
}

TEST_F(MappingTest, PaperIsThePrintableAreaInScreenPixels) {
    EXPECT_EQ(console.PaperW(), kPaperW);
    EXPECT_EQ(console.PaperH(), kPaperH);
    EXPECT_EQ(paper.PaperW(), kPaperW);
    EXPECT_DOUBLE_EQ(paper.Scale(), 6.25);
    EXPECT_DOUBLE_EQ(console.Scale(), 1.0);

    // SetZoom measures the paper again: the printer changed its area meanwhile.
    printer.pageWidth = 2400;
    box.SetZoom(50, 0);
    EXPECT_EQ(console.PaperW(), 384);
    EXPECT_EQ(paper.PaperW(), 384);
    EXPECT_EQ(console.Zoom(), 50);
    EXPECT_EQ(paper.Zoom(), 50);
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
    const Rect world{10, 20, 110, 220};
    EXPECT_EQ(console.MapRect(world), (Rect{40, 84, 440, 884}));
    EXPECT_EQ(console.UnmapRect(console.MapRect(world)), world);
    console.SetZoom(25);
    const Rect coarse{108, 47, 208, 447};
    EXPECT_EQ(console.UnmapRect(console.MapRect(coarse)), coarse);
    // The page origin is not added back.
    console.SetZoom(100);
    console.SetPageOrigin(kPaperW, 0);
    EXPECT_EQ(console.UnmapRect(console.MapRect(Rect{800, 20, 900, 40})), (Rect{32, 20, 132, 40}));
}

TEST_F(MappingTest, PaperMappingScalesThePageAtItsOrigin) {
    box.SetPageCount(2, 3);
    box.SetZoom(100, 0);
    ASSERT_TRUE(box.SelectPage(4));  // row 1, column 1
    EXPECT_EQ(paper.PageOriginX(), kPaperW);
    EXPECT_EQ(paper.PageOriginY(), kPaperH);
    EXPECT_EQ(paper.MapX(800), 200);  // 6.25 × 32
    EXPECT_EQ(paper.MapX(770), 12);   // 6.25 × 2 = 12.5
    EXPECT_EQ(paper.MapX(767), -6);   // 6.25 × -1: toward zero
    EXPECT_EQ(paper.MapY(1083), 0);
    EXPECT_EQ(paper.MapY(1100), 106);  // 6.25 × 17 = 106.25
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

    std::vector<std::string> drawn;
    for (const CanvasCall& call : paintBox.canvas.Drawing()) drawn.push_back(call.op + Joined(call.ints));
    EXPECT_EQ(drawn,
              (std::vector<std::string>{"MoveTo 50 50", "LineTo 100 100", "Rectangle 0 1 5 11",
                                        "Rectangle 0 1 10 21", "RoundRect 0 1 50 26 5 3", "Ellipse 2 3 4 5",
                                        "FrameRect 1 2 2 3", "Polygon 5 1 10 1 10 6"}));
}

TEST_F(MappingTest, DeviceContextFormsDrawOnTheGivenSurface) {
    Grid(1, 1);
    RecordingCanvas mask;
    paintBox.canvas.Clear();
    box.MoveTo(mask, 1, 2);
    box.LineTo(mask, 3, 4);
    box.Ellipse(mask, Rect{0, 0, 4, 4}, false);
    box.FillRect(mask, Rect{10, 11, 12, 13}, kBlack);
    EXPECT_TRUE(paintBox.canvas.Drawing().empty());
    std::vector<std::string> drawn;
    for (const CanvasCall& call : mask.Drawing()) drawn.push_back(call.op + Joined(call.ints));
    // y offset 1080 for extent 1083; the ellipse is given in device units.
    EXPECT_EQ(drawn, (std::vector<std::string>{"MoveTo 1 5", "LineTo 3 7", "Ellipse 0 0 4 4",
                                               "FillRect 10 14 12 16"}));
    EXPECT_EQ(mask.Calls("FillRect").at(0).brush, (BrushState{kBlack, BrushStyle::Solid}));
}

TEST_F(MappingTest, ClearPaperFillsTheDiagramExtentWhite) {
    Grid(2, 3);
    paintBox.canvas.SetBrushColor(kRed);
    paintBox.canvas.Clear();
    box.ClearPaper();
    const auto fills = paintBox.canvas.Calls("FillRect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].ints, (std::vector<int>{0, 1, 1536, 3250}));
    EXPECT_EQ(fills[0].brush.color, kWhite);
}

TEST_F(MappingTest, FontSizesFollowTheZoomAndDrawFontTextRestoresTheFont) {
    box.SetZoom(150, 0);
    EXPECT_EQ(box.ZoomedFontSize(-1), 13);  // 9 × 1.5 = 13.5
    EXPECT_EQ(box.ZoomedFontSize(200), 18);
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
    EXPECT_EQ(texts[0].ints, (std::vector<int>{10, 10}));
    EXPECT_EQ(texts[0].font, (FontSpec{"IPAMincho", 5, 7}));
    EXPECT_EQ(texts[0].fontColor, kRed);
    EXPECT_EQ(paintBox.canvas.Font(), before);

    box.SetZoom(5, 0);
    box.DrawFontText(0, 0, "x", "IPAMincho", 11, 0, kBlack);
    EXPECT_EQ(paintBox.canvas.Calls("TextOut").back().font.pointSize, 1);  // never below 1
}

TEST_F(MappingTest, DrawTextUsesTheCanvasFontAtTheZoomedDiagramSize) {
    ASSERT_TRUE(box.SetDiagramFont("IPAGothic", "10"));
    Grid(1, 1, 200);
    box.DrawText(0, -3, "表", kGrey);
    const auto text = paintBox.canvas.Calls("TextOut").at(0);
    EXPECT_EQ(text.font, (FontSpec{"IPAGothic", 20, 0}));
    EXPECT_EQ(text.fontColor, kGrey);
    EXPECT_EQ(text.ints, (std::vector<int>{0, 0}));
    EXPECT_EQ(paintBox.canvas.Font().pointSize, 10);
}

TEST_F(MappingTest, TextExtentIsInDeviceUnitsAndWorldUnits) {
    box.SetZoom(200, 0);
    int w = 0;
    int h = 0;
    box.TextExtent("ABCD", w, h);  // 18 pt at 96 dpi: 24 high, 12 per character
    EXPECT_EQ(std::pair(w, h), std::pair(48, 24));
    EXPECT_EQ(console.LastTextWidth(), 48);
    EXPECT_EQ(console.LastTextHeight(), 24);
    box.TextExtentWorld("ABCD", w, h);
    EXPECT_EQ(std::pair(w, h), std::pair(24, 12));

    box.MeasureFontText("abc", "IPAMincho", 11, 0, w, h);  // unzoomed: 15 high, 8 per character
    EXPECT_EQ(std::pair(w, h), std::pair(24, 15));
}

TEST_F(MappingTest, PaperMeasuresInScreenPixels) {
    box.SetZoom(100, 0);
    box.SelectPrinter();
    int w = 0;
    int h = 0;
    box.TextExtent("ABCD", w, h);                   // 9 pt at 600 dpi: 75 high, 38 per character
    EXPECT_EQ(std::pair(w, h), std::pair(24, 12));  // 152 ÷ 6.25 = 24.32
    box.TextExtentWorld("ABCD", w, h);
    EXPECT_EQ(w, 24);
    paper.MeasurePageNumberBox(w, h);  // 304 × 75 on the printer canvas
    EXPECT_EQ(std::pair(w, h), std::pair(48, 12));
    EXPECT_TRUE(paintBox.canvas.Calls("TextExtent").empty());
}

TEST_F(MappingTest, SetDiagramFontReachesPaintBoxAndPrinter) {
    EXPECT_TRUE(box.SetDiagramFont("IPAMincho", "12"));
    EXPECT_EQ(paintBox.font, (FontSpec{"IPAMincho", 12, 0}));
    EXPECT_EQ(paintBox.canvas.Font(), (FontSpec{"IPAMincho", 12, 0}));
    EXPECT_EQ(printer.canvas.Font(), (FontSpec{"IPAMincho", 12, 0}));

    EXPECT_FALSE(box.SetDiagramFont("IPAGothic", "12pt"));
    EXPECT_FALSE(box.SetDiagramFont("IPAGothic", "0"));
    EXPECT_FALSE(box.SetDiagramFont("IPAGothic", ""));
    EXPECT_EQ(paintBox.font.name, "IPAMincho");
}

TEST_F(MappingTest, InvalidationGrowsTheRectangleAndAddsTheTopOffset) {
    paintBox.topOffset = 30;
    box.InvalidateDeviceRect(Rect{10, 20, 30, 40});
    ASSERT_EQ(paintBox.invalidated.size(), 1u);
    EXPECT_EQ(paintBox.invalidated[0], (Rect{8, 48, 32, 72}));
}

}  // namespace
}  // namespace tabulorix::testing
