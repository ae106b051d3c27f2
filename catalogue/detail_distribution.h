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

#include "catalogue/row_table.h"

class MGSchema;

enum class DetailKind { Index, PrimaryKey, UniqueKey, ForeignKey, Condition };

// Hands the rows of the holder (header row, then data rows in the
// statement's order: table, name, position) to the schema's table boxes:
// first every box's table of the kind gets its header row, then each data
// row goes to every box whose physical name equals the row's position 0;
// rows without a box are dropped. An empty holder changes nothing. Then the
// holder is emptied but for its header row (the rows live in the boxes from
// then on).
void HandDetailsToBoxes(const MGSchema& schema, ZMGCell& holder, DetailKind kind);
