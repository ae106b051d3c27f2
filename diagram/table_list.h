// The table list of a schema (the schema page's list, the design file's
// table section and the CSV table list are made from it).
#pragma once

#include <memory>
#include <string>

#include "catalogue/row_table.h"

namespace tabulorix {

class MGSchema;

// A box is listed when its kind is in kindMask (1 table, 2 view) and, with
// an empty owner filter, it belongs to the schema's number, or, with a
// filter, its owner equals the filter. Columns: type, logical name (name
// bit 1), physical name (name bit 2), comment and, when wanted, "V"/"E" for
// the detail flag.
std::unique_ptr<ZMGCell> BuildTableList(const MGSchema& schema, bool englishKeys, int nameBits, int kindMask,
                                        const std::string& ownerFilter, bool flagColumn);

}  // namespace tabulorix
