// A relationship line between two table boxes. Every relation exists as a
// pair: the forward object (the drawn line, child end (x1, y1) and parent end
// (x2, y2) in the position rectangle) and its reverse twin, which only carries
// the parent-side attachment while line ends are spread over the box sides.
#pragma once

#include <optional>
#include <string>

#include "diagram/shape_rect.h"

namespace tabulorix {

class MGShapeTable;
struct MGRelationRoute;

// The part of the surface a line is drawn for: the pieces whose device
// bounds, grown by margin pixels, miss the device area are left out. The
// world span the grown area reaches (ZMGDrawBox::ReachedWorld), when given,
// answers the same test without mapping every piece.
struct MGRouteArea {
    std::optional<tabulorix::Rect> device;
    int margin = 0;
    std::optional<tabulorix::Rect> world;
};

// How a relation's line and end marks are drawn: a dotted line for a
// nullable foreign key, the square at the parent end for a cascading one.
struct MGRouteStyle {
    bool dashed = false;
    bool cascade = false;
};

// The pen and brush that routes drawn one after another leave on the box:
// the first route sets them all, each later one only what differs (the
// routes are all that is drawn meanwhile).
class MGRoutePen {
public:
    // Copy mode, clear brush, black one-pixel pen of the style.
    void Begin(ZMGDrawBox& box, tabulorix::PenStyle style);
    void SetPenStyle(ZMGDrawBox& box, tabulorix::PenStyle style);
    // A brush colour makes the brush solid.
    void SetBrushColor(ZMGDrawBox& box, tabulorix::Color color);

private:
    bool begun_ = false;
    tabulorix::PenStyle penStyle_ = tabulorix::PenStyle::Solid;
    bool brushClear_ = true;
    tabulorix::Color brushColor_ = tabulorix::kBlack;
};

class MGShapeRelation : public MGShapeRect {
public:
    // Sides of a box where a line end attaches.
    static constexpr int kSideNone = -1;  // self-reference
    static constexpr int kSideTop = 0;
    static constexpr int kSideLeft = 1;
    static constexpr int kSideRight = 2;
    static constexpr int kSideBottom = 3;

    MGShapeRelation() = default;
    ~MGShapeRelation() override;

    // The routed line with its end marks and optional name.
    void Draw(int displayMode, ZMGDrawBox& box) override;
    // The line's segments, for the pixel hit test.
    void DrawHitMask(ZMGDrawBox& box, tabulorix::Canvas& dc, tabulorix::Color brush) override;
    // What drawing the line does to its boxes, also when the line lies
    // outside the repainted area and is skipped: both relation counters go
    // up, and a solid line gives the child rounded corners. Nothing when
    // either box is not visible.
    void AccountForBoxes();
    // What Draw puts on the surface, without the accounting (for a paint
    // that has accounted for every line already). Nothing when either box is
    // not visible. With a device area, the pieces (segments, circle, marks)
    // whose device bounds, grown by `margin` pixels, miss it are left out:
    // the pixels inside the area stay the same.
    void DrawRoute(ZMGDrawBox& box, const std::optional<tabulorix::Rect>& deviceArea = std::nullopt,
                   int margin = 0);
    // DrawRoute with the route made already (RouteRelation with the name's
    // extent as shown), for a line whose boxes are both visible: a paint
    // keeps the routes of the lines between its paints.
    void DrawRouted(const MGRelationRoute& route, ZMGDrawBox& box, const MGRouteArea& area);
    // What DrawRouted puts on the surface for a line of this style, with the
    // name when one is given: a paint that keeps the routes and styles of
    // its lines draws them without reading the relations. A pen kept over
    // a run of routes spares setting what the route before left set.
    static void DrawRouteShapes(const MGRelationRoute& route, MGRouteStyle style, ZMGDrawBox& box,
                                const MGRouteArea& area, const std::string* name = nullptr,
                                MGRoutePen* pen = nullptr);
    MGRouteStyle RouteStyle() const { return MGRouteStyle{dashedLine_, cascade_}; }
    // World rectangle of everything Draw puts on the surface (empty when the
    // line is not drawn); the ends must have been spread.
    tabulorix::Rect DrawnBounds(ZMGDrawBox& box) const;

    int Side() const { return side_; }
    void SetSide(int side) { side_ = side; }
    int RelationNumber() const { return relationNumber_; }
    void SetRelationNumber(int number) { relationNumber_ = number; }
    // 0 for the forward object, 1 for the twin.
    int TwinFlag() const { return twinFlag_; }
    void SetTwinFlag(int flag) { twinFlag_ = flag; }
    int SortKey() const { return sortKey_; }
    void SetSortKey(int key) { sortKey_ = key; }
    // Forward: own = child, other = parent; twin: the reverse. Not owned.
    MGShapeTable* OwnBox() const { return ownBox_; }
    void SetOwnBox(MGShapeTable* box) { ownBox_ = box; }
    MGShapeTable* OtherBox() const { return otherBox_; }
    void SetOtherBox(MGShapeTable* box) { otherBox_ = box; }
    int OwnKeyNumber() const { return ownKeyNumber_; }
    void SetOwnKeyNumber(int number) { ownKeyNumber_ = number; }
    int OtherKeyNumber() const { return otherKeyNumber_; }
    void SetOtherKeyNumber(int number) { otherKeyNumber_ = number; }
    const std::string& RelationName() const { return relationName_; }
    void SetRelationName(const std::string& name) { relationName_ = name; }
    bool DashedLine() const { return dashedLine_; }
    void SetDashedLine(bool dashed) { dashedLine_ = dashed; }
    bool Cascade() const { return cascade_; }
    void SetCascade(bool cascade) { cascade_ = cascade; }

private:
    int side_ = kSideNone;
    int relationNumber_ = 0;
    int twinFlag_ = 0;
    int sortKey_ = 0;
    MGShapeTable* ownBox_ = nullptr;
    MGShapeTable* otherBox_ = nullptr;
    int ownKeyNumber_ = 0;
    int otherKeyNumber_ = 0;
    std::string relationName_;
    bool dashedLine_ = false;
    bool cascade_ = false;
};

}  // namespace tabulorix
