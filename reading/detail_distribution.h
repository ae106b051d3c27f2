// Distribution of the index and constraint results of one schema into the
// detail tables of its table boxes (the boxes carrying the schema's number).
//
// Keys, foreign keys and indexes become rows with a child table of their
// columns, grouped by table and constraint (or index) name; conditions stay
// one row per result row. Lookups are served by hash maps and running
// values that give the same results as scanning the boxes and rows in order:
// boxes by physical name, column serials by physical column name (first
// match), the largest key number over the whole diagram.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/row_table.h"

namespace tabulorix {

class MGColumnPrintBook;
class MGSchema;
class MGShapeTable;

enum class DetailKind { Index, PrimaryKey, UniqueKey, ForeignKey, Condition };

// The table and view boxes of one schema that its detail rows go to, by
// physical name, made once for all five kinds of details, which read it on
// either thread. No box may be added, removed or renamed while it lives.
class MGDetailTargets {
public:
    // The schema's boxes in diagram order; with a book, their column tables
    // are added to it and the distribution reads their names' prints there.
    // With a running largest key number (schemas read one after another,
    // nothing but their distribution numbering keys), primary and unique
    // keys continue from it and keep it up to date.
    explicit MGDetailTargets(const MGSchema& schema, MGColumnPrintBook* book = nullptr,
                             std::optional<int>* largestKeyNumber = nullptr);

    const std::vector<MGShapeTable*>& Boxes() const { return boxes_; }
    // The boxes of a physical name in diagram order; none when there is none.
    std::span<MGShapeTable* const> Named(std::string_view name) const;
    const MGColumnPrintBook* Book() const { return book_; }
    // The largest key number of the primary and unique keys of every box of
    // the diagram (empty tables and header rows count as 0).
    int LargestKeyNumber() const;
    // Notes the largest key number handed out (called by the primary and
    // unique keys' distribution, on one thread).
    void NoteLargestKeyNumber(int number) const;

private:
    std::vector<MGShapeTable*> boxes_;
    // Keyed by views of the boxes' own names.
    std::unordered_map<std::string_view, std::vector<MGShapeTable*>> byName_;
    const MGColumnPrintBook* book_;
    std::optional<int>* largestKeyNumber_;
};

// Hands the rows of the holder (header row, then data rows in the
// statement's order: table, name, position) to the schema's table boxes:
// first every box's table of the kind gets its header row, then each data
// row goes to every box whose physical name equals the row's position 0;
// rows without a box are dropped. An empty holder changes nothing. Then the
// holder is emptied but for its header row (the rows live in the boxes from
// then on).
void HandDetailsToBoxes(const MGDetailTargets& targets, ZMGCell& holder, DetailKind kind);
// The same with targets made for this one kind.
void HandDetailsToBoxes(const MGSchema& schema, ZMGCell& holder, DetailKind kind);

}  // namespace tabulorix
