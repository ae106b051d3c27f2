// The Oracle dictionary views a snapshot holds copies of, with Oracle's own
// column names: which column names the owner, and which hold numbers.
#pragma once

#include <string>
#include <vector>

namespace tabulorix {

struct DictionaryTable {
    std::string name;                  // e.g. "ALL_TAB_COLUMNS"
    std::vector<std::string> columns;  // in Oracle's order
    std::string ownerColumn;           // the column a copy filters on
    std::vector<std::string> integerColumns;
};

// The eleven ALL_ views the dictionary reader's statements use.
const std::vector<DictionaryTable>& DictionaryTables();

}  // namespace tabulorix
