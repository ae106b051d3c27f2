// Finding a table or view among thousands: the boxes whose physical or
// logical name holds the text, then those with a column whose name holds
// it. Letters A-Z match either case; other characters (Japanese included)
// match as they are.
#pragma once

#include <string>
#include <vector>

namespace tabulorix {

class MGDrawTableList;
class MGShapeTable;

struct MGFoundBox {
    MGShapeTable* box = nullptr;
    std::string column;  // the matching column's name; empty for a name match
};

// At most `limit` boxes, name matches first, each group in diagram order; a
// box appears once. An empty text finds nothing.
std::vector<MGFoundBox> FindBoxes(const MGDrawTableList& diagram, const std::string& text, std::size_t limit = 500);

}  // namespace tabulorix
