// The dictionary snapshot source and the choice of source by server text.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/database.h"
#include "platform/snapshot_database.h"
#include "support/row_values.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;
using namespace tabulorix::testing;

namespace {

std::string ErrorOf(const LoginData& login) {
    return DatabaseErrorOf([&] { OpenDatabase(login); });
}

Strings FirstColumn(const QueryResult& result) {
    Strings values;
    for (const auto& row : result.rows) values.push_back(row.at(0));
    return values;
}

}  // namespace

TEST(SnapshotSource, UserViewsShowOnlyTheLoginUsersObjects) {
    auto db = OpenDatabase({"MST", "mst", SampleSnapshotPath()});
    ASSERT_TRUE(db->IsConnected());
    const auto tables = db->Run("select TABLE_NAME from USER_TABLES order by TABLE_NAME");
    EXPECT_EQ(tables.fieldNames, Strings{"TABLE_NAME"});
    const Strings mst{"CUSTOMER", "PRODUCT", "PRODUCT_CATEGORY"};
    EXPECT_EQ(FirstColumn(tables), mst);
    // Index columns are filtered on the index owner, as Oracle's view is.
    EXPECT_EQ(FirstColumn(db->Run("select distinct TABLE_NAME from USER_IND_COLUMNS order by 1")), mst);
    // The ALL_ tables stay whole.
    EXPECT_EQ(FirstColumn(db->Run("select distinct OWNER from ALL_TABLES order by OWNER")),
              (Strings{"HR", "MST", "SALES"}));
}

TEST(SnapshotSource, SnapshotUsersRefuseAWrongLoginWithOraclesText) {
    // Passwords are case-sensitive; user names are compared exactly.
    for (const auto& [user, password] : {std::pair{"SALES", "wrong"}, {"SALES", "TIGER"}, {"sales", "tiger"},
                                         {"NOBODY", ""}})
        EXPECT_EQ(ErrorOf({user, password, SampleSnapshotPath()}), kInvalidLogonMessage) << user << password;
}

TEST(SnapshotSource, TheFileIsOpenedReadOnly) {
    TempDirectory dir;
    const std::string path = CopyInto(dir, SampleSnapshotPath(), "copy.sqlite");
    auto db = OpenDatabase({"HR", "hr", path});
    EXPECT_THROW(db->Run("delete from ALL_TABLES"), DatabaseError);
    EXPECT_THROW(db->Run("create table main.EXTRA (A)"), DatabaseError);
    db->Close();
    EXPECT_FALSE(db->IsConnected());
    EXPECT_THROW(db->Run("select 1"), DatabaseError);
    auto again = OpenDatabase({"HR", "hr", path});
    EXPECT_EQ(again->Run("select count(*) from ALL_TABLES where OWNER = 'HR'").rows[0][0],
              "2");
}

TEST(SnapshotSource, FailuresNameTheirCause) {
    TempDirectory dir;
    std::ofstream(dir.File("notes.sqlite")) << "just some text, long enough for a header\n";
    EXPECT_TRUE(Contains(ErrorOf({"SALES", "tiger", dir.File("notes.sqlite")}), "Not a dictionary snapshot"));
    ExecuteOnFile(dir.File("empty.sqlite"), "create table OTHER (A)");
    EXPECT_TRUE(Contains(ErrorOf({"SALES", "tiger", dir.File("empty.sqlite")}), "no table ALL_TABLES"));
    auto db = OpenDatabase({"SALES", "tiger", SampleSnapshotPath()});
    EXPECT_EQ(DatabaseErrorOf([&] { db->Run("select * from NO_SUCH_VIEW"); }), "no such table: NO_SUCH_VIEW");
}

TEST(SourceChoice, SnapshotPathsAreRecognisedAndKeepTheirCase) {
    TempDirectory dir;
    const std::string sample = SampleSnapshotPath();
    // Missing snapshots are still ones.
    for (const char* name : {sample.c_str(), "/nowhere/Sample.SQLITE", "dump.sqlite3"})
        EXPECT_TRUE(NamesSnapshotFile(name)) << name;
    for (const char* name : {"ORCL", "host:1521:ORCL", "dbhost:1521/sales.example.com"})
        EXPECT_FALSE(NamesSnapshotFile(name)) << name;
    // An existing SQLite file under any name is a snapshot; another file is not.
    const std::string copy = CopyInto(dir, SampleSnapshotPath(), "SnapshotWithoutExtension");
    EXPECT_TRUE(NamesSnapshotFile(copy));
    std::ofstream(dir.File("ORCL")) << "not a database, just a file with a service-like name";
    EXPECT_FALSE(NamesSnapshotFile(dir.File("ORCL")));
    EXPECT_EQ(OpenDatabase({"SALES", "tiger", copy})->Run("select 1").rows.size(), 1u);
}

TEST(TrailingBlanks, AreRemovedUpToU0020WhileLeadingBlanksStay) {
    // Blanks only are leading blanks too.
    for (const auto& [text, trimmed] : {std::pair{"ab  ", "ab"}, {"  ab", "  ab"}, {"SYSDATE\n", "SYSDATE"},
                                        {"'N' \t\r\n ", "'N'"}, {" ", " "}, {"", ""}, {"受注\n", "受注"},
                                        {"a\nb", "a\nb"}})
        EXPECT_EQ(TrimTrailingBlanks(text), trimmed) << text;
}
