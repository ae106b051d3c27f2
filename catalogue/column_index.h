// Finds the first column row of a box's column rows with a given physical
// column name (position 1), as a scan in row order would. Most tables have a
// few dozen columns, which a scan searches faster than an index can be
// built; a wide table gets a hash index of its own, built on first use and
// kept while the finder lives. The column rows' values must not change
// meanwhile (flags and key marks may), nor may a table be destroyed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/row_table.h"

namespace tabulorix {

// Length and first and last 8 bytes of a name: equal prints mean equal
// names up to 16 bytes.
struct MGColumnPrint {
    std::size_t size;
    std::uint64_t head;
    std::uint64_t tail;
    bool operator==(const MGColumnPrint&) const = default;
    static MGColumnPrint Of(std::string_view name);
};

// The prints of the column names of many tables, taken once while a design
// is built and shared by the finders of every step of the build (detail
// distribution on either thread, key marking, relation building): it is
// read only after it is filled. Tables are added in batches; the prints of
// a batch stay where they are while later batches are added. A table whose
// row count changed since it was added is not found in it.
class MGColumnPrintBook {
public:
    // Adds the tables a finder scans (those of up to 64 rows).
    void Add(std::span<const ZMGCell* const> tables);
    std::optional<std::span<const MGColumnPrint>> Find(const ZMGCell& columns) const;

private:
    std::vector<std::vector<MGColumnPrint>> batches_;
    std::unordered_map<const ZMGCell*, std::span<const MGColumnPrint>> tables_;
};

class MGColumnIndex {
public:
    // With a book, the prints of the tables in it are read from there.
    explicit MGColumnIndex(const MGColumnPrintBook* book = nullptr) : book_(book) {}

    // Position (1 or more) of the first data row whose physical name equals
    // name; 0 when there is none.
    int Find(const ZMGCell& columns, std::string_view name);

    // Tables of more rows than this get a hash index.
    static constexpr int kScannedRows = 64;

private:
    int Scan(const ZMGCell& columns, std::string_view name);

    // The prints of one table's names, taken here or read from the book.
    struct Printed {
        const ZMGCell* columns = nullptr;
        std::span<const MGColumnPrint> prints;
        std::vector<MGColumnPrint> taken;
    };
    // The prints of the table's names, found anew when they are not among
    // those of the last few tables scanned (callers go back and forth
    // between a child and its parent).
    std::span<const MGColumnPrint> PrintsOf(const ZMGCell& columns);

    const MGColumnPrintBook* book_;
    std::unordered_map<const ZMGCell*, std::unordered_map<std::string_view, int>> wide_;
    static constexpr std::size_t kPrintedTables = 4;
    std::array<Printed, kPrintedTables> printed_;
    std::size_t nextPrinted_ = 0;  // the slot taken next
};

}  // namespace tabulorix
