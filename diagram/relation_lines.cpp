#include "diagram/relation_lines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "base/ui_ports.h"
#include "catalogue/column_index.h"
#include "catalogue/row_items.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_relation.h"
#include "render/draw_box.h"

namespace tabulorix {

using tabulorix::DevicePoint;
using tabulorix::Rect;

namespace {

// Half the size of the end marks (dot diameter and square side 8).
constexpr int kMark = 4;

bool IsTableBox(const MGShapeTable& box) {
    return box.BaseKind() == MGShapeField::kKindTable;
}

// ---- building ---------------------------------------------------------------

// A foreign-key row of a child box.
struct ForeignKeyRef {
    MGShapeTable* child;
    const ZMGRowCell* row;
};

// The owner is viewed in the row or box that outlives the builder.
struct OwnerKey {
    std::string_view owner;
    int keyNumber;
    bool operator==(const OwnerKey&) const = default;
};

struct OwnerKeyHash {
    std::size_t operator()(const OwnerKey& key) const {
        return std::hash<std::string_view>{}(key.owner) ^
               (std::hash<int>{}(key.keyNumber) * 0x9e3779b97f4a7c15ULL);
    }
};

class RelationBuilder {
public:
    RelationBuilder(MGDrawTableList& diagram, const MGColumnPrintBook* book)
        : diagram_(diagram), columnIndex_(book) {}

    void Run() {
        diagram_.Relations().Clear();
        IndexForeignKeys();
        for (int i = 0; i < diagram_.Count(); ++i) {
            MGShapeTable* parent = diagram_.Item(i);
            if (parent == nullptr || !IsTableBox(*parent)) continue;
            const ZMGCell& primary = parent->PrimaryKeyRows();
            for (int r = 1; !primary.IsPastEnd(r); ++r) {
                const ZMGRowExt& key = primary.GetRow(r);
                if (key.ItemOrEmpty(0).empty() || key.KeyNumber() == -1) continue;
                Match(*parent, key.KeyNumber());
            }
            const ZMGCell& unique = parent->UniqueRows();
            for (int r = 1; !unique.IsPastEnd(r); ++r) Match(*parent, unique.GetRow(r).KeyNumber());
        }
    }

private:
    void IndexForeignKeys() {
        for (int i = 0; i < diagram_.Count(); ++i) {
            MGShapeTable* child = diagram_.Item(i);
            if (child == nullptr || !IsTableBox(*child)) continue;
            const ZMGCell& foreign = child->ForeignKeyRows();
            for (int r = 1; !foreign.IsPastEnd(r); ++r) {
                const auto* row = dynamic_cast<const ZMGRowCell*>(&foreign.GetRow(r));
                if (row == nullptr) continue;
                byKey_[OwnerKey{row->ItemOrEmpty(foreign_key_row::kReferenceOwner), row->KeyNumber()}]
                    .push_back({child, row});
            }
        }
    }

    void Match(MGShapeTable& parent, int keyNumber) {
        const auto found = byKey_.find(OwnerKey{parent.Owner(), keyNumber});
        if (found == byKey_.end()) return;
        for (const ForeignKeyRef& ref : found->second) AddPair(parent, *ref.child, *ref.row, keyNumber);
    }

    void AddPair(MGShapeTable& parent, MGShapeTable& child, const ZMGRowCell& row, int keyNumber) {
        const bool cascade = (row.GetFlags() & kKeyCascade) != 0;
        const bool dashed = AnyNullable(child, row);
        ++number_;
        auto forward = std::make_unique<MGShapeRelation>();
        forward->SetRelationNumber(number_);
        forward->SetTwinFlag(0);
        forward->SetOwnBox(&child);
        forward->SetOtherBox(&parent);
        forward->SetOwnKeyNumber(keyNumber);
        forward->SetOtherKeyNumber(keyNumber);
        forward->SetRelationName(row.ItemOrEmpty(foreign_key_row::kFkName));
        forward->SetDashedLine(dashed);
        forward->SetCascade(cascade);
        forward->SetState(MGShapeRect::kStateNormal);
        auto twin = std::make_unique<MGShapeRelation>();
        twin->SetRelationNumber(number_);
        twin->SetTwinFlag(1);
        twin->SetOwnBox(&parent);
        twin->SetOtherBox(&child);
        twin->SetOwnKeyNumber(keyNumber);
        twin->SetOtherKeyNumber(keyNumber);
        twin->SetState(MGShapeRect::kStateNormal);
        diagram_.AddRelation(std::move(forward));
        diagram_.AddRelation(std::move(twin));
        // A solid line gives the child rounded corners; set here as well as
        // when the line is drawn, so the first paint's shadow matches its box.
        if (!dashed && child.Detailed() && parent.Detailed()) child.SetRounded(true);
    }

