#include "platform/axis_line_runs.h"

#include <algorithm>
#include <array>
#include <span>
#include <tuple>

namespace tabulorix {
namespace {

// Pixels on, then off, of the one-pixel dash patterns (the canvas's Dot and
// Dash pens).
constexpr std::array<int, 2> kDotLengths{3, 3};
constexpr std::array<int, 2> kDashLengths{18, 6};
// Rows of a band of vertical runs written together.
constexpr int kBandRows = 32;

int Modulo(int value, int divisor) {
    const int r = value % divisor;
    return r < 0 ? r + divisor : r;
}

// Whether the pixel at `index` pixels into the pattern is painted. A line
// drawn towards lower coordinates runs through the pattern backwards from
// its start, which the rasteriser expresses as the reversed pattern begun
// with a gap.
bool PatternPixelOn(std::span<const int> lengths, bool reversed, int index) {
    int dash = 0;
    int covered = 0;
    for (std::size_t k = 0; k < lengths.size(); ++k) {
        covered += lengths[reversed ? lengths.size() - 1 - k : k];
        if (index < covered) {
            dash = static_cast<int>(k);
            break;
        }
    }
    return reversed ? (dash & 1) == 1 : (dash & 1) == 0;
}

// The mask of a pattern of the given lengths whose pixel 0 lies `phase`
// pixels into it.
std::uint64_t PatternMask(std::span<const int> lengths, bool reversed, int phase, int period) {
    std::uint64_t mask = 0;
    for (int j = 0; j < period; ++j) {
        if (PatternPixelOn(lengths, reversed, Modulo(j + phase, period))) mask |= std::uint64_t{1} << j;
    }
    return mask;
}

// The masks of one pattern for every direction and phase, made once.
template <std::size_t Period>
struct PatternMasks {
    explicit PatternMasks(std::span<const int> lengths) {
        for (int r = 0; r < 2; ++r) {
            for (int phase = 0; phase < static_cast<int>(Period); ++phase)
                masks[static_cast<std::size_t>(r)][static_cast<std::size_t>(phase)] =
                    PatternMask(lengths, r == 1, phase, static_cast<int>(Period));
        }
    }
    std::array<std::array<std::uint64_t, Period>, 2> masks{};
};

// Period and mask of a dashed line whose pixels run from first to end - 1;
// the pattern is anchored at the line's start (first, or end when the line
// runs backwards).
void SetPattern(LineRun& run, LineDash dash, bool reversed, int first, int end) {
    if (dash == LineDash::None) return;
    static const PatternMasks<kDotLengths[0] + kDotLengths[1]> dots(kDotLengths);
    static const PatternMasks<kDashLengths[0] + kDashLengths[1]> dashes(kDashLengths);
    const int anchor = reversed ? end : first;
    const auto direction = static_cast<std::size_t>(reversed ? 1 : 0);
    if (dash == LineDash::Dot) {
        run.period = kDotLengths[0] + kDotLengths[1];
        run.mask = dots.masks[direction][static_cast<std::size_t>(Modulo(-anchor, run.period))];
    } else {
        run.period = kDashLengths[0] + kDashLengths[1];
        run.mask = dashes.masks[direction][static_cast<std::size_t>(Modulo(-anchor, run.period))];
    }
}

auto Key(const LineRun& r) {
    return std::tie(r.vertical, r.fixed, r.period, r.mask);
}

void WriteRun(const LineRun& run, std::uint32_t* pixels, std::ptrdiff_t pixelsPerLine, std::uint32_t value) {
    const bool solid = run.period == 1;
    if (!run.vertical) {
        std::uint32_t* row = pixels + run.fixed * pixelsPerLine;
        if (solid) {
            std::fill(row + run.start, row + run.end, value);
            return;
        }
        for (int p = run.start, j = Modulo(run.start, run.period); p < run.end; ++p) {
            if ((run.mask >> j) & 1U) row[p] = value;
            if (++j == run.period) j = 0;
        }
        return;
    }
    std::uint32_t* pixel = pixels + run.start * pixelsPerLine + run.fixed;
    for (int p = run.start, j = Modulo(run.start, run.period); p < run.end; ++p, pixel += pixelsPerLine) {
        if (solid || ((run.mask >> j) & 1U)) *pixel = value;
        if (++j == run.period) j = 0;
    }
}

}  // namespace

bool IsAxisLine(DevicePoint from, DevicePoint to) {
    return from != to && (from.x == to.x || from.y == to.y);
}

std::optional<LineRun> AxisLineRun(DevicePoint from, DevicePoint to, LineDash dash, int width, int height) {
    if (!IsAxisLine(from, to)) return std::nullopt;
    LineRun run;
    run.vertical = from.x == to.x;
    run.fixed = run.vertical ? from.x : from.y;
    if (run.fixed < 0 || run.fixed >= (run.vertical ? width : height)) return std::nullopt;
    const int along = run.vertical ? height : width;
    int a0 = run.vertical ? from.y : from.x;
    int a1 = run.vertical ? to.y : to.x;
    // Clipped to one pixel beyond the device, so that a dash pattern of a
    // line from outside starts at the clipped point.
    const int low = -1;
    const int high = along + 1;
    if ((a0 < low && a1 <= low) || (a0 > high && a1 >= high)) return std::nullopt;
    a0 = std::clamp(a0, low, high);
    a1 = std::clamp(a1, low, high);
    const bool reversed = a0 > a1;
    const int first = std::min(a0, a1);
    const int end = std::max(a0, a1);
    SetPattern(run, dash, reversed, first, end);
    run.start = std::max(first, 0);
    run.end = std::min(end, along);
    if (run.start >= run.end) return std::nullopt;
    return run;
}

void LineRunBatch::Add(const LineRun& run, Color color) {
    color_ = color;
    runs_.push_back(run);
}

void LineRunBatch::PaintInto(std::uint32_t* pixels, std::ptrdiff_t pixelsPerLine, std::uint32_t value) {
    if (runs_.empty()) return;
    std::sort(runs_.begin(), runs_.end(), [](const LineRun& a, const LineRun& b) {
        return std::tuple_cat(Key(a), std::tie(a.start)) < std::tuple_cat(Key(b), std::tie(b.start));
    });
    // Merged in place: runs_[0, kept) are the merged runs.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        const LineRun& next = runs_[i];
        if (kept > 0 && Key(next) == Key(runs_[kept - 1]) && next.start <= runs_[kept - 1].end) {
            runs_[kept - 1].end = std::max(runs_[kept - 1].end, next.end);
            continue;
        }
        runs_[kept++] = next;
    }
    runs_.resize(kept);
    // Horizontal runs sort first; the vertical ones follow in column order
    // and are written in bands of rows, so that neighbouring columns share
    // the cache lines of a band.
    const auto vertical =
        std::find_if(runs_.begin(), runs_.end(), [](const LineRun& r) { return r.vertical; });
    for (auto r = runs_.begin(); r != vertical; ++r) WriteRun(*r, pixels, pixelsPerLine, value);
    if (vertical == runs_.end()) {
        runs_.clear();
        return;
    }
    int top = vertical->start;
    int bottom = vertical->end;
    for (auto r = vertical; r != runs_.end(); ++r) {
        top = std::min(top, r->start);
        bottom = std::max(bottom, r->end);
    }
    for (int band = top; band < bottom; band += kBandRows) {
        for (auto r = vertical; r != runs_.end(); ++r) {
            LineRun piece = *r;
            piece.start = std::max(piece.start, band);
            piece.end = std::min(piece.end, band + kBandRows);
            if (piece.start < piece.end) WriteRun(piece, pixels, pixelsPerLine, value);
        }
    }
    runs_.clear();
}

}  // namespace tabulorix
