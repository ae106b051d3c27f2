// Relationship lines: building the pairs from the foreign keys, spreading
// the line ends over the box sides before every paint, and routing a line
// (straight, one elbow, or the circle of a self-reference) with its marks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "base/canvas.h"
#include "base/rect.h"

namespace tabulorix {

class MGColumnPrintBook;
class MGDrawTableList;
class MGShapeRelation;

// Clears the relation list and creates one pair (forward object, then its
// twin) per foreign key that references a primary or unique key of a table
// box. Foreign keys are found through an index by (referenced owner, key
// number), so the pairs come out in the order of a search over every parent
// box, its keys, every child box and its foreign keys, in list order. A
// child's columns are found by the prints of the book where it has them.
void BuildRelations(MGDrawTableList& diagram, const MGColumnPrintBook* book = nullptr);

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

// The polyline of a route: at most four points (two ends and one elbow of
// two corners), kept in place so that a route is one piece of memory and a
// paint that draws thousands of routes does not chase a pointer per route.
class MGRoutePolyline {
public:
    static constexpr std::size_t kCapacity = 4;

    MGRoutePolyline() = default;
    // More than kCapacity points is a routing fault: the rest is dropped.
    MGRoutePolyline(std::initializer_list<tabulorix::DevicePoint> points) {
        for (const tabulorix::DevicePoint& p : points) {
            if (count_ == kCapacity) break;
            points_[count_++] = p;
        }
    }

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const tabulorix::DevicePoint& operator[](std::size_t i) const { return points_[i]; }
    const tabulorix::DevicePoint& front() const { return points_[0]; }
    const tabulorix::DevicePoint* begin() const { return points_.data(); }
    const tabulorix::DevicePoint* end() const { return points_.data() + count_; }

private:
    std::array<tabulorix::DevicePoint, kCapacity> points_{};
    std::uint8_t count_ = 0;
};

// Where a forward relation is drawn, in world units.
struct MGRelationRoute {
    bool selfReference = false;
    MGRoutePolyline line;         // the polyline (not for a self-reference)
    tabulorix::Rect circle;       // the self-reference circle
    tabulorix::Rect dot;          // black dot at the child end
    tabulorix::Rect square;       // cascade mark at the parent end
    tabulorix::DevicePoint name;  // top-left of the relation name
};

// Routes a forward relation whose ends have been spread; (tw, th) is the
// world size of its name (0 when names are not shown).
MGRelationRoute RouteRelation(const MGShapeRelation& relation, int tw, int th);

// World rectangle that holds everything the route draws, the name included.
tabulorix::Rect RouteBounds(const MGRelationRoute& route, int tw, int th);

}  // namespace tabulorix
