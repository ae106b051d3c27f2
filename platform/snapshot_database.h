// Dictionary snapshot source: one SQLite file holding copies of Oracle's ALL_
// dictionary views with Oracle's own column names.
//
// The file is opened read-only. On connect the USER_ views of the login user
// are created as TEMP views over the ALL_ tables, so the catalogue reader's
// statements run unchanged, and the Oracle function NVL is registered. A
// snapshot may carry a table SNAPSHOT_USERS(USERNAME, PASSWORD); when it lists
// users, only a listed user with the matching password (both compared
// exactly) may log in.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/database.h"

namespace tabulorix {

// Oracle's text for a refused login, used when SNAPSHOT_USERS refuses one.
inline constexpr const char* kInvalidLogonMessage = "ORA-01017: invalid username/password; logon denied";

// True when path names an existing regular file that starts with the SQLite
// file header.
bool IsSqliteFile(const std::string& path);

// The statements that create the USER_ views of user over the ALL_ tables
// (TEMP views when temporary is set).
std::vector<std::string> UserViewDefinitions(const std::string& user, bool temporary);

// Opens the snapshot at path for the login user. Throws DatabaseError: for a
// missing or unreadable file, a file that is no dictionary snapshot, and a
// login that SNAPSHOT_USERS refuses.
std::unique_ptr<DatabaseConnection> OpenSnapshotDatabase(const std::string& path, const std::string& user,
                                                         const std::string& password);

}  // namespace tabulorix
