// Ports through which the drawing outputs reach the window that shows the
// diagram, its scroll bars and the clipboard. The GUI implements them with Qt
// Widgets; the tests record every call. The core never sees a widget.
#pragma once

#include <cstdint>
#include <vector>

#include "base/canvas.h"
#include "base/rect.h"

namespace tabulorix {

// The paint box: the area of the main window in which the diagram is shown.
class PaintBoxPort {
public:
    virtual ~PaintBoxPort() = default;

    // Client size in device pixels.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Distance of the paint box's top edge from the top of the window that
    // owns it; invalidation rectangles are given in that window's coordinates.
    virtual int TopOffset() const = 0;

    // The diagram font (the paint box's own font).
    virtual FontSpec DiagramFont() const = 0;
    virtual void SetDiagramFont(const FontSpec& font) = 0;

    // The canvas the paint box draws on. Its PixelsPerInch() is the screen
    // resolution of the world units.
    virtual Canvas& PaintCanvas() = 0;

    // Marks an area of the owning window (its coordinates) for repainting
    // without erasing the background first.
    virtual void InvalidateWindowRect(const Rect& rect) = 0;
    // Moves the shown contents by (dx, dy) device pixels without repainting.
    virtual void ScrollContents(int dx, int dy) = 0;
    // Paints the invalidated areas now.
    virtual void UpdateInvalidated() = 0;
    // Repaints the whole paint box now.
    virtual void Repaint() = 0;
    virtual void SetVisible(bool visible) = 0;
};

// One scroll bar of the paint box. Setting the position does not call back
// into the console: the console applies every position it sets itself.
class ScrollBarPort {
public:
    virtual ~ScrollBarPort() = default;
    virtual int Position() const = 0;
    virtual void SetPosition(int position) = 0;
    virtual int Min() const = 0;
    virtual int Max() const = 0;
    virtual void SetMin(int min) = 0;
    virtual void SetMax(int max) = 0;
    virtual void SetLargeStep(int step) = 0;
    virtual void SetSmallStep(int step) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// The system clipboard, for diagram pictures.
class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;
    // Puts an enhanced metafile on the clipboard; false when that failed.
    virtual bool PutEmf(const std::vector<std::uint8_t>& bytes) = 0;
};

}  // namespace tabulorix
