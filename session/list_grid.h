// The texts a list grid shows for a row table, prepared in one walk over
// the rows as a list view is filled: the header row gives the captions
// (columns whose caption is in the table's name list are hidden), and in
// each data row the leading shown columns within the group columns are
// blanked while they repeat the column's previous value, up to the first
// column that differs. (The CSV file compares each group column by itself;
// the grid stops at the first difference.)
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tabulorix {

class ZMGCell;

class MGListGrid {
public:
    // Walks the rows. With progress the status dialog is shown with its
    // cancel button, its maximum is the row count and every 100 rows the
    // position and the detail line "%d行" (MGRowCountProgress) follow the
    // row; a set cancel flag stops the walk: nothing then. The table
    // outlives the grid.
    static std::optional<MGListGrid> Fill(const ZMGCell& table, bool progress);

    int RowCount() const { return static_cast<int>(blanked_.size()); }  // data rows
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const std::string& Caption(int column) const;
    // Row from 0 (the table's row 1), column among the shown ones.
    const std::string& Text(int row, int column) const;

private:
    explicit MGListGrid(const ZMGCell& table) : table_(&table) {}

    const ZMGCell* table_;
    std::vector<int> columns_;            // table positions of the shown columns
    std::vector<std::uint16_t> blanked_;  // leading shown columns blanked per row
};

}  // namespace tabulorix
