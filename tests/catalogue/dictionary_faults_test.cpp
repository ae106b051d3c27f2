// A dictionary that fails under the reader: a snapshot without one of its
// tables, and a statement that the ODBC driver fails in the middle of its
// rows, after the first rows have been fetched (a view over the dictionary
// that calls the test function TABULORIX_FAIL_ON of the project's SQLite
// extension). The driver's own text reaches the user, no partial result
// passes for a whole one, and the failed read leaves no schema behind.
#include <gtest/gtest.h>

#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "reading/reverse_driver.h"
#include "reading/schema_connect.h"
#include "support/recording_host.h"
#include "support/row_values.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;
using namespace tabulorix::testing;

namespace {

class DictionaryFaults : public ::testing::Test {
protected:
    void SetUp() override { database_ = CopyInto(dir_, SampleSnapshotPath(), "sample.sqlite"); }

    bool Reverse(const std::string& server) {
        ReverseHost host;
        return ReverseDatabase(manager_, kSourceDatabase, MakeUserInfo("SALES", "tiger", server), host);
    }

    RecordingPorts ports_;
    TempDirectory dir_;
    std::string database_;
    MGSchemaMng manager_;
};

TEST_F(DictionaryFaults, ASnapshotWithoutADictionaryTableIsNamedAndLeavesNoSchema) {
    for (const char* table : {"ALL_INDEXES", "ALL_CONS_COLUMNS", "ALL_TAB_PRIVS_RECD", "ALL_TAB_COLUMNS"}) {
        SetUp();
        ExecuteOnFile(database_, std::string("DROP TABLE ") + table + ";");
        ports_.messages.clear();
        EXPECT_FALSE(Reverse(database_)) << table;
        // SQLite's own text names the missing table.
        EXPECT_TRUE(Contains(JoinedLines(ports_.messages), table)) << JoinedLines(ports_.messages);
        EXPECT_EQ(manager_.SchemaCount(), 0) << table;
        const MGDrawTableList* diagram = MGDrawTableList::Current();
        EXPECT_TRUE(diagram == nullptr || diagram->Count() == 0) << table;
    }
}

TEST_F(DictionaryFaults, AnOdbcErrorInTheMiddleOfTheColumnsStopsTheReadWithTheDriversText) {
    // ALL_TAB_COLUMNS becomes a view that fails at the column STATUS (before
    // the USER_ views are made over it: renaming a table redirects them).
    ExecuteOnFile(
        database_,
        "ALTER TABLE ALL_TAB_COLUMNS RENAME TO TAB_COLUMNS_DATA;\n"
        "CREATE VIEW ALL_TAB_COLUMNS AS SELECT OWNER, TABLE_NAME, TABULORIX_FAIL_ON(COLUMN_NAME, 'STATUS') "
        "AS COLUMN_NAME, DATA_TYPE, DATA_LENGTH, DATA_PRECISION, DATA_SCALE, NULLABLE, DATA_DEFAULT, "
        "COLUMN_ID FROM TAB_COLUMNS_DATA;");
    OdbcSqliteSource odbc(database_, "SALES");
    EXPECT_FALSE(Reverse("SAMPLE"));
    EXPECT_TRUE(Contains(JoinedLines(ports_.messages), "TABULORIX_FAIL_ON: the value STATUS cannot be read"))
        << JoinedLines(ports_.messages);
    EXPECT_EQ(manager_.SchemaCount(), 0);

    // The same snapshot without the failing value reads completely.
    ports_.messages.clear();
    ExecuteOnFile(database_,
                  "UPDATE TAB_COLUMNS_DATA SET COLUMN_NAME = 'STATE' WHERE COLUMN_NAME = 'STATUS';");
    EXPECT_TRUE(Reverse("SAMPLE")) << JoinedLines(ports_.messages);
    ASSERT_NE(MGDrawTableList::Current(), nullptr);
    EXPECT_NE(MGDrawTableList::Current()->FindBox("SALES", "CUSTOMER_ORDER"), nullptr);
}

}  // namespace
