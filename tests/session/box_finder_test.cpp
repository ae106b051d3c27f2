// Finding boxes by name and by column name on the sample design.
#include "session/box_finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"
#include "session/headless_document.h"
#include "support/recording_host.h"

using namespace tabulorix;

namespace {

class BoxFinder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(document_.LoadDesign(TABULORIX_SOURCE_DIR "/examples/sample.tlx")); }
    std::vector<std::string> Found(const std::string& text, std::size_t limit = 500) {
        std::vector<std::string> names;
        for (const MGFoundBox& found : FindBoxes(*MGDrawTableList::Current(), text, limit))
            names.push_back(found.box->Name() + (found.column.empty() ? "" : ":" + found.column));
        return names;
    }

    tabulorix::testing::RecordingPorts ports_;
    HeadlessDocument document_;
};

TEST_F(BoxFinder, NamesComeFirstThenBoxesWithSuchAColumnEachOnce) {
    const std::vector<std::string> found = Found("order");
    ASSERT_GE(found.size(), 5u);
    // The boxes named with ORDER, in any case, before those with an ORDER column.
    const std::set<std::string> named(found.begin(), found.begin() + 3);
    EXPECT_EQ(named, (std::set<std::string>{"CUSTOMER_ORDER", "ORDER_LINE", "V_ORDER_SUMMARY"}));
    for (const char* byColumn : {"INVOICE:ORDER_NO", "SHIPMENT:ORDER_NO"})
        EXPECT_NE(std::find(found.begin() + 3, found.end(), byColumn), found.end()) << byColumn;
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()).size(), found.size());
    EXPECT_EQ(Found("Order"), found);
    EXPECT_EQ(Found("order", 2).size(), 2u);
}

TEST_F(BoxFinder, LogicalNamesInJapaneseAreFoundAndEmptyOrUnknownTextsFindNothing) {
    MGDrawTableList::Current()->FindBox("SALES", "ORDER_LINE")->SetLogicalName("受注明細");
    EXPECT_EQ(Found("明細"), (std::vector<std::string>{"ORDER_LINE"}));
    MGDrawTableList::Current()->FindBox("SALES", "SALES_REGION")->SetLogicalName("ZONE_A");
    EXPECT_EQ(Found("zone_a"), (std::vector<std::string>{"SALES_REGION"}));  // from a to z, in any case
    EXPECT_TRUE(Found("").empty());
    EXPECT_TRUE(Found("NO_SUCH_THING").empty());
}

}  // namespace
