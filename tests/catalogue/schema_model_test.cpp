// The schema model: manager look-ups and numbering, the design title, column
// rows with their length text, the table list, connections and the single
// diagram that lives with the schemas.
#include <gtest/gtest.h>

#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_legend.h"
#include "diagram/shape_text.h"
#include "diagram/shape_view.h"
#include "support/row_values.h"
#include "reading/box_building.h"
#include "diagram/table_list.h"

using namespace tabulorix;

using namespace tabulorix::testing;

namespace {

std::unique_ptr<MGSchema> SchemaFor(const std::string& owner, int number) {
    auto schema = std::make_unique<MGSchema>();
    schema->SetIdentity(owner, "", "", "");
    schema->SetSchemaNumber(number);
    return schema;
}

// Every test starts and ends without schemas, so the diagram is gone.
class SchemaModel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(MGDrawTableList::Current(), nullptr); }
    void TearDown() override { EXPECT_EQ(MGDrawTableList::Current(), nullptr); }
};

// The query header of the column statements.
std::unique_ptr<ZMGRowExt> ColumnQueryHeader() {
    return RowOf({"TABLENAMEL", "TABLENAMEP", "COLUMNNAMEL", "COLUMNNAMEP", "DATATYPE", "DATALENGTH",
                  "DATALENGTH", "DATA_SCALE", "NULLABLE", "DATADEFAULT", "COMMENTS"});
}

std::string LengthTextOf(const char* type, const char* length, const char* precision, const char* scale) {
    MGShapeTable box;
    MGSchema schema;
    auto row = RowOf({"T", "T", "C", "C", type, length, precision, scale, "Y", "", ""});
    AddColumnRow(*ColumnQueryHeader(), *row, box, 0, false);
    return box.ColumnRows().GetRow(1).Item(3);
}

class FakeConnection : public tabulorix::DatabaseConnection {
public:
    FakeConnection(bool connected, int& closes, int& destroyed)
        : connected_(connected), closes_(closes), destroyed_(destroyed) {}
    ~FakeConnection() override { ++destroyed_; }
    bool IsConnected() const override { return connected_; }
    void Close() override {
        ++closes_;
        connected_ = false;
    }
    tabulorix::QueryResult Run(const std::string&) override { return {}; }

private:
    bool connected_;
    int& closes_;
    int& destroyed_;
};

}  // namespace

TEST_F(SchemaModel, DesignTitleCutsKvxFoundInTheLowerCasedTitle) {
    MGSchemaMng manager;
    EXPECT_EQ(manager.DesignTitle(), "無題");
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\work\\Sales.KVX", "Sales"}, {"x.kvx", "x"},      {".kvx", ".kvx"},
        {"C:\\work\\plan.tlx", "plan.tlx"}, {"/home/user/設計.kvx.bak", "設計"}};
    for (const auto& [path, title] : cases) {
        manager.SetDesignPath(path);
        EXPECT_EQ(manager.DesignTitle(), title) << path;
    }
}

TEST_F(SchemaModel, LengthTextOfColumns) {
    EXPECT_EQ(LengthTextOf("NUMBER", "22", "10", "2"), "10,2");
    EXPECT_EQ(LengthTextOf("NUMBER", "22", "10", ""), "10");
    EXPECT_EQ(LengthTextOf("NUMBER", "22", "10", "0"), "10");
    EXPECT_EQ(LengthTextOf("VARCHAR2", "30", "", ""), "30");
    EXPECT_EQ(LengthTextOf("DATE", "7", "", ""), "");
    EXPECT_EQ(LengthTextOf("LONG RAW", "0", "", ""), "");
    EXPECT_EQ(LengthTextOf("CLOB", "4000", "", ""), "");
    // Types outside the list keep their text even where it means little.
    EXPECT_EQ(LengthTextOf("NUMBER", "22", "", ""), "22");
    EXPECT_EQ(LengthTextOf("TIMESTAMP(6)", "11", "", "6"), "11,6");
    // The comparison is exact and case-sensitive.
    EXPECT_EQ(LengthTextOf("date", "7", "", ""), "7");
}

