// Page frames and page numbers on screen, in recorded pictures and on paper.
#include <optional>
#include <string>
#include <vector>

#include "render_fixture.h"
#include "support/data_cases.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

using DecorationsTest = RenderTest;

// Bottom right is (paperW - w, paperH - 2h), bottom centre
// (paperW div 2 - w div 2, ...), bottom left (w, ...); the top ones at h.
TEST_F(DecorationsTest, ScreenNumbersStandAtThePagePosition) {
    Grid(2, 3);  // world (x, y) is device (x, y + 1)
    for (const Fields& place : DataCases("render/page_number_places.txt")) {
        SCOPED_TRACE("page position " + place[0]);
        const std::vector<int> d = Ints(place[1]);
        paintBox.canvas.Clear();
        box.DrawPageDecorations(false, std::stoi(place[0]), 0);
        const auto texts = paintBox.canvas.Calls("TextOut");
        ASSERT_EQ(texts.size(), 6u);
        for (int n = 0; n < 6; ++n) {
            EXPECT_EQ(texts[n].text, "- " + std::to_string(n + 1) + " -");
            EXPECT_EQ(texts[n].ints, (std::vector<int>{n % 2 * kPaperW + d[0], n / 2 * kPaperH + d[1] + 1}));
        }
    }
}

TEST_F(DecorationsTest, NumbersAreBlackNinePointOnWhiteBoxesInTheirForm) {
    Grid(2, 3, 50);
    paintBox.canvas.SetPenMode(PenMode::Not);
    paintBox.canvas.SetBrushStyle(BrushStyle::Clear);
    paintBox.canvas.SetFontColor(kRed);
    box.DrawPageDecorations(false, 0, 0);
    const CanvasCall text = paintBox.canvas.Calls("TextOut").at(0);
    // 9 pt zoomed to 50 %.
    EXPECT_EQ(std::tuple(text.font, text.fontColor, text.brush, text.pen.mode),
              std::tuple(FontSpec{"IPAPGothic", 4, 0}, kBlack, BrushState{kWhite, BrushStyle::Solid},
                         PenMode::Copy));
    EXPECT_EQ(paintBox.canvas.Font().pointSize, 9);     // restored
    EXPECT_EQ(paintBox.canvas.Texts().at(2), "- 3 -");  // row 1, column 0 in the running form

    paintBox.canvas.Clear();
    box.DrawPageDecorations(false, 0, 1);  // the row-column form
    EXPECT_EQ(paintBox.canvas.Texts(),
              (std::vector<std::string>{"- 1-1 -", "- 1-2 -", "- 2-1 -", "- 2-2 -", "- 3-1 -", "- 3-2 -"}));
    paintBox.canvas.Clear();
    box.DrawPageDecorations(false, 6, 0);  // position 6 draws no numbers in either form
    box.DrawPageDecorations(false, 6, 1);
    EXPECT_TRUE(paintBox.canvas.Drawing().empty());
}

TEST_F(DecorationsTest, ScreenFramesOutlineEveryPageClockwiseInLightGrey) {
    Grid(2, 3);
    paintBox.canvas.SetPenStyle(PenStyle::Dot);
    paintBox.canvas.SetPenWidth(3);
    paintBox.canvas.Clear();
    box.DrawPageDecorations(true, 0, 0);
    const auto drawn = paintBox.canvas.Drawing();
    ASSERT_EQ(drawn.size(), 30u);
    EXPECT_TRUE(paintBox.canvas.Calls("TextOut").empty());
    for (const CanvasCall& call : drawn)
        EXPECT_EQ(call.pen, (PenState{kLightGrey, 1, PenStyle::Solid, PenMode::Copy}));
    // Page 2 (row 0, column 1); device y is world y + 1.
    const std::vector<std::vector<int>> page2{{768, 1}, {1536, 1}, {1536, 1084}, {768, 1084}, {768, 1}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(std::pair(drawn[5 + i].op, drawn[5 + i].ints),
                  std::pair(std::string(i == 0 ? "MoveTo" : "LineTo"), page2[i]));
}

// A repainted area limits the decorations to the pages that may show in it;
// page numbers keep the numbers of their pages.
TEST_F(DecorationsTest, ADecorationAreaDrawsOnlyThePagesItMeets) {
    Grid(2, 3);  // world (x, y) is device (x, y + 1)
    const std::pair<std::optional<Rect>, std::vector<std::string>> cases[] = {
        {Rect{0, 0, 100, 100}, {"- 1 -"}},
        {Rect{760, 0, 780, 50}, {"- 1 -", "- 2 -"}},       // across the edge of pages 1 and 2
        {Rect{100, 1050, 200, 1070}, {"- 1 -", "- 3 -"}},  // page 1's number and page 3's top
        {Rect{1000, 2300, 1100, 2400}, {"- 6 -"}},
        {Rect{3000, 5000, 3100, 5100}, {}},  // beyond the grid
        {std::nullopt, {"- 1 -", "- 2 -", "- 3 -", "- 4 -", "- 5 -", "- 6 -"}},
    };
    for (const auto& [area, numbers] : cases) {
        SCOPED_TRACE(area ? std::to_string(area->left) + "," + std::to_string(area->top) : "none");
        console.SetDecorationArea(area);
        paintBox.canvas.Clear();
        box.DrawPageDecorations(false, 0, 0);
        EXPECT_EQ(paintBox.canvas.Texts(), numbers);
        paintBox.canvas.Clear();
        box.DrawPageDecorations(true, 0, 0);
        EXPECT_EQ(paintBox.canvas.Calls("LineTo").size(), 4 * numbers.size());
    }
    console.SetDecorationArea(Rect{0, 0, 100, 100});
    paintBox.canvas.Clear();
    box.DrawPageDecorations(false, 0, 1);  // the row-column form names the page met
    EXPECT_EQ(paintBox.canvas.Texts(), std::vector<std::string>{"- 1-1 -"});
    console.SetDecorationArea(std::nullopt);
}

TEST_F(DecorationsTest, PaperCarriesRunningNumbersAndNoFrames) {
    Grid(2, 3);
    box.SelectPrinter();
    ASSERT_TRUE(box.SelectPage(4));
    printer.canvas.Clear();
    box.DrawPageDecorations(true, 0, 1);
    EXPECT_TRUE(printer.canvas.Drawing().empty());
    EXPECT_EQ(printer.canvas.calls.back().pen, (PenState{kBlack, 1, PenStyle::Dot, PenMode::Copy}));

    printer.canvas.SetBrushColor(kRed);
    box.DrawPageDecorations(false, 0, 1);  // the row-column form is not used on paper
    EXPECT_EQ(printer.canvas.Texts(),
              (std::vector<std::string>{"- 1 -", "- 2 -", "- 3 -", "- 4 -", "- 5 -", "- 6 -"}));
    const auto texts = printer.canvas.Calls("TextOut");
    // Page 4's number: world (768 + 720, 1083 + 1059) at the page origin,
    // × 6.25; page 1's lies off this sheet.
    EXPECT_EQ(std::tuple(texts[3].ints, texts[3].font.pointSize, texts[3].brush, texts[0].ints),
              std::tuple(std::vector<int>{4500, 6618}, 9, BrushState{kWhite, BrushStyle::Solid},
                         std::vector<int>{-300, -150}));
    EXPECT_TRUE(paintBox.canvas.Calls("TextOut").empty());
    printer.canvas.Clear();
    box.DrawPageDecorations(false, 6, 0);
    EXPECT_TRUE(printer.canvas.Drawing().empty());
}

}  // namespace
}  // namespace tabulorix::testing
