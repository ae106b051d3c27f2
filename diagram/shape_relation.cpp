#include "diagram/shape_relation.h"

namespace tabulorix {

MGShapeRelation::~MGShapeRelation() = default;

}  // namespace tabulorix
