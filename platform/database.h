// Database access of the catalogue reader.
//
// A connection runs one statement at a time and hands back the whole result
// as text: the field names the source reports, in select-list order, and one
// row per record in the statement's order, every value as text (NULL as the
// empty string, no trimming here). Failures raise DatabaseError with the
// source's own message text.
//
// Two sources implement it:
// - a dictionary snapshot, a SQLite file holding copies of Oracle's ALL_
//   dictionary views (snapshot_database.h);
// - a live database reached through unixODBC (odbc_database.h).
// OpenDatabase chooses between them from the server text.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tabulorix {

// A failure reported by the database or its driver. The message is the
// driver's own text (for ODBC the texts of SQLGetDiagRec).
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct QueryResult {
    std::vector<std::string> fieldNames;
    std::vector<std::vector<std::string>> rows;  // each row has fieldNames.size() values
};

class DatabaseConnection {
public:
    virtual ~DatabaseConnection() = default;
    virtual bool IsConnected() const = 0;
    // Releases the connection; further statements fail. Closing twice is harmless.
    virtual void Close() = 0;
    // Runs one statement and returns its whole result. Throws DatabaseError.
    virtual QueryResult Run(const std::string& statement) = 0;
};

// Login data of one connection. The password is used as given (Oracle
// passwords are case-sensitive).
struct LoginData {
    std::string user;
    std::string password;
    // An Oracle service name (TNS alias or easy-connect string),
    // "host:port:SID", or the path of a dictionary snapshot file.
    std::string server;
};

// True when the server text is meant as a dictionary snapshot file: it names
// an existing SQLite file, or it ends in ".sqlite" or ".sqlite3" (any case).
// Such a text is a path and keeps its case; everything else goes to ODBC.
bool NamesSnapshotFile(const std::string& server);

// Connects to the source the server text names (see NamesSnapshotFile).
// Throws DatabaseError.
std::unique_ptr<DatabaseConnection> OpenDatabase(const LoginData& login);

// Removes every character up to U+0020 (blanks, tabs, line breaks and other
// control characters) after the last other character; leading blanks stay,
// so a value made of blanks only (NVL(DELETE_RULE, ' ')) keeps them.
std::string TrimTrailingBlanks(std::string text);

}  // namespace tabulorix
