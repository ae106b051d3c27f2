// Diagram objects: names for a display mode, strict containment, the line
// count behind a box's rectangle, titles, type labels and the legend's rows.
#include <gtest/gtest.h>

#include "diagram/object_list.h"
#include "diagram/shape_legend.h"
#include "diagram/shape_relation.h"
#include "diagram/shape_text.h"
#include "diagram/shape_view.h"

using namespace tabulorix;
using tabulorix::Rect;

namespace {

// A table box at (10, 20) with a line height of 20 and the given key flags
// for its columns (the header row is added first).
std::unique_ptr<MGShapeTable> BoxWithColumns(std::initializer_list<std::uint32_t> columnFlags) {
    auto box = std::make_unique<MGShapeTable>(1, "SCOTT", "EMP_L", "EMP", "", true);
    auto header = std::make_unique<ZMGRowField>();
    header->AddItem("ColumnNameP");
    box->ColumnRows().AddRow(std::move(header));
    for (const std::uint32_t flags : columnFlags) {
        auto column = std::make_unique<ZMGRowField>();
        column->AddItem("C");
        column->SetFlags(flags);
        box->ColumnRows().AddRow(std::move(column));
    }
    box->SetPosition({10, 20, 110, 500});
    box->SetLineHeight(20);
    return box;
}

class CountedObject : public ZMGObject {
public:
    explicit CountedObject(int& destroyed) : destroyed_(destroyed) {}
    ~CountedObject() override { ++destroyed_; }

private:
    int& destroyed_;
};

}  // namespace

TEST(Shapes, NameForModeAndTitleChooseTheLogicalNameWithBitOne) {
    MGShapeTable box(1, "SCOTT", "社員", "EMP", "", true);
    EXPECT_EQ((std::vector<std::string>{box.NameForMode(1), box.NameForMode(2), box.NameForMode(3),
                                        box.NameForMode(0)}),
              (std::vector<std::string>{"社員", "EMP", "社員", "EMP"}));
    // The schema number only with two or more schemas.
    box.SetSchemaCount(1);
    EXPECT_EQ(box.GetTitle(2), "  EMP");
    box.SetSchemaCount(2);
    EXPECT_EQ(box.GetTitle(1), "  社員 (1/2)");
    box.SetSchemaNumber(2);
    EXPECT_EQ(box.GetTitle(2), "  EMP (2/2)");
}

TEST(Shapes, IsInsideIsStrictOnAllFourSides) {
    MGShapeRect shape;
    shape.SetPosition({10, 10, 20, 20});
    for (const auto& [area, inside] : {std::pair{Rect{9, 9, 21, 21}, true},
                                       {Rect{10, 9, 21, 21}, false},
                                       {Rect{9, 10, 21, 21}, false},
                                       {Rect{9, 9, 20, 21}, false},
                                       {Rect{9, 9, 21, 20}, false}})
        EXPECT_EQ(shape.IsInside(area), inside) << area.left << "," << area.top << "," << area.right;
}

TEST(Shapes, GetRectCountsTheLinesOfTheDisplayMode) {
    // Header + four columns: a primary key, a plain column, an index column
    // and a plain column; a table without columns is one line high, with
    // keys only too.
    auto box = BoxWithColumns({kKeyPrimary, 0, kIndexNonUnique, 0});
    auto empty = BoxWithColumns({});
    EXPECT_EQ(box->GetRect(), (Rect{10, 20, 110, 20 + 20 * 5}));
    for (const auto& [shape, flags, lines] :
         {std::tuple{box.get(), MGShapeRect::kFlagKeysOnly, 3},
          {box.get(), MGShapeRect::kFlagNamesOnly, 1},
          {box.get(), MGShapeRect::kFlagNamesOnly | MGShapeRect::kFlagKeysOnly, 1},
          {empty.get(), MGShapeRect::kFlagKeysOnly, 1}}) {
        shape->SetDisplayFlags(flags);
        EXPECT_EQ(shape->GetRect().bottom, 20 + 20 * lines) << flags;
    }
    EXPECT_EQ(box->Position().bottom, 500);  // the stored rectangle itself is left alone
}

TEST(ObjectList, ClearDeleteAndDestructionDestroyTheObjects) {
    int destroyed = 0;
    {
        ZMGObjectList list;
        EXPECT_EQ(list.Items(0), nullptr);
        for (int i = 0; i < 4; ++i) list.Add(std::make_unique<CountedObject>(destroyed));
        ZMGObject* third = list.Items(2);
        list.Delete(1);
        list.Delete(3);  // outside the list: nothing happens
        EXPECT_EQ(std::tuple(destroyed, list.Count(), list.Items(1)), std::tuple(1, 3, third));
        EXPECT_TRUE(list.Items(3) == nullptr && list.Items(-1) == nullptr);  // past either end
        list.Clear();
        EXPECT_EQ(std::pair(destroyed, list.Count()), std::pair(4, 0));
        list.Add(std::make_unique<CountedObject>(destroyed));
    }
    EXPECT_EQ(destroyed, 5);
}
