#include "diagram/box_walk.h"

#include "base/ui_ports.h"
#include "diagram/draw_table_list.h"

namespace tabulorix {

std::vector<MGShapeTable*> BoxesToWrite(const std::string& owner, bool visibleOnly) {
    std::vector<MGShapeTable*> boxes;
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    if (diagram == nullptr) return boxes;
    for (int i = 0; i < diagram->Count(); ++i) {
        MGShapeTable* box = diagram->Item(i);
        if ((box->Kind() & (MGShapeField::kKindTable | MGShapeField::kKindView)) == 0) continue;
        if (!owner.empty() && box->Owner() != owner) continue;
        if (visibleOnly && !box->Detailed()) continue;
        boxes.push_back(box);
    }
    return boxes;
}

bool VisitBoxes(const std::vector<MGShapeTable*>& boxes, const std::string& text, bool cancellable,
                const std::function<bool(MGShapeTable&)>& visit) {
    tabulorix::StatusPort& status = tabulorix::Status();
    status.SetMainLine(text);
    status.SetMaximum(static_cast<int>(boxes.size()));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        status.SetPosition(static_cast<int>(i) + 1);
        status.ProcessEvents();
        if (cancellable && status.CancelRequested()) return false;
        if (!visit(*boxes[i])) return false;
    }
    return true;
}

}  // namespace tabulorix
