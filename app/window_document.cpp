#include "app/window_document.h"

namespace tabulorix {

void WindowDocument::SelectFontItems(const std::string& fontName, const std::string& fontSize) {
    MGDesignDocument::SelectFontItems(fontName, fontSize);
    view_.ShowFontChoice(fontName, fontSize);
}

void WindowReverseHost::ResetView() {
    MGDocumentReverseHost::ResetView();
    view_.ResetZoomView();
    view_.RemoveTreeRoot();
}

void WindowReverseHost::BuildRelations(MGSchemaMng& manager) {
    MGDocumentReverseHost::BuildRelations(manager);
    view_.RefreshCatalogue();
}

}  // namespace tabulorix
