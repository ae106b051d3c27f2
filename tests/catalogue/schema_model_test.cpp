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
#include "diagram/table_list.h"
#include "reading/box_building.h"
#include "support/row_values.h"

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
const Strings kColumnQueryHeader{"TABLENAMEL", "TABLENAMEP", "COLUMNNAMEL", "COLUMNNAMEP",
                                 "DATATYPE",   "DATALENGTH", "DATALENGTH",  "DATA_SCALE",
                                 "NULLABLE",   "DATADEFAULT", "COMMENTS"};

class FakeConnection : public DatabaseConnection {
public:
    FakeConnection(bool connected, int& closes, int& destroyed)
        : connected_(connected), closes_(closes), destroyed_(destroyed) {}
    ~FakeConnection() override { ++destroyed_; }
    bool IsConnected() const override { return connected_; }
    void Close() override { ++closes_, connected_ = false; }
    QueryResult Run(const std::string&) override { return {}; }

private:
    bool connected_;
    int& closes_;
    int& destroyed_;
};

}  // namespace

TEST_F(SchemaModel, DesignTitleCutsKvxFoundInTheLowerCasedTitle) {
    MGSchemaMng manager;
    EXPECT_EQ(manager.DesignTitle(), "無題");
    for (const auto& [path, title] : {std::pair{"C:\\work\\Sales.KVX", "Sales"}, {"x.kvx", "x"},
                                      {".kvx", ".kvx"}, {"C:\\work\\plan.tlx", "plan.tlx"},
                                      {"/home/user/設計.kvx.bak", "設計"}}) {
        manager.SetDesignPath(path);
        EXPECT_EQ(manager.DesignTitle(), title) << path;
    }
}

TEST_F(SchemaModel, LengthTextOfColumns) {
    // type, length, precision, scale, the length text; types outside the
    // list keep their text even where it means little, and the comparison
    // is exact and case-sensitive.
    const Strings cases[] = {{"NUMBER", "22", "10", "2", "10,2"}, {"NUMBER", "22", "10", "", "10"},
                             {"NUMBER", "22", "10", "0", "10"},    {"VARCHAR2", "30", "", "", "30"},
                             {"DATE", "7", "", "", ""},            {"LONG RAW", "0", "", "", ""},
                             {"CLOB", "4000", "", "", ""},         {"NUMBER", "22", "", "", "22"},
                             {"TIMESTAMP(6)", "11", "", "6", "11,6"}, {"date", "7", "", "", "7"}};
    for (const Strings& c : cases) {
        MGShapeTable box;
        AddColumnRow(*RowOf(kColumnQueryHeader),
                     *RowOf({"T", "T", "C", "C", c[0], c[1], c[2], c[3], "Y", "", ""}), box, 0, false);
        EXPECT_EQ(box.ColumnRows().GetRow(1).Item(3), c[4])
            << c[0] << " " << c[1] << " " << c[2] << " " << c[3];
    }
}

