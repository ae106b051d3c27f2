// The texts a list view shows for a row table, made one cell at a time when
// asked for: the shown columns are chosen once (the header cut to the
// column limit, captions in the table's name list hidden), and a cell's
// text is blanked by comparing its row with the one before, which gives
// what filling the list row by row gives (ListViewDisplayTexts) without
// walking the rows before it.
#pragma once

#include <string>
#include <vector>

namespace tabulorix {

class ZMGCell;
class ZMGRowExt;

class MGLazyListTexts {
public:
    MGLazyListTexts() = default;
    // No table, or one without rows, shows nothing.
    MGLazyListTexts(const ZMGCell* table, int columnLimit);

    const ZMGCell* Table() const { return table_; }
    int RowCount() const;  // data rows
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const std::string& Caption(int column) const;
    // Data row (from 0) of the table.
    const ZMGRowExt& Row(int row) const;
    // The displayed text: empty while every shown column up to this one lies
    // within the group columns and repeats the previous row (the first row
    // repeats ""), else the value.
    const std::string& Text(int row, int column) const;

private:
    const ZMGCell* table_ = nullptr;
    std::vector<int> columns_;  // positions of the shown columns
};

}  // namespace tabulorix
