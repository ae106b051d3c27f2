// One schema (database owner) of the catalogue: the results of its
// dictionary queries as row tables, its connection identity and its number.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/object.h"
#include "base/presentation_handles.h"
#include "catalogue/row_items.h"
#include "catalogue/row_table.h"
#include "platform/database.h"

namespace tabulorix {

class MGSchemaMng;

// The diagram lives while any schema lives: it is made with the first
// schema and destroyed with the last. The diagram sits above the catalogue,
// so it hands in what to do (see draw_table_list.cpp).
struct MGSchemaLifetimeHooks {
    void (*created)() = nullptr;        // every new schema
    void (*lastDestroyed)() = nullptr;  // the last living schema is gone
};
void SetSchemaLifetimeHooks(const MGSchemaLifetimeHooks& hooks);

// The length text of a column: precision (or the byte length when the
// precision is empty), followed by "," and the scale unless the scale is
// empty or "0"; empty for the types that take no length.
std::string ColumnLengthText(const std::string& dataType, const std::string& dataLength,
                             const std::string& dataPrecision, const std::string& dataScale);

class MGSchema : public ZMGObject {
public:
    // Runs the created hook (the diagram is made when none exists).
    MGSchema();
    // Closes the connection; destroying the last living schema runs the
    // last-destroyed hook (the diagram goes with all its boxes and relations).
    ~MGSchema() override;

    // Connection. An adopted connection is owned and closed by the schema;
    // an attached one belongs to another schema.
    tabulorix::DatabaseConnection* GetConnection() const { return connection_; }
    void AdoptConnection(std::unique_ptr<tabulorix::DatabaseConnection> connection);
    void AttachConnection(tabulorix::DatabaseConnection* connection);
    bool OwnsConnection() const { return ownsConnection_; }
    // Closes (when connected) and destroys an owned connection; does nothing
    // for an attached one.
    void CloseConnection();

    MGSchemaMng* Manager() const { return manager_; }
    void SetManager(MGSchemaMng* manager) { manager_ = manager; }
    int SchemaNumber() const { return schemaNumber_; }
    void SetSchemaNumber(int number) { schemaNumber_ = number; }
    const std::string& OwnerName() const { return ownerName_; }
    const std::string& Password() const { return password_; }
    const std::string& Server() const { return server_; }
    const std::string& Extra() const { return extra_; }
    void SetIdentity(const std::string& owner, const std::string& password, const std::string& server,
                     const std::string& extra);
    int SourceKind() const { return sourceKind_; }
    void SetSourceKind(int kind) { sourceKind_ = kind; }

    // Empties a holder whose rows the reading handed to the boxes (columns,
    // view columns, indexes, primary keys, unique keys, foreign keys,
    // conditions); its header row stays. Every list, script and file is made
    // from the boxes, so holding each row twice would only double the memory
    // a schema takes; the readers empty each holder as soon as its rows are
    // in the boxes, so the next one reuses the memory.
    static void ReleaseDistributedRows(ZMGCell& holder);

    // The dictionary results.
    ZMGCell& ViewColumns() { return *viewColumns_; }
    ZMGCell& ViewSources() { return *viewSources_; }
    ZMGCell& Tables() { return *tables_; }
    ZMGCell& Columns() { return *columns_; }
    ZMGCell& Indexes() { return *indexes_; }
    ZMGCell& PrimaryKeys() { return *primaryKeys_; }
    ZMGCell& UniqueKeys() { return *uniqueKeys_; }
    ZMGCell& ForeignKeys() { return *foreignKeys_; }
    ZMGCell& Conditions() { return *conditions_; }
    ZMGCell& Privileges() { return *privileges_; }

    // Tree nodes of the catalogue tree (owned by the window).
    tabulorix::TreeNodeHandle TreeNode() const { return treeNode_; }
    void SetTreeNode(tabulorix::TreeNodeHandle node) { treeNode_ = node; }
    tabulorix::TreeNodeHandle CategoryNode(int index) const { return categoryNodes_.at(index); }
    void SetCategoryNode(int index, tabulorix::TreeNodeHandle node) { categoryNodes_.at(index) = node; }

    // Number of schemas alive in the process.
    static int LiveCount() { return liveCount_; }

private:
    MGSchemaMng* manager_ = nullptr;
    // The query holders of the query layer will own these tables.
    std::unique_ptr<ZMGCell> viewColumns_ = std::make_unique<ZMGCell>();
    std::unique_ptr<ZMGCell> viewSources_ = std::make_unique<ZMGCell>();
    bool ownsConnection_ = false;
    int spare_ = -1;  // reserved, no behaviour
    // The four category nodes and one further node.
    std::array<tabulorix::TreeNodeHandle, 5> categoryNodes_{};
    std::unique_ptr<ZMGCell> tables_ = std::make_unique<ZMGCell>();
    std::unique_ptr<ZMGCell> columns_ = std::make_unique<ZMGCell>();
    std::unique_ptr<ZMGCell> indexes_ = std::make_unique<ZMGCell>();
    std::unique_ptr<ZMGCell> primaryKeys_ = std::make_unique<ZMGCell>();
    std::unique_ptr<ZMGCell> uniqueKeys_ = std::make_unique<ZMGCell>();
    std::unique_ptr<ZMGCell> foreignKeys_ = std::make_unique<ZMGCell>();
    std::unique_ptr<ZMGCell> conditions_ = std::make_unique<ZMGCell>();
    std::unique_ptr<ZMGCell> privileges_ = std::make_unique<ZMGCell>();
    int schemaNumber_ = 0;
    tabulorix::TreeNodeHandle treeNode_;
    tabulorix::DatabaseConnection* connection_ = nullptr;
    std::unique_ptr<tabulorix::DatabaseConnection> ownedConnection_;
    std::string ownerName_;
    std::string password_;
    std::string server_;
    std::string extra_;
    int sourceKind_ = 0;

    static int liveCount_;
};

}  // namespace tabulorix