TEST_F(SchemaModel, AddColumnRowBuildsTheHeaderOnceAndNumbersTheColumnsOrTakesRawRowsOver) {
    MGSchema schema;
    MGShapeTable box;
    const auto header = ColumnQueryHeader();
    AddColumnRow(*header,
                        *RowOf({"EMP", "EMP", "EMPNO", "EMPNO", "NUMBER", "22", "4", "0", "N", "", "番号"}),
                        box, 0, false);
    AddColumnRow(*header,
                        *RowOf({"EMP", "EMP", "HIRED", "HIRED", "DATE", "7", "", "", "Y", "SYSDATE", ""}),
                        box, 0, false);
    const ZMGCell& columns = box.ColumnRows();
    EXPECT_EQ(Rows(columns), (std::vector<Strings>{{"COLUMNNAMEL", "COLUMNNAMEP", "DATATYPE", "DATALENGTH",
                                                    "NULLABLE", "DATADEFAULT", "COMMENTS"},
                                                   {"EMPNO", "EMPNO", "NUMBER", "4", "N", "", "番号"},
                                                   {"HIRED", "HIRED", "DATE", "", "Y", "SYSDATE", ""}}));
    EXPECT_NE(dynamic_cast<const ZMGRowField*>(&columns.GetRow(1)), nullptr);
    EXPECT_EQ(columns.GetRow(1).Serial(), 0);
    EXPECT_EQ(columns.GetRow(2).Serial(), 1);

    // Raw rows (a design file's) keep their length text.
    MGShapeTable raw;
    AddColumnRow(*RowOf({"TableNameL", "TableNameP", "ColumnNameL", "ColumnNameP", "DataType",
                                "DataLength", "Nullable", "DataDefault", "Comments"}),
                        *RowOf({"T", "T", "論理", "C", "DATE", "7", "N", "", "c"}), raw, 0, true);
    EXPECT_EQ(Rows(raw.ColumnRows()),
              (std::vector<Strings>{{"ColumnNameL", "ColumnNameP", "DataType", "DataLength", "Nullable",
                                     "DataDefault", "Comments"},
                                    {"論理", "C", "DATE", "7", "N", "", "c"}}));
}

TEST_F(SchemaModel, ManagerLooksUpAndNumbersSchemas) {
    MGSchemaMng manager;
    EXPECT_EQ(manager.NextSchemaNumber(), 1);
    EXPECT_EQ(manager.FindSchema("SCOTT"), nullptr);
    manager.AddSchema(SchemaFor("SCOTT", 1));
    manager.AddSchema(SchemaFor("HR", 5));
    manager.AddSchema(SchemaFor("SCOTT", 2));
    EXPECT_EQ(manager.SchemaCount(), 3);
    EXPECT_EQ(manager.NextSchemaNumber(), 6);
    ASSERT_NE(manager.FindSchema("SCOTT"), nullptr);
    EXPECT_EQ(manager.FindSchema("SCOTT")->SchemaNumber(), 1);
    EXPECT_EQ(manager.FindSchema("scott"), nullptr);
    EXPECT_EQ(manager.GetSchema(1)->OwnerName(), "HR");
    EXPECT_EQ(manager.GetSchema(3), nullptr);
    EXPECT_EQ(manager.GetSchema(-1), nullptr);

    manager.SetCurrentSchema(manager.GetSchema(0));
    manager.ClearSchemas();
    EXPECT_EQ(manager.CurrentSchema(), nullptr);
    EXPECT_EQ(manager.SchemaCount(), 0);
    EXPECT_EQ(manager.NextSchemaNumber(), 1);
}

TEST_F(SchemaModel, DiscardingAFailedSchemaKeepsTheDiagramAndDestroyingTheManagerEndsIt) {
    {
        MGSchemaMng manager;
        manager.AddSchema(SchemaFor("LOGIN", 1));
        MGDrawTableList::Current()->AddBox(std::make_unique<MGShapeTable>(1, "LOGIN", "T", "T", "", true));
        SchemaFor("OTHER", 2);  // a referenced owner whose reading failed is thrown away unadded
        ASSERT_NE(MGDrawTableList::Current(), nullptr);
        EXPECT_EQ(MGDrawTableList::Current()->Count(), 1);
    }
    EXPECT_EQ(MGDrawTableList::Current(), nullptr);
    EXPECT_EQ(MGSchema::LiveCount(), 0);
}

