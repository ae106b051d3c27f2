#include "diagram/object_list.h"

namespace tabulorix {

ZMGObjectList::~ZMGObjectList() {
    Clear();
}

ZMGObject* ZMGObjectList::Items(int i) const {
    if (i < 0 || i >= Count()) return nullptr;
    return items_[static_cast<std::size_t>(i)].get();
}

void ZMGObjectList::Add(std::unique_ptr<ZMGObject> object) {
    if (object) items_.push_back(std::move(object));
}

void ZMGObjectList::Delete(int i) {
    if (i < 0 || i >= Count()) return;
    // Taken out of the list before it is destroyed.
    std::unique_ptr<ZMGObject> doomed = std::move(items_[static_cast<std::size_t>(i)]);
    items_.erase(items_.begin() + i);
    ++removalVersion_;
}

void ZMGObjectList::Clear() {
    if (items_.empty()) return;
    std::vector<std::unique_ptr<ZMGObject>> doomed = std::move(items_);
    items_.clear();
    ++removalVersion_;
    while (!doomed.empty()) doomed.pop_back();
}

}  // namespace tabulorix
