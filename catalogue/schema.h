// One schema (database owner) of the catalogue: the results of its
// dictionary queries as row tables, its connection identity and its number.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/presentation_handles.h"
#include "catalogue/row_table.h"
#include "diagram/shape_rect.h"
#include "platform/database.h"

class MGSchemaMng;
class MGShapeTable;

// Positions of the column query rows (tables and views alike).
namespace column_query {
inline constexpr int kColumnNameL = 2;
inline constexpr int kColumnNameP = 3;
inline constexpr int kDataType = 4;
inline constexpr int kDataLengthBytes = 5;  // DATA_LENGTH
inline constexpr int kDataPrecision = 6;    // DATA_PRECISION, also aliased DataLength
inline constexpr int kDataScale = 7;
inline constexpr int kNullable = 8;
inline constexpr int kDataDefault = 9;
inline constexpr int kComments = 10;
}  // namespace column_query

// The length text of a column: precision (or the byte length when the
// precision is empty), followed by "," and the scale unless the scale is
// empty or "0"; empty for the types that take no length.
std::string ColumnLengthText(const std::string& dataType, const std::string& dataLength,
                             const std::string& dataPrecision, const std::string& dataScale);

class MGSchema : public ZMGObject {
public:
    // Creates the diagram when none exists; the diagram lives while any
    // schema lives.
    MGSchema();
    // Closes the connection; destroying the last living schema destroys the
    // diagram with all its boxes and relations.
    ~MGSchema() override;

    // Reads the schema from the database (no source lines) or from the
    // lines of a design file. The reading belongs to the dictionary reader.
    virtual bool LoadSchema(const std::vector<std::string>* sourceLines, bool merge);

    // Turns one column query row into a column row of the box; the box's
    // column header row is made from the query header on the first call.
    // With raw set the items from position 2 on are taken over unchanged,
    // otherwise the length text rule applies. `mode` is passed on by the
    // readers and changes nothing here.
    void AddColumnRow(const ZMGRowExt& queryHeader, const ZMGRowExt& queryRow, MGShapeTable& box, int mode,
                      bool raw);
    // The same with the column row already made (a reader that moves the
    // values of the rows it reads into them).
    static void AddColumnRow(const ZMGRowExt& queryHeader, std::unique_ptr<ZMGRowField> column,
                             MGShapeTable& box, bool raw);

    // The table list of this schema's table and view boxes (see the .cpp).
    std::unique_ptr<ZMGCell> BuildTableList(bool englishKeys, int nameBits, int kindMask,
                                            const std::string& ownerFilter, bool flagColumn) const;

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
    tabulorix::TreeNodeHandle treeNode_ = nullptr;
    tabulorix::DatabaseConnection* connection_ = nullptr;
    std::unique_ptr<tabulorix::DatabaseConnection> ownedConnection_;
    std::string ownerName_;
    std::string password_;
    std::string server_;
    std::string extra_;
    int sourceKind_ = 0;

    static int liveCount_;
};
