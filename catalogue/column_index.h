// Finds the first column row of a box's column rows with a given physical
// column name (position 1), as a scan in row order would. Most tables have a
// few dozen columns, which a scan searches faster than an index can be
// built; a wide table gets a hash index of its own, built on first use and
// kept while the finder lives. The column rows' values must not change
// meanwhile (flags and key marks may), nor may a table be destroyed.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/row_table.h"

class MGColumnIndex {
public:
    // Position (1 or more) of the first data row whose physical name equals
    // name; 0 when there is none.
    int Find(const ZMGCell& columns, std::string_view name);

private:
    // Length and first and last 8 bytes of a name: equal prints mean equal
    // names up to 16 bytes.
    struct Print {
        std::size_t size;
        std::uint64_t head;
        std::uint64_t tail;
        bool operator==(const Print&) const = default;
    };
    static Print PrintOf(std::string_view name);
    int Scan(const ZMGCell& columns, std::string_view name);

    // The prints of one table's names.
    struct Printed {
        const ZMGCell* columns = nullptr;
        std::vector<Print> prints;
    };
    // The prints of the table's names, taken anew when they are not among
    // those of the last few tables scanned (callers go back and forth
    // between a child and its parent).
    const std::vector<Print>& PrintsOf(const ZMGCell& columns);

    std::unordered_map<const ZMGCell*, std::unordered_map<std::string_view, int>> wide_;
    static constexpr std::size_t kPrintedTables = 4;
    std::array<Printed, kPrintedTables> printed_;
    std::size_t nextPrinted_ = 0;  // the slot taken next
};
