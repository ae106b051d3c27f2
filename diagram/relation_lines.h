// Relationship lines: building the pairs from the foreign keys, spreading
// the line ends over the box sides before every paint, and routing a line
// (straight, one elbow, or the circle of a self-reference) with its marks.
#pragma once

#include <vector>

#include "platform/canvas.h"
#include "render/rect.h"

class MGDrawTableList;
class MGShapeRelation;

// Clears the relation list and creates one pair (forward object, then its
// twin) per foreign key that references a primary or unique key of a table
// box. Foreign keys are found through an index by (referenced owner, key
// number), so the pairs come out in the order of a search over every parent
// box, its keys, every child box and its foreign keys, in list order.
void BuildRelations(MGDrawTableList& diagram);

// Chooses the sides and spreads the ends of every pair over the sides of
// its boxes (run at the start of every paint).
void SpreadAttachments(MGDrawTableList& diagram);

// The sides a child and a parent whose centres differ by (dx, dy) are
// joined at: first the child's side, then the parent's.
struct MGSidePair {
    int child;
    int parent;
};
MGSidePair ChooseSides(int dx, int dy);

// Where a forward relation is drawn, in world units.
struct MGRelationRoute {
    bool selfReference = false;
    std::vector<tabulorix::DevicePoint> line;  // the polyline (not for a self-reference)
    tabulorix::Rect circle;                    // the self-reference circle
    tabulorix::Rect dot;                       // black dot at the child end
    tabulorix::Rect square;                    // cascade mark at the parent end
    tabulorix::DevicePoint name;               // top-left of the relation name
};

// Routes a forward relation whose ends have been spread; (tw, th) is the
// world size of its name (0 when names are not shown).
MGRelationRoute RouteRelation(const MGShapeRelation& relation, int tw, int th);

// World rectangle that holds everything the route draws, the name included.
tabulorix::Rect RouteBounds(const MGRelationRoute& route, int tw, int th);
