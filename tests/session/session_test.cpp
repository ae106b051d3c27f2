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

using C = MGSqlChoice&;
const ChoiceCase kChoiceCases[] = {
    {"start state", [](C) {}, kStart, true},
    {"表 unticked", [](C c) { ClickTables(c, false); },
     kStart & ~(kOutTable | kField | kIndex | kConstraintKinds), true},
    {"表 unticked and ticked again", [](C c) { ClickTables(c, false), ClickTables(c, true); }, kStart, true},
    {"表 unticked, then only 表 ticked: its kinds stay off",
     [](C c) { ClickTables(c, false), c.tables = true; }, kStart & ~(kField | kIndex | kConstraintKinds),
     true},
    {"制約 unticked", [](C c) { ClickConstraints(c, false); }, kStart & ~kConstraintKinds, true},
    {"制約 off with its kinds left ticked", [](C c) { c.constraints = false; }, kStart & ~kConstraintKinds,
     true},
    {"表 off with its kinds left ticked", [](C c) { c.tables = false; },
     kStart & ~(kOutTable | kField | kIndex | kConstraintKinds), true},
    {"ビュー unticked", [](C c) { ClickViews(c, false); }, kStart & ~(kOutView | kViewSource), false},
    {"ソース unticked", [](C c) { c.viewSource = false; }, kStart & ~kViewSource, false},
    {"削除用SQL", [](C c) { c.removal = true; }, (kStart & ~(kGeneration | kAlterForm)) | kRemoval, true},
    {"削除用SQL keeps the separate form whatever 制約出力形式 says",
     [](C c) { c.removal = c.inlineConstraints = true; }, (kStart & ~(kGeneration | kAlterForm)) | kRemoval,
     true},
    {"CREATE TABLE form", [](C c) { c.inlineConstraints = true; }, (kStart & ~kAlterForm) | kCreateForm,
     true},
    {"表単位 and スキーマ名付加", [](C c) { c.boxByBox = c.ownerPrefix = true; },
     kStart | kPackTable | kAddSchema, true},
    {"no headers, comments or privileges", [](C c) { c.headers = c.comments = c.privileges = false; },
     kStart & ~(kComment | kCommentStatements | kPrivilege), true},
    {"a kind unticked while 表 is off stays off when only 制約 comes back",
     [](C c) { ClickTables(c, false), c.constraints = c.primaryKeys = true; },
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
}

TEST(SqlChoice, WhichControlsCanBeClicked) {
    // table kinds, constraint kinds, view source, blank line removal, constraint form
    const auto enabled = [](const MGSqlChoice& choice) {
        const MGSqlChoiceEnabled e = EnabledControls(choice);
        return std::vector<bool>{e.tableKinds, e.constraintKinds, e.viewSource, e.blankLineRemoval,
                                 e.constraintForm};
    };
    MGSqlChoice choice;
    EXPECT_EQ(enabled(choice), (std::vector<bool>{true, true, true, true, true}));
    ClickConstraints(choice, false);
    ClickViews(choice, false);
    choice.removal = true;
    EXPECT_EQ(enabled(choice), (std::vector<bool>{true, false, false, false, false}));
    ClickViews(choice, true);
    choice.viewSource = false;
    EXPECT_EQ(enabled(choice), (std::vector<bool>{true, false, true, false, false}));
    ClickTables(choice, false);
    EXPECT_EQ(enabled(choice), (std::vector<bool>{false, false, true, false, false}));
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
    // Names only fit on one band; pages across are limited to 100.
    EXPECT_EQ(std::tuple(values.TableItem, values.PaperY, values.PaperX), std::tuple(2, 1, 100));
    int across = 0, down = 0;
    document.DrawBox().GetPageCount(across, down);
    EXPECT_EQ(std::pair(across, down), std::pair(values.PaperX, values.PaperY));
}

}  // namespace
