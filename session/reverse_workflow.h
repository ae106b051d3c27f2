// Reverse engineering into a document: the connection dialog's OK. The
// settings take their start values with the chosen pages across and shown
// columns, the catalogue is read, and the diagram is built, laid out and
// given its relations.
#pragma once

#include "catalogue/connection_record.h"
#include "reading/reverse_driver.h"
#include "session/design_document.h"

namespace tabulorix {

// The steps of the run that touch the document. A window derives from it
// for the presentation steps (output dialogs, tree, lists) and calls these.
class MGDocumentReverseHost : public ReverseHost {
public:
    explicit MGDocumentReverseHost(MGDesignDocument& document) : document_(document) {}

    void ResetView() override;
    void GenerateBoxSources(MGSchemaMng& manager) override;
    // Builds and lays out the diagram over the configured pages; the
    // settings then record the page grid the layout needed.
    void BuildDiagram(MGSchemaMng& manager) override;
    void BuildRelations(MGSchemaMng& manager) override;

protected:
    MGDesignDocument& document_;
};

struct MGReverseRequest {
    MGUserInfo login;
    int sourceKind = 0;   // 0 reads the database
    int pagesAcross = 1;  // the connection dialog's pages across
    int tableItem = 0;    // 0 keys and indexed columns, 1 all columns, 2 names only
};

// The whole run. False when the login schema could not be connected or
// read (the message has been shown); the document then holds no schema.
bool ReverseIntoDocument(MGDesignDocument& document, const MGReverseRequest& request,
                         MGDocumentReverseHost& host);

}  // namespace tabulorix
