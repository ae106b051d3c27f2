// A list's texts made cell by cell: the blanking of repeated leading key
// values, against the row-by-row fill of the list view.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "catalogue/lazy_list_texts.h"
#include "catalogue/list_view_texts.h"
#include "catalogue/row_table.h"

using namespace tabulorix;

namespace {

std::string Caption(int column) {
    std::string caption = "h";
    caption += std::to_string(column);
    return caption;
}

void AddRow(ZMGCell& table, const std::vector<std::string>& values) {
    auto row = std::make_unique<ZMGRowExt>();
    for (const std::string& v : values) row->AddItem(v);
    table.AddRow(std::move(row));
}

// Rows (A,x,1), (A,x,2), (B,x,3) with two group columns: the list stops
// blanking a row at its first differing column, so the third row shows x.
TEST(LazyListTextsTest, BlankingStopsAtTheFirstDifferingColumn) {
    ZMGCell table;
    for (const std::vector<std::string>& values :
         {std::vector<std::string>{"a", "b", "c"}, {"A", "x", "1"}, {"A", "x", "2"}, {"B", "x", "3"}})
        AddRow(table, values);
    table.SetGroupColumns(2);
    const MGLazyListTexts texts(&table, 0);
    const std::vector<std::vector<std::string>> expected = {{"A", "x", "1"}, {"", "", "2"}, {"B", "x", "3"}};
    ASSERT_EQ(texts.RowCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(texts.Text(r, c), expected[r][c]) << r << "," << c;
}

TEST(LazyListTextsTest, NoTableOrAnEmptyOneShowsNothing) {
    ZMGCell empty;
    for (const ZMGCell* table : {static_cast<const ZMGCell*>(nullptr), static_cast<const ZMGCell*>(&empty)}) {
        const MGLazyListTexts texts(table, 0);
        EXPECT_EQ(texts.RowCount(), 0);
        EXPECT_EQ(texts.ColumnCount(), 0);
    }
}

// Random tables with repeats, empty values, hidden columns and a column
// limit: every cell equals the row-by-row fill.
TEST(LazyListTextsTest, EveryCellEqualsTheRowByRowFill) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        ZMGCell table;
        const int columns = 1 + static_cast<int>(random() % 5);
        std::vector<std::string> header;
        for (int c = 0; c < columns; ++c) header.push_back(Caption(c));
        AddRow(table, header);
        for (int r = 0; r < 12; ++r) {
            std::vector<std::string> values;
            for (int c = 0; c < columns; ++c)
                values.push_back(random() % 3 == 0 ? "" : std::string(1, static_cast<char>('a' + random() % 2)));
            AddRow(table, values);
        }
        table.SetGroupColumns(static_cast<int>(random() % 5));
        if (random() % 3 == 0) table.AddName(Caption(static_cast<int>(random() % columns)));
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

}  // namespace
