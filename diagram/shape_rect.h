// The root of the diagram objects and the rectangle object every box, line
// and the selection band derive from: names, state, position in world units
// and the drag bookkeeping.
#pragma once

#include <cstdint>
#include <string>

#include "base/canvas.h"
#include "base/object.h"
#include "base/rect.h"

namespace tabulorix {

class ZMGDrawBox;

class MGShapeRect : public ZMGObject {
public:
    // States of an object.
    static constexpr int kStateNotPlaced = 0;
    static constexpr int kStateNormal = 1;
    static constexpr int kStateSelected = 2;
    static constexpr int kStateDragged = 3;
    static constexpr int kStateDeleted = 4;

    // Display flags bits that select how much a box shows.
    static constexpr int kFlagNamesOnly = 0x01;
    static constexpr int kFlagRelationNames = 0x02;
    static constexpr int kFlagShadow = 0x08;
    static constexpr int kFlagShadowPass = 0x10;  // set by the paint routine only
    static constexpr int kFlagKeysOnly = 0x20;
    static constexpr int kFlagKeyMarkers = 0x100;
    static constexpr int kFlagIndexIcons = 0x200;
    static constexpr int kFlagIndexMarkers = 0x400;

    MGShapeRect() = default;
    ~MGShapeRect() override;

    // Slot 1: the rectangle the object occupies (the position rectangle).
    virtual tabulorix::Rect GetRect() const;
    // Slot 2: draws the object through the drawing box.
    virtual void Draw(int displayMode, ZMGDrawBox& box);
    // Slot 3: draws the object's hit area on a raster device context.
    virtual void DrawHitMask(ZMGDrawBox& box, tabulorix::Canvas& dc, tabulorix::Color brush);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    const std::string& LogicalName() const { return logicalName_; }
    void SetLogicalName(const std::string& name) { logicalName_ = name; }
    // The logical name when the mode has bit 0x1, else the name.
    const std::string& NameForMode(int displayMode) const;

    const std::string& Owner() const { return owner_; }
    void SetOwner(const std::string& owner);

    int State() const { return state_; }
    void SetState(int state) { state_ = state; }
    int SizeDirty() const { return sizeDirty_; }
    void SetSizeDirty(int dirty) {
        if (sizeDirty_ != dirty) GeometryChanged();
        sizeDirty_ = dirty;
    }
    int DisplayFlags() const { return displayFlags_; }
    void SetDisplayFlags(int flags) {
        if (displayFlags_ != flags) GeometryChanged();
        displayFlags_ = flags;
    }

    const tabulorix::Rect& Position() const { return position_; }
    // The position for changing it in place (counts as a change).
    tabulorix::Rect& MutablePosition() {
        GeometryChanged();
        return position_;
    }
    void SetPosition(const tabulorix::Rect& rect) {
        if (position_ != rect) GeometryChanged();
        position_ = rect;
    }

    int ObjectNumber() const { return objectNumber_; }
    void SetObjectNumber(int number) { objectNumber_ = number; }
    int SchemaNumber() const { return schemaNumber_; }
    void SetSchemaNumber(int number) { schemaNumber_ = number; }
    int SchemaCount() const { return schemaCount_; }
    void SetSchemaCount(int count) { schemaCount_ = count; }

    // Drag bookkeeping.
    bool MovePending() const { return movePending_; }
    void SetMovePending(bool pending) { movePending_ = pending; }
    int AnchorX() const { return anchorX_; }
    int AnchorY() const { return anchorY_; }
    void SetAnchor(int x, int y) {
        anchorX_ = x;
        anchorY_ = y;
    }
    const tabulorix::Rect& DragOrigin() const { return dragOrigin_; }
    void SetDragOrigin(const tabulorix::Rect& rect) { dragOrigin_ = rect; }
    const tabulorix::Rect& Outline() const { return outline_; }
    void SetOutline(const tabulorix::Rect& rect) { outline_ = rect; }

    // True when the position rectangle lies strictly inside other.
    bool IsInside(const tabulorix::Rect& other) const;

    // Counts the changes of names and owners of objects that an index by
    // owner and name has taken in (WatchNames), so that the index knows when
    // it must be rebuilt.
    static std::uint64_t NameGeneration() { return nameGeneration_; }
    void WatchNames() { namesWatched_ = true; }

    // Counts the changes, on the main thread, of what the diagram paint
    // reads of the boxes it has seen (WatchGeometry): position, size and
    // display flags here, line height, visibility, rounded corners and line
    // counter in the box classes. A paint that finds the count where the
    // last one left it need not look at every box again.
    static std::uint64_t GeometryGeneration() { return geometryGeneration_; }
    void WatchGeometry() { geometryWatched_ = true; }

protected:
    void GeometryChanged() {
        if (geometryWatched_) ++geometryGeneration_;
    }

private:
    bool movePending_ = false;
    int anchorX_ = 0;  // device pixels
    int anchorY_ = 0;
    tabulorix::Rect dragOrigin_;
    tabulorix::Rect outline_;
    std::string name_;
    std::string logicalName_;
    int state_ = kStateNotPlaced;
    int sizeDirty_ = 1;
    int displayFlags_ = 0;
    tabulorix::Rect position_;
    int objectNumber_ = 0;
    int schemaNumber_ = 0;
    int schemaCount_ = 0;
    std::string owner_;
    bool namesWatched_ = false;
    bool geometryWatched_ = false;

    static std::uint64_t nameGeneration_;
    static std::uint64_t geometryGeneration_;
};

// The rubber band of a selection by dragging (device pixels while dragged).
class MGShapeSelect : public MGShapeRect {
public:
    MGShapeSelect();
    ~MGShapeSelect() override;
    // The dotted, inverted outline of the band.
    void Draw(int displayMode, ZMGDrawBox& box) override;
};

}  // namespace tabulorix