    // True when a column of the foreign key is nullable ("Y"); a column that
    // is not among the child's columns is reported and counts as not null.
    // The first column row of each name decides.
    bool AnyNullable(MGShapeTable& child, const ZMGRowCell& row) {
        const ZMGCell& childColumns = child.ColumnRows();
        bool any = false;
        const ZMGCell& columns = row.Child();
        for (int r = 1; !columns.IsPastEnd(r); ++r) {
            const int position = columnIndex_.Find(childColumns, columns.GetRow(r).ItemOrEmpty(0));
            if (position == 0) {
                tabulorix::ShowMessage("SYSTEM ERROR: cannot search field !");
                continue;
            }
            any = any || childColumns.GetRow(position).ItemOrEmpty(column_row::kNullable) == "Y";
        }
        return any;
    }

    MGDrawTableList& diagram_;
    std::unordered_map<OwnerKey, std::vector<ForeignKeyRef>, OwnerKeyHash> byKey_;
    MGColumnIndex columnIndex_;
    int number_ = 0;
};

// ---- spreading --------------------------------------------------------------

struct Centre {
    int x;
    int y;
};

Centre CentreOf(const MGShapeTable& box) {
    const Rect& p = box.Position();
    return {p.left + (p.right - p.left) / 2, p.top + (p.bottom - p.top) / 2};
}

bool IsVerticalSide(int side) {
    return side == MGShapeRelation::kSideLeft || side == MGShapeRelation::kSideRight;
}

// The sort key of an end on a side: the other box's centre along the side.
int SortKeyFor(int side, const Centre& other) {
    return IsVerticalSide(side) ? other.y : other.x;
}

DevicePoint PointOnSide(const Rect& p, int side, int offset) {
    switch (side) {
        case MGShapeRelation::kSideTop:
            return {p.left + offset, p.top};
        case MGShapeRelation::kSideLeft:
            return {p.left, p.top + offset};
        case MGShapeRelation::kSideRight:
            return {p.right, p.top + offset};
        default:
            return {p.left + offset, p.bottom};
    }
}

struct SideGroupKey {
    const MGShapeTable* box;
    int side;
    bool operator==(const SideGroupKey&) const = default;
};

struct SideGroupHash {
    std::size_t operator()(const SideGroupKey& key) const {
        return std::hash<const void*>{}(key.box) ^
               (static_cast<std::size_t>(key.side) * 0x9e3779b97f4a7c15ULL);
    }
};

// An end attached to a side: the object and the forward relation whose
// point it sets.
struct End {
    MGShapeRelation* object;
    MGShapeRelation* forward;
};

}  // namespace

MGSidePair ChooseSides(int dx, int dy) {
    using R = MGShapeRelation;
    if (dx < 0 && dy < 0) {
        if (-dx < -dy) return {R::kSideTop, R::kSideBottom};
        return {R::kSideLeft, R::kSideRight};
    }
    if (dx < 0) {
        if (-dx < dy) return {R::kSideBottom, R::kSideTop};
        return {R::kSideLeft, R::kSideRight};
    }
    if (dy < 0) {
        if (-dy <= dx) return {R::kSideRight, R::kSideLeft};
        return {R::kSideTop, R::kSideBottom};
    }
    if (dx < dy) return {R::kSideBottom, R::kSideTop};
    return {R::kSideRight, R::kSideLeft};
}

void BuildRelations(MGDrawTableList& diagram, const MGColumnPrintBook* book) {
    RelationBuilder(diagram, book).Run();
}

void SpreadAttachments(MGDrawTableList& diagram) {
    const int count = diagram.RelationCount();
    for (int i = 0; i < count; ++i) {
        const MGShapeRelation* relation = diagram.RelationItem(i);
        if (relation == nullptr) continue;
        for (MGShapeTable* box : {relation->OwnBox(), relation->OtherBox()}) {
            if (box == nullptr) continue;
            for (int side = 0; side < 4; ++side) box->SetSideCount(side, 0);
        }
    }
    std::unordered_map<SideGroupKey, std::vector<End>, SideGroupHash> groups;
    std::vector<SideGroupKey> order;  // groups in the order they appear
    auto attach = [&](MGShapeRelation& object, MGShapeRelation& forward) {
        MGShapeTable* own = object.OwnBox();
        own->SetSideCount(object.Side(), own->SideCount(object.Side()) + 1);
        const SideGroupKey key{own, object.Side()};
        auto [entry, added] = groups.try_emplace(key);
        if (added) order.push_back(key);
        entry->second.push_back(End{&object, &forward});
    };
    for (int i = 0; i < count; ++i) {
        MGShapeRelation* forward = diagram.RelationItem(i);
        if (forward == nullptr || forward->TwinFlag() != 0) continue;
        MGShapeRelation* twin = diagram.FindTwin(*forward);
        MGShapeTable* child = forward->OwnBox();
        MGShapeTable* parent = forward->OtherBox();
        if (twin == nullptr || child == nullptr || parent == nullptr) continue;
        if (child == parent) {
            forward->SetSide(MGShapeRelation::kSideNone);
            twin->SetSide(MGShapeRelation::kSideNone);
            continue;
        }
        const Centre c1 = CentreOf(*child);
        const Centre c2 = CentreOf(*parent);
        const MGSidePair sides = ChooseSides(c2.x - c1.x, c2.y - c1.y);
        forward->SetSide(sides.child);
        forward->SetSortKey(SortKeyFor(sides.child, c2));
        twin->SetSide(sides.parent);
        twin->SetSortKey(SortKeyFor(sides.parent, c1));
        attach(*forward, *forward);
        attach(*twin, *forward);
    }
    for (const SideGroupKey& key : order) {
        std::vector<End>& ends = groups[key];
        const Rect& p = key.box->Position();
        const int n = key.box->SideCount(key.side);
        const int length = IsVerticalSide(key.side) ? p.bottom - p.top : p.right - p.left;
        const int step = length / (n + 1);
        std::stable_sort(ends.begin(), ends.end(), [](const End& a, const End& b) {
            return a.object->SortKey() < b.object->SortKey();
        });
        for (std::size_t k = 0; k < ends.size(); ++k) {
            const DevicePoint point = PointOnSide(p, key.side, static_cast<int>(k + 1) * step);
            Rect& line = ends[k].forward->MutablePosition();
            if (ends[k].object == ends[k].forward) {
                line.left = point.x;
                line.top = point.y;
            } else {
                line.right = point.x;
                line.bottom = point.y;
            }
        }
    }
}

// ---- routing ----------------------------------------------------------------

MGRelationRoute RouteRelation(const MGShapeRelation& relation, int tw, int th) {
    MGRelationRoute route;
    const MGShapeTable& child = *relation.OwnBox();
    const MGShapeTable& parent = *relation.OtherBox();
    if (&child == &parent) {
        route.selfReference = true;
        const int r = (3 * child.LineHeight()) / 2;
        const int x = child.Position().right;
        const int y = child.Position().bottom;
        route.circle = {x - r, y - r, x + r, y + r};
        route.dot = {x - r - kMark, y, x - r + kMark, y + 2 * kMark};
        route.square = {x, y - r - kMark, x + 2 * kMark, y - r + kMark};
        route.name = {x + r + th / 2, y};
        return route;
    }
    const Rect& ends = relation.Position();
    const int x1 = ends.left;
    const int y1 = ends.top;
    const int x2 = ends.right;
    const int y2 = ends.bottom;
    const int mx = x1 + (x2 - x1) / 2;
    const int my = y1 + (y2 - y1) / 2;
    const int h = parent.LineHeight() / 2;
    const Rect& pp = parent.Position();
    const Rect& cp = child.Position();
    const int side = relation.Side();
    if (side == MGShapeRelation::kSideLeft || side == MGShapeRelation::kSideRight) {
        int yc = y1;
        int yp = y2;
        if (pp.top + h < y1 && y1 < pp.bottom - h) {
            route.line = {{x1, y1}, {x2, y1}};
            route.name = {mx - tw / 2, y1 - th - 4};
            yp = y1;
        } else if (cp.top + h < y2 && y2 < cp.bottom - h) {
            route.line = {{x1, y2}, {x2, y2}};
            route.name = {mx - tw / 2, y2 - th - 4};
            yc = y2;
        } else {
            route.line = {{x1, y1}, {mx, y1}, {mx, y2}, {x2, y2}};
            route.name = {mx - tw / 2, my - th / 2};
        }
        if (side == MGShapeRelation::kSideRight) {
            route.dot = {x1, yc - kMark, x1 + 2 * kMark, yc + kMark};
            route.square = {x2 - 2 * kMark, yp - kMark, x2, yp + kMark};
        } else {
            route.dot = {x1 - 2 * kMark, yc - kMark, x1, yc + kMark};
            route.square = {x2, yp - kMark, x2 + 2 * kMark, yp + kMark};
        }
        return route;
    }
    int xc = x1;
    int xp = x2;
    if (pp.left + h < x1 && x1 < pp.right - h) {
        route.line = {{x1, y1}, {x1, y2}};
        route.name = {x1 - tw / 2, my - th / 2};
        xp = x1;
    } else if (cp.left + h < x2 && x2 < cp.right - h) {
        route.line = {{x2, y1}, {x2, y2}};
        route.name = {x2 - tw / 2, my - th / 2};
        xc = x2;
    } else {
        route.line = {{x1, y1}, {x1, my}, {x2, my}, {x2, y2}};
        route.name = {mx - tw / 2, my - th - 4};
    }
    if (side == MGShapeRelation::kSideBottom) {
        route.dot = {xc - kMark, y1, xc + kMark, y1 + 2 * kMark};
        route.square = {xp - kMark, y2 - 2 * kMark, xp + kMark, y2};
    } else {
        route.dot = {xc - kMark, y1 - 2 * kMark, xc + kMark, y1};
        route.square = {xp - kMark, y2, xp + kMark, y2 + 2 * kMark};
    }
    return route;
}

Rect RouteBounds(const MGRelationRoute& route, int tw, int th) {
    Rect bounds = route.dot;
    auto take = [&](const Rect& r) {
        bounds.left = std::min({bounds.left, r.left, r.right});
        bounds.top = std::min({bounds.top, r.top, r.bottom});
        bounds.right = std::max({bounds.right, r.left, r.right});
        bounds.bottom = std::max({bounds.bottom, r.top, r.bottom});
    };
    take(route.square);
    if (route.selfReference) take(route.circle);
    for (const DevicePoint& p : route.line) take(Rect{p.x, p.y, p.x, p.y});
    if (tw > 0 || th > 0) take(Rect{route.name.x, route.name.y, route.name.x + tw, route.name.y + th});
    return bounds;
}

// ---- drawing ----------------------------------------------------------------

namespace {

// The relation name's size in world units, when names are shown.
void NameExtent(const MGShapeRelation& relation, ZMGDrawBox& box, int& tw, int& th) {
    tw = 0;
    th = 0;
    if ((relation.DisplayFlags() & MGShapeRect::kFlagRelationNames) == 0) return;
    box.TextExtent(relation.RelationName(), tw, th);
    const int zoom = box.Zoom();
    if (zoom <= 0) return;
    tw = static_cast<int>(std::trunc(tw * 100.0 / zoom));
    th = static_cast<int>(std::trunc(th * 100.0 / zoom));
}

bool BothVisible(const MGShapeRelation& relation) {
    return relation.OwnBox() != nullptr && relation.OtherBox() != nullptr && relation.OwnBox()->Detailed() &&
           relation.OtherBox()->Detailed();
}

}  // namespace

tabulorix::Rect MGShapeRelation::DrawnBounds(ZMGDrawBox& box) const {
    if (!BothVisible(*this)) return Rect{};
    int tw = 0;
    int th = 0;
    NameExtent(*this, box, tw, th);
    return RouteBounds(RouteRelation(*this, tw, th), tw, th);
}

void MGShapeRelation::AccountForBoxes() {
    if (!BothVisible(*this)) return;
    MGShapeTable& child = *OwnBox();
    MGShapeTable& parent = *OtherBox();
    child.SetRelationCounter(child.RelationCounter() + 1);
    parent.SetRelationCounter(parent.RelationCounter() + 1);
    if (!DashedLine()) child.SetRounded(true);
}

void MGShapeRelation::Draw(int /*displayMode*/, ZMGDrawBox& box) {
    if (!BothVisible(*this)) return;
    AccountForBoxes();
    DrawRoute(box);
}

void MGShapeRelation::DrawRoute(ZMGDrawBox& box, const std::optional<Rect>& deviceArea, int margin) {
    if (!BothVisible(*this)) return;
    int tw = 0;
    int th = 0;
    NameExtent(*this, box, tw, th);
    DrawRouted(RouteRelation(*this, tw, th), box, MGRouteArea{deviceArea, margin, std::nullopt});
}

void MGShapeRelation::DrawRouted(const MGRelationRoute& route, ZMGDrawBox& box, const MGRouteArea& area) {
    const bool names = (DisplayFlags() & kFlagRelationNames) != 0;
    DrawRouteShapes(route, RouteStyle(), box, area, names ? &RelationName() : nullptr);
}

void MGRoutePen::Begin(ZMGDrawBox& box, tabulorix::PenStyle style) {
    if (!begun_) {
        box.SetPenMode(tabulorix::PenMode::Copy);
        box.SetBrushStyle(tabulorix::BrushStyle::Clear);
        box.SetPenColor(tabulorix::kBlack);
        box.SetPenWidth(1);
        box.SetPenStyle(style);
        penStyle_ = style;
        brushClear_ = true;
        begun_ = true;
        return;
    }
    if (!brushClear_) {
        box.SetBrushStyle(tabulorix::BrushStyle::Clear);
        brushClear_ = true;
    }
    SetPenStyle(box, style);
}

void MGRoutePen::SetPenStyle(ZMGDrawBox& box, tabulorix::PenStyle style) {
    if (penStyle_ == style) return;
    box.SetPenStyle(style);
    penStyle_ = style;
}

void MGRoutePen::SetBrushColor(ZMGDrawBox& box, tabulorix::Color color) {
    if (!brushClear_ && brushColor_ == color) return;
    box.SetBrushColor(color);
    brushColor_ = color;
    brushClear_ = false;
}

void MGShapeRelation::DrawRouteShapes(const MGRelationRoute& route, MGRouteStyle style, ZMGDrawBox& box,
                                      const MGRouteArea& area, const std::string* name, MGRoutePen* keptPen) {
    MGRoutePen ownPen;
    MGRoutePen& pen = keptPen != nullptr ? *keptPen : ownPen;
    // True when the piece with these world corners may leave pixels inside
    // the area.
    auto shows = [&](const Rect& world) {
        if (!area.device) return true;
        if (area.world) {
            if (const std::optional<bool> meets = ZMGOutput::MeetsReach(*area.world, world)) return *meets;
        }
        const Rect d = box.MapRect(world);
        const int margin = area.margin;
        return std::max(d.left, d.right) + margin >= area.device->left &&
               std::min(d.left, d.right) - margin <= area.device->right &&
               std::max(d.top, d.bottom) + margin >= area.device->top &&
               std::min(d.top, d.bottom) - margin <= area.device->bottom;
    };
    pen.Begin(box, style.dashed ? tabulorix::PenStyle::Dot : tabulorix::PenStyle::Solid);
    if (route.selfReference) {
        if (shows(route.circle)) box.Ellipse(route.circle, true);
    } else {
        // Every segment is a line of its own (a dotted pattern starts anew
        // on each), so a segment outside the area can be left out.
        bool penAtStart = false;
        for (std::size_t i = 1; i < route.line.size(); ++i) {
            const DevicePoint& a = route.line[i - 1];
            const DevicePoint& b = route.line[i];
            if (!shows(Rect{a.x, a.y, b.x, b.y})) {
                penAtStart = false;
                continue;
            }
            if (!penAtStart) box.MoveTo(a.x, a.y);
            box.LineTo(b.x, b.y);
            penAtStart = true;
        }
    }
    if (name != nullptr) box.DrawText(route.name.x, route.name.y, *name, tabulorix::kBlack);
    pen.SetPenStyle(box, tabulorix::PenStyle::Solid);
    pen.SetBrushColor(box, tabulorix::kBlack);
    if (shows(route.dot)) box.Ellipse(route.dot, true);
    if (style.cascade) {
        pen.SetBrushColor(box, tabulorix::kWhite);
        const Rect& s = route.square;
        std::array<DevicePoint, 4> corners{
            {{s.left, s.top}, {s.left, s.bottom}, {s.right, s.bottom}, {s.right, s.top}}};
        if (shows(s)) box.Polygon(corners);
    }
}

void MGShapeRelation::DrawHitMask(ZMGDrawBox& box, tabulorix::Canvas& dc, tabulorix::Color /*brush*/) {
    if (!BothVisible(*this)) return;
    const MGRelationRoute route = RouteRelation(*this, 0, 0);
    if (route.selfReference) {
        box.Ellipse(dc, route.circle, true);
        return;
    }
    box.MoveTo(dc, route.line.front().x, route.line.front().y);
    for (std::size_t i = 1; i < route.line.size(); ++i) box.LineTo(dc, route.line[i].x, route.line[i].y);
}

}  // namespace tabulorix
