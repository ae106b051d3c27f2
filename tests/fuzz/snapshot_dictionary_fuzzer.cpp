// A dictionary snapshot whose tables hold odd values, read by the real
// reverse-engineering run. The fuzz bytes decide which dictionary tables
// exist and every value of their rows: NULL, empty, blanks, names that
// match other rows, quotes, non-ASCII and invalid UTF-8, numbers and free
// text. The run may refuse the snapshot, but must not crash.
#include <fuzzer/FuzzedDataProvider.h>
#include <sqlite3.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "fuzz/fuzz_support.h"
#include "reading/reverse_driver.h"
#include "reading/schema_connect.h"
#include "support/recording_host.h"

using namespace tabulorix;

namespace {

struct DictionaryTable {
    const char* name;
    std::vector<const char*> columns;
};

const std::array<DictionaryTable, 11> kTables = {{
    {"ALL_TABLES", {"OWNER", "TABLE_NAME"}},
    {"ALL_TAB_COMMENTS", {"OWNER", "TABLE_NAME", "TABLE_TYPE", "COMMENTS"}},
    {"ALL_TAB_COLUMNS",
     {"OWNER", "TABLE_NAME", "COLUMN_NAME", "DATA_TYPE", "DATA_LENGTH", "DATA_PRECISION", "DATA_SCALE",
      "NULLABLE", "DATA_DEFAULT", "COLUMN_ID"}},
    {"ALL_COL_COMMENTS", {"OWNER", "TABLE_NAME", "COLUMN_NAME", "COMMENTS"}},
    {"ALL_VIEWS", {"OWNER", "VIEW_NAME", "TEXT"}},
    {"ALL_INDEXES", {"OWNER", "INDEX_NAME", "TABLE_OWNER", "TABLE_NAME", "UNIQUENESS"}},
    {"ALL_IND_COLUMNS",
     {"INDEX_OWNER", "INDEX_NAME", "TABLE_OWNER", "TABLE_NAME", "COLUMN_NAME", "COLUMN_POSITION"}},
    {"ALL_CONSTRAINTS",
     {"OWNER", "CONSTRAINT_NAME", "CONSTRAINT_TYPE", "TABLE_NAME", "SEARCH_CONDITION", "R_OWNER",
      "R_CONSTRAINT_NAME", "DELETE_RULE", "STATUS"}},
    {"ALL_CONS_COLUMNS", {"OWNER", "CONSTRAINT_NAME", "TABLE_NAME", "COLUMN_NAME", "POSITION"}},
    {"ALL_TAB_PRIVS_MADE", {"GRANTEE", "OWNER", "TABLE_NAME", "GRANTOR", "PRIVILEGE"}},
    {"ALL_TAB_PRIVS_RECD", {"GRANTEE", "OWNER", "TABLE_NAME", "GRANTOR", "PRIVILEGE"}},
}};

// Values that make rows meet each other (owners, tables, columns, keys) and
// the codes the reader branches on.
const std::array<const char*, 24> kPool = {"FUZZ",   "OTHER",     "T1",      "T2",    "V1",        "C1",
                                           "C2",     "PK_T1",     "UK_T2",   "FK_T2", "SYS_C0001", "IX_T1",
                                           "P",      "U",         "R",       "C",     "TABLE",     "VIEW",
                                           "UNIQUE", "NONUNIQUE", "CASCADE", "Y",     "N",         "ENABLED"};

void Check(int status, sqlite3* db) {
    if (status != SQLITE_OK && status != SQLITE_DONE && status != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

// NULL, one of the odd texts, a number, free text or a pool value.
void BindValue(FuzzedDataProvider& input, sqlite3_stmt* statement, int index) {
    static const char* const kOdd[] = {"", "   ", "A\"B", "O'K,\"X\"", "社員 表"};
    const int kind = input.ConsumeIntegralInRange(0, 10);
    std::string text;
    if (kind == 0) {
        sqlite3_bind_null(statement, index);
        return;
    }
    if (kind == 6) {
        sqlite3_bind_int64(statement, index, input.ConsumeIntegral<std::int64_t>());
        return;
    }
    if (kind <= 5)
        text = kOdd[kind - 1];
    else if (kind == 7)
        text = input.ConsumeRandomLengthString(24);
    else
        text = kPool[input.ConsumeIntegralInRange<std::size_t>(0, kPool.size() - 1)];
    sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void FillTable(FuzzedDataProvider& input, sqlite3* db, const DictionaryTable& table) {
    std::string create = std::string("CREATE TABLE ") + table.name + " (";
    std::string insert = std::string("INSERT INTO ") + table.name + " VALUES (";
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        create += (c ? ", " : "") + std::string(table.columns[c]);
        insert += c ? ", ?" : "?";
    }
    Check(sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr), db);
    sqlite3_stmt* statement = nullptr;
    Check(sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &statement, nullptr), db);
    const int rows = input.ConsumeIntegralInRange(0, 6);
    for (int r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            BindValue(input, statement, static_cast<int>(c) + 1);
        Check(sqlite3_step(statement), db);
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
}

void WriteSnapshot(FuzzedDataProvider& input, const std::string& path) {
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    Check(sqlite3_open(path.c_str(), &db), db);
    Check(
        sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr),
        db);
    for (const DictionaryTable& table : kTables) {
        // About one table in eight is missing.
        if (input.ConsumeIntegralInRange(0, 7) != 0) FillTable(input, db, table);
    }
    Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tabulorix::fuzzing::InitializeProcess();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/dev/shm/tabulorix-fuzz-" + std::to_string(getpid()) + ".sqlite";
    FuzzedDataProvider input(data, size);
    WriteSnapshot(input, path);

    tabulorix::testing::RecordingPorts ports;
    {
        MGSchemaMng manager;
        ReverseHost host;
        ReverseDatabase(manager, kSourceDatabase, MakeUserInfo("FUZZ", "pw", path), host);
    }
    MGDrawTableList::DestroyCurrent();
    return 0;
}
