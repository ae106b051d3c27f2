#include "diagram/diagram_paint.h"

#include <algorithm>

#include "diagram/draw_table_list.h"
#include "diagram/relation_lines.h"
#include "render/draw_box.h"

using tabulorix::Rect;

namespace {

// Device pixels added around every bound before it is compared with the
// repainted area: pen widths, rounding and glyph overhang stay inside.
constexpr int kDeviceMargin = 8;

Rect Normalised(Rect r) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

// Decides what to skip: a shape is drawn when its device bounds, grown by
// the margin, meet the repainted area.
class Culler {
public:
    Culler(ZMGDrawBox& box, const std::optional<Rect>& area) : box_(box), area_(area) {}

    bool Shows(const Rect& world) const {
        if (!area_) return true;
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

private:
    ZMGDrawBox& box_;
    std::optional<Rect> area_;
};

void BoxPass(MGDrawTableList& diagram, ZMGDrawBox& box, const MGPaintRequest& request, const Culler& culler,
             int flags) {
    for (int i = 0; i < diagram.Count(); ++i) {
        MGShapeTable* shape = diagram.Item(i);
        if (shape == nullptr) continue;
        shape->SetDisplayFlags(flags);
        if (culler.ShowsBox(*shape)) shape->Draw(request.displayMode, box);
    }
}

}  // namespace

void MeasureAllBoxes(MGDrawTableList& diagram, ZMGDrawBox& box, int displayMode) {
    for (int i = 0; i < diagram.Count(); ++i) {
        if (MGShapeTable* shape = diagram.Item(i)) shape->CalcSize(box, displayMode);
    }
}

void DrawDiagram(MGDrawTableList& diagram, ZMGDrawBox& box, const MGPaintRequest& request) {
    const int flags = request.flags & ~MGShapeRect::kFlagShadowPass;
    const Culler culler(box, request.repaintArea);
    box.DrawPageDecorations(true, request.pagePosition, request.pageNumberForm);
    SpreadAttachments(diagram);
    BoxPass(diagram, box, request, culler, flags | MGShapeRect::kFlagShadowPass);
    for (int i = 0; i < diagram.Count(); ++i) {
        if (MGShapeTable* shape = diagram.Item(i)) shape->SetRelationCounter(0);
    }
    for (int i = 0; i < diagram.RelationCount(); ++i) {
        MGShapeRelation* relation = diagram.RelationItem(i);
        if (relation == nullptr || relation->TwinFlag() != 0) continue;
        relation->SetDisplayFlags(flags);
        if (!request.repaintArea || culler.Shows(relation->DrawnBounds(box))) {
            relation->Draw(request.displayMode, box);
        } else {
            relation->AccountForBoxes();
        }
    }
    BoxPass(diagram, box, request, culler, flags);
    box.DrawPageDecorations(false, request.pagePosition, request.pageNumberForm);
}

void PaintDiagram(MGDrawTableList& diagram, ZMGDrawBox& box, const MGPaintRequest& request) {
    box.ClearPaper();
    MeasureAllBoxes(diagram, box, request.displayMode);
    DrawDiagram(diagram, box, request);
}
