#include "diagram/hit_test.h"

#include <memory>

#include "diagram/draw_table_list.h"
#include "platform/qt_canvas.h"
#include "render/draw_box.h"

namespace tabulorix {

using tabulorix::Rect;

namespace {

constexpr int kSquare = 4;
constexpr int kHalf = 2;

// Quick rejection before the pixel test: a device rectangle that does not
// come near the test square cannot be hit. The margin keeps pen widths and
// rounding on the safe side, so the pixel test alone decides every near case.
bool FarFrom(const Rect& device, int x, int y) {
    constexpr int kMargin = kSquare + 2;
    return device.right < x - kMargin || device.left > x + kMargin || device.bottom < y - kMargin ||
           device.top > y + kMargin;
}

}  // namespace

bool HitTest(MGShapeRect& shape, ZMGDrawBox& box, int x, int y) {
    std::unique_ptr<tabulorix::QtCanvas> surface = tabulorix::QtCanvas::ForImage(kSquare, kSquare);
    if (!surface || !surface->IsActive()) return false;
    surface->SetWindowOrigin(x - kHalf, y - kHalf);
    surface->SetBrushColor(tabulorix::kWhite);
    surface->FillRect(x - kHalf, y - kHalf, x - kHalf + kSquare, y - kHalf + kSquare);
    surface->SetPenMode(tabulorix::PenMode::Copy);
    surface->SetPenStyle(tabulorix::PenStyle::Solid);
    surface->SetPenWidth(1);
    surface->SetPenColor(tabulorix::kBlack);
    surface->SetBrushColor(tabulorix::kBlack);
    shape.DrawHitMask(box, *surface, tabulorix::kBlack);
    for (int py = y - kHalf; py < y - kHalf + kSquare; ++py) {
        for (int px = x - kHalf; px < x - kHalf + kSquare; ++px) {
            if (surface->Pixel(px, py) == tabulorix::kBlack) return true;
        }
    }
    return false;
}

int HitBoxIndex(const MGDrawTableList& diagram, ZMGDrawBox& box, int x, int y) {
    for (int i = diagram.Count() - 1; i >= 0; --i) {
        MGShapeTable* shape = diagram.Item(i);
        if (shape == nullptr) continue;
        Rect device = box.MapRect(shape->Position());
        if (device.left > device.right) std::swap(device.left, device.right);
        if (device.top > device.bottom) std::swap(device.top, device.bottom);
        if (FarFrom(device, x, y)) continue;
        if (HitTest(*shape, box, x, y)) return i;
    }
    return -1;
}

int HitRelationIndex(const MGDrawTableList& diagram, ZMGDrawBox& box, int x, int y) {
    for (int i = diagram.RelationCount() - 1; i >= 0; --i) {
        MGShapeRelation* relation = diagram.RelationItem(i);
        if (relation == nullptr || relation->TwinFlag() != 0) continue;
        const Rect bounds = relation->DrawnBounds(box);
        if (bounds == Rect{}) continue;
        if (FarFrom(box.MapRect(bounds), x, y)) continue;
        if (HitTest(*relation, box, x, y)) return i;
    }
    return -1;
}

}  // namespace tabulorix
