#include "support/catalogue_builder.h"

#include <memory>

#include "base/file_io.h"
#include "base/text_codec.h"
#include "support/row_values.h"

using namespace tabulorix;

namespace tabulorix::testing {

namespace {

constexpr auto Row = RowOf;

std::unique_ptr<ZMGRowCell> KeyRow(const std::vector<std::string>& items) {
    auto row = std::make_unique<ZMGRowCell>();
    for (const std::string& item : items) row->AddItem(item);
    row->Child().AddRow(Row({"ColumnNameP", "Position"}));
    return row;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> Numbered(const std::vector<std::string>& columns) {
    std::vector<std::pair<std::string, std::string>> numbered;
    for (std::size_t i = 0; i < columns.size(); ++i) numbered.emplace_back(columns[i], std::to_string(i + 1));
    return numbered;
}

MGSchema& AddOwner(MGSchemaMng& manager, const std::string& owner) {
    auto schema = std::make_unique<MGSchema>();
    schema->SetSchemaNumber(manager.NextSchemaNumber());
    schema->SetIdentity(owner, "", "", "");
    schema->SetManager(&manager);
    MGSchema& added = *schema;
    manager.AddSchema(std::move(schema));
    return added;
}

MGShapeTable& AddTable(const MGSchema& schema, const std::string& name, const std::string& logicalName,
                       const std::string& comment, bool detailed) {
    auto box =
        std::make_unique<MGShapeTable>(schema.SchemaNumber(), schema.OwnerName(),
                                       logicalName.empty() ? name : logicalName, name, comment, detailed);
    return MGDrawTableList::EnsureCurrent().AddBox(std::move(box));
}

MGShapeView& AddView(const MGSchema& schema, const std::string& name, const std::string& source) {
    auto view =
        std::make_unique<MGShapeView>(schema.SchemaNumber(), schema.OwnerName(), name, name, "", source);
    return static_cast<MGShapeView&>(MGDrawTableList::EnsureCurrent().AddBox(std::move(view)));
}

void AddColumn(MGShapeTable& box, const ColumnSpec& column) {
    ZMGCell& columns = box.ColumnRows();
    if (columns.RowCount() == 0) {
        columns.AddRow(Row(
            {"ColumnNameL", "ColumnNameP", "DataType", "DataLength", "Nullable", "DataDefault", "Comments"}));
    }
    auto row = std::make_unique<ZMGRowField>();
    for (const std::string& item :
         {column.logicalName.empty() ? column.name : column.logicalName, column.name, column.type,
          column.length, column.nullable, column.defaultValue, column.comment}) {
        row->AddItem(item);
    }
    row->SetSerial(columns.NextSerial(0));
    columns.AddRow(std::move(row));
}

ZMGRowCell& AddKey(ZMGCell& keys, const std::vector<std::string>& items,
                   const std::vector<std::pair<std::string, std::string>>& columns, int keyNumber) {
    if (keys.RowCount() == 0) keys.AddRow(KeyRow(std::vector<std::string>(items.size(), "")));
    auto key = KeyRow(items);
    key->SetKeyNumber(keyNumber);
    for (const auto& [name, position] : columns) key->Child().AddRow(Row({name, position}));
    ZMGRowCell& added = *key;
    keys.AddRow(std::move(key));
    return added;
}

void AddPrimaryKey(MGShapeTable& box, const std::string& name, const std::vector<std::string>& columns,
                   int keyNumber) {
    AddKey(box.PrimaryKeyRows(), {name, "ENABLED"}, Numbered(columns), keyNumber);
}

void AddForeignKey(MGShapeTable& box, const std::string& name, const std::string& referenceOwner,
                   const std::string& referenceName, const std::vector<std::string>& columns,
                   const std::string& deleteRule) {
    AddKey(box.ForeignKeyRows(), {name, name, referenceOwner, referenceName, deleteRule, "ENABLED"},
           Numbered(columns));
}

void AddCondition(MGShapeTable& box, const std::string& name, const std::string& column,
                  const std::string& text) {
    ZMGCell& conditions = box.ConditionRows();
    if (conditions.RowCount() == 0)
        conditions.AddRow(Row({"CDName", "CDStatus", "ColumnNameP", "Condition"}));
    conditions.AddRow(Row({name, "ENABLED", column, text}));
}

void AddIndex(MGShapeTable& box, const std::string& name, const std::string& uniqueness,
              const std::vector<std::string>& columns) {
    AddKey(box.IndexRows(), {name, uniqueness}, Numbered(columns));
}

void AddPrivilege(MGShapeTable& box, const std::string& grantee, const std::string& grantor,
                  const std::string& privilege) {
    box.PrivilegeRows().AddRow(Row({box.Name(), grantee, grantor, privilege}));
}

std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string DecodedFile(const std::string& path) {
    return DecodeFileText(ReadFileBytes(path)).utf8;
}

}  // namespace tabulorix::testing
