// Dictionary snapshot fixtures for the catalogue tests: a private directory,
// snapshots built from DDL text by the project's own builder (run with
// Debian's /usr/bin/python3), a copy of the bundled sample, and the
// environment of the ODBC source.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace tabulorix::testing {

// A fresh directory, removed with everything in it when the object goes.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The bundled sample snapshot (SALES/tiger, MST/mst, HR/hr).
std::string SampleSnapshotPath();

// Builds dir/name from DDL text with examples/make-sample-snapshot. Returns
// the path; on failure a gtest failure is recorded and nothing is returned.
std::optional<std::string> BuildSnapshotFromDdl(const TempDirectory& dir, const std::string& name,
                                                const std::string& ddl);

// Copies a file into dir under name and returns the new path.
std::string CopyInto(const TempDirectory& dir, const std::string& source, const std::string& name);

// Runs SQL on a SQLite file (opened read-write, created when missing), e.g. to create the USER_
// views of a login permanently for a source that does not make them itself.
void ExecuteOnFile(const std::string& path, const std::string& sql);
void AddPermanentUserViews(const std::string& path, const std::string& user);

// Sets (or, with nothing, removes) an environment variable for the lifetime
// of the object and restores the previous state afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

// The ODBC source reaching a SQLite file through the SQLite ODBC driver for
// the lifetime of the object: the USER_ views of user are made permanent in
// the file first (the driver does not make them), and NVL comes from the
// project's SQLite extension.
class OdbcSqliteSource {
public:
    OdbcSqliteSource(const std::string& database, const std::string& user);

private:
    ScopedEnvironment driver_;
    ScopedEnvironment attributes_;
};

}  // namespace tabulorix::testing
