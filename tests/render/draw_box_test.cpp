// The drawing box: output selection, pages of the grid for paper and for
// pictures, reset, and the printer's paper settings with their messages.
#include <optional>
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
    box.SelectPrinter();
    EXPECT_TRUE(box.IsPrinting() && !paintBox.visible);
    box.LineTo(16, 8);
    box.SelectConsole();
    EXPECT_TRUE(!box.IsPrinting() && paintBox.visible);
    box.LineTo(16, 8);
    EXPECT_EQ(printer.canvas.Calls("LineTo").size(), 1u);
    EXPECT_EQ(printer.canvas.Calls("LineTo").at(0).ints, (std::vector<int>{100, 50}));  // × 6.25
    EXPECT_EQ(paintBox.canvas.Calls("LineTo").size(), 1u);
    EXPECT_EQ(paintBox.canvas.Calls("LineTo").at(0).ints, (std::vector<int>{16, 11}));
}

// Pages of a 2 × 3 grid, numbered across and then down: paper moves to a
// page's origin, a picture is of one page or (page 0) of the whole grid,
// and a page outside the grid is refused by both with the origin at 0, 0.
TEST_F(DrawBoxTest, PagesOfTheGridForPaperAndForPictures) {
    Grid(2, 3);
    const struct {
        int page;
        bool onPaper, inPicture;
        int originX, originY;  // of paper and of the picture
    } cases[] = {
        {-3, false, false, 0, 0},        {-1, false, false, 0, 0},
        {0, false, true, 0, 0},          {1, true, true, 0, 0},
        {2, true, true, kPaperW, 0},     {4, true, true, kPaperW, kPaperH},
        {5, true, true, 0, 2 * kPaperH}, {6, true, true, kPaperW, 2 * kPaperH},
        {7, false, false, 0, 0},         {9, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("page " + std::to_string(c.page));
        box.SelectPrinter();
        ASSERT_TRUE(box.SelectPage(6));
        EXPECT_EQ(box.SelectPage(c.page), c.onPaper);
        EXPECT_EQ(std::pair(paper.PageOriginX(), paper.PageOriginY()), std::pair(c.originX, c.originY));
        box.SelectConsole();

        const auto size = console.PictureSize(c.page);
        const std::pair<int, int> expected = !c.inPicture  ? std::pair(-1, -1)
                                             : c.page == 0 ? std::pair(2 * kPaperW, 3 * kPaperH)
                                                           : std::pair(kPaperW, kPaperH);
        EXPECT_EQ(size ? std::pair(size->width, size->height) : std::pair(-1, -1), expected);
        RecordingCanvas picture;
        ASSERT_EQ(box.BeginPicture(c.page, picture), c.inPicture);
        EXPECT_EQ(console.IsRecording(), c.inPicture);
        EXPECT_FALSE(c.inPicture && box.BeginEmf(1, "")) << "one recording at a time";
        EXPECT_EQ(std::pair(console.PageOriginX(), console.PageOriginY()), std::pair(c.originX, c.originY));
        EXPECT_EQ(&console.CurrentCanvas(), c.inPicture ? static_cast<Canvas*>(&picture) : &paintBox.canvas);
        box.EndPicture();
        EXPECT_TRUE(&console.CurrentCanvas() == &paintBox.canvas && console.Zoom() == 100);
        // A metafile of the page goes to the clipboard; ending a refused one succeeds.
        EXPECT_EQ(box.BeginEmf(c.page, ""), c.inPicture);
        EXPECT_TRUE(box.EndEmf());
    }
}

TEST_F(DrawBoxTest, ResetReturnsToOnePageAtZoom100) {
    Grid(2, 3, 50);
    console.SetPageOrigin(5, 5);
    box.Reset();
    int x = 0;
    int y = 0;
    box.GetPageCount(x, y);
    EXPECT_EQ((std::vector<int>{x, y, paper.PagesY(), console.Zoom(), paper.Zoom(), console.PageOriginX(),
                                console.ScrollOffsetX()}),
              (std::vector<int>{1, 1, 1, 100, 100, 0, hBar.position}));  // mode 0 keeps the bar's position
}

TEST_F(DrawBoxTest, PaperSettingsThatCannotBeReadOrWrittenAreReported) {
    const struct {
        PaperSettingsResult settings;
        bool write;  // SetPaper rather than RefreshPaper
        std::string message;
    } cases[] = {
        {{Status::Ok, 0, kPaperA4, kOrientationPortrait}, false, ""},
        {{Status::NoSettings, 0, kPaperA4, 1}, false, "cannot get printer inforamtion"},
        {{Status::LockFailed, 1450, kPaperA4, 1}, false, "Error GlobalLock CDOE=1450"},
        {{Status::NoSettings, 0, kPaperA4, 1}, true, "cannot set page size and orientation to printer"},
        {{Status::LockFailed, 8, kPaperA4, 1}, true, "Error GlobalLock CDOE=8"},
        {{Status::Rejected, 0, kPaperA4, 1}, true, "cannot set page size and orientation to printer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ports.messages.clear();
        printer.settings = c.settings;
        printer.reads = 0;
        const bool ok = c.message.empty();
        if (c.write) {
            EXPECT_EQ(box.SetPaper(kPaperA3, kOrientationLandscape), ok);
            EXPECT_EQ(printer.reads, ok ? 1 : 0) << "measured again only after a success";
        } else {
            box.RefreshPaper();
            const ZMGPaperInfo info = box.GetPaperInfo();
            EXPECT_EQ(std::tuple(info.paperSize, info.orientation, info.pageWidth, info.resolution),
                      ok ? std::tuple(kPaperA4, kOrientationPortrait, 4800.0, 600.0)
                         : std::tuple(-1, -1, 4800.0, 600.0));
        }
        EXPECT_EQ(ports.messages, ok ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    }
}

TEST_F(DrawBoxTest, SetPaperWritesTheSettingsAndMeasuresAgain) {
    Grid(1, 1);
    EXPECT_TRUE(box.SetPaper(kPaperA3, kOrientationLandscape));
    const ZMGPaperInfo info = box.GetPaperInfo();
    EXPECT_EQ(std::tuple(info.paperSize, info.orientation, info.pageWidth),
              std::tuple(kPaperA3, kOrientationLandscape, 6774.0));
    // The printer output measured the paper again; the console does so at the next SetZoom.
    EXPECT_EQ((std::vector<int>{paper.PaperW(), paper.PaperH(), console.PaperW()}),
              (std::vector<int>{kPaperH, kPaperW, kPaperW}));
    box.SetZoom(100, 1);
    EXPECT_EQ(console.PaperW(), kPaperH);
    EXPECT_TRUE(ports.messages.empty());
}

}  // namespace
}  // namespace tabulorix::testing
