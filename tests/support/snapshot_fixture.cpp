#include "snapshot_fixture.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "external_tool.h"
#include "platform/odbc_database.h"
#include "platform/snapshot_database.h"

using namespace tabulorix;

namespace fs = std::filesystem;

namespace tabulorix::testing {

TempDirectory::TempDirectory() {
    std::string pattern = (fs::temp_directory_path() / "tabulorix-catalogue-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string SampleSnapshotPath() {
    return std::string(TABULORIX_SOURCE_DIR) + "/examples/sample.sqlite";
}

std::optional<std::string> BuildSnapshotFromDdl(const TempDirectory& dir, const std::string& name,
                                                const std::string& ddl) {
    const std::string source = dir.File(name + ".sql");
    std::ofstream(source, std::ios::binary) << ddl;
    const std::string target = dir.File(name);
    const auto result =
        RunTool("/usr/bin/python3",
                {QString::fromStdString(std::string(TABULORIX_SOURCE_DIR) + "/examples/make-sample-snapshot"),
                 QString::fromStdString(source), QString::fromStdString(target)},
                60);
    if (!result.Succeeded()) {
        ADD_FAILURE() << "building the snapshot failed: " << result.output;
        return std::nullopt;
    }
    return target;
}

std::string CopyInto(const TempDirectory& dir, const std::string& source, const std::string& name) {
    const std::string target = dir.File(name);
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    return target;
}

void ExecuteOnFile(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
              SQLITE_OK)
        << path;
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message;
}

void AddPermanentUserViews(const std::string& path, const std::string& user) {
    std::string sql;
    for (const auto& definition : UserViewDefinitions(user, false)) sql += definition + ";\n";
    ExecuteOnFile(path, sql);
}

namespace {

void SetOrUnset(const std::string& name, const std::optional<std::string>& value) {
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) previous_ = old;
    SetOrUnset(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    SetOrUnset(name_, previous_);
}

OdbcSqliteSource::OdbcSqliteSource(const std::string& database, const std::string& user)
    : driver_(kOdbcDriverVariable, std::string("SQLite3")),
      attributes_(kOdbcAttributesVariable,
                  "Database=" + database + ";LoadExt=" + TABULORIX_NVL_EXTENSION + ";NoCreat=1") {
    AddPermanentUserViews(database, user);
}

}  // namespace tabulorix::testing
