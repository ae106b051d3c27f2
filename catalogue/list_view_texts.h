// The texts a list view shows for a row table: which columns are shown and,
// per data row, the displayed text of each shown column with the repeated
// leading key values blanked, the check state and the state image.
#pragma once

#include <string>
#include <vector>

namespace tabulorix {

class ZMGCell;

struct ZMGListViewRow {
    std::vector<std::string> texts;  // one per shown column
    bool checked = true;             // the row's detail flag (lists with check boxes)
    int stateImage = 0;              // the row's TestFlags (lists without check boxes)
};

struct ZMGListViewTexts {
    std::vector<int> columns;           // positions of the shown columns in the table
    std::vector<std::string> captions;  // their header captions
    std::vector<ZMGListViewRow> rows;   // one per data row
};

// Columns: the header's items, cut to columnLimit when it is positive and
// smaller; a column whose caption is in the table's name list is hidden.
// Blanking: going through the shown columns of a data row, while the column
// lies within the table's group columns and no earlier shown column of the
// row differed from the previous data row, a value equal to the previous
// row's value is shown empty; from the first differing column on, and past
// the group columns, every value is shown.
ZMGListViewTexts ListViewDisplayTexts(const ZMGCell& table, int columnLimit = 0);

}  // namespace tabulorix
