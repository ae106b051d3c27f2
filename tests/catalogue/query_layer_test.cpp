// The query wrappers, the connection record with connect.inf, and the
// connection step of a schema with its failure paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "catalogue/connection_record.h"
#include "catalogue/query_layer.h"
#include "catalogue/schema.h"
#include "reading/schema_connect.h"
#include "platform/snapshot_database.h"
#include "base/text_codec.h"
#include "support/recording_host.h"
#include "support/row_values.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;
namespace fixture = tabulorix::testing;
using tabulorix::testing::RecordingPorts;
using tabulorix::testing::Values;

namespace {

// A connection that answers every statement with a fixed result, or fails.
class FixedConnection final : public DatabaseConnection {
public:
    bool IsConnected() const override { return true; }
    void Close() override {}
    QueryResult Run(const std::string& statement) override {
        statements.push_back(statement);
        if (!failure.empty()) throw DatabaseError(failure);
        return result;
    }
    QueryResult result;
    std::string failure;
    std::vector<std::string> statements;
};

bool Logged(const RecordingPorts& ports, const std::string& entry) {
    return std::find(ports.statusLog.begin(), ports.statusLog.end(), entry) != ports.statusLog.end();
}

}  // namespace

TEST(QueryLayer, FillCopiesFieldNamesAndTrimmedValues) {
    RecordingPorts ports;
    FixedConnection connection;
    connection.result = {{"TableNameP", "DataDefault"}, {{"ab  ", "SYSDATE\n"}, {"  lead", ""}, {"x", " "}}};
    ZMGQueryListView query;
    query.InitQuery(&connection, "select 1");
    ASSERT_TRUE(query.OpenQuery());
    query.FillRowTable(false);
    const ZMGCell& table = query.Table();
    ASSERT_EQ(table.RowCount(), 4);
    // Values are trimmed at their end only (the trimming itself: TrailingBlanks).
    EXPECT_EQ(tabulorix::testing::Rows(table), (std::vector<std::vector<std::string>>{
                                                   {"TableNameP", "DataDefault"}, {"ab", "SYSDATE"},
                                                   {"  lead", ""}, {"x", " "}}));
    EXPECT_EQ(ports.statusLog, (std::vector<std::string>{"Detail:定義情報問い合わせ中...", "Position:0",
                                                         "Detail:定義情報問い合わせ完了", "Position:0",
                                                         "Detail:情報処理中...", "Maximum:3", "Position:0",
                                                         "Position:1", "Position:2", "Detail:情報処理完了"}));

    // Appending adds rows without a second header; a fresh fill replaces all.
    query.FillRowTable(true);
    EXPECT_EQ(query.Table().RowCount(), 7);
    connection.result.rows.clear();
    query.FillRowTable(false);  // the old result is still the open one
    EXPECT_EQ(query.Table().RowCount(), 4);
}

TEST(QueryLayer, AnEmptyResultHasItsHeaderRowAndReopeningChangesNothing) {
    RecordingPorts ports;
    FixedConnection connection;
    connection.result = {{"A", "B"}, {}};
    ZMGCell target;
    ZMGQuery query;
    RunQueryInto(query, &connection, "select A, B", target, false);
    ASSERT_EQ(target.RowCount(), 1);
    EXPECT_EQ(Values(target.GetRow(0)), (std::vector<std::string>{"A", "B"}));
    EXPECT_FALSE(query.IsOpen());

    query.InitQuery(&connection, "select A");
    ASSERT_TRUE(query.OpenQuery());
    const auto logged = ports.statusLog.size();
    EXPECT_FALSE(query.OpenQuery());  // already open
    EXPECT_TRUE(query.IsOpen());
    EXPECT_EQ(connection.statements.size(), 2u);
    EXPECT_EQ(ports.statusLog.size(), logged);
    query.CloseQuery();
    EXPECT_FALSE(query.IsOpen());
    EXPECT_EQ(query.GetQuery(), nullptr);
}

TEST(QueryLayer, AFailedOpenShowsTheErrorAndStopsTheReader) {
    RecordingPorts ports;
    FixedConnection connection;
    connection.failure = "ORA-00942: table or view does not exist";
    ZMGQuery query;
    query.InitQuery(&connection, "select * from X");
    EXPECT_FALSE(query.OpenQuery());
    EXPECT_FALSE(query.IsOpen());
    EXPECT_EQ(ports.messages, std::vector<std::string>{"ORA-00942: table or view does not exist"});
    ZMGCell target;
    EXPECT_THROW(query.FillRowTable(target, false), DatabaseError);  // no result to fill from
    EXPECT_THROW(RunQueryInto(query, &connection, "select * from X", target, false), ZMGQueryStopped);
    EXPECT_EQ(target.RowCount(), 0);
}

