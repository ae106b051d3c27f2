// The reverse-engineering driver: reads the login user's schema, then every
// owner its foreign keys reach (in the order first met, never twice),
// resolves the foreign keys to the keys they reference, and hands the
// diagram and presentation steps to its host in their fixed order.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/connection_record.h"
#include "catalogue/row_table.h"

namespace tabulorix {

class MGSchema;
class MGSchemaMng;
class MGDrawTableList;
struct MGString;

// The steps of a run that belong to the layers above the catalogue (the
// diagram, the script generator, the window). Each is called at its place in
// the run; the defaults do nothing, so a host overrides what it has.
class ReverseHost {
public:
    virtual ~ReverseHost() = default;
    // Step 2: the CSV and SQL output dialogs back to their start state.
    virtual void ResetOutputDialogs() {}
    // Step 3: zoom 100 %, scroll bars to 0, drawing surface cleared.
    virtual void ResetView() {}
    // Step 4: the schemas' tree nodes deleted and the presentation caches
    // cleared (before the schemas are).
    virtual void ClearPresentation() {}
    // Step 6: the login failed; the tree root and detail pages go.
    virtual void LoginFailed() {}
    // Step 9: every table and view box gets its SQL source text.
    virtual void GenerateBoxSources(MGSchemaMng& /*manager*/) {}
    // Step 10: legend, key marks, schema count, display flags, font, layout
    // over the configured pages, zoom 100 %.
    virtual void BuildDiagram(MGSchemaMng& /*manager*/) {}
    // Step 11: the schema list ("スキーマ名" and one owner per row).
    virtual void ShowSchemaList(const ZMGCell& /*schemaList*/) {}
    // Step 12: the relationship lines, and the catalogue tree expanded.
    virtual void BuildRelations(MGSchemaMng& /*manager*/) {}
};

// The whole run for one login (source kind 0 reads the database). False when
// the login schema could not be connected or read; the manager then holds no
// schema.
bool ReverseDatabase(MGSchemaMng& manager, int sourceKind, const MGUserInfo& login, ReverseHost& host);

// Reads every owner that the foreign keys of the boxes read so far reach,
// through the login schema's connection, until none is left; stops at the
// first owner that cannot be read (what was read stays).
void ReadReferencedOwners(MGSchemaMng& manager, int sourceKind, MGSchema& login, const std::string& userName);

// Appends to the queue every referenced owner of the diagram's foreign keys
// that the queue does not hold yet, in box order and then row order.
void CollectReferencedOwners(std::vector<MGString>& queue);

// Sets the key number of every foreign-key row to that of the key it
// references: the first primary-key row, or else the first unique-key row,
// named ReferenceName among the boxes of owner ReferenceOwner; -1 when that
// key is not in the diagram. Repeating it changes nothing.
void ResolveForeignKeys(MGDrawTableList& diagram);

// The schema list: header "スキーマ名", one row per schema in reading order.
std::unique_ptr<ZMGCell> BuildSchemaList(const MGSchemaMng& manager);

}  // namespace tabulorix
