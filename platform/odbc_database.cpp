#include "platform/odbc_database.h"

#include <sql.h>
#include <sqlext.h>

#include <QString>
#include <cstdlib>
#include <regex>
#include <vector>

namespace tabulorix {

namespace {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "SQLWCHAR must be UTF-16");

// Size of one piece of a value fetched with SQLGetData, in UTF-16 units.
constexpr SQLLEN kPieceUnits = 1024;

// All diagnostic records of a handle, one message text per line.
std::string DiagnosticText(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER native = 0;
        std::vector<SQLCHAR> message(1024);
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRec(handleType, handle, record, state, &native, message.data(),
                                     static_cast<SQLSMALLINT>(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
            message.resize(static_cast<std::size_t>(length) + 1);
            rc = SQLGetDiagRec(handleType, handle, record, state, &native, message.data(),
                               static_cast<SQLSMALLINT>(message.size()), &length);
        }
        if (!SQL_SUCCEEDED(rc)) break;
        if (!text.empty()) text += '\n';
        text += reinterpret_cast<const char*>(message.data());
    }
    return text;
}

std::string SqlState(SQLSMALLINT handleType, SQLHANDLE handle) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[8];
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(
            SQLGetDiagRec(handleType, handle, 1, state, &native, message, sizeof message, &length))) {
        return {};
    }
    return reinterpret_cast<const char*>(state);
}

[[noreturn]] void Fail(SQLSMALLINT handleType, SQLHANDLE handle, const std::string& what) {
    std::string text = DiagnosticText(handleType, handle);
    if (text.empty()) text = what + " failed without a diagnostic message";
    throw DatabaseError(text);
}

void Check(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const std::string& what) {
    if (!SQL_SUCCEEDED(rc)) Fail(handleType, handle, what);
}

// An ODBC handle freed with its type when it goes.
class Handle {
public:
    Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_))) {
            handle_ = SQL_NULL_HANDLE;
            if (parent == SQL_NULL_HANDLE) throw DatabaseError("The ODBC driver manager cannot be started.");
            Fail(type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV, parent, "SQLAllocHandle");
        }
    }
    ~Handle() {
        if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }

private:
    SQLSMALLINT type_;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

std::string Utf8(const std::u16string& units) {
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size())).toStdString();
}

// One value as text: every piece of SQLGetData as wide characters, NULL as "".
std::string FetchValue(const Handle& statement, SQLUSMALLINT column) {
    std::u16string value;
    std::vector<SQLWCHAR> piece(kPieceUnits);
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(statement.get(), column, SQL_C_WCHAR, piece.data(),
                                        static_cast<SQLLEN>(piece.size() * sizeof(SQLWCHAR)), &indicator);
        if (rc == SQL_NO_DATA) break;
        Check(rc, SQL_HANDLE_STMT, statement.get(), "SQLGetData");
        if (indicator == SQL_NULL_DATA) return {};
        const SQLLEN capacity = kPieceUnits - 1;  // one unit holds the terminator
        const SQLLEN units =
            indicator == SQL_NO_TOTAL ? capacity : std::min<SQLLEN>(indicator / sizeof(SQLWCHAR), capacity);
        value.append(reinterpret_cast<const char16_t*>(piece.data()), static_cast<std::size_t>(units));
        const bool truncated =
            rc == SQL_SUCCESS_WITH_INFO && SqlState(SQL_HANDLE_STMT, statement.get()) == "01004";
        if (!truncated) break;
    }
    return Utf8(value);
}

std::string FieldName(const Handle& statement, SQLUSMALLINT column) {
    std::vector<SQLCHAR> name(256);
    SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    auto describe = [&] {
        return SQLDescribeCol(statement.get(), column, name.data(), static_cast<SQLSMALLINT>(name.size()),
                              &length, &type, &size, &digits, &nullable);
    };
    SQLRETURN rc = describe();
    if (SQL_SUCCEEDED(rc) && length >= static_cast<SQLSMALLINT>(name.size())) {
        name.resize(static_cast<std::size_t>(length) + 1);
        rc = describe();
    }
    Check(rc, SQL_HANDLE_STMT, statement.get(), "SQLDescribeCol");
    return reinterpret_cast<const char*>(name.data());
}

