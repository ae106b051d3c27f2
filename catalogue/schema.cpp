#include "catalogue/schema.h"

#include <array>

namespace tabulorix {

int MGSchema::liveCount_ = 0;

namespace {

bool TypeTakesNoLength(const std::string& dataType) {
    static const std::array<const char*, 9> kTypes = {"DATE", "LONG",    "LONG RAW", "ROWID", "BLOB",
                                                      "CLOB", "XMLTYPE", "NCLOB",    "BFILE"};
    for (const char* type : kTypes) {
        if (dataType == type) return true;
    }
    return false;
}

}  // namespace

std::string ColumnLengthText(const std::string& dataType, const std::string& dataLength,
                             const std::string& dataPrecision, const std::string& dataScale) {
    if (TypeTakesNoLength(dataType)) return std::string();
    const std::string& length = dataPrecision.empty() ? dataLength : dataPrecision;
    if (dataScale.empty() || dataScale == "0") return length;
    return length + "," + dataScale;
}

namespace {
MGSchemaLifetimeHooks lifetimeHooks;
}  // namespace

void SetSchemaLifetimeHooks(const MGSchemaLifetimeHooks& hooks) {
    lifetimeHooks = hooks;
}

MGSchema::MGSchema() {
    ++liveCount_;
    if (lifetimeHooks.created) lifetimeHooks.created();
}

MGSchema::~MGSchema() {
    CloseConnection();
    --liveCount_;
    if (liveCount_ == 0 && lifetimeHooks.lastDestroyed) lifetimeHooks.lastDestroyed();
}

void MGSchema::ReleaseDistributedRows(ZMGCell& holder) {
    holder.ClearRows(1);
}

void MGSchema::AdoptConnection(std::unique_ptr<tabulorix::DatabaseConnection> connection) {
    CloseConnection();
    ownedConnection_ = std::move(connection);
    connection_ = ownedConnection_.get();
    ownsConnection_ = true;
}

void MGSchema::AttachConnection(tabulorix::DatabaseConnection* connection) {
    CloseConnection();
    connection_ = connection;
    ownsConnection_ = false;
}

void MGSchema::CloseConnection() {
    if (!ownsConnection_) return;
    if (ownedConnection_ && ownedConnection_->IsConnected()) ownedConnection_->Close();
    ownedConnection_.reset();
    connection_ = nullptr;
}

void MGSchema::SetIdentity(const std::string& owner, const std::string& password, const std::string& server,
                           const std::string& extra) {
    ownerName_ = owner;
    password_ = password;
    server_ = server;
    extra_ = extra;
}

}  // namespace tabulorix
