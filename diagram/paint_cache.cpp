#include "diagram/paint_cache.h"

#include <algorithm>

#include "diagram/draw_table_list.h"
#include "diagram/relation_lines.h"

namespace tabulorix {

namespace {

// Cell size of both grids in world units: a few boxes per cell.
constexpr int kCellSize = 512;

bool BothVisible(const MGShapeRelation& relation) {
    return relation.OwnBox() != nullptr && relation.OtherBox() != nullptr && relation.OwnBox()->Detailed() &&
           relation.OtherBox()->Detailed();
}

// A relation is found through the pieces it draws (each segment, the end
// marks, the self-reference circle), not through the rectangle around its
// route: a long line with one bend spans a rectangle over much of the
// diagram and crosses little of it.
void InsertRoutePieces(SpatialGrid& grid, int id, const MGRelationRoute& route) {
    grid.Insert(id, route.dot);
    grid.Insert(id, route.square);
    if (route.selfReference) grid.Insert(id, route.circle);
    for (std::size_t k = 1; k < route.line.size(); ++k) {
        const DevicePoint& a = route.line[k - 1];
        const DevicePoint& b = route.line[k];
        grid.Insert(id, Rect{a.x, a.y, b.x, b.y});
    }
}

}  // namespace

bool DiagramPaintCache::ListsChanged(const MGDrawTableList& diagram) const {
    return boxCount_ != diagram.Count() || boxRemovalVersion_ != diagram.Boxes().RemovalVersion() ||
           relationCount_ != diagram.RelationCount() ||
           relationRemovalVersion_ != diagram.Relations().RemovalVersion();
}

void DiagramPaintCache::TakeLists(const MGDrawTableList& diagram) {
    boxCount_ = diagram.Count();
    boxRemovalVersion_ = diagram.Boxes().RemovalVersion();
    relationCount_ = diagram.RelationCount();
    relationRemovalVersion_ = diagram.Relations().RemovalVersion();
    boxes_.resize(static_cast<std::size_t>(boxCount_));
    allPositions_.clear();
    selfMeasured_.clear();
    for (int i = 0; i < boxCount_; ++i) {
        MGShapeTable* box = diagram.Item(i);
        const auto position = static_cast<std::size_t>(i);
        boxes_[position] = box;
        if (box == nullptr) continue;
        box->WatchGeometry();
        allPositions_.push_back(position);
        if (box->MeasuresEveryCall()) selfMeasured_.push_back(position);
    }
    relations_.resize(static_cast<std::size_t>(relationCount_));
    for (int i = 0; i < relationCount_; ++i)
        relations_[static_cast<std::size_t>(i)] = diagram.RelationItem(i);
    states_.assign(boxes_.size(), BoxState{});
    geometryValid_ = false;
    accountValid_ = false;
    relationFlagsKnown_ = false;
    boxGridValid_ = false;
    relationGridValid_ = false;
    finished_ = false;
}

const std::vector<MGShapeTable*>& DiagramPaintCache::Boxes(const MGDrawTableList& diagram) {
    if (ListsChanged(diagram)) TakeLists(diagram);
    return boxes_;
}

const std::vector<MGShapeRelation*>& DiagramPaintCache::Relations(const MGDrawTableList& diagram) {
    if (ListsChanged(diagram)) TakeLists(diagram);
    return relations_;
}

bool DiagramPaintCache::CheckBoxes(const MGDrawTableList& diagram, int flags, const BoxMeasure* measure) {
    if (ListsChanged(diagram)) TakeLists(diagram);
    // Nothing the walk reads has changed since the last paint left the
    // boxes with these flags, measured as now: only the boxes that measure
    // on every call can come out different.
    const bool unchanged = finished_ && finishedGeneration_ == MGShapeRect::GeometryGeneration() &&
                           finishedFlags_ == flags && finishedMeasured_ == (measure != nullptr);
    finished_ = false;
    const bool changed = CheckBoxesAt(unchanged ? selfMeasured_ : allPositions_, flags, measure);
    if (changed) {
        geometryValid_ = false;
        accountValid_ = false;
        boxGridValid_ = false;
        relationGridValid_ = false;
    }
    return changed;
}

bool DiagramPaintCache::CheckBoxesAt(const std::vector<std::size_t>& positions, int flags,
                                     const BoxMeasure* measure) {
    bool same = geometryValid_ && accountValid_;
    for (const std::size_t i : positions) {
        MGShapeTable* box = boxes_[i];
        if (measure != nullptr) box->CalcSize(*measure->box, measure->displayMode);
        box->SetDisplayFlags(flags);
        same = same && AsTaken(i, true);
    }
    return !same;
}

bool DiagramPaintCache::AsTaken(std::size_t i, bool withAccount) const {
    const MGShapeTable& box = *boxes_[i];
    const BoxState& s = states_[i];
    if (box.Position() != s.position || box.LineHeight() != s.lineHeight) return false;
    return !withAccount || (box.Detailed() == s.detailed && box.Rounded() == s.rounded &&
                            box.RelationCounter() == s.relationCounter);
}

void DiagramPaintCache::FinishPaint(int flags, bool measured) {
    finished_ = geometryValid_ && accountValid_;
    finishedGeneration_ = MGShapeRect::GeometryGeneration();
    finishedFlags_ = flags;
    finishedMeasured_ = measured;
}

void DiagramPaintCache::TakeGeometry(const MGDrawTableList& diagram) {
    if (ListsChanged(diagram)) TakeLists(diagram);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        if (const MGShapeTable* box = boxes_[i]) {
            states_[i].position = box->Position();
            states_[i].lineHeight = box->LineHeight();
        }
    }
    geometryValid_ = true;
    accountValid_ = false;
    boxGridValid_ = false;
    relationGridValid_ = false;
}

