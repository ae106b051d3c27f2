// Building a small catalogue by hand for the output tests: schemas, table
// and view boxes with their columns, keys, conditions, indexes and
// privileges laid out as the dictionary reader lays them out.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"
#include "diagram/shape_view.h"

namespace tabulorix::testing {

// A schema of owner, numbered next, added to the manager.
MGSchema& AddOwner(MGSchemaMng& manager, const std::string& owner);

MGShapeTable& AddTable(const MGSchema& schema, const std::string& name, const std::string& logicalName = {},
                       const std::string& comment = {}, bool detailed = true);
MGShapeView& AddView(const MGSchema& schema, const std::string& name, const std::string& source);

struct ColumnSpec {
    std::string name;
    std::string type;
    std::string length;
    std::string nullable = "Y";
    std::string defaultValue = {};
    std::string comment = {};
    std::string logicalName = {};  // the name when empty
};
void AddColumn(MGShapeTable& box, const ColumnSpec& column);

// A key or index row (items as the box keeps them) with its columns
// (name, position); keyNumber for primary and unique keys.
ZMGRowCell& AddKey(ZMGCell& keys, const std::vector<std::string>& items,
                   const std::vector<std::pair<std::string, std::string>>& columns, int keyNumber = -1);
// The columns with their positions 1, 2, ...
std::vector<std::pair<std::string, std::string>> Numbered(const std::vector<std::string>& columns);
void AddPrimaryKey(MGShapeTable& box, const std::string& name, const std::vector<std::string>& columns,
                   int keyNumber);
// Foreign key referencing (owner, key name), on the given columns.
void AddForeignKey(MGShapeTable& box, const std::string& name, const std::string& referenceOwner,
                   const std::string& referenceName, const std::vector<std::string>& columns,
                   const std::string& deleteRule = "NO ACTION");
void AddCondition(MGShapeTable& box, const std::string& name, const std::string& column,
                  const std::string& text);
void AddIndex(MGShapeTable& box, const std::string& name, const std::string& uniqueness,
              const std::vector<std::string>& columns);
void AddPrivilege(MGShapeTable& box, const std::string& grantee, const std::string& grantor,
                  const std::string& privilege);

// Lines joined with CR LF after every line (a file's expected text).
std::string CrLf(const std::vector<std::string>& lines);
// A file's bytes decoded (CP932, or UTF-8 after a BOM).
std::string DecodedFile(const std::string& path);

}  // namespace tabulorix::testing
