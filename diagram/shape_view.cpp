#include "diagram/shape_view.h"

namespace tabulorix {

MGShapeView::MGShapeView() {
    SetKind(kKindView);
}

MGShapeView::MGShapeView(int schemaNumber, const std::string& owner, const std::string& logicalName,
                         const std::string& name, const std::string& comment, const std::string& viewSource)
    : MGShapeTable(schemaNumber, owner, logicalName, name, comment, true), viewSource_(viewSource) {
    SetKind(kKindView);
}

MGShapeView::~MGShapeView() = default;

}  // namespace tabulorix
