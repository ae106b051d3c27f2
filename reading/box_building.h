// Building the diagram's table and view boxes of one schema from its row
// tables, and handing the privilege rows to the boxes. Used by the
// dictionary reader and by the design-file path of loading a schema.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "catalogue/row_table.h"

namespace tabulorix {

class MGSchema;

// How the column rows are taken over.
enum class ColumnRowMode {
    Dictionary,  // the length text is built from length, precision and scale
    Raw,         // the items from position 2 on are copied unchanged (design files)
};

// One table box per run of column rows with the same physical table name
// (position 1), in the order of the columns table, for the schema's owner
// and number. The comment and the detail flag come from the first row of
// tablesTable whose logical name (position 0) equals the column row's; a
// table without such a row gets no box. Progress maximum is the row count of
// the columns table, the position i - 1 before column row i.
void BuildTableBoxes(MGSchema& schema, const ZMGCell& tablesTable, const ZMGCell& columnsTable,
                     ColumnRowMode mode);

class MGShapeTable;

// The box of each column row as BuildTableBoxes finds it, for readers that
// hand the rows over one by one as they read them: a new box starts (and is
// added to the diagram) at the first row and whenever the physical name
// changes; null while the rows belong to a table missing from tablesTable.
class MGTableBoxStarter {
public:
    MGTableBoxStarter(MGSchema& schema, const ZMGCell& tablesTable);
    MGShapeTable* BoxFor(const std::string& logicalName, const std::string& physicalName);

private:
    MGSchema& schema_;
    const ZMGCell& tables_;
    std::unordered_map<std::string, int> tableRows_;  // first row per logical name
    MGShapeTable* box_ = nullptr;
    std::string previousName_;
    bool started_ = false;
};

// Where a view box finds one of its texts: the first row of table whose
// name column equals the view's physical name; none when column is -1.
struct ViewLookup {
    const ZMGCell* table = nullptr;
    int nameColumn = 0;
    int column = -1;
    bool takeDetailFlag = false;  // the box's detail flag from that row too
};

// One view box per run of view column rows with the same physical view name
// (position 1), in the order of the view columns table. Source text and
// comment come from their lookups, empty when nothing matches.
void BuildViewBoxes(MGSchema& schema, const ZMGCell& viewColumns, ColumnRowMode mode,
                    const ViewLookup& source, const ViewLookup& comment);

// Each data row of the privileges table goes to the first box of the
// diagram whose owner is the schema's owner and whose physical name equals
// the row's position 0; rows without such a box are dropped.
void AttachPrivileges(MGSchema& schema, const ZMGCell& privileges);

// Turns one column query row into a column row of the box; the box's column
// header row is made from the query header on the first call. With raw set
// the items from position 2 on are taken over unchanged, otherwise the
// length text rule applies. `mode` is passed on by the readers and changes
// nothing here.
void AddColumnRow(const ZMGRowExt& queryHeader, const ZMGRowExt& queryRow, MGShapeTable& box, int mode,
                  bool raw);
// The same with the column row already made (a reader that moves the values
// of the rows it reads into them).
void AddColumnRow(const ZMGRowExt& queryHeader, std::unique_ptr<ZMGRowField> column, MGShapeTable& box,
                  bool raw);

}  // namespace tabulorix
