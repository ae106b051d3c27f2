// What the catalogue keeps of the window's presentation: the list-view
// control a row table is shown in, and tree-node handles. The core never
// sees a widget; the window implements the control interface and hands out
// the handles.
#pragma once

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

// A node of the catalogue tree, owned by the window; opaque to the core.
using TreeNodeHandle = void*;

}  // namespace tabulorix
