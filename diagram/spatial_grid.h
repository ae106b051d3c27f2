// A uniform grid over world coordinates that finds the items whose
// rectangles may meet an area without looking at every item: each item is
// filed under every cell its rectangle covers; an item too large for that
// is kept aside and tested directly.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "base/rect.h"

namespace tabulorix {

class SpatialGrid {
public:
    explicit SpatialGrid(int cellSize = 512);

    void Clear();
    // Files item `id` (not negative) under the cells its rectangle covers; the
    // corners may come in any order.
    void Insert(int id, const Rect& bounds);
    // Every item whose rectangle meets the area (edges included), and perhaps
    // a few more, in ascending id order, each once.
    void Query(const Rect& area, std::vector<int>& ids) const;

private:
    struct Wide {
        int id;
        Rect bounds;
    };
    // Items covering more cells than this are kept in wide_.
    static constexpr std::int64_t kMaxCellsPerItem = 64;

    int CellOf(int coordinate) const;
    static std::uint64_t Key(int cx, int cy);

    int cellSize_;
    std::unordered_map<std::uint64_t, std::vector<int>> cells_;
    std::vector<Wide> wide_;
    // Cells that hold something lie within these (inclusive).
    int minX_ = 0;
    int minY_ = 0;
    int maxX_ = -1;
    int maxY_ = -1;
    // One bit per id while a query collects them (all clear between
    // queries): duplicates fall away and the ids come out in order.
    mutable std::vector<std::uint64_t> found_;
};

}  // namespace tabulorix
