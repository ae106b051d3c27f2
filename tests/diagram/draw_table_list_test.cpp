// The diagram's box list: numbering, look-up by owner and name, states,
// flags and the extent of the placed boxes with the pages it needs.
#include <gtest/gtest.h>

#include "diagram/draw_table_list.h"
#include "diagram/shape_legend.h"
#include "diagram/shape_text.h"

using namespace tabulorix;

namespace {

std::unique_ptr<MGShapeTable> Table(const std::string& owner, const std::string& name) {
    return std::make_unique<MGShapeTable>(1, owner, name, name, "", true);
}

MGShapeTable& Placed(MGDrawTableList& diagram, int state, tabulorix::Rect rect) {
    MGShapeTable& box = diagram.AddBox(Table("S", "T"));
    box.SetState(state);
    box.SetPosition(rect);
    return box;
}

}  // namespace

TEST(DrawTableList, TheNumberingAddCountsFromTheLargestNumberAndRelationsAreNotNumbered) {
    MGDrawTableList diagram(nullptr);
    EXPECT_EQ(diagram.Item(0), nullptr);
    for (const int number : {1, 2, 3}) EXPECT_EQ(diagram.AddBox(Table("S", "T")).ObjectNumber(), number);
    EXPECT_TRUE(diagram.Item(2) != nullptr && diagram.Item(3) == nullptr);
    // A box put into the list directly with a high number raises the count;
    // removing the largest lowers it again.
    auto direct = Table("S", "D");
    direct->SetObjectNumber(10);
    diagram.Boxes().Add(std::move(direct));
    EXPECT_EQ(diagram.AddBox(Table("S", "E")).ObjectNumber(), 11);
    diagram.Boxes().Delete(4);
    diagram.Boxes().Delete(3);
    EXPECT_EQ(diagram.AddBox(Table("S", "F")).ObjectNumber(), 4);
    EXPECT_EQ(diagram.Count(), 4);

    auto relation = std::make_unique<MGShapeRelation>();
    relation->SetRelationNumber(7);
    relation->SetOwnBox(diagram.Item(0));
    diagram.AddRelation(std::move(relation));
    diagram.AddRelation(std::make_unique<MGShapeRelation>());
    ASSERT_EQ(diagram.RelationCount(), 2);
    EXPECT_EQ(
        (std::vector<int>{diagram.RelationItem(0)->RelationNumber(), diagram.RelationItem(0)->ObjectNumber(),
                          diagram.RelationItem(1)->RelationNumber()}),
        (std::vector<int>{7, 0, 0}));
    EXPECT_EQ(diagram.RelationItem(2), nullptr);
    diagram.Clear();  // removes everything and starts the numbering again
    EXPECT_EQ(std::pair(diagram.Count(), diagram.RelationCount()), std::pair(0, 0));
    EXPECT_EQ(diagram.AddBox(Table("S", "A")).ObjectNumber(), 1);
}

TEST(DrawTableList, FindBoxGivesTheFirstMatchInListOrder) {
    MGDrawTableList diagram(nullptr);
    MGShapeTable& salesOrders = diagram.AddBox(Table("SALES", "ORDERS"));
    MGShapeTable& hrOrders = diagram.AddBox(Table("HR", "ORDERS"));
    MGShapeTable& duplicate = diagram.AddBox(Table("SALES", "ORDERS"));
    const auto find = [&](const char* owner, const char* name) { return diagram.FindBox(owner, name); };
    EXPECT_EQ((std::vector<MGShapeTable*>{find("SALES", "ORDERS"), find("HR", "ORDERS"),
                                          find("sales", "ORDERS"), find("SALES", "ORDER")}),
              (std::vector<MGShapeTable*>{&salesOrders, &hrOrders, nullptr, nullptr}));
    // Renaming the first match hands the name on to the next one in order.
    salesOrders.SetName("/");
    EXPECT_EQ(std::pair(find("SALES", "ORDERS"), find("SALES", "/")), std::pair(&duplicate, &salesOrders));
    salesOrders.SetName("ORDERS");
    EXPECT_EQ(find("SALES", "ORDERS"), &salesOrders);
    // A box that changes owner is found under its new owner; removing the
    // first match leaves the next one.
    hrOrders.SetOwner("SALES");
    EXPECT_EQ(find("HR", "ORDERS"), nullptr);
    diagram.Boxes().Delete(0);
    EXPECT_EQ(find("SALES", "ORDERS"), &hrOrders);
    // Boxes added straight into the list are found, until cleared.
    auto direct = Table("NEW", "T");
    MGShapeTable* directBox = direct.get();
    diagram.Boxes().Add(std::move(direct));
    EXPECT_EQ(find("NEW", "T"), directBox);
    diagram.Clear();
    EXPECT_EQ(find("NEW", "T"), nullptr);
}

TEST(DrawTableList, TheExtentOfPlacedBoxesGivesThePageCounts) {
    MGDrawTableList diagram(nullptr);
    const auto extent = [&] {
        return std::pair{diagram.PlacedExtent().right, diagram.PlacedExtent().bottom};
    };
    const auto pages = [&](int w, int h) {
        const MGPageCounts counts = diagram.PageCounts(w, h);
        return std::pair{counts.across, counts.down};
    };
    EXPECT_EQ(std::pair(extent(), pages(500, 700)), std::pair(std::pair(0, 0), std::pair(1, 1)));
    MGShapeTable& box = Placed(diagram, 1, {0, 0, 300, 200});
    Placed(diagram, 2, {400, 10, 1000, 120});
    Placed(diagram, 0, {900, 900, 2000, 2000});  // not placed
    Placed(diagram, 3, {50, 50, 1500, 1500});    // being dragged
    EXPECT_EQ(extent(), std::pair(1000, 200));
    box.SetPosition({0, 0, 300, 700});
    EXPECT_EQ(pages(500, 700), std::pair(2, 1));
    box.SetPosition({0, 0, 1001, 701});
    EXPECT_EQ(pages(500, 700), std::pair(3, 2));
    EXPECT_EQ(pages(0, -5), std::pair(1, 1));  // no paper measured yet
}

TEST(DrawTableList, StatesFlagsAndSchemaCountReachEveryBox) {
    MGDrawTableList diagram(nullptr);
    for (int i = 0; i < 3; ++i) {
        MGShapeTable& box = diagram.AddBox(Table("S", "T" + std::to_string(i)));
        box.SetState(2);
        box.SetSizeDirty(0);
    }
    diagram.ApplyDisplayFlags(0x628);
    diagram.ApplySchemaCount(2);
    diagram.ResetStates();
    for (int i = 0; i < diagram.Count(); ++i) {
        const MGShapeTable& box = *diagram.Item(i);
        EXPECT_EQ((std::vector<int>{box.DisplayFlags(), box.SizeDirty(), box.SchemaCount(), box.State()}),
                  (std::vector<int>{0x628, 1, 2, 0}));
    }
    EXPECT_EQ(diagram.SelectionBand().State(), MGShapeRect::kStateNormal);
}
