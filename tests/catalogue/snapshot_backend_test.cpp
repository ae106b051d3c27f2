// The dictionary snapshot source and the choice of source by server text.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/database.h"
#include "platform/snapshot_database.h"
#include "support/row_values.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;
using tabulorix::testing::SampleSnapshotPath;
using tabulorix::testing::TempDirectory;
namespace fixture = tabulorix::testing;

namespace {

std::string ErrorOf(const LoginData& login) {
    return fixture::DatabaseErrorOf([&] { OpenDatabase(login); });
}

std::vector<std::string> Column(const QueryResult& result, std::size_t column) {
    std::vector<std::string> values;
    for (const auto& row : result.rows) values.push_back(row.at(column));
    return values;
}

}  // namespace

TEST(SnapshotSource, UserViewsShowOnlyTheLoginUsersObjects) {
    auto db = OpenDatabase({"MST", "mst", SampleSnapshotPath()});
    ASSERT_TRUE(db->IsConnected());
    const auto tables = db->Run("select TABLE_NAME from USER_TABLES order by TABLE_NAME");
    EXPECT_EQ(tables.fieldNames, std::vector<std::string>{"TABLE_NAME"});
    EXPECT_EQ(Column(tables, 0), (std::vector<std::string>{"CUSTOMER", "PRODUCT", "PRODUCT_CATEGORY"}));
    // Index columns are filtered on the index owner, as Oracle's view is.
    const auto indexed = db->Run("select distinct TABLE_NAME from USER_IND_COLUMNS order by 1");
    EXPECT_EQ(Column(indexed, 0), (std::vector<std::string>{"CUSTOMER", "PRODUCT", "PRODUCT_CATEGORY"}));
    // The ALL_ tables stay whole.
    const auto owners = db->Run("select distinct OWNER from ALL_TABLES order by OWNER");
    EXPECT_EQ(Column(owners, 0), (std::vector<std::string>{"HR", "MST", "SALES"}));
}

TEST(SnapshotSource, SnapshotUsersRefuseAWrongLoginWithOraclesText) {
    EXPECT_EQ(ErrorOf({"SALES", "wrong", SampleSnapshotPath()}), kInvalidLogonMessage);
    // Passwords are case-sensitive; user names are compared exactly.
    EXPECT_EQ(ErrorOf({"SALES", "TIGER", SampleSnapshotPath()}), kInvalidLogonMessage);
    EXPECT_EQ(ErrorOf({"sales", "tiger", SampleSnapshotPath()}), kInvalidLogonMessage);
    EXPECT_EQ(ErrorOf({"NOBODY", "", SampleSnapshotPath()}), kInvalidLogonMessage);
}

TEST(SnapshotSource, TheFileIsOpenedReadOnly) {
    TempDirectory dir;
    const std::string path = fixture::CopyInto(dir, SampleSnapshotPath(), "copy.sqlite");
    auto db = OpenDatabase({"HR", "hr", path});
    EXPECT_THROW(db->Run("delete from ALL_TABLES"), DatabaseError);
    EXPECT_THROW(db->Run("create table main.EXTRA (A)"), DatabaseError);
    db->Close();
    EXPECT_FALSE(db->IsConnected());
    EXPECT_THROW(db->Run("select 1"), DatabaseError);
    auto again = OpenDatabase({"HR", "hr", path});
    EXPECT_EQ(again->Run("select count(*) from ALL_TABLES where OWNER = 'HR'").rows[0][0], "2");
}

TEST(SnapshotSource, FailuresNameTheirCause) {
    TempDirectory dir;
    const std::string text = dir.File("notes.sqlite");
    std::ofstream(text) << "just some text, long enough for a header\n";
    EXPECT_NE(ErrorOf({"SALES", "tiger", text}).find("Not a dictionary snapshot"), std::string::npos);

    const std::string empty = dir.File("empty.sqlite");
    fixture::ExecuteOnFile(empty, "create table OTHER (A)");
    EXPECT_NE(ErrorOf({"SALES", "tiger", empty}).find("no table ALL_TABLES"), std::string::npos);

    auto db = OpenDatabase({"SALES", "tiger", SampleSnapshotPath()});
    EXPECT_EQ(fixture::DatabaseErrorOf([&] { db->Run("select * from NO_SUCH_VIEW"); }),
              "no such table: NO_SUCH_VIEW");
}

TEST(SourceChoice, SnapshotPathsAreRecognisedAndKeepTheirCase) {
    TempDirectory dir;
    EXPECT_TRUE(NamesSnapshotFile(SampleSnapshotPath()));
    for (const char* name : {"/nowhere/Sample.SQLITE", "dump.sqlite3"})  // missing snapshots are still ones
        EXPECT_TRUE(NamesSnapshotFile(name)) << name;
    for (const char* name : {"ORCL", "host:1521:ORCL", "dbhost:1521/sales.example.com"})
        EXPECT_FALSE(NamesSnapshotFile(name)) << name;
    // An existing SQLite file under any name is a snapshot; another file is not.
    const std::string copy = fixture::CopyInto(dir, SampleSnapshotPath(), "SnapshotWithoutExtension");
    EXPECT_TRUE(NamesSnapshotFile(copy));
    const std::string other = dir.File("ORCL");
    std::ofstream(other) << "not a database, just a file with a service-like name";
    EXPECT_FALSE(NamesSnapshotFile(other));
    EXPECT_EQ(OpenDatabase({"SALES", "tiger", copy})->Run("select 1").rows.size(), 1u);
}

TEST(TrailingBlanks, AreRemovedUpToU0020WhileLeadingBlanksStay) {
    EXPECT_EQ(TrimTrailingBlanks("ab  "), "ab");
    EXPECT_EQ(TrimTrailingBlanks("  ab"), "  ab");
    EXPECT_EQ(TrimTrailingBlanks("SYSDATE\n"), "SYSDATE");
    EXPECT_EQ(TrimTrailingBlanks("'N' \t\r\n "), "'N'");
    EXPECT_EQ(TrimTrailingBlanks(" "), " ");  // blanks only: they are leading blanks too
    EXPECT_EQ(TrimTrailingBlanks(""), "");
    EXPECT_EQ(TrimTrailingBlanks("受注\n"), "受注");
    EXPECT_EQ(TrimTrailingBlanks("a\nb"), "a\nb");
}
