// The ODBC source: the connection string, and statements run for real
// through unixODBC's driver manager with the SQLite ODBC driver on a copy of
// the sample snapshot (NVL from the project's SQLite extension); no error
// text repeats the password of the connection string.
#include <gtest/gtest.h>

#include "platform/database.h"
#include "platform/odbc_database.h"
#include "support/row_values.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;
using namespace tabulorix::testing;

namespace {

// A copy of the sample with real USER_ views of SALES, reached through the
// SQLite ODBC driver.
class OdbcSource : public ::testing::Test {
protected:
    void SetUp() override {
        database_ = CopyInto(dir_, SampleSnapshotPath(), "odbc.sqlite");
        odbc_ = std::make_unique<OdbcSqliteSource>(database_, "SALES");
    }
    // The password goes into the connection string and must come back in
    // no error text, as typed or upper-cased.
    static constexpr const char* kPassword = "Kite-7Qx#secret";
    std::unique_ptr<DatabaseConnection> Open() { return OpenDatabase({"SALES", kPassword, "SAMPLE"}); }
    static bool Leaks(const std::string& error) {
        return Contains(error, kPassword) || Contains(error, "KITE-7QX#SECRET");
    }

    TempDirectory dir_;
    std::string database_;
    std::unique_ptr<OdbcSqliteSource> odbc_;
};

}  // namespace

TEST(OdbcConnectionString, HostPortSidBecomesAConnectDescriptorAndMisreadableValuesAreBraced) {
    EXPECT_TRUE(UsesDirectConnection("host:1521:ORCL"));
    EXPECT_FALSE(UsesDirectConnection("ORCL"));
    // Service names and easy-connect strings pass unchanged.
    for (const auto& [server, attribute] :
         {std::pair{"host:1521:ORCL",
                    "(DESCRIPTION=(ADDRESS=(PROTOCOL=TCP)(HOST=host)(PORT=1521))(CONNECT_DATA=(SID=ORCL)))"},
          {"192.168.0.5:1522:XE",
           "(DESCRIPTION=(ADDRESS=(PROTOCOL=TCP)(HOST=192.168.0.5)(PORT=1522))(CONNECT_DATA=(SID=XE)))"},
          {"ORCL", "ORCL"}, {"DBHOST:1521/SALES.EXAMPLE", "DBHOST:1521/SALES.EXAMPLE"}})
        EXPECT_EQ(OracleServerAttribute(server), attribute);
    EXPECT_EQ(BuildOdbcConnectionString({"SCOTT", "Tiger", "ORCL"}, "Oracle 21 ODBC driver", ""),
              "DRIVER={Oracle 21 ODBC driver};UID=SCOTT;PWD=Tiger;DBQ=ORCL;");
    EXPECT_EQ(
        BuildOdbcConnectionString({"SCOTT", "x", "db:1521:ORCL"}, "D", "FWC=T"),
        "DRIVER={D};UID=SCOTT;PWD=x;"
        "DBQ=(DESCRIPTION=(ADDRESS=(PROTOCOL=TCP)(HOST=db)(PORT=1521))(CONNECT_DATA=(SID=ORCL)));FWC=T;");
    EXPECT_EQ(BuildOdbcConnectionString({"U", "p;w}d", "S"}, "D", ""),
              "DRIVER={D};UID=U;PWD={p;w}}d};DBQ=S;");
    EXPECT_EQ(BuildOdbcConnectionString({"U", " pw", "S"}, "D", ""), "DRIVER={D};UID=U;PWD={ pw};DBQ=S;");
}

TEST(OdbcConnectionString, DriverComesFromTheEnvironmentWithADefault) {
    {
        ScopedEnvironment unset(kOdbcDriverVariable, std::nullopt);
        EXPECT_EQ(OdbcDriverName(), kDefaultOdbcDriver);
    }
    ScopedEnvironment set(kOdbcDriverVariable, std::string("SQLite3"));
    EXPECT_EQ(OdbcDriverName(), "SQLite3");
}

TEST_F(OdbcSource, LongValuesAreReadInPiecesWithoutLoss) {
    std::string comment;
    for (int i = 0; i < 700; ++i) comment += "列𠮷x";  // 2800 UTF-16 units, surrogate pairs across pieces
    ExecuteOnFile(database_,
                  "insert into ALL_TAB_COMMENTS values ('SALES', 'LONG_ONE', 'TABLE', '" + comment + "')");
    const auto result = Open()->Run("select COMMENTS from USER_TAB_COMMENTS where TABLE_NAME = 'LONG_ONE'");
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.rows[0][0], comment);
}

TEST_F(OdbcSource, FailuresCarryTheDriversTextAndNeverThePassword) {
    auto db = Open();
    std::string error = DatabaseErrorOf([&] { db->Run("select * from NO_SUCH_VIEW"); });
    EXPECT_TRUE(Contains(error, "no such table: NO_SUCH_VIEW") && !Leaks(error)) << error;
    db->Close();
    EXPECT_FALSE(db->IsConnected());
    EXPECT_THROW(db->Run("select 1"), DatabaseError);

    // A missing driver is named in the message.
    ScopedEnvironment driver(kOdbcDriverVariable, std::string("No Such ODBC Driver"));
    error = DatabaseErrorOf([&] { Open(); });
    for (const char* part : {"[unixODBC]", "No Such ODBC Driver", kOdbcDriverVariable})
        EXPECT_TRUE(Contains(error, part)) << error;
    EXPECT_FALSE(Leaks(error)) << error;
}
