// The catalogue's presentation model over the bundled sample design: the
// tree's shape and texts, what each kind of node presents, the detail lists
// of a box, the table list's check boxes and finding boxes by name and by
// column name.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "catalogue/schema.h"
#include "session/box_finder.h"
#include "diagram/draw_table_list.h"
#include "session/catalogue_presentation.h"
#include "session/headless_document.h"
#include "support/recording_host.h"
#include "support/row_values.h"

using namespace tabulorix;

namespace {

const std::string kSampleDesign = TABULORIX_SOURCE_DIR "/examples/sample.tlx";

class PresentationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(document_.LoadDesign(kSampleDesign));
        tree_.Build(document_.Manager());
    }
    // The texts of a node's children.
    std::vector<std::string> Children(const MGTreeNode& node) const {
        std::vector<std::string> texts;
        for (int i = 0; i < tree_.ChildCount(node); ++i) texts.push_back(tree_.Text(tree_.Child(node, i)));
        return texts;
    }
    std::vector<std::string> Found(const std::string& text, std::size_t limit = 500) {
        std::vector<std::string> names;
        for (const MGFoundBox& found : FindBoxes(*MGDrawTableList::Current(), text, limit))
            names.push_back(found.box->Name() + (found.column.empty() ? "" : ":" + found.column));
        return names;
    }
    MGShapeTable& Box(const char* owner, const char* name) {
        MGShapeTable* box = MGDrawTableList::Current()->FindBox(owner, name);
        EXPECT_NE(box, nullptr) << owner << "." << name;
        return *box;
    }

    tabulorix::testing::RecordingPorts ports_;
    HeadlessDocument document_;
    MGCatalogueTree tree_;
};

TEST_F(PresentationTest, TheTreeHasTheDesignThenSchemasThenFiveCategoriesThenOneNodePerBox) {
    EXPECT_EQ(Children({}), std::vector<std::string>{"sample.tlx"});
    EXPECT_EQ(Children(MGTreeNode::Root()), (std::vector<std::string>{"SALES (1)", "MST (2)", "HR (3)"}));
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(Children(MGTreeNode::Schema(s)), (std::vector<std::string>{"表", "ビュー", "制約", "索引", "OBJECT権限"}));
    EXPECT_EQ(Children(MGTreeNode::Category(0, kCategoryTables)),
              (std::vector<std::string>{"CUSTOMER_ORDER", "INVOICE", "ORDER_LINE", "SALES_REGION", "SHIPMENT"}));
    EXPECT_EQ(Children(MGTreeNode::Category(0, kCategoryViews)), std::vector<std::string>{"V_ORDER_SUMMARY"});
    EXPECT_EQ(tree_.ChildCount(MGTreeNode::Category(0, 2)), 0);

    // Every table and view box of the diagram has exactly one node, which
    // leads back to it.
    int boxes = 0;
    const MGDrawTableList& diagram = *MGDrawTableList::Current();
    for (int i = 0; i < diagram.Count(); ++i) {
        MGShapeTable& box = *diagram.Item(i);
        if (box.BaseKind() != MGShapeField::kKindTable && box.BaseKind() != MGShapeField::kKindView) continue;
        ++boxes;
        const MGTreeNode node = tree_.NodeOfBox(box);
        ASSERT_EQ(node.level, 3) << box.Name();
        EXPECT_EQ(tree_.BoxOf(node), &box);
        EXPECT_EQ(tree_.SchemaOf(node)->SchemaNumber(), box.SchemaNumber());
        EXPECT_EQ(tree_.StateImage(node), box.IsView() ? tree_image::kView : tree_image::kTable);
    }
    int nodes = 0;
    for (int s = 0; s < 3; ++s)
        nodes += tree_.ChildCount(MGTreeNode::Category(s, 0)) + tree_.ChildCount(MGTreeNode::Category(s, 1));
    EXPECT_EQ(nodes, boxes);
}

