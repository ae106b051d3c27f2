#include "reading/box_building.h"

#include <array>
#include <string>
#include <unordered_map>

#include "base/ui_ports.h"
#include "catalogue/schema.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_view.h"

namespace tabulorix {

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

// Query header positions that become the seven columns of a column row.
constexpr std::array<int, 7> kColumnHeaderPositions = {
    column_query::kColumnNameL,   column_query::kColumnNameP, column_query::kDataType,
    column_query::kDataPrecision, column_query::kNullable,    column_query::kDataDefault,
    column_query::kComments};

std::unique_ptr<ZMGRowField> ColumnHeaderRow(const ZMGRowExt& queryHeader, bool raw) {
    auto header = std::make_unique<ZMGRowField>();
    if (raw) {
        for (int i = 2; i < queryHeader.ItemCount(); ++i)
            header->AddItem(queryHeader.Item(i), queryHeader.Name(i));
    } else {
        for (const int position : kColumnHeaderPositions) header->AddItem(queryHeader.ItemOrEmpty(position));
    }
    return header;
}

std::unique_ptr<ZMGRowField> ColumnRow(const ZMGRowExt& queryRow, bool raw) {
    using namespace column_query;
    auto field = std::make_unique<ZMGRowField>();
    field->ReserveItems(raw ? queryRow.ItemCount() - 2 : 7);
    if (raw) {
        for (int i = 2; i < queryRow.ItemCount(); ++i) field->AddItem(queryRow.Item(i), queryRow.Name(i));
        return field;
    }
    field->AddItem(queryRow.ItemOrEmpty(kColumnNameL));
    field->AddItem(queryRow.ItemOrEmpty(kColumnNameP));
    field->AddItem(queryRow.ItemOrEmpty(kDataType));
    field->AddItem(ColumnLengthText(queryRow.ItemOrEmpty(kDataType), queryRow.ItemOrEmpty(kDataLengthBytes),
                                    queryRow.ItemOrEmpty(kDataPrecision), queryRow.ItemOrEmpty(kDataScale)));
    field->AddItem(queryRow.ItemOrEmpty(kNullable));
    field->AddItem(queryRow.ItemOrEmpty(kDataDefault));
    field->AddItem(queryRow.ItemOrEmpty(kComments));
    return field;
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
        box_ = &Diagram().AddBox(
            std::make_unique<MGShapeTable>(schema_.SchemaNumber(), schema_.OwnerName(), logicalName,
                                           physicalName, tableRow->ItemOrEmpty(2), tableRow->Detail()));
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
            AddColumnRow(header, row, *box, 0, raw);
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
        AddColumnRow(header, row, *box, 0, mode == ColumnRowMode::Raw);
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

void AddColumnRow(const ZMGRowExt& queryHeader, const ZMGRowExt& queryRow, MGShapeTable& box, int /*mode*/,
                  bool raw) {
    AddColumnRow(queryHeader, ColumnRow(queryRow, raw), box, raw);
}

void AddColumnRow(const ZMGRowExt& queryHeader, std::unique_ptr<ZMGRowField> column, MGShapeTable& box,
                  bool raw) {
    ZMGCell& columns = box.ColumnRows();
    if (columns.RowCount() == 0) columns.AddRow(ColumnHeaderRow(queryHeader, raw));
    column->SetSerial(columns.NextSerial(0));
    columns.AddRow(std::move(column));
}

}  // namespace tabulorix
