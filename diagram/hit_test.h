// The pixel hit test: an object is hit at a device point when drawing its hit
// mask (a box's rectangle, a line's segments) on a 4 × 4 raster surface
// around the point, with the mapping of the current output, blackens one of
// the pixels x − 2 … x + 1 by y − 2 … y + 1.
#pragma once

namespace tabulorix {

class MGDrawTableList;
class MGShapeRect;
class ZMGDrawBox;

// True when the object's hit mask covers a pixel of the 4 × 4 square around
// the device point (x, y). A surface that cannot be made counts as a miss.
bool HitTest(MGShapeRect& shape, ZMGDrawBox& box, int x, int y);

// Position in the box list of the topmost box hit at (x, y) (the list is
// walked from last to first), or -1.
int HitBoxIndex(const MGDrawTableList& diagram, ZMGDrawBox& box, int x, int y);

// Position in the relation list of the last forward relation hit at (x, y),
// or -1. Twins are never hit.
int HitRelationIndex(const MGDrawTableList& diagram, ZMGDrawBox& box, int x, int y);

}  // namespace tabulorix
