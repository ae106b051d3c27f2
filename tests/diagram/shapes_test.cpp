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
    box.SetSchemaCount(2);
    EXPECT_EQ(box.GetTitle(1), "  社員 (1/2)");
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

TEST(Shapes, ATextOccupiesItsMeasuredRectangle) {
    MGShapeText text("memo", "IPAPGothic", 9, tabulorix::kFontBold);
    text.SetPosition({5, 6, 80, 30});
    EXPECT_EQ(text.GetRect(), (tabulorix::Rect{5, 6, 80, 30}));
    EXPECT_EQ(text.GetTitle(2), "memo");
    EXPECT_EQ(text.Kind(), MGShapeField::kKindText);
}

TEST(Shapes, TypeLabelsAndKindsOfTheBoxKinds) {
    MGShapeTable table;
    MGShapeView view;
    MGShapeText text;
    EXPECT_EQ(table.GetTypeName(true), "Table");
    EXPECT_EQ(table.GetTypeName(false), "表");
    EXPECT_EQ(view.GetTypeName(true), "View");
    EXPECT_EQ(view.GetTypeName(false), "ビュー");
    EXPECT_EQ(text.GetTypeName(true), "Text");
    EXPECT_EQ(text.GetTypeName(false), "テキスト");
    EXPECT_EQ(table.Kind(), MGShapeField::kKindTable);
    EXPECT_EQ(view.Kind(), MGShapeField::kKindView);
}

TEST(Shapes, ANewBoxIsUnplacedVisibleAndDueForMeasuring) {
    MGShapeTable box;
    EXPECT_EQ(box.State(), MGShapeRect::kStateNotPlaced);
    EXPECT_EQ(box.SizeDirty(), 1);
    EXPECT_TRUE(box.Detailed());
    EXPECT_FALSE(box.Rounded());
    EXPECT_EQ(box.GetRect(), (tabulorix::Rect{}));
    EXPECT_EQ(MGShapeSelect().State(), MGShapeRect::kStateNormal);
}

TEST(Shapes, TheLegendHasItsFixedRows) {
    MGShapeLegend legend;
    EXPECT_EQ(legend.Kind(), MGShapeField::kKindLegend);
    EXPECT_EQ(legend.Name(), "Legend");
    EXPECT_EQ(legend.LogicalName(), "Legend");
    EXPECT_EQ(legend.Owner(), "//");
    EXPECT_EQ(legend.GetTitle(1), "\u3000凡例");
    legend.SetSchemaCount(3);
    EXPECT_EQ(legend.GetTitle(2), "\u3000凡例");

    const ZMGCell& rows = legend.ColumnRows();
    ASSERT_EQ(rows.RowCount(), 12);
    EXPECT_EQ(rows.GetRow(0).Item(0), " ");
    EXPECT_EQ(rows.GetRow(1).Item(1), "外部参照側の子表");
    EXPECT_EQ(rows.GetRow(1).GetFlags(), 0x200u);
    EXPECT_EQ(rows.GetRow(4).GetFlags(), 0x1000u);
    EXPECT_EQ(rows.GetRow(5).Item(0), "\u3000");
    EXPECT_EQ(rows.GetRow(6).Item(0), "(PK) 主キー制約");
    EXPECT_EQ(rows.GetRow(6).GetFlags(), static_cast<std::uint32_t>(kKeyPrimary));
    EXPECT_EQ(rows.GetRow(11).Item(1), "(UIn)(NIn) 索引(一意/重複可)");
    EXPECT_EQ(rows.GetRow(11).GetFlags(), 0x18u);
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
