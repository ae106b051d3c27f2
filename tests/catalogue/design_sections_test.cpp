// Reading the sections of a design file's schema block: field syntax, the
// continuation rules, and the whole block turned into row tables and boxes.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/csv_lines.h"
#include "designfile/design_sections.h"
#include "catalogue/schema.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_text.h"
#include "diagram/shape_view.h"
#include "base/file_io.h"
#include "support/recording_host.h"
#include "support/row_values.h"
#include "expected_rows.h"

using namespace tabulorix;
using namespace tabulorix::testing;
using catalogue_test::Want;
using catalogue_test::WantRows;

namespace {

std::vector<Strings> Section(const Strings& lines, const std::string& section) {
    ZMGCell table;
    ReadSectionRows(lines, section, table);
    return Rows(table);
}

// A schema SALES numbered 1 read from a design file's schema block.
void ReadBlock(MGSchema& schema, const Strings& lines, const std::string& owner = "SALES") {
    schema.SetSchemaNumber(1);
    schema.SetIdentity(owner, "", "", "");
    ReadSchemaFromDesignLines(schema, lines);
}

}  // namespace

TEST(SectionFields, QuotedAndPlainFields) {
    for (const auto& [line, fields] :
         {std::pair<const char*, Strings>{R"("a""b",c,"",)", {"a\"b", "c", "", ""}},
          {R"("x,y","5""X")", {"x,y", "5\"X"}},
          {"plain", {"plain"}},
          {R"("open,rest)", {"open,rest"}}})
        EXPECT_EQ(ParseSectionFields(line), fields) << line;
}

TEST(SectionRows, ConditionsAndViewSourcesKeepTheirLineBreaks) {
    ZMGCell conditions, views;
    for (const Strings& row : {Strings{"TableNameP", "CDName", "CDStatus", "ColumnNameP", "Condition"},
                               {"T", "CK_RANGE", "ENABLED", "A", "A > 0\nAND A < \"10\""},
                               {"T", "SYS_C0001", "ENABLED", "B", "\"B\" IS NOT NULL"}})
        conditions.AddRow(RowOf(row));
    views.AddRow(RowOf({"TableNameP", "ViewSource"}));
    views.AddRow(RowOf({"V", "select A,\n\n[B] from T\n  where A = 'x'"}));
    Strings written{"[CONDITION]"};
    WriteCsvLines(conditions, written);
    written.push_back("[VIEW]");
    WriteCsvLines(views, written);
    written.push_back("[TEXT]");
    // The physical lines of the file the lines were saved to with CR LF.
    std::string text;
    for (const auto& line : written) text += line + "\r\n";
    const Strings lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 12u);  // the condition over two lines, the view over four

    EXPECT_EQ(Section(lines, "[CONDITION]"), Rows(conditions));
    EXPECT_EQ(Section(lines, "[VIEW]"), Rows(views));
}

TEST(SectionRows, TablesAndColumnsKeepTheLineBreakOfAQuotedValue) {
    // A table comment and a column comment over two lines, an empty line
    // between two table rows.
    const Strings lines = DataLines("catalogue/open_values.txt");
    EXPECT_EQ(Section(lines, "[TABLE]"),
              (std::vector<Strings>{{"Type", "TableNameL", "TableNameP", "Comments", "Flag"},
                                    {"Table", "受注", "CUSTOMER_ORDER", "受注\n明細は受注明細を参照", "V"},
                                    {"Table", "請求", "INVOICE", "請求書", "E"}}));
    const auto columns = Section(lines, "[COLUMN]");
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_EQ(columns[0].back(), "受注\nの番号");
}

// Key sections read one line per row (an open value ends at the line's
// end), privileges get the fixed header, a value still open at the next
// section ends there, and a missing or empty section gives no rows.
TEST(SectionRows, OneLinePerRowSectionsFixedHeadersAndOpenValues) {
    const Strings lines = DataLines("catalogue/one_line_rows.txt");
    const struct {
        const char* section;
        std::vector<Strings> rows;
    } cases[] = {{"[PRIMARY KEY]",
                  {{"TableNameP", "PKName", "PKStatus", "ColumnNameP", "Position"},
                   {"T", "PK_T", "ENABLED", "A", "1"},
                   {"T", "PK_T", "ENABLED", "B", "2"}}},
                 {"[UNIQUE]", {}},
                 {"[INDEX]", {}},
                 {"[OBJECT PRIVILEGE]",
                  {{"物理表名", "権限受領者", "権限付与者", "権限名"}, {"T", "HR", "SALES", "SELECT"}}},
                 {"[VIEW]", {{"TableNameP", "ViewSource"}, {"V", "select 1"}}},
                 {"[TEXT]", {{"/1", "x"}}}};
    for (const auto& c : cases) EXPECT_EQ(Section(lines, c.section), c.rows) << c.section;
}

TEST(DesignSchemaBlock, BuildsTheSchemaAndItsBoxes) {
    RecordingPorts ports;
    // SALES with two tables (one shown as a title only), a view, keys, a
    // foreign key, a condition over two lines, an index, privileges and two texts.
    const Strings block = DataLines("catalogue/design_block.txt");
    const char* const kRows = "design_block_rows.txt";  // what it gives
    ASSERT_EQ(block.size(), 44u);
    MGSchema schema;
    ReadBlock(schema, block);

    EXPECT_EQ(Rows(schema.Tables()), WantRows(kRows, "tables"));
    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    Strings names;
    for (int i = 0; i < diagram.Count(); ++i)
        names.push_back(diagram.Item(i)->Owner() + "." + diagram.Item(i)->Name());
    EXPECT_EQ(names, Want(kRows, "boxes"));

    MGShapeTable& orders = *diagram.FindBox("SALES", "ORDERS");
    EXPECT_EQ(orders.LogicalName(), "受注");
    EXPECT_EQ(orders.Comment(), "受注\n表");
    EXPECT_TRUE(orders.Detailed());
    EXPECT_FALSE(diagram.FindBox("SALES", "LINES")->Detailed());
    // Column rows are taken over as written (no length rule).
    EXPECT_EQ(Values(orders.ColumnRows().GetRow(0)), Want(kRows, "orders-columns-header"));
    EXPECT_EQ(Values(orders.ColumnRows().GetRow(2)), Want(kRows, "orders-column-2"));

    const auto& view = dynamic_cast<const MGShapeView&>(*diagram.FindBox("SALES", "V_SUM"));
    EXPECT_EQ(view.LogicalName(), "集計");
    EXPECT_EQ(view.Comment(), "受注集計");
    EXPECT_EQ(view.ViewSource(), "select ORDER_NO\n  from ORDERS");
    EXPECT_EQ(view.PrivilegeRows().RowCount(), 1);
    EXPECT_EQ(Values(orders.PrivilegeRows().GetRow(0)), Want(kRows, "orders-privilege"));

    // Keys are numbered in the order of the section's rows: LINES first.
    EXPECT_EQ(orders.PrimaryKeyRows().GetRow(1).KeyNumber(), 2);
    const auto& linesKey =
        dynamic_cast<const ZMGRowCell&>(diagram.FindBox("SALES", "LINES")->PrimaryKeyRows().GetRow(1));
    EXPECT_EQ(linesKey.KeyNumber(), 1);
    EXPECT_EQ(linesKey.Child().RowCount(), 3);
    const auto& foreignKey =
        dynamic_cast<const ZMGRowCell&>(diagram.FindBox("SALES", "LINES")->ForeignKeyRows().GetRow(1));
    EXPECT_EQ(Values(foreignKey), Want(kRows, "lines-foreign-key"));
    EXPECT_EQ(Values(orders.ConditionRows().GetRow(1)), Want(kRows, "orders-condition"));
    EXPECT_EQ(orders.ConditionRows().GetRow(1).Serial(), orders.ColumnRows().GetRow(2).Serial());
    EXPECT_EQ(Values(orders.IndexRows().GetRow(1)), Want(kRows, "orders-index"));

    const auto& second = dynamic_cast<const MGShapeText&>(*diagram.Item(4));
    EXPECT_EQ(std::tuple(second.Text(), second.FontName(), second.FontSize(), second.FontStyle()),
              std::tuple("重要", "IPAGothic", 12, 1 | 4));

    EXPECT_EQ(MainLines(ports.statusLog), Want(kRows, "progress"));
    EXPECT_TRUE(ports.messages.empty());
}

TEST(DesignSchemaBlock, AFontSizeThatIsNotWhollyAnIntegerIsReportedAndReplacedByNine) {
    const struct {
        const char* size;
        int expected;  // 0: reported, 9 used
    } cases[] = {{"12", 12}, {"7", 7}, {"big", 0}, {"12abc", 0}, {"12.5", 0}, {" 12", 0}, {"", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        RecordingPorts ports;
        MGSchema schema;
        ReadBlock(schema, {"[TEXT]", std::string(R"("/1","注記","IPAPGothic",")") + c.size + R"(","I")"});
        const auto& text = dynamic_cast<const MGShapeText&>(*MGDrawTableList::Current()->Item(0));
        EXPECT_EQ(std::pair(text.FontStyle(), text.FontSize()),
                  std::pair(2, c.expected == 0 ? 9 : c.expected));
        ASSERT_EQ(ports.messages.size(), c.expected == 0 ? 1u : 0u);
        EXPECT_TRUE(c.expected != 0 || Contains(ports.messages[0], std::string("\"") + c.size + "\""));
        MGDrawTableList::DestroyCurrent();
    }
}

TEST(DesignSchemaBlock, ColumnRowsGoToTheBoxOfTheirRunAndDetailsToEveryBoxOfAName) {
    RecordingPorts ports;
    MGSchema schema;
    // T's columns come in two runs (two boxes of one name), X is not in the
    // tables list (no box), a row of another type goes to the table box and
    // to the view columns.
    ReadBlock(schema, DataLines("catalogue/two_runs_block.txt"), "S");

    // The row of the other type also makes a view box of U.
    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    ASSERT_EQ(diagram.Count(), 4);
    const MGShapeTable& first = *diagram.Item(0);
    const MGShapeTable& u = *diagram.Item(1);
    const MGShapeTable& second = *diagram.Item(2);
    EXPECT_EQ(first.Name() + u.Name() + second.Name() + diagram.Item(3)->Name(), "TUTU");
    EXPECT_NE(dynamic_cast<const MGShapeView*>(diagram.Item(3)), nullptr);
    const char* const kRows = "two_runs_rows.txt";
    EXPECT_EQ(Values(first.ColumnRows().GetRow(1)), Want(kRows, "first-run"));
    EXPECT_EQ(Values(second.ColumnRows().GetRow(1)), Want(kRows, "second-run"));
    ASSERT_EQ(u.ColumnRows().RowCount(), 3);
    EXPECT_EQ(Values(u.ColumnRows().GetRow(2)), Want(kRows, "other-type"));
    EXPECT_EQ(u.ColumnRows().GetRow(2).Serial(), u.ColumnRows().GetRow(1).Serial() + 1);

    // The columns table keeps its header, as after the boxes took its rows.
    EXPECT_EQ(Rows(schema.Columns()), WantRows(kRows, "columns-header"));
    EXPECT_EQ(Values(diagram.Item(3)->ColumnRows().GetRow(1)), Want(kRows, "other-type"));

    // Both boxes named T get the whole condition row; the key row goes to
    // the first (the key's run of rows has begun when the second is reached).
    for (const MGShapeTable* box : {&first, &second}) {
        ASSERT_EQ(box->ConditionRows().RowCount(), 2);
        EXPECT_EQ(Values(box->ConditionRows().GetRow(1)), Want(kRows, "condition"));
    }
    const auto& key = dynamic_cast<const ZMGRowCell&>(first.PrimaryKeyRows().GetRow(1));
    EXPECT_EQ(Values(key), Want(kRows, "key"));
    ASSERT_EQ(key.Child().RowCount(), 2);
    EXPECT_EQ(Values(key.Child().GetRow(1)), (Strings{"A", "1"}));
    EXPECT_EQ(schema.PrimaryKeys().RowCount(), 1);
    EXPECT_EQ(schema.Conditions().RowCount(), 1);
}
