// Rows and row tables: items with names, position errors, copying, flag
// tests, serials, CSV lines, list-view texts and the key marks of columns;
// a list's texts made cell by cell against the row-by-row fill of the list view.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <typeinfo>

#include "catalogue/csv_lines.h"
#include "catalogue/lazy_list_texts.h"
#include "catalogue/list_view_texts.h"
#include "catalogue/row_table.h"
#include "catalogue/rows.h"
#include "support/recording_host.h"
#include "support/row_values.h"

using namespace tabulorix;
using namespace tabulorix::testing;

namespace {

// A row whose items are named n_<value>.
std::unique_ptr<ZMGRowExt> Named(std::initializer_list<const char*> values) {
    auto row = std::make_unique<ZMGRowExt>();
    for (const char* value : values) row->AddItem(value, (std::string("n_") + value).c_str());
    return row;
}

void Fill(ZMGCell& table, const std::vector<Strings>& rows, int groupColumns) {
    for (const Strings& row : rows) table.AddRow(RowOf(row));
    table.SetGroupColumns(groupColumns);
}

Strings CsvLines(const ZMGCell& table) {
    Strings lines;
    table.WriteCsvLines(lines);
    return lines;
}

class FakeListView : public ListViewControl {
public:
    bool IsVisible() const override { return visible; }
    void SetVisible(bool v) override { calls.push_back(v ? "show" : "hide"), visible = v; }
    void FillParent() override { calls.push_back("fill"); }
    bool visible = false;
    Strings calls;
};

}  // namespace

TEST(Rows, ClearItemsKeepsTheLeadingValuesAndTheirNamesAndCutsChildRows) {
    auto row = Named({"a", "b", "c", "d", "e"});
    row->ClearItems(2);
    EXPECT_EQ(Values(*row), (Strings{"a", "b"}));
    EXPECT_EQ(row->Name(1), "n_b");
    EXPECT_THROW((void)row->Name(2), std::out_of_range);
    row->ClearItems(7);  // more than there are: nothing changes
    EXPECT_EQ(row->ItemCount(), 2);
    row->ClearItems(0);
    EXPECT_EQ(row->ItemCount(), 0);
    ZMGRowCell cell;
    for (const char* v : {"a", "b", "c"}) cell.AddItem(v), cell.Child().AddRow(Named({v}));
    cell.ClearItems(1);
    EXPECT_EQ(cell.ItemCount(), 1);
    EXPECT_EQ(Rows(cell.Child()), (std::vector<Strings>{{"a"}}));
}

TEST(Rows, GetItemOutsideTheRowShowsTheRangeMessageAndLeavesTheOutputs) {
    RecordingPorts ports;
    auto row = Named({"a", "b", "c"});
    std::string value = "before", name = "unchanged";
    for (const int position : {3, 5, -1}) EXPECT_FALSE(row->GetItem(position, value, name)) << position;
    EXPECT_EQ(value + name, "beforeunchanged");
    EXPECT_EQ(ports.messages, (Strings{"Out of range[3/3] at ZMGRowExt::GetItem()",
                                       "Out of range[3/5] at ZMGRowExt::GetItem()",
                                       "Out of range[3/-1] at ZMGRowExt::GetItem()"}));
    EXPECT_TRUE(row->GetItem(2, value, name));
    EXPECT_EQ(value + name, "cn_c");
    EXPECT_EQ(ports.messages.size(), 3u);
}

TEST(Rows, CopyAppendAndAssign) {
    auto source = Named({"x", "y"});
    source->SetKeyNumber(7);
    source->SetSerial(3);
    auto target = Named({"old1", "old2", "old3"});
    target->SetFlags(0x4);
    target->CopyRow(*source);
    EXPECT_EQ(Values(*target), (Strings{"x", "y"}));
    EXPECT_EQ(target->Name(1), "n_y");
    EXPECT_EQ(std::tuple(target->KeyNumber(), target->Serial(), target->GetFlags()), std::tuple(7, 3, 0x4u));
    target->AppendRow(*source);
    EXPECT_EQ(Values(*target), (Strings{"x", "y", "x", "y"}));
    target->CopyRow(*target);  // copying a row onto itself keeps it
    EXPECT_EQ(target->ItemCount(), 4);

    // Assigning needs the items to exist.
    auto assigned = Named({"a", "b", "c"});
    assigned->AssignItems(*Named({"x", "y"}));
    EXPECT_EQ(Values(*assigned), (Strings{"x", "y", "c"}));
    EXPECT_EQ(assigned->Name(0), "n_x");
    auto shortRow = Named({"a"});
    EXPECT_THROW(shortRow->AssignItems(*Named({"x", "y"})), std::out_of_range);  // one item too many
    EXPECT_EQ(Values(*shortRow), (Strings{"a"}));
}

