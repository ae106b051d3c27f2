// Axis-aligned one-pixel lines of one colour waiting to be written straight
// into a 32-bit raster buffer.
//
// A diagram view crosses many long horizontal and vertical relationship
// lines, many lying on top of each other. The batch keeps the pixels they
// cover as bits: one word of 64 rows per column for vertical runs, one word
// of 64 columns per row for horizontal runs. Overlapping runs and runs of
// other dash phases cost nothing extra, every pixel is written once, a shape
// drawn meanwhile needs only the waiting pixels it may touch written first,
// and those an opaque shape covers are simply forgotten.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/canvas.h"
#include "platform/axis_line_runs.h"

namespace tabulorix {

// A rectangle of device pixels, edges included.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
};

class LineRunBatch {
public:
    // True when no run waits (false may still be said after the waiting
    // pixels were all painted or dropped through rectangles).
    bool Empty() const { return !columns_.Any() && !rows_.Any(); }
    Color RunColor() const { return color_; }
    // Makes room for runs on a width × height device. The size may change
    // only while the batch is empty: false (and nothing changed) otherwise.
    bool Fit(int width, int height);
    // Adds a run lying on the fitted device; a batch holds one colour
    // (callers paint the batch before they add a run of another colour).
    void Add(const LineRun& run, Color color);
    // Writes every waiting pixel as value into a buffer of pixelsPerLine
    // 32-bit pixels per line, then empties the batch.
    void PaintInto(std::uint32_t* pixels, std::ptrdiff_t pixelsPerLine, std::uint32_t value);
    // Writes the waiting pixels inside the rectangle (edges included) now;
    // the others wait on.
    void PaintMeeting(std::uint32_t* pixels, std::ptrdiff_t pixelsPerLine, std::uint32_t value,
                      const PixelRect& area);
    // Forgets the waiting pixels inside the rectangle, which is about to be
    // painted over entirely.
    void DropCovered(const PixelRect& area);
    void Clear();

private:
    // What the runs of one direction have touched since the batch was last
    // emptied: the lines (columns or rows) as a bit set, the span of lines
    // and the span of words along them.
    struct Touched {
        std::vector<std::uint64_t> lines;
        int lineLow = 0;
        int lineHigh = -1;
        int wordLow = 0;
        int wordHigh = -1;

        bool Any() const { return lineHigh >= 0; }
        bool Has(int line) const;
        void Mark(int line, int firstWord, int lastWord);
        void Reset();
        // Calls visit(line) for every touched line, in ascending order.
        template <typename Visit>
        void ForEachLine(Visit visit) const;
    };

    // The bits of column `column` in band `band` (rows band*64 ..).
    std::uint64_t& ColumnWord(int band, int column) {
        return columnBits_[static_cast<std::size_t>(band) * static_cast<std::size_t>(width_) +
                           static_cast<std::size_t>(column)];
    }
    // The bits of row `row` in word `word` (columns word*64 ..).
    std::uint64_t& RowWord(int row, int word) {
        return rowBits_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columnWords_) +
                        static_cast<std::size_t>(word)];
    }
    // Calls take(vertical, column or row, first pixel along, bits) for every
    // waiting word of the rectangle, after which the word keeps only the
    // bits outside it.
    template <typename Take>
    void TakeInside(const PixelRect& area, Take take);

    int width_ = 0;
    int height_ = 0;
    int rowBands_ = 0;                       // words of 64 rows per column
    int columnWords_ = 0;                    // words of 64 columns per row
    std::vector<std::uint64_t> columnBits_;  // band-major: all columns of band 0, then band 1, ...
    std::vector<std::uint64_t> rowBits_;     // row-major
    Touched columns_;                        // by vertical runs; words are bands
    Touched rows_;                           // by horizontal runs
    Color color_ = kBlack;
};

}  // namespace tabulorix