class OdbcDatabase final : public DatabaseConnection {
public:
    OdbcDatabase(const std::string& connectionString, const std::string& driver)
        : environment_(SQL_HANDLE_ENV, SQL_NULL_HANDLE) {
        Check(SQLSetEnvAttr(environment_.get(), SQL_ATTR_ODBC_VERSION,
                            reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
              SQL_HANDLE_ENV, environment_.get(), "SQLSetEnvAttr");
        connection_ = std::make_unique<Handle>(SQL_HANDLE_DBC, environment_.get());
        std::vector<SQLCHAR> text(connectionString.begin(), connectionString.end());
        SQLSMALLINT outLength = 0;
        const SQLRETURN rc =
            SQLDriverConnect(connection_->get(), nullptr, text.data(), static_cast<SQLSMALLINT>(text.size()),
                             nullptr, 0, &outLength, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc)) {
            std::string message = DiagnosticText(SQL_HANDLE_DBC, connection_->get());
            if (message.empty()) message = "The ODBC connection failed without a diagnostic message.";
            throw DatabaseError(message + "\n(ODBC driver \"" + driver + "\"; " + kOdbcDriverVariable +
                                " chooses another)");
        }
        connected_ = true;
    }
    ~OdbcDatabase() override { Close(); }

    bool IsConnected() const override { return connected_; }

    void Close() override {
        if (connected_) SQLDisconnect(connection_->get());
        connected_ = false;
    }

    QueryResult Run(const std::string& statementText) override {
        if (!connected_) throw DatabaseError("The ODBC connection is closed.");
        const Handle statement(SQL_HANDLE_STMT, connection_->get());
        std::vector<SQLCHAR> text(statementText.begin(), statementText.end());
        const SQLRETURN executed =
            SQLExecDirect(statement.get(), text.data(), static_cast<SQLINTEGER>(text.size()));
        if (executed != SQL_NO_DATA) Check(executed, SQL_HANDLE_STMT, statement.get(), "SQLExecDirect");
        SQLSMALLINT fields = 0;
        Check(SQLNumResultCols(statement.get(), &fields), SQL_HANDLE_STMT, statement.get(),
              "SQLNumResultCols");
        QueryResult result;
        for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(fields); ++i) {
            result.fieldNames.push_back(FieldName(statement, i));
        }
        if (fields == 0) return result;
        for (;;) {
            const SQLRETURN fetched = SQLFetch(statement.get());
            if (fetched == SQL_NO_DATA) break;
            Check(fetched, SQL_HANDLE_STMT, statement.get(), "SQLFetch");
            std::vector<std::string> row;
            row.reserve(static_cast<std::size_t>(fields));
            for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(fields); ++i) {
                row.push_back(FetchValue(statement, i));
            }
            result.rows.push_back(std::move(row));
        }
        return result;
    }

private:
    Handle environment_;
    std::unique_ptr<Handle> connection_;
    bool connected_ = false;
};

// A connection-string value, wrapped in braces when it could be misread.
std::string AttributeValue(const std::string& value) {
    const bool plain = value.find_first_of(";{}") == std::string::npos &&
                       (value.empty() || (value.front() != ' ' && value.back() != ' '));
    if (plain) return value;
    std::string braced = "{";
    for (const char c : value) {
        braced += c;
        if (c == '}') braced += '}';
    }
    return braced + "}";
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

bool UsesDirectConnection(const std::string& server) {
    return server.find(':') != std::string::npos;
}

std::string OracleServerAttribute(const std::string& server) {
    if (!UsesDirectConnection(server)) return server;
    // host:port:SID, split from the right so that an IPv6 host keeps its colons.
    static const std::regex direct(R"(^(.+):([0-9]+):([^:/]+)$)");
    std::smatch parts;
    if (!std::regex_match(server, parts, direct))
        return server;  // an easy-connect string such as host:1521/svc
    return "(DESCRIPTION=(ADDRESS=(PROTOCOL=TCP)(HOST=" + parts[1].str() + ")(PORT=" + parts[2].str() +
           "))(CONNECT_DATA=(SID=" + parts[3].str() + ")))";
}

std::string OdbcDriverName() {
    const std::string configured = Environment(kOdbcDriverVariable);
    return configured.empty() ? kDefaultOdbcDriver : configured;
}

std::string BuildOdbcConnectionString(const LoginData& login, const std::string& driver,
                                      const std::string& extraAttributes) {
    std::string text = "DRIVER={" + driver + "};UID=" + AttributeValue(login.user) +
                       ";PWD=" + AttributeValue(login.password) +
                       ";DBQ=" + AttributeValue(OracleServerAttribute(login.server)) + ";";
    if (!extraAttributes.empty()) {
        text += extraAttributes;
        if (text.back() != ';') text += ';';
    }
    return text;
}

std::unique_ptr<DatabaseConnection> OpenOdbcDatabase(const LoginData& login) {
    const std::string driver = OdbcDriverName();
    return std::make_unique<OdbcDatabase>(
        BuildOdbcConnectionString(login, driver, Environment(kOdbcAttributesVariable)), driver);
}

}  // namespace tabulorix
