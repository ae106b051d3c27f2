// Axis-aligned one-pixel lines as runs of pixels, and painting many of them
// of one colour straight into a 32-bit raster buffer.
//
// A diagram view crosses many long horizontal and vertical relationship
// lines, most of them lying on top of each other. Painted one by one through
// QPainter every pixel costs a call into the rasteriser; collected as runs,
// the runs of one column or row with the same dash phase are merged and
// every pixel is written once.
//
// The pixels of a run are exactly those Qt's raster engine paints for
// QPainter::drawLine with an aliased, one-pixel, flat-capped pen on a device
// of the given size: the line is clipped to one pixel beyond the device on
// every side, the pixels from the lower coordinate up to (not including) the
// higher one are covered, whichever end the line starts from, and a dash
// pattern starts at the start point, or at the clipped start when the start
// lies outside.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/canvas.h"

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

// Runs of one colour waiting to be painted. Their order does not matter:
// every pixel they cover ends up in the colour.
class LineRunBatch {
public:
    bool Empty() const { return runs_.empty(); }
    Color RunColor() const { return color_; }
    // Adds a run; a batch holds one colour (callers paint the batch before
    // they add a run of another colour).
    void Add(const LineRun& run, Color color);
    // Merges runs on the same column or row with the same pattern and
    // writes every covered pixel once as value into a buffer of
    // pixelsPerLine 32-bit pixels per line (the runs lie on it), then
    // empties the batch.
    void PaintInto(std::uint32_t* pixels, std::ptrdiff_t pixelsPerLine, std::uint32_t value);
    void Clear() { runs_.clear(); }

private:
    std::vector<LineRun> runs_;
    Color color_ = kBlack;
};

}  // namespace tabulorix
