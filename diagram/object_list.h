// An ordered list of diagram objects that owns them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "diagram/shape_rect.h"

namespace tabulorix {

class ZMGObjectList {
public:
    ZMGObjectList() = default;
    ~ZMGObjectList();
    ZMGObjectList(const ZMGObjectList&) = delete;
    ZMGObjectList& operator=(const ZMGObjectList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // The i-th object (0-based), or nothing when i is not below the count.
    ZMGObject* Items(int i) const;
    // Appends; the list takes ownership. A null object is ignored.
    void Add(std::unique_ptr<ZMGObject> object);
    // Removes and destroys the i-th object; nothing happens outside the list.
    void Delete(int i);
    // Destroys every object (last first) and empties the list.
    void Clear();

    // Changes whenever objects are removed (Delete, Clear), so that indexes
    // over the list know they must be rebuilt; appends do not change it.
    std::uint64_t RemovalVersion() const { return removalVersion_; }

private:
    std::vector<std::unique_ptr<ZMGObject>> items_;
    std::uint64_t removalVersion_ = 0;
};

}  // namespace tabulorix
