#include "diagram/shape_field.h"

namespace tabulorix {

MGShapeField::MGShapeField() : columnRows_(std::make_unique<ZMGCellFieldTable>()) {}

MGShapeField::~MGShapeField() = default;

tabulorix::Rect MGShapeField::GetRect() const {
    tabulorix::Rect rect = Position();
    int lines = columnRows_->RowCount();
    if ((DisplayFlags() & kFlagNamesOnly) != 0) {
        lines = 1;
    } else if ((DisplayFlags() & kFlagKeysOnly) != 0) {
        lines = KeyColumnCount() + 1;
    }
    rect.bottom = rect.top + lineHeight_ * lines;
    return rect;
}

int MGShapeField::KeyColumnCount() const {
    int count = 0;
    for (int r = 1; !columnRows_->IsPastEnd(r); ++r) {
        if ((columnRows_->GetRow(r).GetFlags() & kAnyKeyOrIndexFlags) != 0) ++count;
    }
    return count;
}

std::string MGShapeField::GetTitle(int displayMode) const {
    std::string title = "  " + NameForMode(displayMode);
    if (SchemaCount() >= 2) {
        title += " (" + std::to_string(SchemaNumber()) + "/" + std::to_string(SchemaCount()) + ")";
    }
    return title;
}

}  // namespace tabulorix
