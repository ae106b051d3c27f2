// The boxes a script or a list is made of, and the walk over them with the
// status dialog's text, position and cancel flag.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tabulorix {

class MGShapeTable;

// The table and view boxes of the diagram in list order whose owner equals
// owner (every box when it is empty); with visibleOnly only those whose
// visible flag is set.
std::vector<MGShapeTable*> BoxesToWrite(const std::string& owner, bool visibleOnly);

// Shows the text, then visits every box, showing the position; false when
// cancellable and the cancel flag is set, or when a visit says so.
bool VisitBoxes(const std::vector<MGShapeTable*>& boxes, const std::string& text, bool cancellable,
                const std::function<bool(MGShapeTable&)>& visit);

}  // namespace tabulorix
