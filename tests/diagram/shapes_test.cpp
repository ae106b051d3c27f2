// Diagram objects: names for a display mode, strict containment, the line
// count behind a box's rectangle, titles, type labels and the legend's rows.
#include <gtest/gtest.h>

#include "diagram/object_list.h"
#include "diagram/shape_legend.h"
#include "diagram/shape_relation.h"
#include "diagram/shape_text.h"
#include "diagram/shape_view.h"

using namespace tabulorix;

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
    EXPECT_EQ(box.NameForMode(1), "社員");
    EXPECT_EQ(box.NameForMode(2), "EMP");
    EXPECT_EQ(box.NameForMode(3), "社員");
    EXPECT_EQ(box.NameForMode(0), "EMP");
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
    EXPECT_TRUE(shape.IsInside({9, 9, 21, 21}));
    EXPECT_FALSE(shape.IsInside({10, 9, 21, 21}));
    EXPECT_FALSE(shape.IsInside({9, 10, 21, 21}));
    EXPECT_FALSE(shape.IsInside({9, 9, 20, 21}));
    EXPECT_FALSE(shape.IsInside({9, 9, 21, 20}));
}

TEST(Shapes, GetRectCountsTheLinesOfTheDisplayMode) {
    // Header + four columns: a primary key, a plain column, an index column
    // and a plain column.
    auto box = BoxWithColumns({kKeyPrimary, 0, kIndexNonUnique, 0});
    EXPECT_EQ(box->GetRect(), (tabulorix::Rect{10, 20, 110, 20 + 20 * 5}));
    box->SetDisplayFlags(MGShapeRect::kFlagKeysOnly);
    EXPECT_EQ(box->GetRect().bottom, 20 + 20 * 3);
    box->SetDisplayFlags(MGShapeRect::kFlagNamesOnly);
    EXPECT_EQ(box->GetRect().bottom, 20 + 20);
    box->SetDisplayFlags(MGShapeRect::kFlagNamesOnly | MGShapeRect::kFlagKeysOnly);
    EXPECT_EQ(box->GetRect().bottom, 20 + 20);
    // The stored rectangle itself is left alone.
    EXPECT_EQ(box->Position().bottom, 500);
    // A table without columns is one line high, with keys only too.
    auto empty = BoxWithColumns({});
    empty->SetDisplayFlags(MGShapeRect::kFlagKeysOnly);
    EXPECT_EQ(empty->GetRect().bottom, 20 + 20);
}

TEST(ObjectList, ClearDeleteAndDestructionDestroyTheObjects) {
    int destroyed = 0;
    {
        ZMGObjectList list;
        EXPECT_EQ(list.Items(0), nullptr);
        for (int i = 0; i < 4; ++i) list.Add(std::make_unique<CountedObject>(destroyed));
        ZMGObject* third = list.Items(2);
        list.Delete(1);
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(list.Count(), 3);
        EXPECT_EQ(list.Items(1), third);
        EXPECT_EQ(list.Items(3), nullptr);  // past the end
        EXPECT_EQ(list.Items(-1), nullptr);
        list.Delete(3);  // outside the list: nothing happens
        EXPECT_EQ(list.Count(), 3);
        list.Clear();
        EXPECT_EQ(destroyed, 4);
        EXPECT_EQ(list.Count(), 0);
        list.Add(std::make_unique<CountedObject>(destroyed));
    }
    EXPECT_EQ(destroyed, 5);
}