TEST_F(SchemaModel, AnOwnedConnectionIsClosedOnceAndAnAttachedOneIsLeftToItsOwner) {
    int closes = 0;
    int destroyed = 0;
    FakeConnection shared(true, closes, destroyed);
    {
        MGSchema schema;
        schema.AdoptConnection(std::make_unique<FakeConnection>(true, closes, destroyed));
        EXPECT_TRUE(schema.OwnsConnection());
        schema.CloseConnection();
        EXPECT_EQ(std::pair(closes, destroyed), std::pair(1, 1));
        EXPECT_EQ(schema.GetConnection(), nullptr);
        schema.CloseConnection();  // nothing left to close
        EXPECT_EQ(closes, 1);

        // A connection that is no longer connected is released without closing.
        schema.AdoptConnection(std::make_unique<FakeConnection>(false, closes, destroyed));
        schema.CloseConnection();
        EXPECT_EQ(std::pair(closes, destroyed), std::pair(1, 2));

        schema.AttachConnection(&shared);
        EXPECT_FALSE(schema.OwnsConnection());
        schema.CloseConnection();
        EXPECT_EQ(schema.GetConnection(), &shared);
    }
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(shared.IsConnected());

    // Destroying a schema closes the connection it owns.
    {
        MGSchema schema;
        schema.AdoptConnection(std::make_unique<FakeConnection>(true, closes, destroyed));
    }
    EXPECT_EQ(std::pair(closes, destroyed), std::pair(2, 3));
}

namespace {

// Boxes of two schemas: S1 (number 1) and S2 (number 2), plus a table that
// carries number 1 but another owner, a text and the legend.
void FillTwoSchemaDiagram(MGDrawTableList& diagram) {
    diagram.AddBox(std::make_unique<MGShapeTable>(1, "S1", "EMP_L", "EMP", "社員", true));
    diagram.AddBox(std::make_unique<MGShapeView>(1, "S1", "V_L", "V", "ビュー注釈", "select 1 from dual"));
    diagram.AddBox(std::make_unique<MGShapeTable>(2, "S2", "DEPT", "DEPT", "", false));
    diagram.AddBox(std::make_unique<MGShapeTable>(1, "OTHER", "X", "X", "", false));
    diagram.AddBox(std::make_unique<MGShapeText>("note", "IPAPGothic", 9, 0));
    diagram.AddBox(std::make_unique<MGShapeLegend>());
}

}  // namespace

TEST_F(SchemaModel, TableListsSelectByOwnerFilterOrSchemaNumber) {
    MGSchemaMng manager;
    manager.AddSchema(SchemaFor("S1", 1));
    FillTwoSchemaDiagram(*MGDrawTableList::Current());
    const MGSchema& schema = *manager.GetSchema(0);

    // English keys, tables and views of the owner S1.
    auto list = BuildTableList(schema, true, 3, 3, "S1", true);
    EXPECT_EQ(Rows(*list), (std::vector<Strings>{{"Type", "TableNameL", "TableNameP", "Comments", "Flag"},
                                                 {"Table", "EMP_L", "EMP", "社員", "V"},
                                                 {"View", "V_L", "V", "ビュー注釈", "V"}}));
    EXPECT_EQ(list->GetRow(1).GetFlags(), 4u);
    EXPECT_EQ(list->GetRow(2).GetFlags(), 5u);
    EXPECT_TRUE(list->GetRow(1).Detail());

    // Empty filter: the boxes numbered 1, whatever their owner; tables only.
    list = BuildTableList(schema, false, 2, 1, "", true);
    ASSERT_EQ(list->RowCount(), 3);
    EXPECT_EQ(Values(list->GetRow(0)), (Strings{"タイプ", "物理表名", "コメント", "フラグ"}));
    EXPECT_EQ(Values(list->GetRow(1)), (Strings{"表", "EMP", "社員", "V"}));
    EXPECT_EQ(Values(list->GetRow(2)), (Strings{"表", "X", "", "E"}));
    EXPECT_FALSE(list->GetRow(2).Detail());

    // Logical names only, views only, no flag column.
    list = BuildTableList(schema, false, 1, 2, "", false);
    ASSERT_EQ(list->RowCount(), 2);
    EXPECT_EQ(Values(list->GetRow(0)), (Strings{"タイプ", "論理表名", "コメント"}));
    EXPECT_EQ(Values(list->GetRow(1)), (Strings{"ビュー", "V_L", "ビュー注釈"}));

    // The other owner's box is found through the filter, not the number.
    list = BuildTableList(schema, true, 2, 3, "S2", true);
    ASSERT_EQ(list->RowCount(), 2);
    EXPECT_EQ(Values(list->GetRow(1)), (Strings{"Table", "DEPT", "", "E"}));
    manager.ClearSchemas();
}
