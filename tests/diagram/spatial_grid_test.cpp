// The grid that finds the boxes and lines meeting a repainted area.
#include <gtest/gtest.h>

#include "diagram/spatial_grid.h"

using namespace tabulorix;

using tabulorix::Rect;
using tabulorix::SpatialGrid;

TEST(SpatialGrid, FindsEveryItemMeetingTheAreaOnceInAscendingOrder) {
    SpatialGrid grid(100);
    grid.Insert(7, Rect{10, 10, 50, 50});
    grid.Insert(3, Rect{250, 250, 90, 90});      // corners in any order, over several cells
    grid.Insert(5, Rect{-150, -40, -120, -10});  // negative coordinates
    grid.Insert(9, Rect{0, 500, 100000, 510});   // too wide for cells: kept aside
    grid.Insert(1, Rect{600, 600, 610, 610});
    std::vector<int> ids;
    grid.Query(Rect{40, 40, 95, 95}, ids);
    EXPECT_EQ(ids, (std::vector<int>{3, 7}));
    grid.Query(Rect{-130, -20, -125, -15}, ids);
    EXPECT_EQ(ids, (std::vector<int>{5}));
    grid.Query(Rect{50000, 505, 50001, 506}, ids);
    EXPECT_EQ(ids, (std::vector<int>{9}));
    grid.Query(Rect{-1000, -1000, 1000, 1000}, ids);
    EXPECT_EQ(ids, (std::vector<int>{1, 3, 5, 7, 9}));
    // Edges count as meeting.
    grid.Query(Rect{610, 610, 700, 700}, ids);
    EXPECT_EQ(ids, (std::vector<int>{1}));
    grid.Clear();
    grid.Query(Rect{-1000, -1000, 1000, 1000}, ids);
    EXPECT_TRUE(ids.empty());
}
