#include "catalogue/schema.h"

#include <array>

#include "catalogue/design_sections.h"
#include "catalogue/dictionary_reader.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"

int MGSchema::liveCount_ = 0;

namespace {

bool TypeTakesNoLength(const std::string& dataType) {
    static const std::array<const char*, 9> kTypes = {"DATE", "LONG",    "LONG RAW", "ROWID", "BLOB",
                                                      "CLOB", "XMLTYPE", "NCLOB",    "BFILE"};
    for (const char* type : kTypes) {
        if (dataType == type) return true;
    }
    return false;
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

std::unique_ptr<ZMGRowExt> TableListHeader(bool englishKeys, int nameBits, bool flagColumn) {
    auto header = std::make_unique<ZMGRowExt>();
    header->AddItem(englishKeys ? "Type" : "タイプ");
    if (nameBits & 1) header->AddItem(englishKeys ? "TableNameL" : "論理表名");
    if (nameBits & 2) header->AddItem(englishKeys ? "TableNameP" : "物理表名");
    header->AddItem(englishKeys ? "Comments" : "コメント");
    if (flagColumn) header->AddItem(englishKeys ? "Flag" : "フラグ");
    return header;
}

std::unique_ptr<ZMGRowExt> TableListRow(const MGShapeTable& box, bool englishKeys, int nameBits,
                                        bool flagColumn) {
    auto row = std::make_unique<ZMGRowExt>();
    row->AddItem(box.GetTypeName(englishKeys));
    if (nameBits & 1) row->AddItem(box.LogicalName());
    if (nameBits & 2) row->AddItem(box.Name());
    row->AddItem(box.Comment());
    if (flagColumn) row->AddItem(box.Detailed() ? "V" : "E");
    row->SetFlags((box.Kind() & MGShapeField::kKindTable) != 0 ? 4 : 5);
    row->SetDetail(box.Detailed());
    return row;
}

}  // namespace

std::string ColumnLengthText(const std::string& dataType, const std::string& dataLength,
                             const std::string& dataPrecision, const std::string& dataScale) {
    if (TypeTakesNoLength(dataType)) return std::string();
    const std::string& length = dataPrecision.empty() ? dataLength : dataPrecision;
    if (dataScale.empty() || dataScale == "0") return length;
    return length + "," + dataScale;
}

MGSchema::MGSchema() {
    ++liveCount_;
    MGDrawTableList::EnsureCurrent();
}

MGSchema::~MGSchema() {
    CloseConnection();
    --liveCount_;
    if (liveCount_ == 0) MGDrawTableList::DestroyCurrent();
}

void MGSchema::ReleaseDistributedRows(ZMGCell& holder) {
    holder.ClearRows(1);
}

bool MGSchema::LoadSchema(const std::vector<std::string>* sourceLines, bool /*merge*/) {
    // Design-file lines when given, otherwise the data dictionary through the
    // schema's connection. Failures propagate to the connection step.
    if (sourceLines)
        ReadSchemaFromDesignLines(*this, *sourceLines);
    else
        ReadSchemaFromDatabase(*this);
    return true;
}

void MGSchema::AddColumnRow(const ZMGRowExt& queryHeader, const ZMGRowExt& queryRow, MGShapeTable& box,
                            int /*mode*/, bool raw) {
    AddColumnRow(queryHeader, ColumnRow(queryRow, raw), box, raw);
}

void MGSchema::AddColumnRow(const ZMGRowExt& queryHeader, std::unique_ptr<ZMGRowField> column,
                            MGShapeTable& box, bool raw) {
    ZMGCell& columns = box.ColumnRows();
    if (columns.RowCount() == 0) columns.AddRow(ColumnHeaderRow(queryHeader, raw));
    column->SetSerial(columns.NextSerial(0));
    columns.AddRow(std::move(column));
}

// Lists the table and view boxes of the diagram in diagram order. A box is
// listed when its kind is in kindMask (1 table, 2 view) and, with an empty
// owner filter, it belongs to this schema's number, or, with a filter, its
// owner equals the filter. Columns: type, logical name (name bit 1), physical
// name (name bit 2), comment and, when wanted, "V"/"E" for the detail flag.
std::unique_ptr<ZMGCell> MGSchema::BuildTableList(bool englishKeys, int nameBits, int kindMask,
                                                  const std::string& ownerFilter, bool flagColumn) const {
    auto list = std::make_unique<ZMGCell>();
    list->AddRow(TableListHeader(englishKeys, nameBits, flagColumn));
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return list;
    for (int i = 0; i < diagram->Count(); ++i) {
        const MGShapeTable* box = diagram->Item(i);
        if ((box->Kind() & kindMask) == 0) continue;
        const bool mine =
            ownerFilter.empty() ? box->SchemaNumber() == schemaNumber_ : box->Owner() == ownerFilter;
        if (mine) list->AddRow(TableListRow(*box, englishKeys, nameBits, flagColumn));
    }
    return list;
}

void MGSchema::AdoptConnection(std::unique_ptr<tabulorix::DatabaseConnection> connection) {
    CloseConnection();
    ownedConnection_ = std::move(connection);
    connection_ = ownedConnection_.get();
    ownsConnection_ = true;
}

void MGSchema::AttachConnection(tabulorix::DatabaseConnection* connection) {
    CloseConnection();
    connection_ = connection;
    ownsConnection_ = false;
}

void MGSchema::CloseConnection() {
    if (!ownsConnection_) return;
    if (ownedConnection_ && ownedConnection_->IsConnected()) ownedConnection_->Close();
    ownedConnection_.reset();
    connection_ = nullptr;
}

void MGSchema::SetIdentity(const std::string& owner, const std::string& password, const std::string& server,
                           const std::string& extra) {
    ownerName_ = owner;
    password_ = password;
    server_ = server;
    extra_ = extra;
}
