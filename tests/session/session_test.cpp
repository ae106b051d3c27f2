// The session layer: the SQL dialog's choices and their flags, the
// document's relayout, and a design's round trip through the document as
// the command line and the window take it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "catalogue/connection_record.h"
#include "designfile/design_writer.h"
#include "diagram/draw_table_list.h"
#include "outputs/sql_script.h"
#include "session/headless_document.h"
#include "session/reverse_workflow.h"
#include "session/sql_choice.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;

namespace {

// The flags of the dialog's controls, one by one, as its table of controls
// gives them.
constexpr std::uint32_t kGeneration = 0x200000, kRemoval = 0x400400, kPackTable = 0x2000, kAddSchema = 0x1000,
                        kComment = 0x40000, kOutTable = 0x10000, kField = 0x20, kIndex = 0x80,
                        kPrimary = 0x01, kUnique = 0x02, kForeign = 0x08, kCondition = 0x04,
                        kAlterForm = 0x400, kCreateForm = 0x800, kOutView = 0x20000, kViewSource = 0x10,
                        kCommentStatements = 0x100, kPrivilege = 0x200;
constexpr std::uint32_t kConstraintKinds = kPrimary | kUnique | kForeign | kCondition;

struct ChoiceCase {
    const char* what;
    void (*change)(MGSqlChoice&);
    std::uint32_t flags;
    bool blankLinesRemoved;
};

constexpr std::uint32_t kStart = kGeneration | kComment | kOutTable | kField | kIndex | kConstraintKinds |
                                 kAlterForm | kOutView | kViewSource | kCommentStatements | kPrivilege;

const ChoiceCase kChoiceCases[] = {
    {"start state", [](MGSqlChoice&) {}, kStart, true},
    {"表 unticked", [](MGSqlChoice& c) { ClickTables(c, false); },
     kStart & ~(kOutTable | kField | kIndex | kConstraintKinds), true},
    {"表 unticked and ticked again",
     [](MGSqlChoice& c) {
         ClickTables(c, false);
         ClickTables(c, true);
     },
     kStart, true},
    {"制約 unticked", [](MGSqlChoice& c) { ClickConstraints(c, false); }, kStart & ~kConstraintKinds, true},
    {"制約 off with its kinds left ticked", [](MGSqlChoice& c) { c.constraints = false; },
     kStart & ~kConstraintKinds, true},
    {"表 off with its kinds left ticked", [](MGSqlChoice& c) { c.tables = false; },
     kStart & ~(kOutTable | kField | kIndex | kConstraintKinds), true},
    {"ビュー unticked", [](MGSqlChoice& c) { ClickViews(c, false); }, kStart & ~(kOutView | kViewSource),
     false},
    {"ソース unticked", [](MGSqlChoice& c) { c.viewSource = false; }, kStart & ~kViewSource, false},
    {"削除用SQL", [](MGSqlChoice& c) { c.removal = true; }, (kStart & ~(kGeneration | kAlterForm)) | kRemoval,
     true},
    {"削除用SQL keeps the separate form whatever 制約出力形式 says",
     [](MGSqlChoice& c) {
         c.removal = true;
         c.inlineConstraints = true;
     },
     (kStart & ~(kGeneration | kAlterForm)) | kRemoval, true},
    {"CREATE TABLE form", [](MGSqlChoice& c) { c.inlineConstraints = true; },
     (kStart & ~kAlterForm) | kCreateForm, true},
    {"表単位 and スキーマ名付加",
     [](MGSqlChoice& c) {
         c.boxByBox = true;
         c.ownerPrefix = true;
     },
     kStart | kPackTable | kAddSchema, true},
    {"no headers, comments or privileges",
     [](MGSqlChoice& c) {
         c.headers = false;
         c.comments = false;
         c.privileges = false;
     },
     kStart & ~(kComment | kCommentStatements | kPrivilege), true},
    {"a kind unticked while 表 is off stays off when only 制約 comes back",
     [](MGSqlChoice& c) {
         ClickTables(c, false);
         c.constraints = true;
         c.primaryKeys = true;
     },
     kStart & ~(kOutTable | kField | kIndex | kConstraintKinds), true},
};

TEST(SqlChoice, FlagsOfTheDialogsControls) {
    for (const ChoiceCase& test : kChoiceCases) {
        MGSqlChoice choice;
        test.change(choice);
        EXPECT_EQ(ScriptFlagsOf(choice), test.flags)
            << test.what << std::hex << " 0x" << ScriptFlagsOf(choice);
        EXPECT_EQ(RemovesBlankLines(choice), test.blankLinesRemoved) << test.what;
    }
    EXPECT_EQ(kStart, 0x2707BFu);
}

TEST(SqlChoice, WhichControlsCanBeClicked) {
    MGSqlChoice choice;
    MGSqlChoiceEnabled enabled = EnabledControls(choice);
    EXPECT_TRUE(enabled.tableKinds && enabled.constraintKinds && enabled.viewSource &&
                enabled.blankLineRemoval && enabled.constraintForm);
    ClickConstraints(choice, false);
    ClickViews(choice, false);
    choice.removal = true;
    enabled = EnabledControls(choice);
    EXPECT_TRUE(enabled.tableKinds);
    EXPECT_FALSE(enabled.constraintKinds);
    EXPECT_FALSE(enabled.viewSource);
    EXPECT_FALSE(enabled.blankLineRemoval);
    EXPECT_FALSE(enabled.constraintForm);
    ClickViews(choice, true);
    choice.viewSource = false;
    EXPECT_TRUE(EnabledControls(choice).viewSource);
    EXPECT_FALSE(EnabledControls(choice).blankLineRemoval);
    ClickTables(choice, false);
    EXPECT_FALSE(EnabledControls(choice).tableKinds);
    EXPECT_FALSE(EnabledControls(choice).constraintKinds);
}

// The bundled sample, with line breaks in a table comment, a column comment
// and a column default.
class DocumentRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        snapshot_ =
            tabulorix::testing::CopyInto(dir_, tabulorix::testing::SampleSnapshotPath(), "breaks.sqlite");
        tabulorix::testing::ExecuteOnFile(
            snapshot_,
            "update ALL_TAB_COMMENTS set COMMENTS = '受注' || char(10) || '明細は別表' "
            "where OWNER = 'SALES' and TABLE_NAME = 'CUSTOMER_ORDER';"
            "update ALL_COL_COMMENTS set COMMENTS = '受注日' || char(10) || "
            "'(営業日)' where OWNER = 'SALES' and TABLE_NAME = 'CUSTOMER_ORDER' and "
            "COLUMN_NAME = 'ORDER_DATE';"
            "update ALL_TAB_COLUMNS set DATA_DEFAULT = 'TRUNC(' || char(10) || 'SYSDATE)' "
            "where OWNER = 'SALES' and TABLE_NAME = 'CUSTOMER_ORDER' and "
            "COLUMN_NAME = 'ORDER_DATE';");
    }

    static std::string CreationScript(MGDesignDocument& document) {
        std::string script;
        EXPECT_TRUE(GenerateScript(document.Manager().GetSchema(0), false, false, "SALES", script,
                                   ScriptFlagsOf(MGSqlChoice{}), 0, false));
        return script;
    }

    tabulorix::testing::TempDirectory dir_;
    std::string snapshot_;
};

