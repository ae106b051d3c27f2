// What the diagram paint keeps from one paint to the next, so that a paint
// costs what is visible rather than what exists: the spread line ends and
// the line accounting of the boxes (redone only when a box moved, was
// measured anew, was shown or hidden, or the lists changed), and spatial
// grids of the boxes and of the lines for finding what meets the repainted
// area.
#pragma once

#include <cstdint>
#include <vector>

#include "base/rect.h"
#include "diagram/relation_lines.h"
#include "diagram/shape_relation.h"
#include "diagram/spatial_grid.h"

namespace tabulorix {

class MGDrawTableList;
class MGShapeTable;
class MGShapeRelation;
class ZMGDrawBox;

// A line the relation grid holds (a forward relation with both boxes
// visible) with all that drawing it without its name needs, kept in one
// piece: a paint crossing thousands of lines reads one place per line.
struct GridRelation {
    Rect bounds;            // world bounds of the route without the name
    MGRelationRoute route;  // the route without the name
    MGRouteStyle style;
};

class DiagramPaintCache {
public:
    // The boxes in list order (nothing for objects that are not boxes),
    // taken anew whenever the list changed.
    const std::vector<MGShapeTable*>& Boxes(const MGDrawTableList& diagram);
    // The relations in list order, taken anew whenever the list changed.
    const std::vector<MGShapeRelation*>& Relations(const MGDrawTableList& diagram);

    // Gives every box the display flags and tells whether anything that the
    // spread ends, the line accounting or the grids depend on has changed
    // since they were taken: the box or relation list, a box's position or
    // line height (as at the last spread), its visible flag, rounded corners
    // or relation counter (as after the last accounting).
    // With a measure, every box is measured (CalcSize, with the flags it
    // had) in the same walk, just before it is given the flags.
    struct BoxMeasure {
        ZMGDrawBox* box;
        int displayMode;
    };
    bool CheckBoxes(const MGDrawTableList& diagram, int flags, const BoxMeasure* measure = nullptr);
    // At the end of a paint that checked the boxes with these flags (and a
    // measure or not): the boxes as the paint leaves them. When the next
    // paint finds no change of them counted since (GeometryGeneration), its
    // check needs to look only at the boxes that measure themselves anew on
    // every call (free texts).
    void FinishPaint(int flags, bool measured);
    // After spreading the line ends: the geometry they were spread for. The
    // accounting and both grids are due again.
    void TakeGeometry(const MGDrawTableList& diagram);
    // After the line accounting: the visible flags, rounded corners and
    // relation counters it left.
    void TakeAccount();
    bool AccountValid() const { return accountValid_; }

    // The display flags every forward relation carries, when known.
    bool RelationFlagsAre(int flags) const { return relationFlagsKnown_ && relationFlags_ == flags; }
    void SetRelationFlags(int flags) {
        relationFlags_ = flags;
        relationFlagsKnown_ = true;
    }

    // List positions of the boxes whose rectangle, with the shadow room of
    // one line height right and below, may meet the world area; ascending.
    void BoxesMeeting(const Rect& world, std::vector<int>& ids);
    // The grid lines (GridRelationAt) whose route (without the name) may
    // meet the world area, in the order of the relation list; ascending.
    void RelationsMeeting(const MGDrawTableList& diagram, const Rect& world, std::vector<int>& ids);
    const GridRelation& GridRelationAt(int id) const { return gridRelations_[static_cast<std::size_t>(id)]; }
    // After the boxes in ids were drawn (drawing measures a box that needs
    // it): when one of them changed size, both grids are built again, and
    // the next check of the boxes sees the change.
    void CheckDrawn(const std::vector<int>& ids);

private:
    struct BoxState {
        Rect position;
        int lineHeight = 0;
        bool detailed = false;
        bool rounded = false;
        int relationCounter = 0;
    };

    bool ListsChanged(const MGDrawTableList& diagram) const;
    // Whether the box at position i still has the geometry (and, with
    // withAccount, the accounting) taken last.
    bool AsTaken(std::size_t i, bool withAccount) const;
    // The walk of CheckBoxes over the boxes at these positions.
    bool CheckBoxesAt(const std::vector<std::size_t>& positions, int flags, const BoxMeasure* measure);
    void TakeLists(const MGDrawTableList& diagram);

    std::vector<MGShapeTable*> boxes_;
    std::vector<MGShapeRelation*> relations_;
    std::vector<GridRelation> gridRelations_;  // taken with the relation grid, in list order
    std::vector<BoxState> states_;
    std::vector<std::size_t> allPositions_;  // 0 .. boxes - 1
    std::vector<std::size_t> selfMeasured_;  // boxes whose measuring is never skipped
    // What the last paint left: the count of box changes, its flags and
    // whether it measured; valid while finished_ is set.
    bool finished_ = false;
    std::uint64_t finishedGeneration_ = 0;
    int finishedFlags_ = 0;
    bool finishedMeasured_ = false;
    int boxCount_ = -1;
    std::uint64_t boxRemovalVersion_ = 0;
    int relationCount_ = -1;
    std::uint64_t relationRemovalVersion_ = 0;
    bool geometryValid_ = false;
    bool accountValid_ = false;
    bool relationFlagsKnown_ = false;
    int relationFlags_ = 0;
    bool boxGridValid_ = false;
    bool relationGridValid_ = false;
    SpatialGrid boxGrid_;
    SpatialGrid relationGrid_;
};

}  // namespace tabulorix
