#include "platform/snapshot_database.h"

#include <sqlite3.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace tabulorix {

namespace {

// The USER_ views Oracle offers the login user, with the columns the ALL_
// tables of a snapshot carry (USER_ views have no owner column except where
// Oracle's have one).
struct UserView {
    const char* name;
    const char* source;
    const char* columns;
    const char* ownerColumn;
};

constexpr std::array<UserView, 9> kUserViews{{
    {"USER_TABLES", "ALL_TABLES", "TABLE_NAME", "OWNER"},
    {"USER_TAB_COMMENTS", "ALL_TAB_COMMENTS", "TABLE_NAME, TABLE_TYPE, COMMENTS", "OWNER"},
    {"USER_TAB_COLUMNS", "ALL_TAB_COLUMNS",
     "TABLE_NAME, COLUMN_NAME, DATA_TYPE, DATA_LENGTH, DATA_PRECISION, DATA_SCALE, NULLABLE, "
     "DATA_DEFAULT, COLUMN_ID",
     "OWNER"},
    {"USER_COL_COMMENTS", "ALL_COL_COMMENTS", "TABLE_NAME, COLUMN_NAME, COMMENTS", "OWNER"},
    {"USER_VIEWS", "ALL_VIEWS", "VIEW_NAME, TEXT", "OWNER"},
    {"USER_INDEXES", "ALL_INDEXES", "INDEX_NAME, TABLE_OWNER, TABLE_NAME, UNIQUENESS", "OWNER"},
    {"USER_IND_COLUMNS", "ALL_IND_COLUMNS", "INDEX_NAME, TABLE_NAME, COLUMN_NAME, COLUMN_POSITION",
     "INDEX_OWNER"},
    {"USER_CONSTRAINTS", "ALL_CONSTRAINTS",
     "OWNER, CONSTRAINT_NAME, CONSTRAINT_TYPE, TABLE_NAME, SEARCH_CONDITION, R_OWNER, "
     "R_CONSTRAINT_NAME, DELETE_RULE, STATUS",
     "OWNER"},
    {"USER_CONS_COLUMNS", "ALL_CONS_COLUMNS", "OWNER, CONSTRAINT_NAME, TABLE_NAME, COLUMN_NAME, POSITION",
     "OWNER"},
}};

// A SQL text literal: quoted, every quote inside doubled.
std::string SqlLiteral(std::string_view text) {
    std::string literal = "'";
    for (const char c : text) {
        literal += c;
        if (c == '\'') literal += '\'';
    }
    return literal + "'";
}

// NVL(a, b): a unless it is NULL, else b.
void Nvl(sqlite3_context* context, int, sqlite3_value** arguments) {
    sqlite3_result_value(context,
                         sqlite3_value_type(arguments[0]) == SQLITE_NULL ? arguments[1] : arguments[0]);
}

struct StatementCloser {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementCloser>;

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, DatabaseCloser>;

std::string ColumnText(sqlite3_stmt* statement, int column) {
    const auto* text = sqlite3_column_text(statement, column);
    if (text == nullptr) return {};
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
}

QueryResult RunOn(sqlite3* db, const std::string& statement) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, statement.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        throw DatabaseError(sqlite3_errmsg(db));
    }
    const StatementHandle prepared(raw);
    QueryResult result;
    const int fields = sqlite3_column_count(raw);
    for (int i = 0; i < fields; ++i) result.fieldNames.emplace_back(sqlite3_column_name(raw, i));
    for (;;) {
        const int step = sqlite3_step(raw);
        if (step == SQLITE_DONE) break;
        if (step != SQLITE_ROW) throw DatabaseError(sqlite3_errmsg(db));
        std::vector<std::string> row;
        row.reserve(static_cast<std::size_t>(fields));
        for (int i = 0; i < fields; ++i) row.push_back(ColumnText(raw, i));
        result.rows.push_back(std::move(row));
    }
    return result;
}

bool HasTable(sqlite3* db, const std::string& name) {
    return !RunOn(db, "select name from sqlite_master where type = 'table' and name = " + SqlLiteral(name))
                .rows.empty();
}

void CheckLogin(sqlite3* db, const std::string& user, const std::string& password) {
    // A snapshot without listed users lets everybody in.
    if (!HasTable(db, "SNAPSHOT_USERS") || RunOn(db, "select 1 from SNAPSHOT_USERS limit 1").rows.empty())
        return;
    const auto match = RunOn(db, "select 1 from SNAPSHOT_USERS where USERNAME = " + SqlLiteral(user) +
                                     " and PASSWORD = " + SqlLiteral(password));
    if (match.rows.empty()) throw DatabaseError(kInvalidLogonMessage);
}

void CreateUserViews(sqlite3* db, const std::string& user) {
    for (const auto& definition : UserViewDefinitions(user, true)) RunOn(db, definition);
}

class SnapshotDatabase final : public DatabaseConnection {
public:
    explicit SnapshotDatabase(DatabaseHandle db) : db_(std::move(db)) {}

    bool IsConnected() const override { return db_ != nullptr; }
    void Close() override { db_.reset(); }
    QueryResult Run(const std::string& statement) override {
        if (!db_) throw DatabaseError("The dictionary snapshot is not connected.");
        return RunOn(db_.get(), statement);
    }

private:
    DatabaseHandle db_;
};

}  // namespace

std::vector<std::string> UserViewDefinitions(const std::string& user, bool temporary) {
    std::vector<std::string> definitions;
    for (const auto& view : kUserViews) {
        definitions.push_back(std::string(temporary ? "create temp view " : "create view ") + view.name +
                              " as select " + view.columns + " from main." + view.source + " where " +
                              view.ownerColumn + " = " + SqlLiteral(user));
    }
    return definitions;
}

bool IsSqliteFile(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream file(path, std::ios::binary);
    std::array<char, 16> header{};
    file.read(header.data(), header.size());
    return file.gcount() == static_cast<std::streamsize>(header.size()) &&
           std::string_view(header.data(), header.size()) == std::string_view("SQLite format 3\0", 16);
}

std::unique_ptr<DatabaseConnection> OpenSnapshotDatabase(const std::string& path, const std::string& user,
                                                         const std::string& password) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw DatabaseError("Dictionary snapshot file not found: " + path);
    }
    if (!IsSqliteFile(path)) {
        throw DatabaseError("Not a dictionary snapshot (no SQLite file): " + path);
    }
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    DatabaseHandle db(raw);
    if (opened != SQLITE_OK) {
        throw DatabaseError("Cannot open the dictionary snapshot " + path + ": " +
                            (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(opened)));
    }
    try {
        if (!HasTable(db.get(), "ALL_TABLES")) {
            throw DatabaseError("Not a dictionary snapshot (no table ALL_TABLES): " + path);
        }
        CheckLogin(db.get(), user, password);
        CreateUserViews(db.get(), user);
    } catch (const DatabaseError& failure) {
        // Errors of the file itself (corrupt, not a database) name the file.
        const std::string text = failure.what();
        if (text.rfind("ORA-", 0) == 0 || text.find(path) != std::string::npos) throw;
        throw DatabaseError("Cannot read the dictionary snapshot " + path + ": " + text);
    }
    if (sqlite3_create_function(db.get(), "NVL", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &Nvl,
                                nullptr, nullptr) != SQLITE_OK) {
        throw DatabaseError(sqlite3_errmsg(db.get()));
    }
    return std::make_unique<SnapshotDatabase>(std::move(db));
}

}  // namespace tabulorix
