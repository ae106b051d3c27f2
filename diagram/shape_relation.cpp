#include "diagram/shape_relation.h"

MGShapeRelation::~MGShapeRelation() = default;

void MGShapeRelation::Draw(int /*displayMode*/, ZMGDrawBox& /*box*/) {
    // Routing and drawing of the line live with the diagram painting.
}

void MGShapeRelation::DrawHitMask(ZMGDrawBox& /*box*/, tabulorix::Canvas& /*dc*/,
                                  tabulorix::Color /*brush*/) {
    // The line's hit mask is drawn with the diagram painting.
}
