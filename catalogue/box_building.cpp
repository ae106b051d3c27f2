#include "catalogue/box_building.h"

#include <string>
#include <unordered_map>

#include "catalogue/schema.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_view.h"
#include "platform/ui_ports.h"

namespace {

using Positions = std::unordered_map<std::string, int>;

// Position of the first data row per value of one column (the first match
// of a scan in row order).
Positions FirstRowByValue(const ZMGCell& table, int column) {
    Positions positions;
    if (column < 0) return positions;
    for (int r = 1; !table.IsPastEnd(r); ++r) positions.emplace(table.GetRow(r).ItemOrEmpty(column), r);
    return positions;
}

const ZMGRowExt* FindRow(const ZMGCell& table, const Positions& positions, const std::string& value) {
    const auto found = positions.find(value);
    return found == positions.end() ? nullptr : &table.GetRow(found->second);
}

MGDrawTableList& Diagram() {
    return MGDrawTableList::EnsureCurrent();
}

const ZMGRowExt* ViewLookupRow(const ViewLookup& lookup, const Positions& positions,
                               const std::string& name) {
    return lookup.table == nullptr ? nullptr : FindRow(*lookup.table, positions, name);
}

}  // namespace

MGTableBoxStarter::MGTableBoxStarter(MGSchema& schema, const ZMGCell& tablesTable)
    : schema_(schema), tables_(tablesTable), tableRows_(FirstRowByValue(tablesTable, 0)) {}

MGShapeTable* MGTableBoxStarter::BoxFor(const std::string& logicalName, const std::string& physicalName) {
    if (started_ && physicalName == previousName_) return box_;
    started_ = true;
    previousName_ = physicalName;
    box_ = nullptr;
    if (const ZMGRowExt* tableRow = FindRow(tables_, tableRows_, logicalName)) {
        box_ = &Diagram().AddBox(std::make_unique<MGShapeTable>(schema_.SchemaNumber(), schema_.OwnerName(),
                                                                 logicalName, physicalName,
                                                                 tableRow->ItemOrEmpty(2), tableRow->Detail()));
    }
    return box_;
}

void BuildTableBoxes(MGSchema& schema, const ZMGCell& tablesTable, const ZMGCell& columnsTable,
                     ColumnRowMode mode) {
    auto& status = tabulorix::Status();
    status.SetMaximum(columnsTable.RowCount());
    if (columnsTable.RowCount() == 0) return;
    MGTableBoxStarter starter(schema, tablesTable);
    const ZMGRowExt& header = columnsTable.GetRow(0);
    const bool raw = mode == ColumnRowMode::Raw;
    for (int i = 1; !columnsTable.IsPastEnd(i); ++i) {
        status.SetPosition(i - 1);
        const ZMGRowExt& row = columnsTable.GetRow(i);
        if (MGShapeTable* box = starter.BoxFor(row.ItemOrEmpty(0), row.ItemOrEmpty(1)))
            schema.AddColumnRow(header, row, *box, 0, raw);
    }
}

void BuildViewBoxes(MGSchema& schema, const ZMGCell& viewColumns, ColumnRowMode mode,
                    const ViewLookup& source, const ViewLookup& comment) {
    if (viewColumns.RowCount() == 0) return;
    const auto sourceRows = source.table ? FirstRowByValue(*source.table, source.nameColumn) : Positions();
    const auto commentRows =
        comment.table ? FirstRowByValue(*comment.table, comment.nameColumn) : Positions();
    const ZMGRowExt& header = viewColumns.GetRow(0);
    MGShapeTable* box = nullptr;
    std::string previousName;
    for (int i = 1; !viewColumns.IsPastEnd(i); ++i) {
        const ZMGRowExt& row = viewColumns.GetRow(i);
        const std::string& physicalName = row.ItemOrEmpty(1);
        if (i == 1 || physicalName != previousName) {
            previousName = physicalName;
            const ZMGRowExt* sourceRow = ViewLookupRow(source, sourceRows, physicalName);
            const ZMGRowExt* commentRow = ViewLookupRow(comment, commentRows, physicalName);
            auto view = std::make_unique<MGShapeView>(
                schema.SchemaNumber(), schema.OwnerName(), row.ItemOrEmpty(0), physicalName,
                commentRow ? commentRow->ItemOrEmpty(comment.column) : std::string(),
                sourceRow ? sourceRow->ItemOrEmpty(source.column) : std::string());
            if (comment.takeDetailFlag && commentRow != nullptr) view->SetDetailed(commentRow->Detail());
            box = &Diagram().AddBox(std::move(view));
        }
        schema.AddColumnRow(header, row, *box, 0, mode == ColumnRowMode::Raw);
    }
}

void AttachPrivileges(MGSchema& schema, const ZMGCell& privileges) {
    const MGDrawTableList& diagram = Diagram();
    for (int r = 1; !privileges.IsPastEnd(r); ++r) {
        const ZMGRowExt& row = privileges.GetRow(r);
        MGShapeTable* box = diagram.FindBox(schema.OwnerName(), row.ItemOrEmpty(0));
        if (box == nullptr) continue;
        auto copy = std::make_unique<ZMGRowExt>();
        copy->CopyRow(row);
        box->PrivilegeRows().AddRow(std::move(copy));
    }
}
