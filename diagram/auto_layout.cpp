#include "diagram/auto_layout.h"

#include <algorithm>
#include <charconv>

#include "diagram/diagram_build.h"
#include "diagram/diagram_paint.h"
#include "diagram/draw_table_list.h"
#include "diagram/layout_lines.h"
#include "diagram/relation_lines.h"
#include "diagram/settings.h"
#include "render/draw_box.h"

namespace tabulorix {

namespace {

int PagesFor(int extent, int paper) {
    if (paper <= 0) return 1;
    return (extent - 1) / paper + 1;
}

// Places the boxes in state 0, in list order, below bandTop.
class Placer {
public:
    Placer(MGDrawTableList& diagram, int paperW, int pagesAcross, int bandTop)
        : diagram_(diagram), paperW_(paperW), pagesAcross_(pagesAcross), y_(bandTop) {}

    void Run() {
        for (int i = 0; i < diagram_.Count(); ++i) {
            MGShapeTable* shape = diagram_.Item(i);
            if (shape != nullptr && shape->State() == MGShapeRect::kStateNotPlaced) Place(*shape);
        }
    }

private:
    void Place(MGShapeTable& shape) {
        diagram_.SetModified(true);
        shape.SetState(MGShapeRect::kStateNormal);
        const tabulorix::Rect& p = shape.Position();
        const int w = p.right - p.left;
        const int h = p.bottom - p.top;
        int next = x_ + w + kLayoutGap;
        if (next > paperW_) {
            x_ = kLayoutGap;
            next = w + 2 * kLayoutGap;
            if (column_ >= pagesAcross_) {
                y_ += bandHeight_ + kLayoutGap;
                bandHeight_ = 0;
                column_ = 1;
            } else {
                ++column_;
            }
        }
        const int left = (column_ - 1) * paperW_ + x_;
        shape.SetPosition(tabulorix::Rect{left, y_, left + w, y_ + h});
        x_ = next;
        bandHeight_ = std::max(bandHeight_, h);
    }

    MGDrawTableList& diagram_;
    int paperW_;
    int pagesAcross_;
    int x_ = kLayoutGap;
    int column_ = 1;
    int y_;
    int bandHeight_ = 0;
};

}  // namespace

void LayoutDiagram(MGDrawTableList& diagram, ZMGDrawBox& box, int displayMode,
                   const std::vector<std::string>& layoutText, int& pagesAcross, int& pagesDown) {
    pagesAcross = std::max(pagesAcross, 1);
    pagesDown = std::max(pagesDown, 1);
    const int paperW = box.PaperW();
    const int paperH = box.PaperH();
    MeasureAllBoxes(diagram, box, displayMode);
    int bandTop = 1;
    if (!layoutText.empty()) {
        ReadLayoutLines(diagram, layoutText);
        // Also after a reading error: the boxes placed so far keep their
        // positions, so the grid must cover them and new boxes go below them.
        const MGDiagramExtent extent = diagram.PlacedExtent();
        pagesAcross = std::max(pagesAcross, PagesFor(extent.right, paperW));
        bandTop = extent.bottom;
    }
    Placer(diagram, paperW, pagesAcross, bandTop + kLayoutGap).Run();
    pagesDown = std::max(pagesDown, PagesFor(diagram.PlacedExtent().bottom, paperH));
    box.SetPageCount(pagesAcross, pagesDown);
    box.UpdateScrollBars(0, box.Zoom());  // new ranges for the grid, then a repaint
}

int RelayoutPagesAcross(const std::string& text) {
    int n = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, n);
    if (error != std::errc{} || ptr != end || text.empty()) n = 1;
    return std::clamp(n, 1, kMaxPagesAcross);
}

PageGrid Relayout(MGDrawTableList& diagram, ZMGDrawBox& box, int pagesAcross,
                  const MGRelayoutContext& context) {
    diagram.ApplySchemaCount(context.schemaCount);
    diagram.ApplyDisplayFlags(context.displayFlags);
    ApplyDiagramFont(diagram, box, context.fontName, context.fontSize, context.displayMode);
    diagram.ResetStates();

    PageGrid grid{pagesAcross, 1};
    LayoutDiagram(diagram, box, context.displayMode, {}, grid.across, grid.down);
    box.SetZoom(context.windowZoom, 1);
    BuildRelations(diagram);
    return grid;
}

}  // namespace tabulorix
