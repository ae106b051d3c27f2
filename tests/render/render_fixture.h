// A drawing box over recording ports: an 800 × 600 paint box at 96 dpi and a
// 600-dpi printer whose printable area is 4800 × 6774 printer pixels, so the
// paper is 768 × 1083 world units (4800 ÷ 6.25, 6774 ÷ 6.25 truncated).
#pragma once

#include <gtest/gtest.h>

#include "render/draw_box.h"
#include "render/paint_hooks.h"
#include "support/recording_canvas.h"
#include "support/recording_host.h"
#include "support/snapshot_fixture.h"

namespace tabulorix::testing {

inline constexpr int kPaperW = 768;
inline constexpr int kPaperH = 1083;

class RenderTest : public ::testing::Test, protected BoxParts<RecordingPrinter> {
protected:
    ZMGConsole& console = box.Console();
    ZMGPrinter& paper = box.PrinterOutput();

    // A grid of pagesX × pagesY at the zoom, scrolled so world (0, 0) is at
    // the top-left of the view (mode 1).
    void Grid(int pagesX, int pagesY, int zoom = 100) {
        box.SetPageCount(pagesX, pagesY);
        box.SetZoom(zoom, 1);
    }
    // Moves a scroll bar as the user would and lets the console apply it.
    void UserScroll(bool horizontal, int position) {
        (horizontal ? hBar : vBar).position = position;
        console.ScrollChanged(horizontal);
    }
};

// The print, picture and Word actions over the drawing box: their repaint
// clears the paper and draws the page decorations and a blue box on page 1,
// noting the zoom of every paint and the page origin of every sheet printed
// or picture recorded.
class ActionTest : public RenderTest {
protected:
    void PaintPage() {
        zooms.push_back(box.Zoom());
        box.ClearPaper();
        box.DrawPageDecorations(true, 0, 0);
        box.DrawPageDecorations(false, 0, 0);
        box.SetBrushColor(0x0000FF);
        box.FillRect(Rect{10, 10, 100, 100});
        if (box.IsPrinting()) origins.emplace_back(paper.PageOriginX(), paper.PageOriginY());
        if (console.IsRecording()) origins.emplace_back(console.PageOriginX(), console.PageOriginY());
    }

    TempDirectory dir;
    std::vector<std::pair<int, int>> origins;
    std::vector<int> zooms;
    int repaints = 0;
    DiagramRepaint repaint{[this] { PaintPage(); }, {}, {}, [this] { ++repaints; }};
};

}  // namespace tabulorix::testing
