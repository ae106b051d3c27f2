// The print action's job loop and the EMF action's steps over the drawing
// box with recording ports.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "base/file_io.h"
#include "render/emf_action.h"
#include "render/print_job.h"
#include "render_fixture.h"

using namespace tabulorix;

namespace tabulorix::testing {
namespace {

namespace fs = std::filesystem;
using Origins = std::vector<std::pair<int, int>>;

using PrintJobTest = ActionTest;
using EmfActionTest = ActionTest;

// Ranges over a 2 × 2 grid shown at zoom 200: the sheets are printed at zoom
// 100 at their page origins, and the view is given back afterwards.
TEST_F(PrintJobTest, RangesPrintTheirSheetsAtZoom100) {
    Grid(2, 2, 200);
    const int w = paper.PaperW();
    const int h = paper.PaperH();
    const struct {
        int from, to, sheets;
        std::vector<std::string> job;
        Origins origins;
    } cases[] = {
        {2, 3, 2, {"BeginDoc", "NewPage", "EndDoc"}, {{w, 0}, {0, h}}},
        // A page past the grid ends the loop and puts the page origin back.
        {1, 9, 4, {"BeginDoc", "NewPage", "NewPage", "NewPage", "EndDoc"}, {{0, 0}, {w, 0}, {0, h}, {w, h}}},
        {5, 6, 0, {}, {}},  // outside the grid: neither BeginDoc nor EndDoc
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "-" + std::to_string(c.to));
        printer.jobLog.clear();
        origins.clear();
        zooms.clear();
        repaints = 0;
        const PrintOutcome outcome = PrintPages(box, c.from, c.to, repaint);
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(outcome.sheets, c.sheets);
        EXPECT_EQ(printer.jobLog, c.job);
        EXPECT_EQ(origins, c.origins);
        EXPECT_EQ(zooms, std::vector<int>(c.sheets, 100));
        EXPECT_TRUE(c.to <= 4 || (paper.PageOriginX() == 0 && paper.PageOriginY() == 0)) << "origin put back";
        EXPECT_TRUE(c.sheets == 0 || repaints == 1) << repaints;
        EXPECT_TRUE(!box.IsPrinting() && paintBox.visible && ports.messages.empty());
    }
}

TEST_F(PrintJobTest, PreparingSetsTheWindowZoomTo100AndMeasuresThePaperAgain) {
    Grid(2, 1, 50);
    std::vector<std::string> steps;
    const DiagramRepaint recorder{[&] { steps.push_back("flags@" + std::to_string(box.Zoom())); },
                                  [&] { steps.push_back("font"); }, [&] { steps.push_back("settings"); },
                                  [&] { steps.push_back("repaint"); }};
    int windowZoom = 50;
    const int reads = printer.reads;
    PreparePrinting(box, windowZoom, recorder);
    EXPECT_EQ(std::tuple(windowZoom, box.Zoom(), printer.reads), std::tuple(100, 100, reads + 1));
    EXPECT_EQ(steps, (std::vector<std::string>{"flags@100", "font", "settings"}));
}

// A sheet the printer cannot start or the drawing cannot finish: the reason
// is shown, the job ended, the console selected and the window repainted.
TEST_F(PrintJobTest, AFailureIsShownAndEndsTheJob) {
    Grid(2, 2);
    const struct {
        bool printerFails;
        std::string message;
        int sheets;
    } cases[] = {{true, "out of paper", 1}, {false, "no memory for the sheet", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        printer.jobLog.clear();
        ports.messages.clear();
        printer.newPageFailure = c.printerFails ? c.message : "";
        int sheets = 0;
        int repaints = 0;
        const auto paint = [&] {
            if (!c.printerFails) throw std::runtime_error(c.message);
            ++sheets;
        };
        const DiagramRepaint repaint{paint, {}, {}, [&] { ++repaints; }};
        EXPECT_FALSE(PrintPages(box, 1, 4, repaint).ok);
        EXPECT_EQ(sheets, c.sheets);
        EXPECT_EQ(ports.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(printer.jobLog, (std::vector<std::string>{"BeginDoc", "EndDoc"}));
        EXPECT_TRUE(!box.IsPrinting() && paintBox.visible && repaints == 1);
    }
}

// The picture of one page goes to a file, of all pages (page 0) to the
// clipboard; a page past the grid records nothing; the window's zoom comes
// back in every case.
TEST_F(EmfActionTest, RecordsThePageAskedForAndGivesTheZoomBack) {
    const struct {
        int page;
        std::string file;
        bool ok;
        Origins origins;
        std::size_t clipboardPictures;
    } cases[] = {
        {4, "page4.emf", true, {{kPaperW, kPaperH}}, 0},
        {0, "", true, {{0, 0}}, 1},
        {7, "page7.emf", false, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        Grid(2, 3, 75);
        origins.clear();
        clipboard.pictures.clear();
        int windowZoom = 75;
        const std::string file = c.file.empty() ? "" : dir.File(c.file);
        EXPECT_EQ(OutputEmfPicture(box, c.page, file, windowZoom, repaint), c.ok);
        EXPECT_EQ(std::pair(origins, clipboard.pictures.size()), std::pair(c.origins, c.clipboardPictures));
        if (!file.empty()) {
            ASSERT_EQ(fs::exists(file), c.ok);
            EXPECT_TRUE(!c.ok || ReadFileBytes(file).substr(40, 4) == " EMF");
        }
        EXPECT_EQ((std::vector<int>{windowZoom, box.Zoom(), console.OutputMode(), console.PageOriginX()}),
                  (std::vector<int>{75, 75, 0, 0}));
        EXPECT_TRUE(ports.messages.empty());
    }
    clipboard.succeed = false;
    int windowZoom = 75;
    EXPECT_FALSE(OutputEmfPicture(box, 1, "", windowZoom, repaint));
    EXPECT_EQ(ports.messages, (std::vector<std::string>{"Failed to save EMF file"}));
    EXPECT_EQ(box.Zoom(), 75);
}

}  // namespace
}  // namespace tabulorix::testing
