// A list's texts made cell by cell, against the row-by-row fill of the list
// view (whose blanking of repeated leading key values RowTable shows).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "catalogue/lazy_list_texts.h"
#include "catalogue/list_view_texts.h"
#include "catalogue/row_table.h"
#include "support/row_values.h"

using namespace tabulorix;
using tabulorix::testing::RowOf;

TEST(LazyListTextsTest, NoTableOrAnEmptyOneShowsNothing) {
    ZMGCell empty;
    for (const ZMGCell* table : {static_cast<const ZMGCell*>(nullptr), static_cast<const ZMGCell*>(&empty)}) {
        const MGLazyListTexts texts(table, 0);
        EXPECT_EQ(std::pair(texts.RowCount(), texts.ColumnCount()), std::pair(0, 0));
    }
}

// Random tables with repeats, empty values, hidden columns and a column
// limit: every cell equals the row-by-row fill.
TEST(LazyListTextsTest, EveryCellEqualsTheRowByRowFill) {
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
