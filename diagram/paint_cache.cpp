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
    for (int i = 0; i < boxCount_; ++i) boxes_[static_cast<std::size_t>(i)] = diagram.Item(i);
    relations_.resize(static_cast<std::size_t>(relationCount_));
    for (int i = 0; i < relationCount_; ++i)
        relations_[static_cast<std::size_t>(i)] = diagram.RelationItem(i);
    states_.assign(boxes_.size(), BoxState{});
    geometryValid_ = false;
    accountValid_ = false;
    relationFlagsKnown_ = false;
    boxGridValid_ = false;
    relationGridValid_ = false;
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
    bool same = geometryValid_ && accountValid_;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        MGShapeTable* box = boxes_[i];
        if (box == nullptr) continue;
        if (measure != nullptr) box->CalcSize(*measure->box, measure->displayMode);
        box->SetDisplayFlags(flags);
        const BoxState& s = states_[i];
        same = same && box->Position() == s.position && box->LineHeight() == s.lineHeight &&
               box->Detailed() == s.detailed && box->Rounded() == s.rounded &&
               box->RelationCounter() == s.relationCounter;
    }
    if (!same) {
        geometryValid_ = false;
        accountValid_ = false;
        boxGridValid_ = false;
        relationGridValid_ = false;
    }
    return !same;
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
        routeBounds_.assign(relations.size(), Rect{});
        for (std::size_t i = 0; i < relations.size(); ++i) {
            const MGShapeRelation* relation = relations[i];
            if (relation == nullptr || relation->TwinFlag() != 0 || !BothVisible(*relation)) continue;
            routeBounds_[i] = RouteBounds(RouteRelation(*relation, 0, 0), 0, 0);
            relationGrid_.Insert(static_cast<int>(i), routeBounds_[i]);
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
        if (box->Position() != states_[i].position || box->LineHeight() != states_[i].lineHeight) {
            boxGridValid_ = false;
            relationGridValid_ = false;
            return;
        }
    }
}

}  // namespace tabulorix