void DiagramPaintCache::TakeAccount() {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        if (const MGShapeTable* box = boxes_[i]) {
            states_[i].detailed = box->Detailed();
            states_[i].rounded = box->Rounded();
            states_[i].relationCounter = box->RelationCounter();
        }
    }
    accountValid_ = true;
}

void DiagramPaintCache::BoxesMeeting(const Rect& world, std::vector<int>& ids) {
    if (!boxGridValid_) {
        boxGrid_ = SpatialGrid(kCellSize);
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            const MGShapeTable* box = boxes_[i];
            if (box == nullptr) continue;
            Rect r = box->Position();
            const int lh = std::max(box->LineHeight(), 0);
            r.right += lh;
            r.bottom += lh;
            boxGrid_.Insert(static_cast<int>(i), r);
        }
        boxGridValid_ = true;
    }
    boxGrid_.Query(world, ids);
}

void DiagramPaintCache::RelationsMeeting(const MGDrawTableList& diagram, const Rect& world,
                                         std::vector<int>& ids) {
    if (!relationGridValid_) {
        const std::vector<MGShapeRelation*>& relations = Relations(diagram);
        relationGrid_ = SpatialGrid(kCellSize);
        gridRelations_.clear();
        for (const MGShapeRelation* relation : relations) {
            if (relation == nullptr || relation->TwinFlag() != 0 || !BothVisible(*relation)) continue;
            GridRelation& line = gridRelations_.emplace_back();
            line.route = RouteRelation(*relation, 0, 0);
            line.bounds = RouteBounds(line.route, 0, 0);
            line.style = relation->RouteStyle();
            InsertRoutePieces(relationGrid_, static_cast<int>(gridRelations_.size() - 1), line.route);
        }
        relationGridValid_ = true;
    }
    relationGrid_.Query(world, ids);
}

void DiagramPaintCache::CheckDrawn(const std::vector<int>& ids) {
    for (const int id : ids) {
        const auto i = static_cast<std::size_t>(id);
        const MGShapeTable* box = i < boxes_.size() ? boxes_[i] : nullptr;
        if (box == nullptr) continue;
        if (!AsTaken(i, accountValid_)) {
            // The next check must see the change (the spread ends and the
            // accounting were taken before it).
            geometryValid_ = false;
            boxGridValid_ = false;
            relationGridValid_ = false;
            return;
        }
    }
}

}  // namespace tabulorix
