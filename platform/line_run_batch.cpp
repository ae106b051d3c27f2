#include "platform/line_run_batch.h"

#include <algorithm>
#include <bit>

namespace tabulorix {

namespace {

constexpr int kBits = 64;
constexpr std::uint64_t kAll = ~std::uint64_t{0};

// The bits of the word whose first pixel is `first` that lie in [start, end).
std::uint64_t RangeBits(int first, int start, int end) {
    const int low = std::max(start - first, 0);
    const int high = std::min(end - first, kBits);
    if (low >= high) return 0;
    const std::uint64_t upToHigh = high == kBits ? kAll : (std::uint64_t{1} << high) - 1;
    return upToHigh & ~((std::uint64_t{1} << low) - 1);
}

// The bits of the word whose first pixel is `first` (not negative) that the
// run's dash pattern paints: pixel p when bit (p mod period) of the mask is
// set.
std::uint64_t PatternBits(const LineRun& run, int first) {
    const int period = run.period;
    if (period <= 1) return kAll;
    const int phase = first % period;
    // The pattern as it runs from the word's first pixel, one period long,
    // then repeated over the word.
    const std::uint64_t onePeriod =
        ((run.mask >> phase) | (run.mask << (period - phase))) & ((std::uint64_t{1} << period) - 1);
    std::uint64_t word = 0;
    for (int shift = 0; shift < kBits; shift += period) word |= onePeriod << shift;
    return word;
}

// Writes value at pixel k of a column word for every set bit k; the word's
// first pixel is at `first`, the next ones `step` pixels further each.
void WriteColumnBits(std::uint64_t bits, std::uint32_t* first, std::ptrdiff_t step, std::uint32_t value) {
    for (; bits != 0; bits &= bits - 1) first[std::countr_zero(bits) * step] = value;
}

// Writes value at every set bit of a row word, a stretch of set bits at once.
void WriteRowBits(std::uint64_t bits, std::uint32_t* first, std::uint32_t value) {
    while (bits != 0) {
        const int from = std::countr_zero(bits);
        const int count = std::countr_one(bits >> from);
        std::fill(first + from, first + from + count, value);
        bits = from + count == kBits ? 0 : bits & ~((std::uint64_t{1} << (from + count)) - 1);
    }
}

}  // namespace

bool LineRunBatch::Touched::Has(int line) const {
    return line >= lineLow && line <= lineHigh &&
           ((lines[static_cast<std::size_t>(line / kBits)] >> (line % kBits)) & 1U) != 0;
}

void LineRunBatch::Touched::Mark(int line, int firstWord, int lastWord) {
    lines[static_cast<std::size_t>(line / kBits)] |= std::uint64_t{1} << (line % kBits);
    if (!Any()) {
        lineLow = lineHigh = line;
        wordLow = firstWord;
        wordHigh = lastWord;
        return;
    }
    lineLow = std::min(lineLow, line);
    lineHigh = std::max(lineHigh, line);
    wordLow = std::min(wordLow, firstWord);
    wordHigh = std::max(wordHigh, lastWord);
}

void LineRunBatch::Touched::Reset() {
    if (Any()) {
        std::fill(lines.begin() + lineLow / kBits, lines.begin() + lineHigh / kBits + 1, 0);
    }
    lineLow = 0;
    lineHigh = -1;
    wordLow = 0;
    wordHigh = -1;
}

template <typename Visit>
void LineRunBatch::Touched::ForEachLine(Visit visit) const {
    if (!Any()) return;
    for (int w = lineLow / kBits; w <= lineHigh / kBits; ++w) {
        for (std::uint64_t bits = lines[static_cast<std::size_t>(w)]; bits != 0; bits &= bits - 1)
            visit(w * kBits + std::countr_zero(bits));
    }
}

bool LineRunBatch::Fit(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return true;
    if (!Empty()) return false;
    width_ = width;
    height_ = height;
    rowBands_ = (height + kBits - 1) / kBits;
    columnWords_ = (width + kBits - 1) / kBits;
    columnBits_.assign(static_cast<std::size_t>(rowBands_) * static_cast<std::size_t>(width), 0);
    rowBits_.assign(static_cast<std::size_t>(height) * static_cast<std::size_t>(columnWords_), 0);
    columns_.lines.assign(static_cast<std::size_t>(columnWords_), 0);
    rows_.lines.assign(static_cast<std::size_t>(rowBands_), 0);
    return true;
}

void LineRunBatch::Add(const LineRun& run, Color color) {
    const int along = run.vertical ? height_ : width_;
    if (run.fixed < 0 || run.fixed >= (run.vertical ? width_ : height_)) return;
    const int start = std::max(run.start, 0);
    const int end = std::min(run.end, along);
    if (start >= end) return;
    color_ = color;
    const int firstWord = start / kBits;
    const int lastWord = (end - 1) / kBits;
    for (int word = firstWord; word <= lastWord; ++word) {
        const std::uint64_t bits = RangeBits(word * kBits, start, end) & PatternBits(run, word * kBits);
        if (run.vertical) {
            ColumnWord(word, run.fixed) |= bits;
        } else {
            RowWord(run.fixed, word) |= bits;
        }
    }
    (run.vertical ? columns_ : rows_).Mark(run.fixed, firstWord, lastWord);
}

template <typename Take>
void LineRunBatch::TakeInside(const PixelRect& given, Take take) {
    const PixelRect a{std::max(given.left, 0), std::max(given.top, 0), std::min(given.right, width_ - 1),
                      std::min(given.bottom, height_ - 1)};
    if (a.right < a.left || a.bottom < a.top) return;
    for (int column = std::max(a.left, columns_.lineLow); column <= std::min(a.right, columns_.lineHigh);
         ++column) {
        if (!columns_.Has(column)) continue;
        for (int band = a.top / kBits; band <= a.bottom / kBits; ++band) {
            std::uint64_t& word = ColumnWord(band, column);
            const std::uint64_t bits = word & RangeBits(band * kBits, a.top, a.bottom + 1);
            if (bits == 0) continue;
            take(true, column, band * kBits, bits);
            word &= ~bits;
        }
    }
    for (int row = std::max(a.top, rows_.lineLow); row <= std::min(a.bottom, rows_.lineHigh); ++row) {
        if (!rows_.Has(row)) continue;
        for (int w = a.left / kBits; w <= a.right / kBits; ++w) {
            std::uint64_t& word = RowWord(row, w);
            const std::uint64_t bits = word & RangeBits(w * kBits, a.left, a.right + 1);
            if (bits == 0) continue;
            take(false, row, w * kBits, bits);
            word &= ~bits;
        }
    }
}

void LineRunBatch::PaintMeeting(std::uint32_t* pixels, std::ptrdiff_t pixelsPerLine, std::uint32_t value,
                                const PixelRect& area) {
    TakeInside(area, [&](bool vertical, int fixed, int first, std::uint64_t bits) {
        if (vertical) {
            WriteColumnBits(bits, pixels + first * pixelsPerLine + fixed, pixelsPerLine, value);
        } else {
            WriteRowBits(bits, pixels + fixed * pixelsPerLine + first, value);
        }
    });
}

void LineRunBatch::DropCovered(const PixelRect& area) {
    TakeInside(area, [](bool, int, int, std::uint64_t) {});
}

void LineRunBatch::PaintInto(std::uint32_t* pixels, std::ptrdiff_t pixelsPerLine, std::uint32_t value) {
    rows_.ForEachLine([&](int row) {
        std::uint32_t* line = pixels + row * pixelsPerLine;
        for (int w = rows_.wordLow; w <= rows_.wordHigh; ++w) {
            std::uint64_t& word = RowWord(row, w);
            if (word == 0) continue;
            WriteRowBits(word, line + w * kBits, value);
            word = 0;
        }
    });
    // Vertical runs are written a band of 64 rows at a time, the columns in
    // order, so that neighbouring columns share the cache lines of a band.
    for (int band = columns_.wordLow; band <= columns_.wordHigh; ++band) {
        std::uint32_t* bandStart = pixels + band * kBits * pixelsPerLine;
        columns_.ForEachLine([&](int column) {
            std::uint64_t& word = ColumnWord(band, column);
            if (word == 0) return;
            WriteColumnBits(word, bandStart + column, pixelsPerLine, value);
            word = 0;
        });
    }
    rows_.Reset();
    columns_.Reset();
}

void LineRunBatch::Clear() {
    rows_.ForEachLine([&](int row) {
        for (int w = rows_.wordLow; w <= rows_.wordHigh; ++w) RowWord(row, w) = 0;
    });
    for (int band = columns_.wordLow; band <= columns_.wordHigh; ++band)
        columns_.ForEachLine([&](int column) { ColumnWord(band, column) = 0; });
    rows_.Reset();
    columns_.Reset();
}

}  // namespace tabulorix
