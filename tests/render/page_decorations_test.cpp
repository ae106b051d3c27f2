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

TEST_F(DecorationsTest, NumbersAreBlackNinePointOnWhiteBoxes) {
    Grid(2, 3, 50);
    paintBox.canvas.SetPenMode(PenMode::Not);
    paintBox.canvas.SetBrushStyle(BrushStyle::Clear);
    paintBox.canvas.SetFontColor(kRed);
    box.DrawPageDecorations(false, 0, 0);
    const auto texts = paintBox.canvas.Calls("TextOut");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].font, (FontSpec{"IPAPGothic", 4, 0}));  // 9 pt zoomed to 50 %
    EXPECT_EQ(texts[0].fontColor, kBlack);
    EXPECT_EQ(texts[0].brush, (BrushState{kWhite, BrushStyle::Solid}));
    EXPECT_EQ(texts[0].pen.mode, PenMode::Copy);
    EXPECT_EQ(paintBox.canvas.Font().pointSize, 9);  // restored
}

TEST_F(DecorationsTest, RowColumnFormNamesThePageByRowAndColumn) {
    Grid(2, 3);
    box.DrawPageDecorations(false, 0, 1);
    EXPECT_EQ(paintBox.canvas.Texts(),
              (std::vector<std::string>{"- 1-1 -", "- 1-2 -", "- 2-1 -", "- 2-2 -", "- 3-1 -", "- 3-2 -"}));
    // Row 1, column 0 is page 3 in the running form.
    paintBox.canvas.Clear();
    box.DrawPageDecorations(false, 0, 0);
    EXPECT_EQ(paintBox.canvas.Texts().at(2), "- 3 -");
    // Position 6 draws no numbers in either form.
    paintBox.canvas.Clear();
    box.DrawPageDecorations(false, 6, 0);
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
    for (const CanvasCall& call : drawn) {
        EXPECT_EQ(call.pen, (PenState{kLightGrey, 1, PenStyle::Solid, PenMode::Copy}));
    }
    // Page 2 (row 0, column 1); device y is world y + 1.
    const std::vector<std::vector<int>> page2{{768, 1}, {1536, 1}, {1536, 1084}, {768, 1084}, {768, 1}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(drawn[5 + i].op, i == 0 ? "MoveTo" : "LineTo");
        EXPECT_EQ(drawn[5 + i].ints, page2[i]);
    }
}

// A repainted area limits the decorations to the pages that may show in it;
// page numbers keep the numbers of their pages.
TEST_F(DecorationsTest, ADecorationAreaDrawsOnlyThePagesItMeets) {
    Grid(2, 3);  // world (x, y) is device (x, y + 1)
    struct Case {
        std::optional<Rect> area;
        std::vector<std::string> numbers;
    };
    const Case cases[] = {
        {Rect{0, 0, 100, 100}, {"- 1 -"}},
        {Rect{760, 0, 780, 50}, {"- 1 -", "- 2 -"}},       // across the edge of pages 1 and 2
        {Rect{100, 1050, 200, 1070}, {"- 1 -", "- 3 -"}},  // page 1's number and page 3's top
        {Rect{1000, 2300, 1100, 2400}, {"- 6 -"}},
        {Rect{3000, 5000, 3100, 5100}, {}},  // beyond the grid
        {std::nullopt, {"- 1 -", "- 2 -", "- 3 -", "- 4 -", "- 5 -", "- 6 -"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.area ? std::to_string(c.area->left) + "," + std::to_string(c.area->top) : "none");
        console.SetDecorationArea(c.area);
        paintBox.canvas.Clear();
        box.DrawPageDecorations(false, 0, 0);
        std::vector<std::string> numbers;
        for (const CanvasCall& text : paintBox.canvas.Calls("TextOut")) numbers.push_back(text.text);
        EXPECT_EQ(numbers, c.numbers);
        paintBox.canvas.Clear();
        box.DrawPageDecorations(true, 0, 0);
        EXPECT_EQ(paintBox.canvas.Calls("LineTo").size(), 4 * c.numbers.size());
    }
    console.SetDecorationArea(Rect{0, 0, 100, 100});
    paintBox.canvas.Clear();
    box.DrawPageDecorations(false, 0, 1);  // the row-column form names the page met
    ASSERT_EQ(paintBox.canvas.Calls("TextOut").size(), 1u);
    EXPECT_EQ(paintBox.canvas.Calls("TextOut")[0].text, "- 1-1 -");
    console.SetDecorationArea(std::nullopt);
}

TEST_F(DecorationsTest, PaperCarriesRunningNumbersAndNoFrames) {
    box.SetPageCount(2, 3);
    box.SetZoom(100, 1);
    box.SelectPrinter();
    ASSERT_TRUE(box.SelectPage(4));
    printer.canvas.Clear();
    box.DrawPageDecorations(true, 0, 1);
    EXPECT_TRUE(printer.canvas.Drawing().empty());
    EXPECT_EQ(printer.canvas.calls.back().pen, (PenState{kBlack, 1, PenStyle::Dot, PenMode::Copy}));

    box.DrawPageDecorations(false, 0, 1);  // the row-column form is not used on paper
    const auto texts = printer.canvas.Calls("TextOut");
    ASSERT_EQ(texts.size(), 6u);
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(texts[n - 1].text, "- " + std::to_string(n) + " -");
    // Page 4's number: world (768 + 720, 1083 + 1059) at the page origin, × 6.25.
    EXPECT_EQ(texts[3].ints, (std::vector<int>{4500, 6618}));
    EXPECT_EQ(texts[3].font.pointSize, 9);
    EXPECT_EQ(texts[3].brush, (BrushState{kWhite, BrushStyle::Solid}));
    // Page 1's number lies off this sheet.
    EXPECT_EQ(texts[0].ints, (std::vector<int>{-300, -150}));
    EXPECT_TRUE(paintBox.canvas.Calls("TextOut").empty());

    printer.canvas.Clear();
    box.DrawPageDecorations(false, 6, 0);
    EXPECT_TRUE(printer.canvas.Drawing().empty());
}

}  // namespace
}  // namespace tabulorix::testing
