// A rectangle of integers: world units for diagram shapes, device units once
// mapped. Right and bottom are exclusive, as on the canvas.
#pragma once

namespace tabulorix {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

}  // namespace tabulorix
