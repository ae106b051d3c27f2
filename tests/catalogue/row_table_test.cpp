// Row tables: walking, copying, serials, CSV lines, list-view texts and the
// template rows of the detail-list kinds.
#include <gtest/gtest.h>

#include <typeinfo>

#include "catalogue/csv_lines.h"
#include "catalogue/list_view_texts.h"
#include "catalogue/row_table.h"
#include "support/row_values.h"

using namespace tabulorix;

using namespace tabulorix::testing;

namespace {

// The group-columns example: header and the rows (A, x, 1), (A, x, 2), (B, x, 3).
void FillGroupExample(ZMGCell& table) {
    table.AddRow(RowOf({"K1", "K2", "V"}));
    table.AddRow(RowOf({"A", "x", "1"}));
    table.AddRow(RowOf({"A", "x", "2"}));
    table.AddRow(RowOf({"B", "x", "3"}));
    table.SetGroupColumns(2);
}

class FakeListView : public tabulorix::ListViewControl {
public:
    bool IsVisible() const override { return visible; }
    void SetVisible(bool v) override {
        calls.push_back(v ? "show" : "hide");
        visible = v;
    }
    void FillParent() override { calls.push_back("fill"); }
    bool visible = false;
    std::vector<std::string> calls;
};

}  // namespace

TEST(RowTable, GroupColumnsBlankRepeatsInCsvOneByOneAndInTheListViewUpToTheFirstDifference) {
    ZMGCell table;
    FillGroupExample(table);
    Strings lines;
    table.WriteCsvLines(lines);
    EXPECT_EQ(lines, (Strings{R"("K1","K2","V")", R"("A","x","1")", R"(,,"2")", R"("B",,"3")"}));
    const ZMGListViewTexts shown = ListViewDisplayTexts(table);
    EXPECT_EQ(shown.captions, (Strings{"K1", "K2", "V"}));
    ASSERT_EQ(shown.rows.size(), 3u);
    EXPECT_EQ(shown.rows[0].texts, (Strings{"A", "x", "1"}));
    EXPECT_EQ(shown.rows[1].texts, (Strings{"", "", "2"}));
    EXPECT_EQ(shown.rows[2].texts, (Strings{"B", "x", "3"}));

    // Without group columns nothing is blanked.
    table.SetGroupColumns(0);
    lines.clear();
    table.WriteCsvLines(lines);
    EXPECT_EQ(lines[2], R"("A","x","2")");
    EXPECT_EQ(ListViewDisplayTexts(table).rows[1].texts, (Strings{"A", "x", "2"}));
}

TEST(RowTable, TheFirstDataRowIsNeverBlankedAndShortRowsGiveEmptyFields) {
    ZMGCell table;
    table.AddRow(RowOf({"Type", "Name", "C"}));
    table.AddRow(RowOf({"Type", "T1"}));
    table.AddRow(RowOf({"Type", "T2", "x"}));
    table.AddRow(RowOf({"1"}));
    table.SetGroupColumns(1);
    Strings lines;
    table.WriteCsvLines(lines);
    EXPECT_EQ(lines, (Strings{R"("Type","Name","C")", R"("Type","T1","")", R"(,"T2","x")", R"("1","","")"}));
}