TEST(ConnectionRecord, ConnectInfLinesGiveFiveTokensAndKeepThePasswordCaseAndSnapshotPaths) {
    EXPECT_EQ(TokenizeConnectLine("alpha beta gamma"),
              (std::vector<std::string>{"alpha", "beta", "gamma", "", ""}));
    // Each token ends at its blank; what follows the fifth is not used.
    EXPECT_EQ(TokenizeConnectLine("a  b c d e f g"), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(TokenizeConnectLine(" x y"), (std::vector<std::string>{"", "x", "y", "", ""}));
    EXPECT_EQ(TokenizeConnectLine(""), (std::vector<std::string>{"", "", "", "", ""}));

    fixture::TempDirectory dir;
    const std::string path = dir.File("connect.inf");
    // The file is Shift-JIS text, as the Windows edition writes it.
    std::ofstream(path, std::ios::binary) << EncodeCp932(
        "alpha beta gamma\r\n"
        "営業 sales Tiger orcl extra\r\n"
        "demo sales tiger /data/Sample.sqlite\r\n");
    // Display name, user (upper-cased), password (case kept), server, extra.
    std::vector<std::vector<std::string>> fields;
    for (const MGUserInfo& r : ReadConnectInf(path))
        fields.push_back({r.displayName, r.userName, r.password, r.server, r.extra});
    EXPECT_EQ(fields, (std::vector<std::vector<std::string>>{
                          {"alpha", "BETA", "gamma", "", ""},
                          {"営業", "SALES", "Tiger", "ORCL", "extra"},
                          {"demo", "SALES", "tiger", "/data/Sample.sqlite", ""}}));
    EXPECT_TRUE(ReadConnectInf(dir.File("missing.inf")).empty());
}

TEST(ConnectionRecord, DialogInputsAreNormalised) {
    const MGUserInfo info = MakeUserInfo("scott", "Tiger", "orcl");
    EXPECT_EQ((std::vector<std::string>{info.displayName, info.userName, info.password, info.server,
                                        info.extra}),
              (std::vector<std::string>{"SCOTT @ ORCL", "SCOTT", "Tiger", "ORCL", ""}));
    EXPECT_EQ(MakeUserInfo("sales", "tiger", "dbhost:1521:orcl").server, "DBHOST:1521:ORCL");
    const std::string sample = fixture::SampleSnapshotPath();
    EXPECT_EQ(MakeUserInfo("sales", "tiger", sample).server, sample);
}

class ConnectStep : public ::testing::Test {
protected:
    RecordingPorts ports_;
    fixture::TempDirectory dir_;
};

TEST_F(ConnectStep, AMissingSnapshotFileIsNamed) {
    MGSchema schema;
    const std::string missing = dir_.File("Gone.sqlite");
    EXPECT_FALSE(Connect(schema, nullptr, kSourceDatabase, "SALES", "tiger", missing, "", nullptr));
    ASSERT_EQ(ports_.messages.size(), 1u);
    EXPECT_EQ(ports_.messages[0], "Dictionary snapshot file not found: " + missing);
    EXPECT_EQ(ports_.statusLog.back(), "Close");
}

TEST_F(ConnectStep, AFailingStatementStopsTheLoadRightAfterIt) {
    const std::string broken = fixture::CopyInto(dir_, fixture::SampleSnapshotPath(), "broken.sqlite");
    fixture::ExecuteOnFile(broken, "drop table ALL_TAB_PRIVS_RECD");
    MGSchema schema;
    schema.SetSchemaNumber(1);
    EXPECT_FALSE(Connect(schema, nullptr, kSourceDatabase, "SALES", "tiger", broken, "", nullptr));
    // The error is shown once, with the source's own text.
    EXPECT_EQ(ports_.messages, std::vector<std::string>{"no such table: ALL_TAB_PRIVS_RECD"});
    EXPECT_EQ(ports_.statusLog.back(), "Close");
    // What came before the failure stays; nothing after it was read.
    EXPECT_GT(schema.Tables().RowCount(), 1);
    EXPECT_EQ(schema.Privileges().RowCount(), 1 + 5);  // the header and the privileges made by SALES
    EXPECT_EQ(schema.Columns().RowCount(), 0);
    EXPECT_FALSE(Logged(ports_, "Main:フィールド情報解析中..."));
}

TEST_F(ConnectStep, TheDesignFileModeConnectsAndReadsNothing) {
    MGSchema schema;
    EXPECT_TRUE(Connect(schema, nullptr, kSourceDesign, "SALES", "", "", "", nullptr));
    EXPECT_EQ(schema.GetConnection(), nullptr);
    EXPECT_EQ(schema.OwnerName(), "SALES");
    EXPECT_EQ(schema.SourceKind(), kSourceDesign);
    EXPECT_EQ(schema.Tables().RowCount(), 0);
    EXPECT_TRUE(ports_.statusLog.empty());
}
