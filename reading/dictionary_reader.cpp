#include "reading/dictionary_reader.h"

#include "base/ui_ports.h"
#include "catalogue/query_layer.h"
#include "catalogue/schema.h"
#include "reading/box_building.h"
#include "reading/detail_distribution.h"
#include "reading/dictionary_statements.h"

namespace tabulorix {

namespace {

class Reader {
public:
    explicit Reader(MGSchema& schema) : schema_(schema), userViews_(schema.OwnsConnection()) {}

    void Run() {
        MainLine("テーブル情報解析中...");
        Query(DictionaryQuery::Tables, schema_.Tables());
        ReadPrivileges();
        MainLine("フィールド情報解析中...");
        Query(DictionaryQuery::Columns, schema_.Columns());
        BuildTableBoxes(schema_, schema_.Tables(), schema_.Columns(), ColumnRowMode::Dictionary);
        MGSchema::ReleaseDistributedRows(schema_.Columns());
        MainLine("ビュー情報解析中...");
        Query(DictionaryQuery::ViewColumns, schema_.ViewColumns());
        Query(DictionaryQuery::ViewSources, schema_.ViewSources());
        BuildViewBoxes(schema_, schema_.ViewColumns(), ColumnRowMode::Dictionary,
                       ViewLookup{&schema_.ViewSources(), 0, 1}, ViewLookup{&schema_.ViewSources(), 0, 2});
        MGSchema::ReleaseDistributedRows(schema_.ViewColumns());
        AttachPrivileges(schema_, schema_.Privileges());
        MainLine("索引情報解析中...");
        Query(DictionaryQuery::Indexes, schema_.Indexes());
        HandDetailsToBoxes(schema_, schema_.Indexes(), DetailKind::Index);
        ReadConstraints();
    }

private:
    void MainLine(const char* text) { tabulorix::Status().SetMainLine(text); }

    void Query(DictionaryQuery query, ZMGCell& target, bool append = false) {
        RunQueryInto(query_, schema_.GetConnection(),
                     DictionaryStatement(query, userViews_, schema_.OwnerName()), target, append);
    }

    // Made first (with the header row), then received appended; the header
    // then carries the captions.
    void ReadPrivileges() {
        ZMGCell& privileges = schema_.Privileges();
        Query(DictionaryQuery::PrivilegesMade, privileges);
        Query(DictionaryQuery::PrivilegesReceived, privileges, true);
        ZMGRowExt& header = privileges.GetRow(0);
        for (int i = 0; i < 4 && i < header.ItemCount(); ++i) header.PutItem(i, kPrivilegeCaptions[i]);
    }

    void ReadConstraints() {
        MainLine("制約情報解析中...");
        MainLine("制約情報(Primary Key)解析中...");
        Query(DictionaryQuery::PrimaryKeys, schema_.PrimaryKeys());
        MainLine("制約情報(Unique Key)解析中...");
        Query(DictionaryQuery::UniqueKeys, schema_.UniqueKeys());
        MainLine("制約情報(Foreign Key)解析中...");
        Query(DictionaryQuery::ForeignKeys, schema_.ForeignKeys());
        MainLine("制約情報(Condition)解析中...");
        Query(DictionaryQuery::Conditions, schema_.Conditions());
        HandDetailsToBoxes(schema_, schema_.PrimaryKeys(), DetailKind::PrimaryKey);
        HandDetailsToBoxes(schema_, schema_.UniqueKeys(), DetailKind::UniqueKey);
        HandDetailsToBoxes(schema_, schema_.ForeignKeys(), DetailKind::ForeignKey);
        HandDetailsToBoxes(schema_, schema_.Conditions(), DetailKind::Condition);
    }

    MGSchema& schema_;
    const bool userViews_;
    ZMGQuery query_;
};

}  // namespace

void ReadSchemaFromDatabase(MGSchema& schema) {
    Reader(schema).Run();
}

}  // namespace tabulorix