TEST(RowTable, QuotesAreDoubledAndNothingIsTrimmed) {
    EXPECT_EQ(QuoteCsvField("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(QuoteCsvField(""), "\"\"");
    EXPECT_EQ(QuoteCsvField(" a, b "), "\" a, b \"");
    EXPECT_EQ(QuoteCsvField("\"\""), "\"\"\"\"\"\"");
    EXPECT_EQ(QuoteCsvField("部門"), "\"部門\"");
}

TEST(RowTable, HiddenColumnsAndTheColumnLimitShapeTheListView) {
    ZMGCell table;
    table.AddRow(RowOf({"A", "B", "C", "D"}));
    auto row = RowOf({"a", "b", "c", "d"});
    row->SetDetail(false);
    row->SetFlags(0x5);
    table.AddRow(std::move(row));
    table.AddName("B");
    EXPECT_FALSE(table.HasName("b"));  // names are compared exactly

    ZMGListViewTexts shown = ListViewDisplayTexts(table);
    EXPECT_EQ(shown.columns, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(shown.captions, (Strings{"A", "C", "D"}));
    EXPECT_EQ(shown.rows[0].texts, (Strings{"a", "c", "d"}));
    EXPECT_FALSE(shown.rows[0].checked);
    EXPECT_EQ(shown.rows[0].stateImage, 0x5);

    shown = ListViewDisplayTexts(table, 3);
    EXPECT_EQ(shown.captions, (Strings{"A", "C"}));
    shown = ListViewDisplayTexts(table, 9);
    EXPECT_EQ(shown.captions.size(), 3u);
}

TEST(RowTable, GetRowOutsideTheTableRaisesErrorOfRange) {
    ZMGCell table;
    table.AddRow(RowOf({"h"}));
    EXPECT_EQ(table.GetRow(0).Item(0), "h");
    try {
        (void)table.GetRow(1);
        FAIL() << "no exception";
    } catch (const ZMGRangeError& error) {
        EXPECT_STREQ(error.what(), "Error of range");
    }
    EXPECT_THROW((void)table.GetRow(-1), std::out_of_range);
}

TEST(RowTable, SerialsAndKeyNumbersFollowTheLargestAndClearRowsCutsFromAPosition) {
    ZMGCell table;
    EXPECT_EQ(table.NextSerial(5), 5);
    EXPECT_EQ(table.MaxKeyNumber(), -1);
    table.AddRow(RowOf({"header"}));
    EXPECT_EQ(table.MaxKeyNumber(), -1);
    for (const int n : {-1, 3, 1}) {
        auto row = RowOf({std::to_string(n)});
        row->SetSerial(n);
        row->SetKeyNumber(n + 6);
        table.AddRow(std::move(row));
    }
    EXPECT_EQ(table.NextSerial(0), 4);
    EXPECT_EQ(table.NextSerial(10), 10);
    EXPECT_EQ(table.MaxKeyNumber(), 9);
    table.ClearRows(2);
    EXPECT_EQ(Rows(table), (std::vector<Strings>{{"header"}, {"-1"}}));
    table.ClearRows(0);
    EXPECT_EQ(table.RowCount(), 0);
}

// The source: a header, a column row with flags, key number, serial and
// item name, and a key row with flags and child rows.
TEST(RowTable, CopyRowsAsExtKeepsFlagsAndCopyRowsAsCellKeepsChildRows) {
    ZMGCell source;
    source.AddRow(RowOf({"ColumnNameP", "Position"}));
    auto field = std::make_unique<ZMGRowField>();
    field->AddItem("DEPTNO", "ColumnNameP");
    field->SetFlags(kKeyPrimary | kIndexUnique);
    field->SetKeyNumber(3);
    field->SetSerial(0);
    source.AddRow(std::move(field));
    auto keyRow = std::make_unique<ZMGRowCell>();
    keyRow->AddItem("PK_EMP");
    keyRow->SetFlags(kKeyPrimary);
    keyRow->Child().AddRow(RowOf({"ColumnNameP", "Position"}));
    keyRow->Child().AddRow(RowOf({"EMPNO", "1"}));
    source.AddRow(std::move(keyRow));

    ZMGCell plain;
    plain.AddRow(RowOf({"old"}));
    plain.CopyRowsAsExt(source);
    ASSERT_EQ(plain.RowCount(), 3);
    const ZMGRowExt& copied = plain.GetRow(1);
    EXPECT_EQ(typeid(copied), typeid(ZMGRowExt));
    EXPECT_EQ(copied.GetFlags(), static_cast<std::uint32_t>(kKeyPrimary | kIndexUnique));
    EXPECT_EQ(Values(copied), (Strings{"DEPTNO"}));
    EXPECT_EQ(copied.Name(0), "ColumnNameP");
    EXPECT_EQ(std::pair(copied.KeyNumber(), copied.Serial()), std::pair(3, 0));
    EXPECT_EQ(typeid(plain.GetRow(2)), typeid(ZMGRowExt));

    ZMGCell cells;
    cells.CopyRowsAsCell(source);
    ASSERT_EQ(cells.RowCount(), 3);
    auto* cell = dynamic_cast<ZMGRowCell*>(&cells.GetRow(2));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->GetFlags(), 0u);
    EXPECT_EQ(cell->Item(0), "PK_EMP");
    ASSERT_EQ(cell->Child().RowCount(), 2);
    EXPECT_EQ(Values(cell->Child().GetRow(1)), (Strings{"EMPNO", "1"}));
    auto* header = dynamic_cast<ZMGRowCell*>(&cells.GetRow(0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Child().RowCount(), 0);
}

TEST(RowTable, ShowListViewChangesOnlyADifferingVisibility) {
    ZMGCell table;
    table.ShowListView(true);  // nothing attached: nothing happens
    FakeListView view;
    table.SetListView(&view);
    table.ShowListView(false);
    EXPECT_TRUE(view.calls.empty());
    table.ShowListView(true);
    EXPECT_EQ(view.calls, (Strings{"fill", "show"}));
}
