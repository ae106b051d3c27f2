#include "platform/axis_line_runs.h"

#include <algorithm>
#include <array>
#include <span>

namespace tabulorix {

namespace {

// Pixels on, then off, of the one-pixel dash patterns (the canvas's Dot and
// Dash pens).
constexpr std::array<int, 2> kDotLengths{3, 3};
constexpr std::array<int, 2> kDashLengths{18, 6};

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

}  // namespace tabulorix
