// The root of the diagram objects and of the schemas.
#pragma once

namespace tabulorix {

// Root of the diagram objects (and of the schemas); only a virtual destructor.
class ZMGObject {
public:
    ZMGObject() = default;
    virtual ~ZMGObject() = default;
    ZMGObject(const ZMGObject&) = delete;
    ZMGObject& operator=(const ZMGObject&) = delete;
};

}  // namespace tabulorix
