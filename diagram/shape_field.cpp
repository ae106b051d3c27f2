#include "diagram/shape_field.h"

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

void MGShapeField::Draw(int /*displayMode*/, ZMGDrawBox& /*box*/) {
    // Measuring and drawing by state live with the table-box painting.
}

void MGShapeField::CalcSize(ZMGDrawBox& /*box*/, int /*displayMode*/) {
    // Measuring needs the drawing box's text extents; it lives with the
    // table-box painting.
}

std::string MGShapeField::GetTitle(int displayMode) const {
    std::string title = "  " + NameForMode(displayMode);
    if (SchemaCount() >= 2) {
        title += " (" + std::to_string(SchemaNumber()) + "/" + std::to_string(SchemaCount()) + ")";
    }
    return title;
}

void MGShapeField::DrawMarkExtra(ZMGDrawBox& /*box*/, std::uint32_t /*keyFlags*/,
                                 const tabulorix::Rect& /*iconCell*/) {
    // Ordinary boxes have no extra marks.
}

tabulorix::Rect MGShapeField::GetUpdateRect(ZMGDrawBox& /*box*/) {
    // Mapping to device pixels lives with the table-box painting.
    return {};
}

void MGShapeField::DrawKeyIcon(ZMGDrawBox& /*box*/, const ZMGRowExt& /*columnRow*/,
                               const tabulorix::Rect& /*iconCell*/) {
    // The key symbol is drawn with the table-box painting.
}

void MGShapeField::DrawIndexIcon(ZMGDrawBox& /*box*/, const ZMGRowExt& /*columnRow*/,
                                 const tabulorix::Rect& /*iconCell*/) {
    // The index symbol is drawn with the table-box painting.
}

void MGShapeField::DrawBody(int /*displayMode*/, ZMGDrawBox& /*box*/) {
    // The box body is drawn with the table-box painting.
}
