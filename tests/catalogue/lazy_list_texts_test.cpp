// A list's texts made cell by cell, against the row-by-row fill of the list
// view (whose blanking of repeated leading key values RowTable shows).
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
