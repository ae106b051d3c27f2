// The grid's blanking against the CSV file's: the grid stops at a row's
// first differing column, the file compares each group column by itself.
#include <gtest/gtest.h>

#include "catalogue/csv_lines.h"
#include "catalogue/row_table.h"
#include "session/list_grid.h"
#include "support/recording_host.h"

namespace tabulorix {
namespace {

std::unique_ptr<ZMGRowExt> Row(std::initializer_list<const char*> values) {
    auto row = std::make_unique<ZMGRowExt>();
    for (const char* value : values) row->AddItem(value);
    return row;
}

std::vector<std::vector<std::string>> GridTexts(const MGListGrid& grid) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < grid.RowCount(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < grid.ColumnCount(); ++c) rows.back().push_back(grid.Text(r, c));
    }
    return rows;
}

TEST(ListGrid, BlankingStopsAtTheFirstDifferingColumnWhereTheFileGoesOn) {
    ZMGCell table;
    table.AddRow(Row({"K", "N", "V"}));
    table.AddRow(Row({"A", "x", "1"}));
    table.AddRow(Row({"A", "x", "2"}));
    table.AddRow(Row({"B", "x", "3"}));
    table.SetGroupColumns(2);
    testing::RecordingPorts ports;
    const std::optional<MGListGrid> grid = MGListGrid::Fill(table, false);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->Caption(2), "V");
    EXPECT_EQ(GridTexts(*grid),
              (std::vector<std::vector<std::string>>{{"A", "x", "1"}, {"", "", "2"}, {"B", "x", "3"}}));
    std::vector<std::string> lines;
    WriteCsvLines(table, lines);
    EXPECT_EQ(lines.back(), "\"B\",,\"3\"");
}

TEST(ListGrid, ACancelFlagStopsTheFillAndHiddenCaptionsAreLeftOut) {
    ZMGCell table;
    table.AddRow(Row({"K", "Flag", "V"}));
    for (int i = 0; i < 250; ++i) table.AddRow(Row({"A", "1", std::to_string(i).c_str()}));
    table.AddName("Flag");
    testing::RecordingPorts ports;
    const std::optional<MGListGrid> grid = MGListGrid::Fill(table, true);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->ColumnCount(), 2);
    EXPECT_EQ(grid->Text(249, 1), "249");
    EXPECT_NE(std::find(ports.statusLog.begin(), ports.statusLog.end(), "Detail:100行"),
              ports.statusLog.end());
    ports.cancel = true;
    EXPECT_FALSE(MGListGrid::Fill(table, false));
}

}  // namespace
}  // namespace tabulorix
