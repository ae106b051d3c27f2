#include "platform/offscreen_surfaces.h"

#include "platform/qt_canvas.h"

namespace tabulorix {

void ForwardingCanvas::SetTarget(Canvas& target) {
    if (&target == target_) return;
    target.SetFont(target_->Font());
    target_ = &target;
    target.SetPenColor(state_.penColor);
    target.SetPenWidth(state_.penWidth);
    target.SetPenStyle(state_.penStyle);
    target.SetPenMode(state_.penMode);
    target.SetBrushColor(state_.brushColor);
    target.SetBrushStyle(state_.brushStyle);
    target.SetFontColor(state_.fontColor);
}

OffscreenPaintBox::OffscreenPaintBox(int width, int height)
    : width_(width), height_(height), screen_(QtCanvas::ForImage(width, height)), canvas_(*screen_) {}

OffscreenPaintBox::~OffscreenPaintBox() = default;

void OffscreenPaintBox::Resize(int width, int height) {
    width_ = width;
    height_ = height;
}

}  // namespace tabulorix
