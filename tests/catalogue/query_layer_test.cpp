// The query wrappers, the connection record with connect.inf, and the
// connection step of a schema with its failure paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "base/text_codec.h"
#include "catalogue/connection_record.h"
#include "catalogue/query_layer.h"
#include "catalogue/schema.h"
#include "platform/snapshot_database.h"
#include "reading/schema_connect.h"
#include "support/recording_host.h"
#include "support/row_values.h"
#include "support/snapshot_fixture.h"

using namespace tabulorix;
using namespace tabulorix::testing;

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
    Strings statements;
};

}  // namespace

TEST(QueryLayer, FillCopiesFieldNamesAndTrimmedValues) {
    RecordingPorts ports;
    FixedConnection connection;
    connection.result = {{"TableNameP", "DataDefault"}, {{"ab  ", "SYSDATE\n"}, {"  lead", ""}, {"x", " "}}};
    ZMGQueryListView query;
    query.InitQuery(&connection, "select 1");
    ASSERT_TRUE(query.OpenQuery());
    query.FillRowTable(false);
    // Values are trimmed at their end only (the trimming itself: TrailingBlanks).
    EXPECT_EQ(
        Rows(query.Table()),
        (std::vector<Strings>{{"TableNameP", "DataDefault"}, {"ab", "SYSDATE"}, {"  lead", ""}, {"x", " "}}));
    EXPECT_EQ(ports.statusLog, (Strings{"Detail:定義情報問い合わせ中...", "Position:0", "Detail:定義情報問い合わせ完了",
                                        "Position:0", "Detail:情報処理中...", "Maximum:3", "Position:0",
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
    EXPECT_EQ(Rows(target), (std::vector<Strings>{{"A", "B"}}));
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
    EXPECT_EQ(ports.messages, Strings{"ORA-00942: table or view does not exist"});
    ZMGCell target;
    EXPECT_THROW(query.FillRowTable(target, false), DatabaseError);  // no result to fill from
    EXPECT_THROW(RunQueryInto(query, &connection, "select * from X", target, false), ZMGQueryStopped);
    EXPECT_EQ(target.RowCount(), 0);
}

TEST(ConnectionRecord, ConnectInfLinesGiveFiveTokensAndKeepThePasswordCaseAndSnapshotPaths) {
    // Each token ends at its blank; what follows the fifth is not used.
    for (const auto& [line, tokens] :
         {std::pair<const char*, Strings>{"alpha beta gamma", {"alpha", "beta", "gamma", "", ""}},
          {"a  b c d e f g", {"a", "b", "c", "d", "e"}}, {" x y", {"", "x", "y", "", ""}},
          {"", {"", "", "", "", ""}}})
        EXPECT_EQ(TokenizeConnectLine(line), tokens) << line;

    TempDirectory dir;
    // The file is Shift-JIS text, as the Windows edition writes it.
    std::ofstream(dir.File("connect.inf"), std::ios::binary) << EncodeCp932(
        "alpha beta gamma\r\n営業 sales Tiger orcl extra\r\ndemo sales tiger /data/Sample.sqlite\r\n");
    // Display name, user (upper-cased), password (case kept), server, extra.
    std::vector<Strings> fields;
    for (const MGUserInfo& r : ReadConnectInf(dir.File("connect.inf")))
        fields.push_back({r.displayName, r.userName, r.password, r.server, r.extra});
    EXPECT_EQ(fields, (std::vector<Strings>{{"alpha", "BETA", "gamma", "", ""},
                                            {"営業", "SALES", "Tiger", "ORCL", "extra"},
                                            {"demo", "SALES", "tiger", "/data/Sample.sqlite", ""}}));
    EXPECT_TRUE(ReadConnectInf(dir.File("missing.inf")).empty());

    // The dialog's inputs are normalised the same way.
    const MGUserInfo info = MakeUserInfo("scott", "Tiger", "orcl");
    EXPECT_EQ((Strings{info.displayName, info.userName, info.password, info.server, info.extra}),
              (Strings{"SCOTT @ ORCL", "SCOTT", "Tiger", "ORCL", ""}));
    EXPECT_EQ(MakeUserInfo("sales", "tiger", "dbhost:1521:orcl").server, "DBHOST:1521:ORCL");
    EXPECT_EQ(MakeUserInfo("sales", "tiger", SampleSnapshotPath()).server, SampleSnapshotPath());
}

TEST(ConnectStep, AMissingSnapshotFailingStatementsAndTheDesignMode) {
    RecordingPorts ports;
    TempDirectory dir;
    MGSchema missing;
    EXPECT_FALSE(
        Connect(missing, nullptr, kSourceDatabase, "SALES", "tiger", dir.File("Gone.sqlite"), "", nullptr));
    EXPECT_EQ(ports.messages, Strings{"Dictionary snapshot file not found: " + dir.File("Gone.sqlite")});
    EXPECT_EQ(ports.statusLog.back(), "Close");

    // A failing statement stops the load right after it, shown once with
    // the source's own text; what came before stays, nothing after is read.
    ports.messages.clear();
    ports.statusLog.clear();
    const std::string broken = CopyInto(dir, SampleSnapshotPath(), "broken.sqlite");
    ExecuteOnFile(broken, "drop table ALL_TAB_PRIVS_RECD");
    MGSchema schema;
    schema.SetSchemaNumber(1);
    EXPECT_FALSE(Connect(schema, nullptr, kSourceDatabase, "SALES", "tiger", broken, "", nullptr));
    EXPECT_EQ(ports.messages, Strings{"no such table: ALL_TAB_PRIVS_RECD"});
    EXPECT_EQ(ports.statusLog.back(), "Close");
    EXPECT_GT(schema.Tables().RowCount(), 1);
    EXPECT_EQ(schema.Privileges().RowCount(), 1 + 5);  // the header and the privileges made by SALES
    EXPECT_EQ(schema.Columns().RowCount(), 0);
    EXPECT_EQ(std::count(ports.statusLog.begin(), ports.statusLog.end(), "Main:フィールド情報解析中..."), 0);

    // The design-file mode connects and reads nothing.
    ports.statusLog.clear();
    MGSchema design;
    EXPECT_TRUE(Connect(design, nullptr, kSourceDesign, "SALES", "", "", "", nullptr));
    EXPECT_EQ(design.GetConnection(), nullptr);
    EXPECT_EQ(std::pair(design.OwnerName(), design.SourceKind()),
              std::pair(std::string("SALES"), kSourceDesign));
    EXPECT_EQ(design.Tables().RowCount(), 0);
    EXPECT_TRUE(ports.statusLog.empty());
}
