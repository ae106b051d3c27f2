#include "platform/snapshot_writer.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "base/file_io.h"
#include "platform/database.h"
#include "platform/dictionary_tables.h"

namespace tabulorix {

namespace {

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementCloser {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementCloser>;

// The columns of each index that serves the reader's joins and filters.
const std::vector<std::pair<std::string, std::string>> kSearchIndexes{
    {"ALL_TABLES", "OWNER, TABLE_NAME"},
    {"ALL_TAB_COMMENTS", "OWNER, TABLE_NAME"},
    {"ALL_TAB_COLUMNS", "OWNER, TABLE_NAME, COLUMN_ID"},
    {"ALL_COL_COMMENTS", "OWNER, TABLE_NAME, COLUMN_NAME"},
    {"ALL_VIEWS", "OWNER, VIEW_NAME"},
    {"ALL_INDEXES", "OWNER, INDEX_NAME"},
    {"ALL_IND_COLUMNS", "INDEX_OWNER, INDEX_NAME"},
    {"ALL_CONSTRAINTS", "OWNER, CONSTRAINT_TYPE, TABLE_NAME"},
    {"ALL_CONS_COLUMNS", "OWNER, CONSTRAINT_NAME"},
    {"ALL_TAB_PRIVS_MADE", "OWNER, TABLE_NAME"},
    {"ALL_TAB_PRIVS_RECD", "OWNER, TABLE_NAME"},
};

void Execute(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw DatabaseError(message);
    }
}

bool IsIntegerColumn(const DictionaryTable& table, const std::string& column) {
    return std::find(table.integerColumns.begin(), table.integerColumns.end(), column) !=
           table.integerColumns.end();
}

void CreateTable(sqlite3* db, const DictionaryTable& table) {
    std::string sql = "CREATE TABLE " + table.name + " (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (i > 0) sql += ", ";
        sql += table.columns[i] + (IsIntegerColumn(table, table.columns[i]) ? " INTEGER" : " TEXT");
    }
    Execute(db, sql + ")");
}

void BindValue(sqlite3_stmt* statement, int position, const std::string& value, bool integer) {
    if (value.empty()) {
        sqlite3_bind_null(statement, position);
        return;
    }
    long long number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (integer && error == std::errc() && end == value.data() + value.size()) {
        sqlite3_bind_int64(statement, position, number);
        return;
    }
    sqlite3_bind_text(statement, position, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
}

void InsertRows(sqlite3* db, const DictionaryTable& table,
                const std::vector<std::vector<std::string>>& rows) {
    std::string sql = "INSERT INTO " + table.name + " VALUES (";
    for (std::size_t i = 0; i < table.columns.size(); ++i) sql += i == 0 ? "?" : ", ?";
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, (sql + ")").c_str(), -1, &raw, nullptr) != SQLITE_OK)
        throw DatabaseError(sqlite3_errmsg(db));
    StatementHandle statement(raw);
    for (const auto& row : rows) {
        if (row.size() != table.columns.size())
            throw DatabaseError(table.name + ": a row of " + std::to_string(row.size()) + " values, " +
                                std::to_string(table.columns.size()) + " expected");
        for (std::size_t i = 0; i < row.size(); ++i)
            BindValue(statement.get(), static_cast<int>(i) + 1, row[i],
                      IsIntegerColumn(table, table.columns[i]));
        if (sqlite3_step(statement.get()) != SQLITE_DONE) throw DatabaseError(sqlite3_errmsg(db));
        sqlite3_reset(statement.get());
    }
}

void Fill(sqlite3* db, const SnapshotRows& rows) {
    Execute(db, "BEGIN");
    for (const DictionaryTable& table : DictionaryTables()) {
        CreateTable(db, table);
        if (auto found = rows.find(table.name); found != rows.end()) InsertRows(db, table, found->second);
    }
    for (std::size_t i = 0; i < kSearchIndexes.size(); ++i)
        Execute(db, "CREATE INDEX IX_SNAPSHOT_" + std::to_string(i) + " ON " + kSearchIndexes[i].first +
                        " (" + kSearchIndexes[i].second + ")");
    Execute(db, "COMMIT");
}

}  // namespace

void WriteSnapshotFile(const std::string& path, const SnapshotRows& rows) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path temporary = target.parent_path() / ("." + target.filename().string() + ".writing");
    std::error_code ignored;
    fs::remove(temporary, ignored);
    try {
        sqlite3* raw = nullptr;
        const int opened =
            sqlite3_open_v2(temporary.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
        if (opened != SQLITE_OK)
            throw FileError(path, raw ? sqlite3_errmsg(raw) : "cannot create the snapshot file");
        Fill(db.get(), rows);
        db.reset();
        fs::rename(temporary, target);
    } catch (const fs::filesystem_error& error) {
        fs::remove(temporary, ignored);
        throw FileError(path, error.code().message());
    } catch (...) {
        fs::remove(temporary, ignored);
        throw;
    }
}

}  // namespace tabulorix