TEST_F(PresentationTest, BoxNodesFollowTheDisplayModeAndAClearedTreeHasNoRoot) {
    MGShapeTable& invoice = Box("SALES", "INVOICE");
    invoice.SetLogicalName("請求");
    const MGTreeNode node = tree_.NodeOfBox(invoice);
    EXPECT_EQ(tree_.Text(node), "INVOICE");
    document_.Manager().SetDisplayMode(1);  // logical names that differ are shown
    EXPECT_EQ(tree_.Text(node), "請求");
    tree_.Clear();
    EXPECT_EQ(tree_.ChildCount({}), 0);
    EXPECT_FALSE(tree_.NodeOfBox(invoice).Valid());
}

const struct SelectionCase {
    const char* what;
    MGTreeNode node;
    MGSheetPanel panel;
    int page;
    int kindMask;
    const char* category;
} kSelections[] = {
    {"root", MGTreeNode::Root(), MGSheetPanel::Schema, -1, 0, ""},
    {"schema", MGTreeNode::Schema(1), MGSheetPanel::SheetView, kPageTableList, 3, ""},
    {"表", MGTreeNode::Category(0, 0), MGSheetPanel::SheetView, kPageTableList, 1, "表"},
    {"ビュー", MGTreeNode::Category(0, 1), MGSheetPanel::SheetView, kPageTableList, 2, "ビュー"},
    {"制約", MGTreeNode::Category(0, 2), MGSheetPanel::SheetView, kPageConstraints, 0, "制約"},
    {"索引", MGTreeNode::Category(2, 3), MGSheetPanel::SheetView, kPageIndexes, 0, "索引"},
    {"OBJECT権限", MGTreeNode::Category(0, 4), MGSheetPanel::SheetView, kPagePrivileges, 0, "OBJECT権限"},
    {"a table", MGTreeNode::Box(0, 0, 1), MGSheetPanel::TableField, -1, 1, "表"},
    {"a view", MGTreeNode::Box(0, 1, 0), MGSheetPanel::TableField, -1, 2, "ビュー"},
};

TEST_F(PresentationTest, EachLevelPresentsItsPanelPageAndKind) {
    for (const SelectionCase& c : kSelections) {
        SCOPED_TRACE(c.what);
        const MGSelection selection = DescribeSelection(tree_, c.node);
        EXPECT_EQ(std::tuple(selection.level, selection.panel, selection.page, selection.kindMask),
                  std::tuple(c.node.level, c.panel, c.page, c.kindMask));
        EXPECT_EQ(selection.category, c.category);
        EXPECT_EQ(selection.schema, c.node.level >= 1 ? document_.Manager().GetSchema(c.node.schema) : nullptr);
        EXPECT_EQ(selection.box != nullptr, c.node.level == 3);
        // Nodes travel as handles through the schemas and boxes.
        EXPECT_EQ(MGTreeNode::FromHandle(c.node.Handle()), c.node);
    }
    EXPECT_EQ(DescribeSelection(tree_, {}).level, -1);
    EXPECT_EQ(NodeForPage(MGTreeNode::Box(1, 0, 2), kPageTableList), MGTreeNode::Schema(1));
    EXPECT_EQ(NodeForPage(MGTreeNode::Schema(2), kPagePrivileges), MGTreeNode::Category(2, 4));
    EXPECT_FALSE(NodeForPage(MGTreeNode::Root(), kPageIndexes).Valid());
}

