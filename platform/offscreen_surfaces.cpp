#include "platform/offscreen_surfaces.h"

#include "platform/qt_canvas.h"

namespace tabulorix {

void ForwardingCanvas::SetTarget(Canvas& target) {
    if (&target == target_) return;
    target.SetFont(target_->Font());
    target_ = &target;
    ApplyPenAndBrush(target, state_);
}

OffscreenPaintBox::OffscreenPaintBox(int width, int height)
    : width_(width), height_(height), screen_(QtCanvas::ForImage(width, height)), canvas_(*screen_) {}

OffscreenPaintBox::~OffscreenPaintBox() = default;

void OffscreenPaintBox::Resize(int width, int height) {
    width_ = width;
    height_ = height;
}

}  // namespace tabulorix
