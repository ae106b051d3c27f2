#include "diagram/shape_rect.h"

#include "render/draw_box.h"

namespace tabulorix {

std::uint64_t MGShapeRect::nameGeneration_ = 0;
std::uint64_t MGShapeRect::geometryGeneration_ = 0;

MGShapeRect::~MGShapeRect() = default;

tabulorix::Rect MGShapeRect::GetRect() const {
    return position_;
}

void MGShapeRect::Draw(int /*displayMode*/, ZMGDrawBox& box) {
    box.SetBrushColor(tabulorix::kYellow);
    box.FillRect(position_);
    box.SetBrushColor(tabulorix::kBlack);
    box.FrameRect(position_);
}

void MGShapeRect::DrawHitMask(ZMGDrawBox& box, tabulorix::Canvas& dc, tabulorix::Color brush) {
    box.FillRect(dc, position_, brush);
}

void MGShapeRect::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    if (namesWatched_) ++nameGeneration_;
}

void MGShapeRect::SetOwner(const std::string& owner) {
    if (owner == owner_) return;
    owner_ = owner;
    if (namesWatched_) ++nameGeneration_;
}

const std::string& MGShapeRect::NameForMode(int displayMode) const {
    return (displayMode & 0x1) != 0 ? logicalName_ : name_;
}

bool MGShapeRect::IsInside(const tabulorix::Rect& other) const {
    return position_.left > other.left && position_.top > other.top && position_.right < other.right &&
           position_.bottom < other.bottom;
}

MGShapeSelect::MGShapeSelect() {
    SetState(kStateNormal);
}

MGShapeSelect::~MGShapeSelect() = default;

void MGShapeSelect::Draw(int /*displayMode*/, ZMGDrawBox& box) {
    // The band lives in device pixels: its outline is not mapped.
    box.SetPenMode(tabulorix::PenMode::Not);
    box.SetPenStyle(tabulorix::PenStyle::Dot);
    box.SetBrushStyle(tabulorix::BrushStyle::Clear);
    box.Rectangle(Outline(), false);
    box.SetPenMode(tabulorix::PenMode::Copy);
    box.SetPenStyle(tabulorix::PenStyle::Solid);
}

}  // namespace tabulorix
