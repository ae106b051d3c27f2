#include "session/reverse_workflow.h"

#include "diagram/diagram_build.h"
#include "diagram/draw_table_list.h"
#include "diagram/relation_lines.h"
#include "outputs/sql_script.h"

namespace tabulorix {

void MGDocumentReverseHost::ResetView() {
    document_.WindowZoom() = 100;
    document_.DrawBox().Reset();
}

void MGDocumentReverseHost::GenerateBoxSources(MGSchemaMng& manager) {
    tabulorix::GenerateBoxSources(manager.GetSchema(0));
}

void MGDocumentReverseHost::BuildDiagram(MGSchemaMng& manager) {
    MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return;
    TSetDlg& settings = document_.Settings();
    manager.SetCurrentSchema(manager.GetSchema(0));
    MGBuildSettings build;
    build.displayFlags = settings.DisplayFlags();
    build.displayMode = manager.DisplayMode();
    build.fontName = document_.FontNameText();
    build.fontSize = document_.FontSizeText();
    build.pagesAcross = settings.StoredValues().PaperX;
    build.pagesDown = settings.StoredValues().PaperY;
    BuildDiagramAfterReading(*diagram, document_.DrawBox(), manager.SchemaCount(), build);
    TSetDlg::Values values = settings.StoredValues();
    values.PaperX = build.pagesAcross;
    values.PaperY = build.pagesDown;
    settings.StoreValues(values);
}

void MGDocumentReverseHost::BuildRelations(MGSchemaMng&) {
    if (MGDrawTableList* diagram = MGDrawTableList::Current()) tabulorix::BuildRelations(*diagram);
}

bool ReverseIntoDocument(MGDesignDocument& document, const MGReverseRequest& request,
                         MGDocumentReverseHost& host) {
    TSetDlg& settings = document.Settings();
    settings.ResetToStartValues();
    TSetDlg::Values values = settings.StoredValues();
    values.PaperX = request.pagesAcross;
    values.TableItem = request.tableItem;
    settings.StoreValues(values);
    return ReverseDatabase(document.Manager(), request.sourceKind, request.login, host);
}

}  // namespace tabulorix
