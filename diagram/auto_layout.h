// Automatic layout: boxes without a position are placed row by row over the
// page grid, left to right across a page, then across the next page to the
// right, and in a new band below once the pages across are used up. Layout
// lines from a design file are applied first when given.
#pragma once

#include <string>
#include <vector>

#include "diagram/settings.h"

namespace tabulorix {

class MGDrawTableList;
class ZMGDrawBox;

// Margin of every page column, gap between boxes and between bands.
inline constexpr int kLayoutGap = 50;
// Pages across the relayout accepts.
inline constexpr int kMaxPagesAcross = 100;

// Measures every box, applies the layout lines (when the text is not empty),
// places every box still in state 0, grows the page counts to cover the
// boxes and hands them to the drawing box. pagesAcross below 1 counts as 1.
void LayoutDiagram(MGDrawTableList& diagram, ZMGDrawBox& box, int displayMode,
                   const std::vector<std::string>& layoutText, int& pagesAcross, int& pagesDown);

// Pages across typed into the relayout dialog: a whole number, else 1;
// raised to 1 and limited to kMaxPagesAcross.
int RelayoutPagesAcross(const std::string& text);

// What the diagram is laid out anew with.
struct MGRelayoutContext {
    int schemaCount = 1;
    int displayMode = 2;
    int displayFlags = 0;
    std::string fontName;
    std::string fontSize;
    int windowZoom = 100;
};

// The relayout: every box gets the schema count, the display flags and the
// font and loses its position; the whole diagram is laid out anew over
// pagesAcross pages (pages down from 1), the zoom set to the window's
// (mode 1) and the relations built again. Returns the page grid the layout
// needed.
PageGrid Relayout(MGDrawTableList& diagram, ZMGDrawBox& box, int pagesAcross,
                  const MGRelayoutContext& context);

}  // namespace tabulorix
