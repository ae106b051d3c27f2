// Live database source through unixODBC.
//
// The connection string is built without a DSN:
//   DRIVER={driver};UID=user;PWD=password;DBQ=server[;extra attributes]
// - driver: the environment variable TABULORIX_ODBC_DRIVER, default
//   kDefaultOdbcDriver (the name Oracle's Instant Client ODBC installer
//   registers in odbcinst.ini);
// - server "host:port:SID" (the direct option) becomes a full connect
//   descriptor with that host, port and SID; any other text is passed on as
//   the service name (a TNS alias or an easy-connect string);
// - extra attributes: the environment variable TABULORIX_ODBC_ATTRIBUTES,
//   appended as written ("key=value;key=value"), e.g. for a driver that needs
//   more than the login ("Database=...;LoadExt=...;NoCreat=1" for SQLite).
// Values holding ";", "{", "}" or blanks at either end are wrapped in braces.
//
// Statements go through the narrow API as UTF-8 (the SQLite driver has no
// wide entry points); every value is fetched with SQLGetData as wide
// characters, in column order, reading on while the driver reports
// truncation. Errors carry the texts of SQLGetDiagRec.
#pragma once

#include <memory>
#include <string>

#include "platform/database.h"

namespace tabulorix {

inline constexpr const char* kDefaultOdbcDriver = "Oracle 21 ODBC driver";
inline constexpr const char* kOdbcDriverVariable = "TABULORIX_ODBC_DRIVER";
inline constexpr const char* kOdbcAttributesVariable = "TABULORIX_ODBC_ATTRIBUTES";

// True when the server text asks for a direct connection (it contains ":").
bool UsesDirectConnection(const std::string& server);

// The DBQ value for a server text: a connect descriptor for host:port:SID,
// otherwise the text unchanged.
std::string OracleServerAttribute(const std::string& server);

// The ODBC driver name in force (environment or default).
std::string OdbcDriverName();

// The whole connection string (see above).
std::string BuildOdbcConnectionString(const LoginData& login, const std::string& driver,
                                      const std::string& extraAttributes);

// Connects with the driver and attributes from the environment. Throws
// DatabaseError with the driver manager's or driver's text.
std::unique_ptr<DatabaseConnection> OpenOdbcDatabase(const LoginData& login);

}  // namespace tabulorix
