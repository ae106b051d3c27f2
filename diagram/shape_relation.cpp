#include "diagram/shape_relation.h"

MGShapeRelation::~MGShapeRelation() = default;
