#include "diagram/spatial_grid.h"

#include <algorithm>
#include <bit>

namespace tabulorix {

namespace {

Rect Normalised(Rect r) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

bool Meet(const Rect& a, const Rect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

}  // namespace

SpatialGrid::SpatialGrid(int cellSize) : cellSize_(std::max(cellSize, 1)) {}

void SpatialGrid::Clear() {
    cells_.clear();
    wide_.clear();
    minX_ = minY_ = 0;
    maxX_ = maxY_ = -1;
}

int SpatialGrid::CellOf(int coordinate) const {
    // Rounds towards minus infinity, so that negative coordinates get their
    // own cells.
    const int q = coordinate / cellSize_;
    return (coordinate % cellSize_ != 0 && coordinate < 0) ? q - 1 : q;
}

std::uint64_t SpatialGrid::Key(int cx, int cy) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cx)) << 32) |
           static_cast<std::uint32_t>(cy);
}

void SpatialGrid::Insert(int id, const Rect& bounds) {
    const Rect r = Normalised(bounds);
    const int x0 = CellOf(r.left);
    const int x1 = CellOf(r.right);
    const int y0 = CellOf(r.top);
    const int y1 = CellOf(r.bottom);
    const std::int64_t cells =
        (static_cast<std::int64_t>(x1) - x0 + 1) * (static_cast<std::int64_t>(y1) - y0 + 1);
    if (cells > kMaxCellsPerItem) {
        wide_.push_back(Wide{id, r});
        return;
    }
    if (maxX_ < minX_) {
        minX_ = x0;
        minY_ = y0;
        maxX_ = x1;
        maxY_ = y1;
    } else {
        minX_ = std::min(minX_, x0);
        minY_ = std::min(minY_, y0);
        maxX_ = std::max(maxX_, x1);
        maxY_ = std::max(maxY_, y1);
    }
    for (int cx = x0; cx <= x1; ++cx) {
        for (int cy = y0; cy <= y1; ++cy) cells_[Key(cx, cy)].push_back(id);
    }
}

void SpatialGrid::Query(const Rect& area, std::vector<int>& ids) const {
    ids.clear();
    std::size_t low = found_.size();
    std::size_t high = 0;
    auto take = [&](int id) {
        const auto word = static_cast<std::size_t>(id) / 64;
        if (word >= found_.size()) found_.resize(word + 1, 0);
        found_[word] |= std::uint64_t{1} << (id % 64);
        low = std::min(low, word);
        high = std::max(high, word + 1);
    };
    const Rect r = Normalised(area);
    for (const Wide& item : wide_) {
        if (Meet(item.bounds, r)) take(item.id);
    }
    // Only the cells that can hold something are visited.
    const int x0 = std::max(CellOf(r.left), minX_);
    const int x1 = std::min(CellOf(r.right), maxX_);
    const int y0 = std::max(CellOf(r.top), minY_);
    const int y1 = std::min(CellOf(r.bottom), maxY_);
    for (int cx = x0; cx <= x1; ++cx) {
        for (int cy = y0; cy <= y1; ++cy) {
            const auto found = cells_.find(Key(cx, cy));
            if (found == cells_.end()) continue;
            for (const int id : found->second) take(id);
        }
    }
    for (std::size_t word = low; word < high; ++word) {
        for (std::uint64_t bits = found_[word]; bits != 0; bits &= bits - 1)
            ids.push_back(static_cast<int>(word * 64 + static_cast<std::size_t>(std::countr_zero(bits))));
        found_[word] = 0;
    }
}

}  // namespace tabulorix