TEST_F(DocumentRoundTrip, LineBreaksInCommentsAndDefaultsSurviveTheDesignFile) {
    const std::string design = dir_.File("breaks.tlx");
    std::string fresh;
    {
        HeadlessDocument document;
        MGDocumentReverseHost host(document);
        ASSERT_TRUE(
            ReverseIntoDocument(document, {MakeUserInfo("SALES", "tiger", snapshot_), 0, 2, 1}, host));
        fresh = CreationScript(document);
        WriteDesignFile(document.Context(), design);
    }
    EXPECT_EQ(MGDrawTableList::Current(), nullptr) << "the diagram goes with the document's schemas";
    ASSERT_NE(fresh.find("'受注\n明細は別表'"), std::string::npos) << fresh;
    ASSERT_NE(fresh.find("DEFAULT TRUNC(\nSYSDATE)"), std::string::npos) << fresh;

    HeadlessDocument reopened;
    ASSERT_TRUE(reopened.LoadDesign(design));
    EXPECT_EQ(CreationScript(reopened), fresh);
    EXPECT_EQ(reopened.Settings().StoredValues().TableItem, 1);
}

TEST_F(DocumentRoundTrip, RelayoutStoresThePagesTheLayoutNeeded) {
    HeadlessDocument document;
    MGDocumentReverseHost host(document);
    ASSERT_TRUE(ReverseIntoDocument(document, {MakeUserInfo("SALES", "tiger", snapshot_), 0, 1, 0}, host));
    document.Relayout(MGRelayoutChoice{"250", 2});
    const TSetDlg::Values& values = document.Settings().StoredValues();
    EXPECT_EQ(values.TableItem, 2);
    EXPECT_EQ(values.PaperY, 1) << "names only fit on one band";
    EXPECT_EQ(values.PaperX, 100) << "pages across are limited to 100";
    int across = 0;
    int down = 0;
    document.DrawBox().GetPageCount(across, down);
    EXPECT_EQ(across, values.PaperX);
    EXPECT_EQ(down, values.PaperY);
}

}  // namespace
