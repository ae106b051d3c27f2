// The query wrappers: one statement, run on a connection and copied into a
// row table.
//
// A holder is initialised with a connection and a statement, opened, filled
// and closed; the same holder may be reused for the next statement. Opening
// shows the source's error text in a message box and reports false; the
// callers stop reading right after a failed open (the message has then been
// shown once). Progress goes to the status dialog's detail line.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "catalogue/row_table.h"
#include "platform/database.h"

namespace tabulorix {

// Raised by a reader that stops after a failed open: the failure's own text
// has already been shown to the user, so whoever catches it shows nothing more.
class ZMGQueryStopped : public std::runtime_error {
public:
    explicit ZMGQueryStopped(const std::string& statement)
        : std::runtime_error("query failed: " + statement) {}
};

class ZMGDataset {
public:
    ZMGDataset() = default;
    // Closes first.
    virtual ~ZMGDataset();
    ZMGDataset(const ZMGDataset&) = delete;
    ZMGDataset& operator=(const ZMGDataset&) = delete;

    // Runs the statement. Already open: false, nothing done. A database
    // error: its text in a message box, false. Any other failure propagates
    // (the open flag stays clear).
    virtual bool OpenQuery();
    // Forgets the result of an open query.
    virtual void CloseQuery();
    // The result of the open query, none while closed.
    virtual const tabulorix::QueryResult* GetQuery() const;

    // Remembers the connection (not owned) and the statement.
    void InitQuery(tabulorix::DatabaseConnection* connection, const std::string& statement);
    bool IsOpen() const { return open_; }
    const std::string& Statement() const { return statement_; }

    // Copies the open result into target: without append the rows are
    // replaced by a header row of the field names; then one row per record,
    // every value with its trailing blanks removed (NULL is ""). Throws
    // tabulorix::DatabaseError when the query is not open.
    void FillRowTable(ZMGCell& target, bool append) const;

protected:
    bool open_ = false;
    tabulorix::DatabaseConnection* connection_ = nullptr;  // not owned
    std::string statement_;
    std::unique_ptr<tabulorix::QueryResult> result_;
};

// The wrapper the readers use.
class ZMGQuery : public ZMGDataset {};

// A query wrapper that owns the row table its statement fills.
class ZMGQueryListView : public ZMGQuery {
public:
    ZMGQueryListView();
    ~ZMGQueryListView() override;

    ZMGCell& Table() { return *table_; }
    const ZMGCell& Table() const { return *table_; }
    void FillRowTable(bool append) { ZMGDataset::FillRowTable(*table_, append); }
    using ZMGDataset::FillRowTable;

private:
    std::unique_ptr<ZMGCell> table_;
};

// One query step of the readers: init, open, fill target (appending or
// not), close. Throws ZMGQueryStopped when the open failed.
void RunQueryInto(ZMGQuery& query, tabulorix::DatabaseConnection* connection, const std::string& statement,
                  ZMGCell& target, bool append);

}  // namespace tabulorix
