// The drawing box: output selection, page selection, reset, and the
// printer's paper settings with their messages.
#include <string>
#include <vector>

#include "render_fixture.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

using DrawBoxTest = RenderTest;
using Status = PaperSettingsResult::Status;

TEST_F(DrawBoxTest, DrawingGoesToTheCurrentOutput) {
    Grid(1, 1);
    EXPECT_FALSE(box.IsPrinting());
    box.SelectPrinter();
    EXPECT_TRUE(box.IsPrinting());
    EXPECT_FALSE(paintBox.visible);
    box.LineTo(16, 8);
    box.SelectConsole();
    EXPECT_FALSE(box.IsPrinting());
    EXPECT_TRUE(paintBox.visible);
    box.LineTo(16, 8);
    ASSERT_EQ(printer.canvas.Calls("LineTo").size(), 1u);
    EXPECT_EQ(printer.canvas.Calls("LineTo")[0].ints, (std::vector<int>{100, 50}));  // × 6.25
    ASSERT_EQ(paintBox.canvas.Calls("LineTo").size(), 1u);
    EXPECT_EQ(paintBox.canvas.Calls("LineTo")[0].ints, (std::vector<int>{16, 11}));
}

TEST_F(DrawBoxTest, SelectPageMovesThePaperToThePage) {
    box.SetPageCount(2, 3);
    box.SetZoom(100, 1);
    box.SelectPrinter();
    int x = 0;
    int y = 0;
    box.GetPageCount(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(2, 3));
    EXPECT_EQ(paper.PagesX(), 2);
    EXPECT_EQ(console.PagesY(), 3);

    EXPECT_TRUE(box.SelectPage(4));
    EXPECT_EQ(paper.PageOriginX(), kPaperW);
    EXPECT_EQ(paper.PageOriginY(), kPaperH);
    EXPECT_TRUE(box.SelectPage(5));  // row 2, column 0
    EXPECT_EQ(paper.PageOriginX(), 0);
    EXPECT_EQ(paper.PageOriginY(), 2 * kPaperH);
    EXPECT_TRUE(box.SelectPage(6));

    EXPECT_FALSE(box.SelectPage(7));  // row 3 is past the grid
    EXPECT_EQ(paper.PageOriginX(), 0);
    EXPECT_EQ(paper.PageOriginY(), 0);
    EXPECT_FALSE(box.SelectPage(0));
    EXPECT_FALSE(box.SelectPage(-3));
}

TEST_F(DrawBoxTest, ResetReturnsToOnePageAtZoom100) {
    Grid(2, 3, 50);
    console.SetPageOrigin(5, 5);
    box.Reset();
    int x = 0;
    int y = 0;
    box.GetPageCount(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(1, 1));
    EXPECT_EQ(console.PagesX(), 1);
    EXPECT_EQ(paper.PagesY(), 1);
    EXPECT_EQ(console.Zoom(), 100);
    EXPECT_EQ(paper.Zoom(), 100);
    EXPECT_EQ(console.OutputMode(), 0);
    EXPECT_EQ(console.PageOriginX(), 0);
    // Mode 0 keeps the bar's position, which becomes the offset again.
    EXPECT_EQ(console.ScrollOffsetX(), hBar.position);
}

TEST_F(DrawBoxTest, PaperInfoComesFromTheLastRefresh) {
    box.RefreshPaper();
    const ZMGPaperInfo info = box.GetPaperInfo();
    EXPECT_EQ(info.paperSize, kPaperA4);
    EXPECT_EQ(info.orientation, kOrientationPortrait);
    EXPECT_DOUBLE_EQ(info.pageWidth, 4800);
    EXPECT_DOUBLE_EQ(info.pageHeight, 6774);
    EXPECT_DOUBLE_EQ(info.resolution, 600);
    EXPECT_TRUE(ports.messages.empty());
}

TEST_F(DrawBoxTest, UnreadableOrUnwritableSettingsAreReported) {
    printer.settings.status = Status::NoSettings;
    box.RefreshPaper();
    EXPECT_EQ(box.GetPaperInfo().paperSize, -1);
    EXPECT_EQ(box.GetPaperInfo().orientation, -1);
    EXPECT_EQ(ports.messages, (std::vector<std::string>{"cannot get printer inforamtion"}));
    box.RefreshPaper();
    EXPECT_EQ(ports.messages.size(), 2u);

    printer.settings = PaperSettingsResult{Status::LockFailed, 1450, kPaperA4, 1};
    box.RefreshPaper();
    EXPECT_EQ(ports.messages.back(), "Error GlobalLock CDOE=1450");
    EXPECT_EQ(box.GetPaperInfo().paperSize, -1);

    // Setting the paper fails alike, without a refresh afterwards.
    ports.messages.clear();
    printer.reads = 0;
    printer.settings.status = Status::NoSettings;
    EXPECT_FALSE(box.SetPaper(kPaperA4, kOrientationPortrait));
    EXPECT_EQ(ports.messages, (std::vector<std::string>{"cannot set page size and orientation to printer"}));

    printer.settings = PaperSettingsResult{Status::LockFailed, 8, kPaperA4, 1};
    EXPECT_FALSE(box.SetPaper(kPaperA4, kOrientationPortrait));
    EXPECT_EQ(ports.messages.back(), "Error GlobalLock CDOE=8");

    printer.settings = PaperSettingsResult{Status::Rejected, 0, kPaperA4, 1};
    EXPECT_FALSE(box.SetPaper(4711, kOrientationPortrait));
    EXPECT_EQ(ports.messages.back(), "cannot set page size and orientation to printer");
    EXPECT_EQ(printer.reads, 0);  // no refresh after a failure
}

TEST_F(DrawBoxTest, SetPaperWritesTheSettingsAndMeasuresAgain) {
    box.SetPageCount(1, 1);
    box.SetZoom(100, 1);
    EXPECT_TRUE(box.SetPaper(kPaperA3, kOrientationLandscape));
    EXPECT_EQ(printer.settings.paperSize, kPaperA3);
    const ZMGPaperInfo info = box.GetPaperInfo();
    EXPECT_EQ(info.paperSize, kPaperA3);
    EXPECT_EQ(info.orientation, kOrientationLandscape);
    EXPECT_DOUBLE_EQ(info.pageWidth, 6774);
    // The printer output measured the paper again; the console does so at the next SetZoom.
    EXPECT_EQ(paper.PaperW(), kPaperH);
    EXPECT_EQ(paper.PaperH(), kPaperW);
    box.SetZoom(100, 1);
    EXPECT_EQ(console.PaperW(), kPaperH);
    EXPECT_TRUE(ports.messages.empty());
}

}  // namespace
}  // namespace tabulorix::testing
