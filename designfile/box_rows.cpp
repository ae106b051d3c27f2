// The rows each box contributes to a design-file section or a CSV list.
#include "diagram/shape_table.h"
#include "diagram/shape_view.h"

bool MGShapeTable::WriteBoxRows(std::uint32_t /*sectionKind*/, ZMGCell& /*target*/, bool /*englishKeys*/) {
    return true;
}

bool MGShapeView::WriteBoxRows(std::uint32_t /*sectionKind*/, ZMGCell& /*target*/, bool /*englishKeys*/) {
    return true;
}
