// The main window's document: the shared MGDesignDocument whose window
// hooks reach the widgets, and the reverse-engineering host whose
// presentation steps do the same. The window implements WindowView.
#pragma once

#include <string>

#include "session/design_document.h"
#include "session/reverse_workflow.h"

namespace tabulorix {

// What the document and the reverse-engineering run ask of the window.
class WindowView {
public:
    virtual ~WindowView() = default;
    virtual void ShowFontChoice(const std::string& fontName, const std::string& fontSize) = 0;
    // Zoom 100 and both zoom actions enabled; the scroll bars at 0.
    virtual void ResetZoomView() = 0;
    // The schema list and the tree are built anew from the manager, and the
    // tree is expanded.
    virtual void RefreshCatalogue() = 0;
    // The schema list alone (the boxes may still be being written).
    virtual void ShowSchemaNames() = 0;
    // The tree and every list go, before the schemas do.
    virtual void ClearCatalogue() = 0;
    // The lists are made anew when next shown.
    virtual void ResetListMemory() = 0;
    virtual void RemoveTreeRoot() = 0;
    virtual void SetTreeRootText(const std::string& text) = 0;
    virtual void ShowSchemaPanel() = 0;
    // The SQL and CSV output dialogs back to their start.
    virtual void ResetOutputDialogs() = 0;
};

class WindowDocument final : public MGDesignDocument {
public:
    WindowDocument(const DocumentSurfaces& surfaces, WindowView& view)
        : MGDesignDocument(surfaces), view_(view) {}

    void SelectFontItems(const std::string& fontName, const std::string& fontSize) override;
    void ResetViewForLoading() override {
        view_.ClearCatalogue();
        view_.ResetZoomView();
    }
    void ShowRightPanel() override { view_.ShowSchemaPanel(); }
    void ResetListViewMemory() override { view_.ResetListMemory(); }
    void SetWindowZoom100() override { WindowZoom() = 100; }
    void RebuildSchemaList() override { view_.ShowSchemaNames(); }
    // Called once every box has been written (source texts included).
    void ExpandDesignNode() override { view_.RefreshCatalogue(); }
    void DeleteRootNode() override { view_.RemoveTreeRoot(); }
    void SetRootNodeText(const std::string& text) override { view_.SetTreeRootText(text); }

private:
    WindowView& view_;
};

// The reverse-engineering run from the window: the document's steps plus the
// window's view reset and catalogue refresh.
class WindowReverseHost final : public MGDocumentReverseHost {
public:
    WindowReverseHost(MGDesignDocument& document, WindowView& view)
        : MGDocumentReverseHost(document), view_(view) {}

    void ResetOutputDialogs() override { view_.ResetOutputDialogs(); }
    void ResetView() override;
    void ClearPresentation() override { view_.ClearCatalogue(); }
    void LoginFailed() override { view_.RemoveTreeRoot(); }
    void ShowSchemaList(const ZMGCell& /*schemaList*/) override { view_.ShowSchemaNames(); }
    void BuildRelations(MGSchemaMng& manager) override;

private:
    WindowView& view_;
};

}  // namespace tabulorix
