// A drawing box over recording ports: an 800 × 600 paint box at 96 dpi and a
// 600-dpi printer whose printable area is 4800 × 6774 printer pixels, so the
// paper is 768 × 1083 world units (4800 ÷ 6.25, 6774 ÷ 6.25 truncated).
#pragma once

#include <gtest/gtest.h>

#include "render/draw_box.h"
#include "support/recording_canvas.h"
#include "support/recording_host.h"

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

}  // namespace tabulorix::testing
