// What the catalogue keeps of the window's presentation: the list-view
// control a row table is shown in, and tree-node handles. The core never
// sees a widget; the window implements the control interface and hands out
// the handles.
#pragma once

#include <cstdint>

namespace tabulorix {

// A list-view control as the row tables see it.
class ListViewControl {
public:
    virtual ~ListViewControl() = default;
    virtual bool IsVisible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    // Makes the control fill its parent's client area.
    virtual void FillParent() = 0;
};

// A node of the catalogue tree, owned by the window; opaque to the core,
// which only keeps it with the schema or box the node shows. The window
// hands out its own numbers (0 is no node).
class TreeNodeHandle {
public:
    constexpr TreeNodeHandle() = default;
    constexpr explicit TreeNodeHandle(std::uint64_t id) : id_(id) {}
    constexpr std::uint64_t Id() const { return id_; }
    constexpr explicit operator bool() const { return id_ != 0; }
    constexpr bool operator==(const TreeNodeHandle&) const = default;

private:
    std::uint64_t id_ = 0;
};

}  // namespace tabulorix
