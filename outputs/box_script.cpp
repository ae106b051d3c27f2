// The script operations of the boxes: the statements each table and view box
// contributes to a generated SQL script.
#include "diagram/shape_table.h"
#include "diagram/shape_text.h"
#include "diagram/shape_view.h"

void MGShapeTable::WriteObjectStatement(std::uint32_t /*scriptFlags*/, std::string& /*out*/) {}

bool MGShapeTable::WriteBoxScript(std::uint32_t /*scriptFlags*/, std::string& /*out*/, int /*perBoxMode*/,
                                  bool /*blankLineRemoval*/) {
    return true;
}

std::string MGShapeTable::GetTypeName(bool englishKeys) const {
    return englishKeys ? "Table" : "表";
}

void MGShapeView::WriteObjectStatement(std::uint32_t /*scriptFlags*/, std::string& /*out*/) {}

bool MGShapeView::WriteBoxScript(std::uint32_t /*scriptFlags*/, std::string& /*out*/, int /*perBoxMode*/,
                                 bool /*blankLineRemoval*/) {
    return true;
}

std::string MGShapeView::GetTypeName(bool englishKeys) const {
    return englishKeys ? "View" : "ビュー";
}

std::string MGShapeText::GetTypeName(bool englishKeys) const {
    return englishKeys ? "Text" : "テキスト";
}