TEST_F(PresentationTest, ABoxsKeyListsHaveOneRowPerKeyColumnConstraintFirst) {
    using tabulorix::testing::Rows;
    const auto details = BuildBoxDetails(Box("SALES", "ORDER_LINE"), 2);
    EXPECT_EQ(Rows(*details->primaryKeys), (std::vector<std::vector<std::string>>{
                                               {"制約名", "状態", "物理列名", "位置"},
                                               {"PK_ORDER_LINE", "ENABLED", "ORDER_NO", "1"},
                                               {"PK_ORDER_LINE", "ENABLED", "LINE_NO", "2"}}));
    EXPECT_EQ(std::tuple(details->primaryKeys->GroupColumns(), details->primaryKeys->GetRow(1).TestFlags(),
                         details->foreignKeys->GroupColumns()),
              std::tuple(2, 1, 5));
    EXPECT_EQ(BuildBoxDetails(Box("SALES", "ORDER_LINE"), 0x04 | 2)->foreignKeys->GroupColumns(), 3);
    EXPECT_EQ(tabulorix::testing::Values(details->columns->GetRow(0)),
              (std::vector<std::string>{"論理列名", "物理列名", "型", "桁数", "NULL可", "省略時値", "コメント"}));
    EXPECT_FALSE(details->view);
    EXPECT_EQ(details->source, Box("SALES", "ORDER_LINE").SqlSource());
    EXPECT_TRUE(BuildBoxDetails(Box("SALES", "V_ORDER_SUMMARY"), 2)->view);
}

TEST_F(PresentationTest, TheTableListTicksFollowTheBoxesAndUntickingChangesThemAll) {
    MGSheetCache cache;
    MGSchema& sales = *document_.Manager().GetSchema(0);
    ZMGCell& list = cache.TableList(sales, 2, 3);
    ASSERT_EQ(list.RowCount(), 7);
    EXPECT_EQ(list.GetRow(0).Item(0), "タイプ");
    EXPECT_EQ(&cache.TableList(sales, 2, 3), &list);  // kept, not made again
    document_.Manager().ClearModified();
    EXPECT_EQ(SetListedBoxesVisible(document_.Manager(), "SALES", list, {1, 2, 6}, false), 3);
    for (const char* name : {"CUSTOMER_ORDER", "INVOICE", "V_ORDER_SUMMARY"}) EXPECT_FALSE(Box("SALES", name).Detailed());
    EXPECT_TRUE(Box("SALES", "ORDER_LINE").Detailed());
    EXPECT_FALSE(list.GetRow(6).Detail());
    EXPECT_EQ(list.GetRow(6).Item(list.GetRow(0).ItemCount() - 1), "E");
    EXPECT_TRUE(document_.Manager().Modified());
    // The same state again changes no box.
    EXPECT_EQ(SetListedBoxesVisible(document_.Manager(), "SALES", list, {1}, false), 0);
}

TEST_F(PresentationTest, FindingBoxesNamesComeFirstThenBoxesWithSuchAColumnEachOnce) {
    const std::vector<std::string> found = Found("order");
    ASSERT_GE(found.size(), 5u);
    // The boxes named with ORDER, in any case, before those with an ORDER column.
    EXPECT_EQ(std::set<std::string>(found.begin(), found.begin() + 3),
              (std::set<std::string>{"CUSTOMER_ORDER", "ORDER_LINE", "V_ORDER_SUMMARY"}));
    for (const char* byColumn : {"INVOICE:ORDER_NO", "SHIPMENT:ORDER_NO"})
        EXPECT_NE(std::find(found.begin() + 3, found.end(), byColumn), found.end()) << byColumn;
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()).size(), found.size());
    EXPECT_EQ(Found("Order"), found);
    EXPECT_EQ(Found("order", 2).size(), 2u);
    // Logical names are found too, Japanese ones included, and from a to z
    // in any case; empty or unknown texts find nothing.
    Box("SALES", "ORDER_LINE").SetLogicalName("受注明細");
    EXPECT_EQ(Found("明細"), (std::vector<std::string>{"ORDER_LINE"}));
    Box("SALES", "SALES_REGION").SetLogicalName("ZONE_A");
    EXPECT_EQ(Found("zone_a"), (std::vector<std::string>{"SALES_REGION"}));
    EXPECT_TRUE(Found("").empty() && Found("NO_SUCH_THING").empty());
}

}  // namespace