TEST_F(SchemaModel, AddColumnRowBuildsTheHeaderOnceAndNumbersTheColumnsOrTakesRawRowsOver) {
    MGShapeTable box;
    const auto header = RowOf(kColumnQueryHeader);
    AddColumnRow(*header, *RowOf({"EMP", "EMP", "EMPNO", "EMPNO", "NUMBER", "22", "4", "0", "N", "", "番号"}),
                 box, 0, false);
    AddColumnRow(*header, *RowOf({"EMP", "EMP", "HIRED", "HIRED", "DATE", "7", "", "", "Y", "SYSDATE", ""}),
                 box, 0, false);
    const ZMGCell& columns = box.ColumnRows();
    EXPECT_EQ(Rows(columns), (std::vector<Strings>{{"COLUMNNAMEL", "COLUMNNAMEP", "DATATYPE", "DATALENGTH",
                                                    "NULLABLE", "DATADEFAULT", "COMMENTS"},
                                                   {"EMPNO", "EMPNO", "NUMBER", "4", "N", "", "番号"},
                                                   {"HIRED", "HIRED", "DATE", "", "Y", "SYSDATE", ""}}));
    EXPECT_NE(dynamic_cast<const ZMGRowField*>(&columns.GetRow(1)), nullptr);
    EXPECT_EQ(std::pair(columns.GetRow(1).Serial(), columns.GetRow(2).Serial()), std::pair(0, 1));

    // Raw rows (a design file's) keep their length text.
    MGShapeTable raw;
    AddColumnRow(*RowOf({"TableNameL", "TableNameP", "ColumnNameL", "ColumnNameP", "DataType", "DataLength",
                         "Nullable", "DataDefault", "Comments"}),
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
    for (const auto& [owner, number] : {std::pair{"SCOTT", 1}, {"HR", 5}, {"SCOTT", 2}})
        manager.AddSchema(SchemaFor(owner, number));
    EXPECT_EQ(std::pair(manager.SchemaCount(), manager.NextSchemaNumber()), std::pair(3, 6));
    ASSERT_NE(manager.FindSchema("SCOTT"), nullptr);
    EXPECT_EQ(manager.FindSchema("SCOTT")->SchemaNumber(), 1);
    EXPECT_EQ(manager.FindSchema("scott"), nullptr);
    EXPECT_EQ(manager.GetSchema(1)->OwnerName(), "HR");
    EXPECT_EQ(manager.GetSchema(3), nullptr);
    EXPECT_EQ(manager.GetSchema(-1), nullptr);
    manager.SetCurrentSchema(manager.GetSchema(0));
    manager.ClearSchemas();
    EXPECT_EQ(manager.CurrentSchema(), nullptr);
    EXPECT_EQ(std::pair(manager.SchemaCount(), manager.NextSchemaNumber()), std::pair(0, 1));
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
    int closes = 0, destroyed = 0;
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
    {  // destroying a schema closes the connection it owns
        MGSchema schema;
        schema.AdoptConnection(std::make_unique<FakeConnection>(true, closes, destroyed));
    }
    EXPECT_EQ(std::pair(closes, destroyed), std::pair(2, 3));
}

// Boxes of two schemas: S1 (number 1) and S2 (number 2), plus a table that
// carries number 1 but another owner, a text and the legend. Each case:
// english, names (1 logical, 2 physical, 3 both), kinds (1 tables, 2 views,
// 3 both), filter, flag column, and the list's rows with their ticks.
TEST_F(SchemaModel, TableListsSelectByOwnerFilterOrSchemaNumber) {
    MGSchemaMng manager;
    manager.AddSchema(SchemaFor("S1", 1));
    MGDrawTableList& diagram = *MGDrawTableList::Current();
    diagram.AddBox(std::make_unique<MGShapeTable>(1, "S1", "EMP_L", "EMP", "社員", true));
    diagram.AddBox(std::make_unique<MGShapeView>(1, "S1", "V_L", "V", "ビュー注釈", "select 1 from dual"));
    diagram.AddBox(std::make_unique<MGShapeTable>(2, "S2", "DEPT", "DEPT", "", false));
    diagram.AddBox(std::make_unique<MGShapeTable>(1, "OTHER", "X", "X", "", false));
    diagram.AddBox(std::make_unique<MGShapeText>("note", "IPAPGothic", 9, 0));
    diagram.AddBox(std::make_unique<MGShapeLegend>());
    const struct {
        const char* what;
        bool english;
        int names, kinds;
        const char* filter;
        bool flags;
        std::vector<Strings> rows;
        std::vector<bool> details;
    } cases[] = {
        {"the owner S1's tables and views", true, 3, 3, "S1", true,
         {{"Type", "TableNameL", "TableNameP", "Comments", "Flag"}, {"Table", "EMP_L", "EMP", "社員", "V"},
          {"View", "V_L", "V", "ビュー注釈", "V"}},
         {true, true}},
        {"empty filter: the boxes numbered 1, whatever their owner; tables only", false, 2, 1, "", true,
         {{"タイプ", "物理表名", "コメント", "フラグ"}, {"表", "EMP", "社員", "V"}, {"表", "X", "", "E"}},
         {true, false}},
        {"logical names only, views only, no flag column", false, 1, 2, "", false,
         {{"タイプ", "論理表名", "コメント"}, {"ビュー", "V_L", "ビュー注釈"}}, {true}},
        {"the other owner's box is found through the filter", true, 2, 3, "S2", true,
         {{"Type", "TableNameP", "Comments", "Flag"}, {"Table", "DEPT", "", "E"}}, {false}}};
    for (const auto& c : cases) {
        const auto list =
            BuildTableList(*manager.GetSchema(0), c.english, c.names, c.kinds, c.filter, c.flags);
        EXPECT_EQ(Rows(*list), c.rows) << c.what;
        for (std::size_t r = 0; r < c.details.size(); ++r)
            EXPECT_EQ(list->GetRow(static_cast<int>(r) + 1).Detail(), c.details[r]) << c.what << r;
    }
    const auto list = BuildTableList(*manager.GetSchema(0), true, 3, 3, "S1", true);
    EXPECT_EQ(std::pair(list->GetRow(1).GetFlags(), list->GetRow(2).GetFlags()), std::pair(4u, 5u));
    manager.ClearSchemas();
}
