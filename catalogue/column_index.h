// Finds the first column row of a box's column rows with a given physical
// column name (position 1), as a scan in row order would. Most tables have a
// few dozen columns, which a scan searches faster than an index can be
// built; a wide table gets a hash index of its own, built on first use and
// kept while the finder lives. The column rows' values must not change
// meanwhile (flags and key marks may).
#pragma once

#include <string_view>
#include <unordered_map>

#include "catalogue/row_table.h"

class MGColumnIndex {
public:
    // Position (1 or more) of the first data row whose physical name equals
    // name; 0 when there is none.
    int Find(const ZMGCell& columns, std::string_view name);

private:
    std::unordered_map<const ZMGCell*, std::unordered_map<std::string_view, int>> wide_;
};
