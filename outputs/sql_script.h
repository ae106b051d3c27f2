// The SQL DDL generator: turns the table and view boxes of the diagram back
// into Oracle DDL (creation or removal statements), one text whose lines end
// with a line feed. The boxes' own part is their virtual WriteBoxScript.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "diagram/box_script.h"
#include "diagram/referenced_keys.h"

namespace tabulorix {

class MGSchema;
class MGShapeTable;
class ZMGRowExt;
class ZMGRowCell;

// Runs the passes of the flags over the boxes of the owner (every box when
// owner is empty; with visibleOnly only boxes whose visible flag is set) and
// appends their statements to out. Each pass shows its text and position in
// the status dialog; when cancellable and the cancel flag is set the result
// is false. perBoxMode 1 stores each box's statements as its SQL source.
bool GenerateScript(MGSchema* schema, bool cancellable, bool visibleOnly, const std::string& owner,
                    std::string& out, std::uint32_t scriptFlags, int perBoxMode, bool blankLineRemoval);

// Gives every table and view box of the diagram its SQL source text (the
// flags of the box source, every owner).
void GenerateBoxSources(MGSchema* schema);

}  // namespace tabulorix
