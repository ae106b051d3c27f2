#include "diagram/diagram_paint.h"

#include <algorithm>
#include <vector>

#include "diagram/draw_table_list.h"
#include "diagram/paint_cache.h"
#include "diagram/relation_lines.h"
#include "render/draw_box.h"

namespace tabulorix {

using tabulorix::DiagramPaintCache;
using tabulorix::GridRelation;
using tabulorix::Rect;

namespace {

// Device pixels added around every bound before it is compared with the
// repainted area: pen widths, rounding and glyph overhang stay inside.
constexpr int kDeviceMargin = 8;

// Whether two world rectangles (corners in any order) meet, edges included.
bool Meet(Rect a, const Rect& b) {
    if (a.left > a.right) std::swap(a.left, a.right);
    if (a.top > a.bottom) std::swap(a.top, a.bottom);
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

Rect Normalised(Rect r) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

// Decides what to skip: a shape is drawn when its device bounds, grown by
// the margin, meet the repainted area.
class Culler {
public:
    Culler(ZMGDrawBox& box, const std::optional<Rect>& area)
        : box_(box), area_(area), reach_(area ? box.ReachedWorld(*area, kDeviceMargin) : std::nullopt) {}

    bool Culls() const { return area_.has_value(); }
    // The world span the grown area reaches, when the mapping gives one.
    const std::optional<Rect>& Reach() const { return reach_; }

    bool Shows(const Rect& world) const {
        if (!area_) return true;
        if (reach_) {
            if (const std::optional<bool> meets = ZMGOutput::MeetsReach(*reach_, world)) return *meets;
        }
        const Rect d = Normalised(box_.MapRect(world));
        return d.right + kDeviceMargin >= area_->left && d.left - kDeviceMargin <= area_->right &&
               d.bottom + kDeviceMargin >= area_->top && d.top - kDeviceMargin <= area_->bottom;
    }

    // A box with its shadow (one line height to the right and below).
    bool ShowsBox(const MGShapeTable& shape) const {
        if (!area_) return true;
        Rect r = shape.Position();
        const int lh = std::max(shape.LineHeight(), 0);
        r.right += lh;
        r.bottom += lh;
        return Shows(r);
    }

    // A world rectangle outside of which nothing is shown: every world
    // rectangle that Shows accepts meets it. Mapping is monotonic, so it is
    // enough that its edges map beyond the grown area. Nothing when there is
    // no area or no such rectangle is found (then everything is tested).
    std::optional<Rect> WorldArea() const {
        if (!area_ || box_.Zoom() <= 0) return std::nullopt;
        const int m = kDeviceMargin + 1;
        const Rect w = Normalised(
            box_.UnmapRect(Rect{area_->left - m, area_->top - m, area_->right + m, area_->bottom + m}));
        for (int slack = 2; slack <= (1 << 20); slack *= 8) {
            const Rect c{w.left - slack, w.top - slack, w.right + slack, w.bottom + slack};
            if (box_.MapX(c.left) < area_->left - kDeviceMargin &&
                box_.MapX(c.right) > area_->right + kDeviceMargin &&
                box_.MapY(c.top) < area_->top - kDeviceMargin &&
                box_.MapY(c.bottom) > area_->bottom + kDeviceMargin)
                return c;
        }
        return std::nullopt;
    }

private:
    ZMGDrawBox& box_;
    std::optional<Rect> area_;
    std::optional<Rect> reach_;
};

// Limits the page decorations of the current output to the repainted area
// for the length of one paint.
class DecorationAreaScope {
public:
    DecorationAreaScope(ZMGOutput& output, const std::optional<Rect>& area)
        : output_(output), saved_(output.DecorationArea()) {
        output_.SetDecorationArea(area);
    }
    ~DecorationAreaScope() { output_.SetDecorationArea(saved_); }
    DecorationAreaScope(const DecorationAreaScope&) = delete;
    DecorationAreaScope& operator=(const DecorationAreaScope&) = delete;

private:
    ZMGOutput& output_;
    std::optional<Rect> saved_;
};

void AllPositions(int count, std::vector<int>& ids) {
    ids.resize(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) ids[static_cast<std::size_t>(i)] = i;
}

// Draws the grid lines that meet the world area, in list order: the lines
// are kept together with their routes and styles, so neither relation
// objects nor routes are read.
void DrawGridRelations(MGDrawTableList& diagram, DiagramPaintCache& cache, const Rect& world,
                       const Culler& culler, ZMGDrawBox& box, const MGRouteArea& routeArea,
                       std::vector<int>& ids) {
    cache.RelationsMeeting(diagram, world, ids);
    MGRoutePen pen;
    for (const int id : ids) {
        const GridRelation& line = cache.GridRelationAt(id);
        if (!(Meet(line.bounds, world) && culler.Shows(line.bounds))) continue;
        MGShapeRelation::DrawRouteShapes(line.route, line.style, box, routeArea, nullptr, &pen);
    }
}

// Draws every forward relation in list order, each routed anew (with its
// name, when names are shown) and tested as a whole.
void DrawAllRelations(const std::vector<MGShapeRelation*>& relations, const Culler& culler, ZMGDrawBox& box,
                      const std::optional<Rect>& repaintArea) {
    for (MGShapeRelation* relation : relations) {
        if (relation == nullptr || relation->TwinFlag() != 0) continue;
        if (culler.Culls() && !culler.Shows(relation->DrawnBounds(box))) continue;
        relation->DrawRoute(box, repaintArea, kDeviceMargin);
    }
}

// Draws the boxes at the given list positions that meet the area, in list
// order, with the flags.
void BoxPass(const std::vector<MGShapeTable*>& boxes, const std::vector<int>& ids, ZMGDrawBox& box,
             const MGPaintRequest& request, const Culler& culler, int flags, std::vector<int>& drawn) {
    drawn.clear();
    for (const int i : ids) {
        MGShapeTable* shape = boxes[static_cast<std::size_t>(i)];
        if (shape == nullptr || !culler.ShowsBox(*shape)) continue;
        shape->SetDisplayFlags(flags);
        shape->Draw(request.displayMode, box);
        drawn.push_back(i);
    }
}

// What drawing every line does to its boxes: counters from 0, rounded
// corners for solid lines.
void AccountForAllLines(MGDrawTableList& diagram, const std::vector<MGShapeTable*>& boxes) {
    for (MGShapeTable* shape : boxes) {
        if (shape != nullptr) shape->SetRelationCounter(0);
    }
    for (int i = 0; i < diagram.RelationCount(); ++i) {
        MGShapeRelation* relation = diagram.RelationItem(i);
        if (relation != nullptr && relation->TwinFlag() == 0) relation->AccountForBoxes();
    }
}

void SetRelationFlags(MGDrawTableList& diagram, DiagramPaintCache& cache, int flags) {
    if (cache.RelationFlagsAre(flags)) return;
    for (int i = 0; i < diagram.RelationCount(); ++i) {
        MGShapeRelation* relation = diagram.RelationItem(i);
        if (relation != nullptr && relation->TwinFlag() == 0) relation->SetDisplayFlags(flags);
    }
    cache.SetRelationFlags(flags);
}

}  // namespace

void MeasureAllBoxes(MGDrawTableList& diagram, ZMGDrawBox& box, int displayMode) {
    for (MGShapeTable* shape : diagram.PaintCache().Boxes(diagram)) {
        if (shape != nullptr) shape->CalcSize(box, displayMode);
    }
}

namespace {

// The result equals drawing every box and every line in list order with the
// culling test per object: the spread ends and the accounting are what a
// fresh spread and a full line pass would give (they are redone whenever
// something they depend on changed), and the grids only leave out objects
// that the culling test would skip; the rest are drawn in list order. With
// measure set, the boxes are measured in the walk that checks them, which
// leaves every box as MeasureAllBoxes beforehand would.
void DrawMeasuring(MGDrawTableList& diagram, ZMGDrawBox& box, const MGPaintRequest& request, bool measure) {
    const int flags = request.flags & ~MGShapeRect::kFlagShadowPass;
    const Culler culler(box, request.repaintArea);
    DiagramPaintCache& cache = diagram.PaintCache();
    const DecorationAreaScope decorationArea(box.Current(), request.repaintArea);
    box.DrawPageDecorations(true, request.pagePosition, request.pageNumberForm);
    const DiagramPaintCache::BoxMeasure measuring{&box, request.displayMode};
    if (cache.CheckBoxes(diagram, flags, measure ? &measuring : nullptr)) {
        SpreadAttachments(diagram);
        cache.TakeGeometry(diagram);
    }
    const std::vector<MGShapeTable*>& boxes = cache.Boxes(diagram);
    const std::optional<Rect> world = culler.WorldArea();
    std::vector<int> ids;
    std::vector<int> drawn;
    if (world) {
        cache.BoxesMeeting(*world, ids);
    } else {
        AllPositions(static_cast<int>(boxes.size()), ids);
    }
    BoxPass(boxes, ids, box, request, culler, flags | MGShapeRect::kFlagShadowPass, drawn);
    // Every box leaves the paint with the flags, also one that drawing
    // measured anew so that it is no longer in the area.
    for (const int i : drawn) boxes[static_cast<std::size_t>(i)]->SetDisplayFlags(flags);
    cache.CheckDrawn(drawn);

    if (!cache.AccountValid()) {
        AccountForAllLines(diagram, boxes);
        cache.TakeAccount();
    }
    SetRelationFlags(diagram, cache, flags);
    // Without names a relation draws within the route bounds the grid was
    // built from, so they need not be routed again for the test.
    if (world && (flags & MGShapeRect::kFlagRelationNames) == 0) {
        const MGRouteArea routeArea{request.repaintArea, kDeviceMargin, culler.Reach()};
        DrawGridRelations(diagram, cache, *world, culler, box, routeArea, ids);
    } else {
        DrawAllRelations(cache.Relations(diagram), culler, box, request.repaintArea);
    }

    if (world) {
        cache.BoxesMeeting(*world, ids);
    } else {
        AllPositions(static_cast<int>(boxes.size()), ids);
    }
    BoxPass(boxes, ids, box, request, culler, flags, drawn);
    cache.CheckDrawn(drawn);
    cache.FinishPaint(flags, measure);
    box.DrawPageDecorations(false, request.pagePosition, request.pageNumberForm);
}

}  // namespace

void DrawDiagram(MGDrawTableList& diagram, ZMGDrawBox& box, const MGPaintRequest& request) {
    DrawMeasuring(diagram, box, request, false);
}

void PaintDiagram(MGDrawTableList& diagram, ZMGDrawBox& box, const MGPaintRequest& request) {
    box.ClearPaper();
    DrawMeasuring(diagram, box, request, true);
}

}  // namespace tabulorix