TEST(Rows, RowCellCopyRowCopiesTheChildRowsAsPlainRows) {
    ZMGRowCell source;
    source.AddItem("PK_DEPT");
    source.SetKeyNumber(2);
    auto child = std::make_unique<ZMGRowCell>();
    child->AddItem("DEPTNO");
    child->SetFlags(0x1);
    child->Child().AddRow(Named({"grandchild"}));
    source.Child().AddRow(std::move(child));
    ZMGRowCell copy;
    for (int i = 0; i < 2; ++i) copy.Child().AddRow(Named({"stale"}));
    copy.CopyRow(source);
    EXPECT_EQ(std::pair(copy.Item(0), copy.KeyNumber()), std::pair(std::string("PK_DEPT"), 2));
    ASSERT_EQ(copy.Child().RowCount(), 1);
    const ZMGRowExt& copiedChild = copy.Child().GetRow(0);
    EXPECT_EQ(copiedChild.Item(0), "DEPTNO");
    EXPECT_EQ(copiedChild.GetFlags(), 0x1u);
    EXPECT_EQ(dynamic_cast<const ZMGRowCell*>(&copiedChild), nullptr);
    copy.CopyRow(*Named({"plain"}));  // a plain source has no child rows
    EXPECT_EQ(copy.Child().RowCount(), 0);
}

TEST(Rows, FlagTestsGiveTheStateImageOfEachRowKind) {
    ZMGRowExt plain;
    plain.SetFlags(0x1);
    plain.SetFlags(0x100);
    EXPECT_EQ(plain.GetFlags(), 0x101u);  // flags are ORed in
    EXPECT_EQ(plain.TestFlags(), 0x101);  // the base test answers the word
    // flags, field or key (any key bit gives 1), index (unique 2, non-unique 3, both 4)
    const std::tuple<std::uint32_t, int, int> cases[] = {
        {0, 0, 0}, {kKeyPrimary, 1, 0}, {kKeyUnique, 1, 0}, {kKeyForeign, 1, 0}, {kIndexUnique, 0, 2},
        {kIndexNonUnique, 0, 3}, {kKeyCascade, 0, 0}, {kIndexUnique | kIndexNonUnique, 0, 4},
        {kKeyPrimary | kIndexUnique, 1, 2}, {kKeyForeign | kKeyCascade | kIndexUnique, 1, 2}};
    for (const auto& [flags, fieldOrKey, index] : cases) {
        ZMGRowField fieldRow;
        ZMGRowKey keyRow;
        ZMGRowIndex indexRow;
        fieldRow.SetFlags(flags), keyRow.SetFlags(flags), indexRow.SetFlags(flags);
        EXPECT_EQ(std::tuple(fieldRow.TestFlags(), keyRow.TestFlags(), indexRow.TestFlags()),
                  std::tuple(fieldOrKey, fieldOrKey, index))
            << flags;
    }
}

TEST(Rows, ColumnRowsKeepOneNumberListPerKeyKind) {
    ZMGRowField column;
    for (const auto& [kind, number] : {std::pair{kKeyPrimary, "1"}, {kKeyForeign, "2"}, {kKeyForeign, "5"},
                                       {kIndexNonUnique, "3"}, {kKeyCascade, "9"}})  // cascade: no key kind
        column.AddKeyMark(kind, number);
    EXPECT_EQ(column.GetFlags(), static_cast<std::uint32_t>(kKeyPrimary | kKeyForeign | kIndexNonUnique));
    EXPECT_EQ(column.KeyNumbers(kKeyPrimary), (Strings{"1"}));
    EXPECT_EQ(column.KeyNumbers(kKeyForeign), (Strings{"2", "5"}));
    EXPECT_EQ(column.KeyNumbers(kIndexNonUnique), (Strings{"3"}));
    EXPECT_TRUE(column.KeyNumbers(kKeyUnique).empty() && column.KeyNumbers(kKeyCascade).empty());
    column.SetFlags(0x1000);
    column.ClearKeyMarks();
    EXPECT_EQ(column.GetFlags(), 0x1000u);
    EXPECT_TRUE(column.KeyNumbers(kKeyForeign).empty());
}

TEST(RowTable, GroupColumnsBlankRepeatsInCsvOneByOneAndInTheListViewUpToTheFirstDifference) {
    ZMGCell table;
    Fill(table, {{"K1", "K2", "V"}, {"A", "x", "1"}, {"A", "x", "2"}, {"B", "x", "3"}}, 2);
    EXPECT_EQ(CsvLines(table), (Strings{R"("K1","K2","V")", R"("A","x","1")", R"(,,"2")", R"("B",,"3")"}));
    const ZMGListViewTexts shown = ListViewDisplayTexts(table);
    EXPECT_EQ(shown.captions, (Strings{"K1", "K2", "V"}));
    ASSERT_EQ(shown.rows.size(), 3u);
    EXPECT_EQ(shown.rows[1].texts, (Strings{"", "", "2"}));
    EXPECT_EQ(shown.rows[2].texts, (Strings{"B", "x", "3"}));
    table.SetGroupColumns(0);  // nothing is blanked
    EXPECT_EQ(CsvLines(table)[2], R"("A","x","2")");
    EXPECT_EQ(ListViewDisplayTexts(table).rows[1].texts, (Strings{"A", "x", "2"}));

    // The first data row is never blanked; short rows give empty fields.
    ZMGCell other;
    Fill(other, {{"Type", "Name", "C"}, {"Type", "T1"}, {"Type", "T2", "x"}, {"1"}}, 1);
    EXPECT_EQ(CsvLines(other),
              (Strings{R"("Type","Name","C")", R"("Type","T1","")", R"(,"T2","x")", R"("1","","")"}));
}

