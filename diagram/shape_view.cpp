#include "diagram/shape_view.h"

MGShapeView::MGShapeView() {
    SetKind(kKindView);
}

MGShapeView::MGShapeView(int schemaNumber, const std::string& owner, const std::string& logicalName,
                         const std::string& name, const std::string& comment, const std::string& viewSource)
    : MGShapeTable(schemaNumber, owner, logicalName, name, comment, true), viewSource_(viewSource) {
    SetKind(kKindView);
}

MGShapeView::~MGShapeView() = default;

void MGShapeView::WriteObjectStatement(std::uint32_t /*scriptFlags*/, std::string& /*out*/) {
    // The view statement is written by the script generator.
}

bool MGShapeView::WriteBoxScript(std::uint32_t /*scriptFlags*/, std::string& /*out*/, int /*perBoxMode*/,
                                 bool /*blankLineRemoval*/) {
    // The view's statements are written by the script generator.
    return true;
}

std::string MGShapeView::GetTypeName(bool englishKeys) const {
    return englishKeys ? "View" : "ビュー";
}

bool MGShapeView::WriteBoxRows(std::uint32_t /*sectionKind*/, ZMGCell& /*target*/, bool /*englishKeys*/) {
    // The section rows are produced by the design-file writer.
    return true;
}
