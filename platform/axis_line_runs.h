// Axis-aligned one-pixel lines as runs of pixels: what an image canvas
// writes itself instead of calling into the rasteriser for every line.
//
// The pixels of a run are exactly those Qt's raster engine paints for
// QPainter::drawLine with an aliased, one-pixel, flat-capped pen on a device
// of the given size: the line is clipped to one pixel beyond the device on
// every side, the pixels from the lower coordinate up to (not including) the
// higher one are covered, whichever end the line starts from, and a dash
// pattern starts at the start point, or at the clipped start when the start
// lies outside.
#pragma once

#include <cstdint>
#include <optional>

#include "base/canvas.h"

namespace tabulorix {

// The dash patterns of one-pixel pens, in pixels on and off.
enum class LineDash { None, Dot, Dash };

struct LineRun {
    bool vertical = false;
    int fixed = 0;  // column of a vertical run, row of a horizontal one
    int start = 0;  // first pixel along the run
    int end = 0;    // one past the last pixel
    // Pixel p of the run is painted when bit (p mod period) of mask is set.
    int period = 1;
    std::uint64_t mask = 1;
    bool operator==(const LineRun&) const = default;
};

// True for a line that AxisLineRun describes: from and to differ and share
// a column or a row.
bool IsAxisLine(DevicePoint from, DevicePoint to);

// The pixels a line from `from` to `to` paints on a width × height device,
// limited to the device; nothing when none of them lies on it.
std::optional<LineRun> AxisLineRun(DevicePoint from, DevicePoint to, LineDash dash, int width, int height);

}  // namespace tabulorix
