#include "diagram/interaction.h"

#include <memory>

#include "diagram/draw_table_list.h"
#include "diagram/hit_test.h"
#include "diagram/shape_relation.h"
#include "diagram/shape_table.h"
#include "diagram/shape_text.h"
#include "render/draw_box.h"

namespace tabulorix {

namespace {

constexpr int kNormal = MGShapeRect::kStateNormal;
constexpr int kSelected = MGShapeRect::kStateSelected;
constexpr int kDragged = MGShapeRect::kStateDragged;

bool IsSelected(const MGShapeRect& shape) {
    return shape.State() == kSelected || shape.State() == kDragged;
}

bool IsText(const MGShapeRect& shape) { return dynamic_cast<const MGShapeText*>(&shape) != nullptr; }

Rect Shifted(const Rect& rect, int dx, int dy) {
    return Rect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace

void MGDiagramInteraction::MouseDown(const MGMouse& mouse, MGToolMode mode) {
    if (dragMode_ != 0) return;
    if (mouse.right) {
        // The first box hit in list order goes back to normal.
        for (int i = 0; i < diagram_.Count(); ++i) {
            MGShapeTable& shape = *diagram_.Item(i);
            if (!HitTest(shape, box_, mouse.x, mouse.y)) continue;
            if (shape.State() != kNormal) {
                Invalidate(shape);
                shape.SetState(kNormal);
                box_.UpdatePaintBox();
                if (!AnyTextSelected()) host_.SetDeleteTextEnabled(false);
            }
            return;
        }
        return;
    }
    const int hit = HitBoxIndex(diagram_, box_, mouse.x, mouse.y);
    if (hit >= 0) {
        dragMode_ = 1;
        PressBox(*diagram_.Item(hit), mouse);
        return;
    }
    if (PressRelation(mouse)) return;
    PressNothing(mouse, mode);
}

void MGDiagramInteraction::PressBox(MGShapeTable& shape, const MGMouse& mouse) {
    if (mouse.doubleClick) {
        dragMode_ = 0;
        if (IsText(shape)) {
            EditText(shape);
            return;
        }
        DeselectAll();
        Select(shape);
        box_.UpdatePaintBox();
        host_.RequestOpen(shape);
        return;
    }
    if (!IsSelected(shape) && !mouse.shift) DeselectAll();
    Select(shape);
    BeginDrag(mouse.x, mouse.y);
    if (IsText(shape)) host_.SetDeleteTextEnabled(true);
    box_.UpdatePaintBox();
    if (!IsText(shape)) host_.BoxClicked(shape);
}

bool MGDiagramInteraction::PressRelation(const MGMouse& mouse) {
    const int hit = HitRelationIndex(diagram_, box_, mouse.x, mouse.y);
    if (hit < 0) return false;
    MGShapeRelation& relation = *diagram_.RelationItem(hit);
    MGShapeTable* child = relation.OwnBox();
    MGShapeTable* parent = relation.OtherBox();
    if (child == nullptr || parent == nullptr) return false;
    dragMode_ = 1;
    if (mouse.doubleClick) {
        dragMode_ = 0;
        DeselectAll();
        Select(*child);
        box_.UpdatePaintBox();
        host_.RequestOpen(*child);
        return true;
    }
    if (!mouse.shift) DeselectAll();
    Select(*child);
    Select(*parent);
    BeginDrag(mouse.x, mouse.y);
    box_.UpdatePaintBox();
    return true;
}

void MGDiagramInteraction::PressNothing(const MGMouse& mouse, MGToolMode mode) {
    if (mode == MGToolMode::PlaceText) {
        CreateText(mouse.x, mouse.y);
        return;
    }
    if (!mouse.shift && DeselectAll() > 0) box_.UpdatePaintBox();
    MGShapeRect& band = diagram_.SelectionBand();
    band.SetState(kSelected);
    band.SetMovePending(true);
    band.SetOutline(Rect{mouse.x, mouse.y, mouse.x, mouse.y});
}

void MGDiagramInteraction::MouseMove(int x, int y) {
    MGShapeRect& band = diagram_.SelectionBand();
    if (dragMode_ == 0) {
        if (band.State() != kSelected && band.State() != kDragged) return;
        band.SetState(kDragged);
        if (band.MovePending())
            band.SetMovePending(false);
        else
            DrawBand();
        Rect outline = band.Outline();
        outline.right = x;
        outline.bottom = y;
        band.SetOutline(outline);
        DrawBand();
        box_.UpdatePaintBox();
        return;
    }
    dragMode_ = 2;
    const int zoom = box_.Zoom();
    int pagesX = 1;
    int pagesY = 1;
    box_.GetPageCount(pagesX, pagesY);
    const int limitX = box_.PaperW() * pagesX;
    const int limitY = box_.PaperH() * pagesY;
    // Either every selected box moves or none does. The selection cannot
    // change while the button is down: the boxes are those the drag began
    // with, not a walk over the whole diagram at every move.
    for (const MGShapeTable* dragged : dragged_) {
        const MGShapeTable& shape = *dragged;
        const Rect moved = Shifted(shape.DragOrigin(), (x - shape.AnchorX()) * 100 / zoom,
                                   (y - shape.AnchorY()) * 100 / zoom);
        if (moved.left <= 0 || moved.top <= 0 || moved.right >= limitX || moved.bottom >= limitY) return;
    }
    for (MGShapeTable* dragged : dragged_) {
        MGShapeTable& shape = *dragged;
        shape.SetState(kDragged);
        if (shape.MovePending())
            shape.SetMovePending(false);
        else
            DrawOutline(shape.Outline());  // erases the previous one
        shape.SetOutline(Shifted(shape.DragOrigin(), (x - shape.AnchorX()) * 100 / zoom,
                                 (y - shape.AnchorY()) * 100 / zoom));
        DrawOutline(shape.Outline());
    }
    diagram_.SetModified(true);
    box_.UpdatePaintBox();
}

void MGDiagramInteraction::MouseUp(int, int) {
    if (dragMode_ != 0) {
        Drop();
        return;
    }
    const int bandState = diagram_.SelectionBand().State();
    if (bandState == kSelected || bandState == kDragged) EndBand();
}

void MGDiagramInteraction::Drop() {
    bool linesMoved = false;
    for (int i = 0; i < diagram_.Count(); ++i) {
        MGShapeTable& shape = *diagram_.Item(i);
        if (!IsSelected(shape)) continue;
        if (shape.State() == kSelected) continue;  // pressed, never moved
        if (!shape.MovePending()) DrawOutline(shape.Outline());
        Invalidate(shape);
        shape.SetPosition(shape.Outline());
        shape.SetState(kSelected);
        Invalidate(shape);
        linesMoved = linesMoved || shape.RelationCounter() > 0;
    }
    // The lines of a moved box are routed anew wherever they run.
    if (linesMoved) box_.InvalidatePaintBox();
    box_.UpdatePaintBox();
    dragMode_ = 0;
}

void MGDiagramInteraction::EndBand() {
    MGShapeRect& band = diagram_.SelectionBand();
    const bool dragged = band.State() == kDragged;
    if (dragged) DrawBand();
    const Rect& drawn = band.Outline();
    const Rect device{std::min(drawn.left, drawn.right), std::min(drawn.top, drawn.bottom),
                      std::max(drawn.left, drawn.right), std::max(drawn.top, drawn.bottom)};
    const Rect world = box_.UnmapRect(device);
    band.SetOutline(device);
    band.SetPosition(world);
    band.SetState(kNormal);
    if (!dragged) return;
    bool text = false;
    for (int i = 0; i < diagram_.Count(); ++i) {
        MGShapeTable& shape = *diagram_.Item(i);
        if (shape.State() != kNormal || !shape.IsInside(world)) continue;
        Select(shape);
        text = text || IsText(shape);
    }
    BeginDrag(device.left, device.top);
    if (text) host_.SetDeleteTextEnabled(true);
    box_.UpdatePaintBox();
}

void MGDiagramInteraction::CancelDrag() {
    if (dragMode_ != 0) {
        for (int i = 0; i < diagram_.Count(); ++i) {
            MGShapeTable& shape = *diagram_.Item(i);
            if (shape.State() != kDragged) continue;
            if (!shape.MovePending()) DrawOutline(shape.Outline());
            shape.SetOutline(shape.Position());
            shape.SetState(kSelected);
            // A paint during the drag drew the box as dragged.
            Invalidate(shape);
        }
        dragMode_ = 0;
    }
    MGShapeRect& band = diagram_.SelectionBand();
    if (band.State() == kDragged && !band.MovePending()) DrawBand();
    band.SetState(kNormal);
    box_.UpdatePaintBox();
}

int MGDiagramInteraction::DeselectAll() {
    int changed = 0;
    for (int i = 0; i < diagram_.Count(); ++i) {
        MGShapeTable& shape = *diagram_.Item(i);
        if (shape.State() == kNormal) continue;
        shape.SetState(kNormal);
        Invalidate(shape);
        ++changed;
    }
    host_.SetDeleteTextEnabled(false);
    return changed;
}

void MGDiagramInteraction::DeleteTexts() {
    for (int i = diagram_.Count() - 1; i >= 0; --i) {
        MGShapeTable& shape = *diagram_.Item(i);
        if (!IsText(shape) || shape.State() != kSelected) continue;
        Invalidate(shape);
        shape.SetState(MGShapeRect::kStateDeleted);
        diagram_.Boxes().Delete(i);
    }
    box_.UpdatePaintBox();
    host_.SetDeleteTextEnabled(false);
}

bool MGDiagramInteraction::ShowTable(int schemaNumber, const std::string& name) {
    for (int i = 0; i < diagram_.Count(); ++i) {
        MGShapeTable& shape = *diagram_.Item(i);
        if (shape.SchemaNumber() != schemaNumber || shape.Name() != name) continue;
        DeselectAll();
        Select(shape);
        box_.UpdatePaintBox();
        const Rect seen = box_.GetViewRect();
        const Rect wanted = box_.ToScrollUnits(shape.Position());
        const bool inView = wanted.left >= seen.left && wanted.top >= seen.top && wanted.right <= seen.right &&
                            wanted.bottom <= seen.bottom;
        if (!inView) {
            const Rect& at = shape.Position();
            box_.ScrollTo(true, (at.left + at.right) / 2);
            box_.ScrollTo(false, (at.top + at.bottom) / 2);
        }
        return true;
    }
    return false;
}

void MGDiagramInteraction::EditText(MGShapeRect& shape) {
    auto& text = static_cast<MGShapeText&>(shape);
    DeselectAll();
    MGTextEntry entry{text.Text(), text.FontName(), text.FontSize(), text.FontStyle()};
    if (!host_.AskText(entry)) {
        Select(text);
        box_.UpdatePaintBox();
        return;
    }
    text.SetText(entry.text);
    text.SetFontName(entry.fontName);
    text.SetFontSize(entry.fontSize);
    text.SetFontStyle(entry.style);
    text.CalcSize(box_, displayMode_);
    host_.SetDeleteTextEnabled(true);
    box_.InvalidatePaintBox();
    box_.UpdatePaintBox();
    diagram_.SetModified(true);
}

void MGDiagramInteraction::CreateText(int x, int y) {
    MGTextEntry entry = host_.DefaultText();
    entry.text.clear();
    entry.style = 0;
    if (!host_.AskText(entry) || entry.text.empty()) return;
    auto created = std::make_unique<MGShapeText>(entry.text, entry.fontName, entry.fontSize, entry.style);
    const Rect at = box_.UnmapRect(Rect{x, y, x, y});
    created->SetPosition(Rect{at.left, at.top, at.left, at.top});
    MGShapeTable& text = diagram_.AddBox(std::move(created));
    text.CalcSize(box_, displayMode_);
    text.SetState(kNormal);
    DeselectAll();
    Select(text);
    host_.SetDeleteTextEnabled(true);
    box_.UpdatePaintBox();
    diagram_.SetModified(true);
}

void MGDiagramInteraction::Select(MGShapeRect& shape) {
    // A selected box's update rectangle is its outline: where it is, until
    // a drag moves the outline.
    if (shape.State() == kNormal) shape.SetOutline(shape.Position());
    shape.SetState(kSelected);
    if (auto* table = dynamic_cast<MGShapeTable*>(&shape)) Invalidate(*table);
}

void MGDiagramInteraction::BeginDrag(int x, int y) {
    dragged_.clear();
    for (int i = 0; i < diagram_.Count(); ++i) {
        MGShapeTable& shape = *diagram_.Item(i);
        if (!IsSelected(shape)) continue;
        dragged_.push_back(&shape);
        shape.SetAnchor(x, y);
        shape.SetMovePending(true);
        shape.SetDragOrigin(shape.Position());
        shape.SetOutline(shape.Position());
    }
}

void MGDiagramInteraction::DrawOutline(const Rect& world) {
    box_.SetPenMode(PenMode::Not);
    box_.SetPenStyle(PenStyle::Solid);
    box_.SetBrushStyle(BrushStyle::Clear);
    box_.Rectangle(world, true);
    box_.SetPenMode(PenMode::Copy);
}

void MGDiagramInteraction::DrawBand() { diagram_.SelectionBand().Draw(displayMode_, box_); }

void MGDiagramInteraction::Invalidate(MGShapeTable& shape) { box_.InvalidateDeviceRect(shape.GetUpdateRect(box_)); }

bool MGDiagramInteraction::AnyTextSelected() const {
    for (int i = 0; i < diagram_.Count(); ++i) {
        const MGShapeTable& shape = *diagram_.Item(i);
        if (IsText(shape) && IsSelected(shape)) return true;
    }
    return false;
}

}  // namespace tabulorix