TEST(RowTable, QuotesAreDoubledAndNothingIsTrimmed) {
    for (const auto& [field, quoted] : {std::pair{"a\"b", "\"a\"\"b\""}, {"", "\"\""}, {"部門", "\"部門\""},
                                        {" a, b ", "\" a, b \""}, {"\"\"", "\"\"\"\"\"\""}})
        EXPECT_EQ(QuoteCsvField(field), quoted);
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
    const ZMGListViewTexts shown = ListViewDisplayTexts(table);
    EXPECT_EQ(shown.columns, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(shown.captions, (Strings{"A", "C", "D"}));
    EXPECT_EQ(shown.rows[0].texts, (Strings{"a", "c", "d"}));
    EXPECT_FALSE(shown.rows[0].checked);
    EXPECT_EQ(shown.rows[0].stateImage, 0x5);
    EXPECT_EQ(ListViewDisplayTexts(table, 3).captions, (Strings{"A", "C"}));
    EXPECT_EQ(ListViewDisplayTexts(table, 9).captions.size(), 3u);
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
    EXPECT_EQ(std::pair(table.NextSerial(5), table.MaxKeyNumber()), std::pair(5, -1));
    table.AddRow(RowOf({"header"}));
    EXPECT_EQ(table.MaxKeyNumber(), -1);
    for (const int n : {-1, 3, 1}) {
        auto row = RowOf({std::to_string(n)});
        row->SetSerial(n);
        row->SetKeyNumber(n + 6);
        table.AddRow(std::move(row));
    }
    EXPECT_EQ(std::tuple(table.NextSerial(0), table.NextSerial(10), table.MaxKeyNumber()),
              std::tuple(4, 10, 9));
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
    Fill(keyRow->Child(), {{"ColumnNameP", "Position"}, {"EMPNO", "1"}}, 0);
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
    EXPECT_EQ(std::pair(cell->GetFlags(), cell->Item(0)), std::pair(0u, std::string("PK_EMP")));
    EXPECT_EQ(Rows(cell->Child()), (std::vector<Strings>{{"ColumnNameP", "Position"}, {"EMPNO", "1"}}));
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

TEST(LazyListTexts, NoTableOrAnEmptyOneShowsNothing) {
    ZMGCell empty;
    for (const ZMGCell* table : {static_cast<const ZMGCell*>(nullptr), static_cast<const ZMGCell*>(&empty)}) {
        const MGLazyListTexts texts(table, 0);
        EXPECT_EQ(std::pair(texts.RowCount(), texts.ColumnCount()), std::pair(0, 0));
    }
}

// Random tables with repeats, empty values, hidden columns and a column
// limit: every cell equals the row-by-row fill.
TEST(LazyListTexts, EveryCellEqualsTheRowByRowFill) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        ZMGCell table;
        const int columns = 1 + static_cast<int>(random() % 5);
        for (int r = 0; r < 13; ++r) {
            std::vector<std::string> values;
            for (int c = 0; c < columns; ++c)
                values.push_back(r == 0 ? "h" + std::to_string(c)
                                 : random() % 3 == 0 ? ""
                                                     : std::string(1, static_cast<char>('a' + random() % 2)));
            table.AddRow(RowOf(values));
        }
        table.SetGroupColumns(static_cast<int>(random() % 5));
        if (random() % 3 == 0) table.AddName("h" + std::to_string(random() % columns));
        const int limit = static_cast<int>(random() % 4);
        const MGLazyListTexts texts(&table, limit);
        const ZMGListViewTexts expected = ListViewDisplayTexts(table, limit);
        ASSERT_EQ(texts.ColumnCount(), static_cast<int>(expected.columns.size())) << round;
        ASSERT_EQ(texts.RowCount(), static_cast<int>(expected.rows.size())) << round;
        for (int r = 0; r < texts.RowCount(); ++r)
            for (int c = 0; c < texts.ColumnCount(); ++c)
                EXPECT_EQ(texts.Text(r, c), expected.rows[static_cast<std::size_t>(r)].texts[static_cast<std::size_t>(c)])
                    << round << ":" << r << "," << c;
    }
}
