// The reverse-engineering run: which owners are read and in what order, what
// survives a failure, and how foreign keys find the keys they reference.
#include <gtest/gtest.h>

#include "catalogue/connection_record.h"
#include "reading/reverse_driver.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"
#include "support/data_cases.h"
#include "support/recording_host.h"
#include "support/row_values.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;
namespace fixture = tabulorix::testing;
using fixture::Strings;

namespace {

// Records the host steps in the order the driver calls them.
class RecordingHost : public ReverseHost {
public:
    void ResetOutputDialogs() override { steps.push_back("ResetOutputDialogs"); }
    void ResetView() override { steps.push_back("ResetView"); }
    void ClearPresentation() override { steps.push_back("ClearPresentation"); }
    void LoginFailed() override { steps.push_back("LoginFailed"); }
    void GenerateBoxSources(MGSchemaMng&) override { steps.push_back("GenerateBoxSources"); }
    void BuildDiagram(MGSchemaMng&) override {
        steps.push_back("BuildDiagram");
        boxesAtBuild = MGDrawTableList::Current() ? MGDrawTableList::Current()->Count() : -1;
    }
    void ShowSchemaList(const ZMGCell& list) override {
        steps.push_back("ShowSchemaList");
        for (int r = 0; !list.IsPastEnd(r); ++r) schemaList.push_back(list.GetRow(r).Item(0));
    }
    void BuildRelations(MGSchemaMng&) override { steps.push_back("BuildRelations"); }

    Strings steps;
    Strings schemaList;
    int boxesAtBuild = -2;
};

Strings Owners(const MGSchemaMng& manager) {
    Strings owners;
    for (int i = 0; i < manager.SchemaCount(); ++i) owners.push_back(manager.GetSchema(i)->OwnerName());
    return owners;
}

MGShapeTable& Box(const std::string& owner, const std::string& table) {
    return *MGDrawTableList::Current()->FindBox(owner, table);
}

int ForeignKeyNumber(const std::string& owner, const std::string& table, int row) {
    return Box(owner, table).ForeignKeyRows().GetRow(row).KeyNumber();
}

class ReverseDriver : public ::testing::Test {
protected:
    // A snapshot made from a DDL script of tests/data/catalogue.
    std::string Build(const std::string& script) {
        auto path = fixture::BuildSnapshotFromDdl(dir_, "dictionary.sqlite", fixture::DataText("catalogue/" + script));
        return path ? *path : std::string();
    }
    bool Run(const std::string& server, const std::string& user, const std::string& password) {
        return ReverseDatabase(manager_, 0, MakeUserInfo(user, password, server), host_);
    }

    fixture::TempDirectory dir_;
    fixture::RecordingPorts ports_;
    RecordingHost host_;
    MGSchemaMng manager_;
};

TEST_F(ReverseDriver, ForeignKeysInsideTheSchemaReadOneSchema) {
    // A: P, and C whose foreign keys reference P and C itself.
    const std::string db = Build("reverse_one_schema.sql");
    ASSERT_TRUE(Run(db, "a", "a"));
    EXPECT_EQ(Owners(manager_), Strings{"A"});
    EXPECT_EQ(host_.schemaList, (Strings{"スキーマ名", "A"}));
    // C is read first (tables arrive in name order): PK_C gets 1, PK_P 2.
    EXPECT_EQ(ForeignKeyNumber("A", "C", 1), 2);  // FK_C_P -> PK_P
    EXPECT_EQ(ForeignKeyNumber("A", "C", 2), 1);  // FK_C_SELF -> PK_C
    EXPECT_EQ(host_.steps,
              (Strings{"ResetOutputDialogs", "ResetView", "ClearPresentation", "GenerateBoxSources",
                       "BuildDiagram", "ShowSchemaList", "BuildRelations"}));
    EXPECT_EQ(manager_.GetSchema(0)->GetConnection(), nullptr) << "the connection is closed at the end";
    EXPECT_TRUE(ports_.messages.empty());
}

TEST_F(ReverseDriver, ACycleOfOwnersReadsEachOnceInTheOrderFirstMet) {
    // A references B, B references C and C references A again; TA2 references
    // B's unique key.
    const std::string db = Build("reverse_owner_cycle.sql");
    ASSERT_TRUE(Run(db, "a", "a"));
    EXPECT_EQ(Owners(manager_), (Strings{"A", "B", "C"}));
    EXPECT_EQ(host_.schemaList, (Strings{"スキーマ名", "A", "B", "C"}));
    // A unique key is found when no primary key carries the name.
    EXPECT_EQ(ForeignKeyNumber("A", "TA2", 1), Box("B", "TB").UniqueRows().GetRow(1).KeyNumber());
    EXPECT_EQ(ForeignKeyNumber("B", "TB", 1), Box("C", "TC").PrimaryKeyRows().GetRow(1).KeyNumber());
    EXPECT_EQ(ForeignKeyNumber("C", "TC2", 1), Box("A", "TA").PrimaryKeyRows().GetRow(1).KeyNumber());
}

TEST_F(ReverseDriver, AReferencedOwnerThatFailsStopsTheReadingButKeepsWhatWasRead) {
    // A's TA references B.TB and C.TC.
    const std::string db = Build("reverse_failing_owner.sql");
    // B's index columns cannot be read: fetching one of them fails (SQLite's
    // integer overflow stands for a database error), A's and C's can.
    fixture::ExecuteOnFile(
        db,
        "alter table ALL_IND_COLUMNS rename to IND_COLUMNS; create view ALL_IND_COLUMNS as select "
        "INDEX_OWNER, INDEX_NAME, TABLE_OWNER, "
        "TABLE_NAME, COLUMN_NAME, case when INDEX_OWNER = 'B' then "
        "abs(-9223372036854775808) else COLUMN_POSITION end COLUMN_POSITION from IND_COLUMNS");
    ASSERT_TRUE(Run(db, "A", "a"));
    EXPECT_EQ(Owners(manager_), Strings{"A"}) << "B failed, so C is not read";
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_NE(ports_.messages[0].find("integer overflow"), std::string::npos) << ports_.messages[0];
    EXPECT_GE(host_.boxesAtBuild, 1) << "the diagram steps still run on what was read";
    EXPECT_NE(MGDrawTableList::Current()->FindBox("A", "TA"), nullptr);
    EXPECT_EQ(ForeignKeyNumber("A", "TA", 1), -1) << "no target for the owner that failed";
    EXPECT_EQ(host_.steps.back(), "BuildRelations");
}

TEST_F(ReverseDriver, AFailedLoginLeavesNothing) {
    // User A (password Secret) with one table.
    const std::string db = Build("reverse_login_only.sql");
    // A design from an earlier run is cleared before connecting; the user
    // is upper-cased, the password keeps its case.
    ASSERT_TRUE(Run(db, "a", "Secret"));
    ASSERT_EQ(manager_.SchemaCount(), 1);
    host_.steps.clear();

    EXPECT_FALSE(Run(db, "A", "SECRET"));
    EXPECT_EQ(manager_.SchemaCount(), 0);
    EXPECT_EQ(MGDrawTableList::Current(), nullptr);
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_NE(ports_.messages[0].find("ORA-01017"), std::string::npos);
    EXPECT_EQ(host_.steps, (Strings{"ResetOutputDialogs", "ResetView", "ClearPresentation", "LoginFailed"}));
    EXPECT_EQ(ports_.statusLog.back(), "Close");
}

}  // namespace
