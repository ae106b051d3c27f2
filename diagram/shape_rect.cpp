#include "diagram/shape_rect.h"

std::uint64_t MGShapeRect::nameGeneration_ = 0;

MGShapeRect::~MGShapeRect() = default;

tabulorix::Rect MGShapeRect::GetRect() const {
    return position_;
}

void MGShapeRect::Draw(int /*displayMode*/, ZMGDrawBox& /*box*/) {
    // The yellow, black-framed rectangle is painted with the rest of the
    // diagram painting.
}

void MGShapeRect::DrawHitMask(ZMGDrawBox& /*box*/, tabulorix::Canvas& /*dc*/, tabulorix::Color /*brush*/) {
    // Filling the mapped position rectangle belongs to the diagram painting.
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

void MGShapeSelect::Draw(int /*displayMode*/, ZMGDrawBox& /*box*/) {
    // The band's outline is drawn with the diagram's mouse handling.
}
