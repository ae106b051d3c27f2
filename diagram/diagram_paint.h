// Painting the whole diagram through the drawing box: paper, page frames,
// shadows, relationship lines, boxes and page numbers, in that order. Only
// what intersects the area being repainted is drawn; the surface inside that
// area ends up exactly as if everything had been drawn.
#pragma once

#include <optional>

#include "base/rect.h"

namespace tabulorix {

class MGDrawTableList;
class ZMGDrawBox;

struct MGPaintRequest {
    int flags = 0;        // display flags (never the shadow-pass bit)
    int displayMode = 2;  // bit 0x1 logical names, 0x2 physical names
    int pagePosition = 0;
    int pageNumberForm = 0;
    // Device rectangle being repainted; nothing means the whole surface.
    std::optional<tabulorix::Rect> repaintArea;
};

// Measures every box that needs it (CalcSize, which leaves measured boxes
// alone).
void MeasureAllBoxes(MGDrawTableList& diagram, ZMGDrawBox& box, int displayMode);

// The diagram paint: page frames, spreading the line ends, the shadow pass,
// relation counters reset, the lines, the box pass and the page numbers.
void DrawDiagram(MGDrawTableList& diagram, ZMGDrawBox& box, const MGPaintRequest& request);

// The whole paint: clears the paper, measures every box, then DrawDiagram.
void PaintDiagram(MGDrawTableList& diagram, ZMGDrawBox& box, const MGPaintRequest& request);

}  // namespace tabulorix
